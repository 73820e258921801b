// History files: the line format and its number formats, the check, appending, the 841st game
// and a damaged file kept aside.

#include "core/records/history_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "core/text/atomic_file.h"
#include "temp_folder.h"

namespace orvala {
namespace {

namespace fs = std::filesystem;

// A temporary folder of this test's own, with the history files in its "History" folder.
struct TempFolder : testing::TempFolder {
    TempFolder() : testing::TempFolder("orvala-history-") {}
    std::string folder() const { return path.string() + "/History/"; }
};

const HistoryStamp kStamp{"09:05", "09.12.2026"};

HistoryRecord game(int result, double rating = 1.5, HistoryKind kind = HistoryKind::Local) {
    return {"Anna", 1, result, rating, kind};
}

std::string bytesOf(const std::string& path) {
    std::string b;
    EXPECT_TRUE(readFileBytes(path, b));
    return b;
}

TEST(HistoryLine, ColumnsAndNumberFormats) {
    const std::string line = historyGameLine({"Anna/Boris", 1, -125, -1.25, HistoryKind::Net},
                                             {"9:05", "2026-12-09 Wed"});
    ASSERT_EQ(line.size(), kHistoryLineLength);
    EXPECT_EQ(line.substr(0, 5), " 9:05");
    EXPECT_EQ(line.substr(5, 10), "2026-12-09");  // cut to 10
    EXPECT_EQ(line.substr(15, 51), "Anna/Boris" + std::string(41, ' '));
    EXPECT_EQ(line.substr(66, 3), "  1");
    EXPECT_EQ(line.substr(69, 10), "      -125");
    EXPECT_EQ(line.substr(79, 10), "     -1,25");
    EXPECT_EQ(line.substr(89, 10), "N#########");
    int s1 = 0, s2 = 0, s3 = 0;
    for (int col = 1; col <= 99; ++col) {
        const int b = static_cast<unsigned char>(line[static_cast<size_t>(col - 1)]);
        s1 += b;
        if (col % 2 == 0) s2 += b;
        if (col % 3 == 0) s3 += b;
    }
    char sums[32];
    std::snprintf(sums, sizeof sums, "%05d%05d%05d", s1, s2, s3);
    EXPECT_EQ(line.substr(99), sums);

    EXPECT_EQ(historyRatingText(0.5), "0,50");
    EXPECT_EQ(historyRatingText(0.05), "0,05");
    EXPECT_EQ(historyRatingText(0), "0,00");
    EXPECT_EQ(historyRatingText(-0.001), "0,00");
    EXPECT_EQ(historyRatingText(12.3), "12,30");
    EXPECT_EQ(historyRatingText(-99.99), "-99,99");
    const std::string end = historyEndLine();
    ASSERT_EQ(end.size(), kHistoryLineLength);
    EXPECT_EQ(end.substr(0, 3), "$\x9B}");
    EXPECT_EQ(end.substr(3, 96), std::string(96, '#'));
}

TEST(HistoryFile, FreshFolderAppendAndAnyChangeInvalidates) {
    TempFolder dir;
    const HistoryWrite w = WriteHistory(dir.folder(), {game(250, 5.0)}, kStamp);
    ASSERT_TRUE(w.written);
    EXPECT_EQ(w.path, dir.folder() + "Orvala_I0001.hst");
    std::string bytes = bytesOf(w.path);
    EXPECT_EQ(bytes.size(), 2 * 116u + 32u);
    EXPECT_EQ(CheckHistoryFile(w.path).games, 1);

    ASSERT_TRUE(WriteHistory(dir.folder(), {game(-40), game(10, 0.5, HistoryKind::Tourney)}, kStamp)
                    .written);
    bytes = bytesOf(w.path);
    const HistoryCheck c = CheckHistoryFile(w.path);
    EXPECT_TRUE(c.valid);
    EXPECT_EQ(c.games, 3);
    const auto lines = historyGameLines(bytes);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].substr(69, 10), "       250");
    EXPECT_EQ(lines[2].substr(89, 1), "T");

    for (size_t i = 0; i < bytes.size(); ++i) {
        const size_t col = i % 116;  // every game line and the end line are 116 bytes
        if (i >= 4 * 116 || col >= 99) continue;
        std::string changed = bytes;
        changed[i] = static_cast<char>(changed[i] == 'x' ? 'y' : 'x');
        EXPECT_FALSE(checkHistoryBytes(changed).valid) << "byte " << i;
    }
    EXPECT_FALSE(checkHistoryBytes(bytes.substr(0, bytes.size() - 5)).valid);  // short sum line
    EXPECT_FALSE(checkHistoryBytes(bytes.substr(0, 3 * 116)).valid);           // no end line
    EXPECT_FALSE(checkHistoryBytes("").valid);
    EXPECT_FALSE(CheckHistoryFile(dir.folder() + "Orvala_I0002.hst").valid);
}

TEST(HistoryFile, The841stGameGoesToTheNextFile) {
    TempFolder dir;
    // 836 lines written whole, then the writer fills the file to 840.
    ASSERT_TRUE(WriteHistory(dir.folder(), {game(5)}, kStamp).written);
    const std::string first = dir.folder() + "Orvala_I0001.hst";
    ASSERT_TRUE(writeFileAtomically(
        first, formatHistoryFile(std::vector<std::string>(836, historyGameLine(game(5), kStamp)))));
    ASSERT_TRUE(WriteHistory(dir.folder(), {game(5), game(5), game(5), game(5)}, kStamp).written);
    EXPECT_EQ(CheckHistoryFile(first).games, 840);
    const HistoryWrite w = WriteHistory(dir.folder(), {game(7)}, kStamp);
    EXPECT_EQ(w.path, dir.folder() + "Orvala_I0002.hst");
    EXPECT_EQ(CheckHistoryFile(first).games, 840);
    EXPECT_EQ(CheckHistoryFile(w.path).games, 1);
    const auto listing = listHistoryFiles(dir.folder());
    ASSERT_EQ(listing.size(), 2u);
    EXPECT_EQ(listing[1].number, 2);
    EXPECT_EQ(listing[0].date.size(), 10u);
}

TEST(HistoryFile, ADamagedFileIsKeptAsideAndItsNumberStartsAfresh) {
    TempFolder dir;
    for (int i = 0; i < 2; ++i) WriteHistory(dir.folder(), {game(i)}, kStamp);
    const std::string path = dir.folder() + "Orvala_I0001.hst";
    std::string bytes = bytesOf(path);
    bytes[20] = '!';
    ASSERT_TRUE(writeFileAtomically(path, bytes));
    EXPECT_TRUE(listHistoryFiles(dir.folder()).empty());

    const HistoryWrite w = WriteHistory(dir.folder(), {game(99)}, kStamp);
    ASSERT_TRUE(w.written);
    EXPECT_EQ(w.path, path);
    EXPECT_EQ(w.setAside, path + ".bad");
    EXPECT_EQ(bytesOf(path + ".bad"), bytes);
    EXPECT_EQ(CheckHistoryFile(path).games, 1);

    // A second damage at the same number does not replace the first one set aside.
    bytes = bytesOf(path);
    bytes[30] = '!';
    ASSERT_TRUE(writeFileAtomically(path, bytes));
    EXPECT_EQ(WriteHistory(dir.folder(), {game(1)}, kStamp).setAside, path + ".bad2");
    EXPECT_TRUE(fs::exists(path + ".bad"));
}

}  // namespace
}  // namespace orvala
