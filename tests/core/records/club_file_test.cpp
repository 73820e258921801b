// The club file: its layout and checksum, the shipped files, a finished game's update, the
// rating and its limits, the top ten and the scrambled password.

#include "core/records/club_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "core/records/club_update.h"
#include "core/records/member_password.h"
#include "core/text/atomic_file.h"
#include "temp_folder.h"

namespace orvala {
namespace {

namespace fs = std::filesystem;

// A temporary folder of this test's own.
struct TempFolder : testing::TempFolder {
    TempFolder() : testing::TempFolder("orvala-club-") {}
};

ClubMember member(const std::string& name, double rating, int games = 10, int score = 0) {
    ClubMember m;
    m.name = padded(name, 20);
    m.rating = static_cast<int64_t>(rating * 1'000'000);
    m.games = games;
    m.cycleScore = score;
    m.password = scramblePassword("pw");
    return m;
}

// A club with the given members placed by rating, as games would have placed them.
ClubFile clubOf(std::vector<ClubMember> members) {
    ClubFile f = newClubFile();
    for (auto& m : members) {
        m.slot = kNewMemberSlot;
        updateClubFile(f, m, false);
    }
    return f;
}

std::string nameIn(const ClubFile& f, int slot) {
    return trimmedName(std::string_view(f.memberLine(slot)).substr(0, 20));
}

TEST(ClubFile, NewClubWritesReadsAndLooksAsTheFormatSays) {
    const ClubFile f = newClubFile();
    const std::string bytes = formatClubFile(f);
    EXPECT_EQ(bytes.size(), 5 * 61u + 10 * 28u + 2 * 30u);
    const ClubRead r = decodeClubFile(bytes);
    ASSERT_TRUE(r.ok()) << clubFaultText(r.fault) << " line " << r.line;
    EXPECT_EQ(r.file, f);
    EXPECT_EQ(f.memberLine(1), "##################################### #####################");
    EXPECT_FALSE(clubAsksRussian(f));
    EXPECT_EQ(clubDistributionCode(f), "orv");
    // LF-only line ends read as well; more after the 17th line does not.
    std::string lf = bytes;
    std::erase(lf, '\r');
    EXPECT_TRUE(decodeClubFile(lf).ok());
    EXPECT_EQ(decodeClubFile(bytes + "x").fault, ClubFault::Layout);
    EXPECT_EQ(decodeClubFile(bytes.substr(0, bytes.size() - 2 - 28)).fault, ClubFault::Layout);
}

TEST(ClubFile, ShippedFilesPassTheCheckAndAreTheNewClub) {
    for (const char* name : {"Orvala.clb", "Orvala.net"}) {
        const ClubRead r = readClubFile(std::string(ORVALA_DATA_DIR) + "/" + name);
        EXPECT_TRUE(r.ok()) << name << ": " << clubFaultText(r.fault) << " line " << r.line;
        EXPECT_FALSE(clubAsksRussian(r.file));
        EXPECT_NE(clubDistributionCode(r.file), kQuietDistributionCode);
        // The first run writes the same club where none is.
        std::string bytes;
        ASSERT_TRUE(readFileBytes(std::string(ORVALA_DATA_DIR) + "/" + name, bytes));
        EXPECT_EQ(bytes, formatClubFile(newClubFile())) << name;
    }
}

TEST(ClubFile, AnyChangedByteInLinesOneToSixteenIsRefused) {
    ClubFile f = clubOf({member("Anna", 3.5, 30, 120), member("Boris", -1.25, 4, -40)});
    const std::string bytes = formatClubFile(f);
    ASSERT_TRUE(decodeClubFile(bytes).ok());
    size_t checked = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') continue;
        const size_t lineStart =
            bytes.rfind('\n', i) == std::string::npos ? 0 : bytes.rfind('\n', i) + 1;
        if (std::count(bytes.begin(), bytes.begin() + static_cast<long>(lineStart), '\n') == 16)
            break;  // line 17: only its checksum columns matter, tested below
        std::string changed = bytes;
        changed[i] = static_cast<char>(changed[i] == 'A' ? 'B' : 'A');
        EXPECT_FALSE(decodeClubFile(changed).ok()) << "byte " << i;
        ++checked;
    }
    EXPECT_EQ(checked, 583u);
    std::string badSum = bytes;
    badSum[bytes.size() - 3] = 'x';
    EXPECT_EQ(decodeClubFile(badSum).fault, ClubFault::Checksum);
    // Columns 1..10 of line 17 are not covered: the language and distribution code.
    ClubFile russian = f;
    russian.lines[16][0] = '1';
    const ClubRead r = decodeClubFile(formatClubFile(russian));
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(clubAsksRussian(r.file));
}

TEST(ClubFile, WellSealedNonsenseIsStillRefused) {
    ClubFile f = newClubFile();
    f.memberLine(2) = padded("Eve", 20) + "  abc,0000      3      0" + std::string(15, 'x');
    EXPECT_EQ(decodeClubFile(formatClubFile(f)).fault, ClubFault::MemberLine);
    f = newClubFile();
    f.topTenLine(4) = padded("Eve", 20) + "  12x4";
    EXPECT_EQ(decodeClubFile(formatClubFile(f)).fault, ClubFault::TopTenLine);
    f = newClubFile();
    f.lines[15][0] = '$';
    EXPECT_EQ(decodeClubFile(formatClubFile(f)).fault, ClubFault::Mark);
    EXPECT_EQ(readClubFile("/nonexistent/Orvala.clb").fault, ClubFault::Missing);
}

TEST(ClubRating, FormulaRoundingAndLimits) {
    EXPECT_EQ(ratingAfterGame(0, 0, 250), 5'000'000);
    EXPECT_EQ(formatMemberLine(member("New", 5.0)).substr(20, 10), "  5,000000");
    EXPECT_EQ(ratingAfterGame(0, 0, 5000), kRatingLimit);
    EXPECT_EQ(ratingAfterGame(0, 0, -100000), -kRatingLimit);
    EXPECT_EQ(ratingAfterGame(0, 0, 4999), 99'980'000);
    // (2 * 1.5 + 100 / 50) / 3 = 1.666667 after rounding.
    EXPECT_EQ(ratingAfterGame(1'500'000, 2, 100), 1'666'667);
    EXPECT_EQ(ratingText6(-kRatingLimit), "-99,990000");
    EXPECT_EQ(ratingText2(1'666'667), "1,67");
    EXPECT_EQ(ratingText2(-4'999), "0,00");
    EXPECT_EQ(parseRating("  1,234567"), 1'234'567);
    EXPECT_EQ(parseRating("-0,5"), -500'000);
    EXPECT_FALSE(parseRating("1.5"));
}

TEST(ClubUpdate, EqualRatingGoesAboveAndTheOldLineGoes) {
    ClubFile f = clubOf({member("Anna", 3.0), member("Boris", 2.0), member("Cyril", 1.0)});
    EXPECT_EQ(nameIn(f, 1), "Anna");
    EXPECT_EQ(nameIn(f, 3), "Cyril");
    ClubMember cyril = *parseMemberLine(f.memberLine(3), 3);
    cyril.rating = 3'000'000;
    const ClubUpdate u = updateClubFile(f, cyril, false);
    EXPECT_EQ(u.slot, 1);
    EXPECT_EQ(nameIn(f, 1), "Cyril");
    EXPECT_EQ(nameIn(f, 2), "Anna");
    EXPECT_EQ(nameIn(f, 3), "Boris");
    EXPECT_TRUE(isEmptyMemberLine(f.memberLine(4)));
    // A full club: a sixth player with the lowest rating stays out, a better one pushes the
    // lowest out.
    f = clubOf({member("A", 5), member("B", 4), member("C", 3), member("D", 2), member("E", 1)});
    ClubMember low = member("Low", 0.5);
    EXPECT_EQ(updateClubFile(f, low, false).slot, kNewMemberSlot);
    EXPECT_EQ(nameIn(f, 5), "E");
    ClubMember high = member("High", 4.5);
    EXPECT_EQ(updateClubFile(f, high, false).slot, 2);
    EXPECT_EQ(nameIn(f, 5), "D");
    EXPECT_TRUE(decodeClubFile(formatClubFile(f)).ok());
}

TEST(ClubUpdate, CycleEndEntersTheTopTenAtItsPlace) {
    ClubFile f = newClubFile();  // scores 1500 down to 100
    ClubMember m = member("Tenth", 1.0, 25, 100);
    m.slot = kNewMemberSlot;
    ClubUpdate u = updateClubFile(f, m, true);
    EXPECT_EQ(u.place, 10);
    EXPECT_EQ(u.cycleScore, 100);
    EXPECT_EQ(f.topTenLine(10), padded("Tenth", 20) + "   100");
    EXPECT_EQ(m.cycleScore, 0);
    EXPECT_EQ(parseMemberLine(f.memberLine(u.slot), u.slot)->cycleScore, 0);

    ClubMember best = member("Best", 1.0, 50, 1500);
    best.slot = u.slot;
    u = updateClubFile(f, best, true);
    EXPECT_EQ(u.place, 1);
    EXPECT_EQ(trimmedName(f.topTenLine(2).substr(0, 20)), "Orvala");
    EXPECT_EQ(trimmedName(f.topTenLine(10).substr(0, 20)), "Nikolai");  // "Tenth" dropped out

    ClubMember poor = member("Poor", 1.0, 75, 99);
    EXPECT_EQ(updateClubFile(f, poor, true).place, 0);
    ClubMember negative = member("Neg", 1.0, 25, -99999);
    ClubFile g = newClubFile();
    EXPECT_EQ(updateClubFile(g, negative, true).place, 0);
    EXPECT_TRUE(decodeClubFile(formatClubFile(g)).ok());
}

TEST(ClubUpdate, TheTwentySixthGameStartsTheNextCycle) {
    ClubMember m = member("Ivan", 0.0, 0, 0);
    int cycles = 0;
    for (int game = 1; game <= 26; ++game) {
        if (recordGame(m, 10)) {
            ++cycles;
            ClubFile f = newClubFile();
            updateClubFile(f, m, true);
        }
    }
    EXPECT_EQ(cycles, 1);
    EXPECT_EQ(m.games, 26);
    EXPECT_EQ(m.games % kCycleGames, 1);
    EXPECT_EQ(m.cycleScore, 10);
    // Numbers beyond their columns stay in them.
    m.cycleScore = 5'000'000;
    m.games = 99'999'999;
    EXPECT_EQ(formatMemberLine(m).size(), kMemberLineLength);
}

TEST(ClubUpdate, FileUpdateWritesAndRespectsWriteProtection) {
    TempFolder dir;
    const std::string path = dir.file("Orvala.clb");
    ASSERT_TRUE(writeClubFile(path, newClubFile()));
    ClubMember m = member("Olga", 0.0, 0, 0);
    recordGame(m, 250);
    ClubFileUpdate u = UpdateClub(path, m, false);
    EXPECT_EQ(u.write, ClubWrite::Written);
    ClubRead r = readClubFile(path);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.file.memberLine(1).substr(0, 44), padded("Olga", 20) + "  5,000000      1    250");
    EXPECT_EQ(m.slot, 1);

    ::chmod(path.c_str(), 0444);
    EXPECT_TRUE(clubFileWriteProtected(path));
    recordGame(m, 250);
    EXPECT_EQ(UpdateClub(path, m, false).write, ClubWrite::WriteProtected);
    EXPECT_EQ(readClubFile(path).file, r.file);

    ::chmod(path.c_str(), 0644);
    std::string bytes;
    ASSERT_TRUE(readFileBytes(path, bytes));
    bytes[3] = 'x';
    ASSERT_TRUE(writeFileAtomically(path, bytes));
    EXPECT_EQ(UpdateClub(path, m, false).write, ClubWrite::Unusable);
    std::string after;
    ASSERT_TRUE(readFileBytes(path, after));
    EXPECT_EQ(after, bytes);  // a damaged file is not written over
}

// A writer killed at any moment leaves a file that passes the check: the old one or the new.
TEST(ClubUpdate, AKillDuringWritingNeverLeavesAHalfFile) {
    TempFolder dir;
    const std::string path = dir.file("Orvala.clb");
    ASSERT_TRUE(writeClubFile(path, newClubFile()));
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ClubMember m = member("Kill", 0.0, 0, 0);
        for (int i = 0;; ++i) {
            recordGame(m, i % 7 * 10);
            UpdateClub(path, m, m.games % kCycleGames == 0);
        }
    }
    int checks = 0;
    for (; checks < 300; ++checks) {
        const ClubRead r = readClubFile(path);
        if (!r.ok()) {
            ADD_FAILURE() << clubFaultText(r.fault);
            break;
        }
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_TRUE(readClubFile(path).ok());
    EXPECT_EQ(checks, 300);
}

TEST(MemberPassword, ScrambledBothWaysAndRefusesForeignText) {
    for (const std::string pw : {"", "a", "12345", "\xC0\xFF\x01 z", "longer than five"}) {
        const std::string s = scramblePassword(pw);
        ASSERT_EQ(s.size(), kScrambledPasswordWidth);
        EXPECT_EQ(s.find_first_of("\r\n# "), std::string::npos);
        std::string expected = pw.substr(0, 5);
        expected.resize(5, ' ');
        EXPECT_EQ(unscramblePassword(s), expected);
    }
    EXPECT_EQ(unscramblePassword(scramblePassword("")), "     ");
    EXPECT_NE(scramblePassword("aaaaa").substr(0, 3), scramblePassword("aaaaa").substr(3, 3));
    EXPECT_FALSE(unscramblePassword(std::string(15, '#')));
    std::string s = scramblePassword("abc");
    s[2] = s[2] == 'o' ? 'T' : 'o';
    EXPECT_FALSE(unscramblePassword(s));
}

}  // namespace
}  // namespace orvala
