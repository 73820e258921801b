// A member's games to the end of a cycle, as the end of a game records them, and the score
// summary's values.

#include "core/records/game_end.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "core/records/member_login.h"

namespace orvala {
namespace {

namespace fs = std::filesystem;

TEST(GameEnd, TwentyFiveGamesFillHistoryClubAndTopTen) {
    const fs::path dir = fs::temp_directory_path() / ("orvala-end-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    ASSERT_TRUE(writeClubFile((dir / "Orvala.clb").string(), newClubFile()));
    Login login = loginMember(newClubFile(), kNewMemberSlot, "Vera", "pw", "pw");
    ASSERT_EQ(login.answer, LoginAnswer::Ok);
    ClubMember m = login.member;
    const HistoryStamp stamp{"10:00", "09.12.2026"};
    for (int game = 1; game <= 24; ++game) {
        const GameEnd e = finishMemberGame(dir.string(), false, m, game % 3 == 0 ? -20 : 60, stamp);
        EXPECT_FALSE(e.cycleEnd);
        EXPECT_EQ(e.sound, game % 3 == 0 ? Wave::WKoBads : Wave::WKoGood);
        EXPECT_EQ(e.club->write, ClubWrite::Written);
        EXPECT_EQ(m.slot, 1);
    }
    EXPECT_EQ(m.games, 24);
    EXPECT_EQ(m.cycleScore, 16 * 60 - 8 * 20);
    const GameEnd last = finishMemberGame(dir.string(), false, m, 0, stamp);
    EXPECT_TRUE(last.cycleEnd);
    EXPECT_FALSE(last.sound);
    EXPECT_EQ(last.club->update.place, 4);  // 800 ties Vasily's 800 and goes above him
    EXPECT_EQ(last.club->update.cycleScore, 800);
    const ClubRead club = readClubFile((dir / "Orvala.clb").string());
    ASSERT_TRUE(club.ok());
    EXPECT_EQ(club.file.topTenLine(4), padded("Vera", 20) + "   800");
    const auto stored = findMember(club.file, "Vera");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->games, 25);
    EXPECT_EQ(stored->cycleScore, 0);
    EXPECT_NEAR(stored->rating, 640000, 2);  // 800 / 50 / 25, rounded game by game
    EXPECT_EQ(CheckHistoryFile(last.history.path).games, 25);
    // Network games go to the other file, which must be there.
    EXPECT_EQ(finishMemberGame(dir.string(), true, m, 5, stamp).club->write, ClubWrite::Unusable);
    fs::remove_all(dir);
}

// A game for the account's global rating leaves an account line with the account's rating; the
// club file, its member and its top ten stay byte for byte as they were.
TEST(GameEnd, AnAccountsGameWritesAnAccountLineAndLeavesTheClubAlone) {
    const fs::path dir = fs::temp_directory_path() / ("orvala-acc-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const std::string clubPath = (dir / "Orvala.clb").string();
    ClubFile club = newClubFile();
    ClubMember vera{padded("Vera", 20), 1'000'000, 24, 900, "", kNewMemberSlot};
    updateClubFile(club, vera, false);
    ASSERT_TRUE(writeClubFile(clubPath, club));
    const auto bytes = [](const std::string& path) {
        std::string all;
        if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
            char buf[4096];
            all.assign(buf, std::fread(buf, 1, sizeof buf, f));
            std::fclose(f);
        }
        return all;
    };
    const std::string before = bytes(clubPath);
    const HistoryStamp stamp{"10:00", "09.12.2026"};

    const GameEnd e = finishAccountGame(dir.string(), vera, -40, 12.346, false, stamp);
    EXPECT_FALSE(e.club);
    EXPECT_FALSE(e.cycleEnd);
    EXPECT_EQ(e.sound, Wave::WKoBads);
    ASSERT_TRUE(e.history.written);
    const GameEnd last = finishAccountGame(dir.string(), vera, 70, -3.5, true, stamp);
    EXPECT_TRUE(last.cycleEnd);
    EXPECT_FALSE(last.sound) << "the account's cycle window follows instead";
    EXPECT_EQ(bytes(clubPath), before);

    const std::vector<std::string> lines = historyGameLines(bytes(last.history.path));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].substr(15, 4), "Vera");
    EXPECT_EQ(lines[0].substr(66, 3), "  1");
    EXPECT_EQ(lines[0].substr(69, 10), "       -40");
    EXPECT_EQ(lines[0].substr(79, 10), "     12,35");  // the account's rating, not the club's
    EXPECT_EQ(lines[0].substr(89, 10), "A#########");
    EXPECT_EQ(lines[1].substr(79, 10), "     -3,50");
    fs::remove_all(dir);
}

TEST(GameEnd, ScoreSummaryCountsTheGameUnderWay) {
    ClubMember m;
    m.games = 49;
    m.cycleScore = 300;
    m.rating = 1'250'000;
    ScoreSummary s = scoreSummary(m, 100);
    EXPECT_EQ(s.gamesAll, "50");
    EXPECT_EQ(s.gamesInCycle, "25");
    EXPECT_EQ(s.scoreTotal, "400");
    EXPECT_EQ(s.ratingBefore, "  1,25");
    EXPECT_EQ(s.ratingNow, "  1,27");  // (49 * 1.25 + 2) / 50
    m.games = 50;
    EXPECT_EQ(scoreSummary(m, 0).gamesInCycle, "1");
}

}  // namespace
}  // namespace orvala
