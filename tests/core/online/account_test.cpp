// The account on this machine: the lamps of the account page and the passport, the account
// file, and the global rating's arithmetic with its cycle.

#include "core/online/account.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <filesystem>

#include "core/online/account_rating.h"
#include "core/text/atomic_file.h"

namespace orvala::online {
namespace {

TEST(AccountLamps, FieldChecks) {
    EXPECT_EQ(nickLamp("abcdefghijkl"), Lamp::Green);
    EXPECT_EQ(nickLamp("abcdefghijklm"), Lamp::Red);  // 13
    EXPECT_EQ(nickLamp("a"), Lamp::Red);
    EXPECT_EQ(nickLamp(""), Lamp::Red);
    EXPECT_EQ(nickLamp("ann smith"), Lamp::Red);                // a blank is not allowed
    EXPECT_EQ(cityLamp("\xD2\xE2\xE5\xF0\xFC"), Lamp::Yellow);  // "Тверь"
    EXPECT_EQ(passwordLamp("abc\xE4"
                           "ef"),
              Lamp::Red);  // one Cyrillic letter
    EXPECT_EQ(passwordLamp("abc"), Lamp::Red);
    EXPECT_EQ(passwordLamp("abcd"), Lamp::Green);
    EXPECT_EQ(emailLamp("ann@x.org"), Lamp::Green);
    EXPECT_EQ(emailLamp("annx.org@"), Lamp::Red);
    EXPECT_EQ(emailLamp("@annx.org"), Lamp::Red);
    EXPECT_EQ(emailLamp("annx.org"), Lamp::Red);
    EXPECT_EQ(passportLamp("\xC8\xE2\xE0\xED", 12), Lamp::Yellow);
    EXPECT_EQ(passportLamp("Moscow City 1", 15), Lamp::Red);

    const auto yellowCity = accountLamps("ann", "secret", "\xD2\xE2\xE5\xF0\xFC", "a@b.c");
    EXPECT_TRUE(canCreate(AccountState::LoggedOut, yellowCity));
    EXPECT_FALSE(canCreate(AccountState::LoggedIn, yellowCity));
    EXPECT_FALSE(canCreate(AccountState::LoggedOut, accountLamps("ann", "secret", "", "a@b.c")));
    EXPECT_TRUE(canLogin(AccountState::LoggedOut, accountLamps("ann", "secret", "", "")));
    EXPECT_FALSE(canLogin(AccountState::LoggedOut, accountLamps("ann", "sec", "", "")));
}

TEST(AccountFile, WrittenForTheOwnerAndReadBack) {
    const auto folder = std::filesystem::temp_directory_path() / "orvala_account_test";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string path = (folder / std::string(kAccountFileName)).string();
    ASSERT_TRUE(writeFileAtomically(path, "anything\n"));
    ::chmod(path.c_str(), 0644);
    ASSERT_TRUE(writeAccountFile(path, "ann", "secret1"));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    std::string text;
    ASSERT_TRUE(readFileBytes(path, text));
    EXPECT_TRUE(text.starts_with("Zor User File\nann\n"));
    EXPECT_EQ(text.find("secret1"), std::string::npos);
    const auto back = readAccountFile(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->nick, "ann");
    EXPECT_EQ(back->pw, "secret1");
    std::filesystem::remove_all(folder);

    // A password's blanks and record marks come back as "-"; Windows line ends are read too.
    const auto odd =
        readAccountFileText("Zor User File\r\nbob\r\n" + encipherPassword("a b#c$") + "\r\n");
    ASSERT_TRUE(odd);
    EXPECT_EQ(odd->pw, "a-b-c-");
    EXPECT_FALSE(readAccountFileText("Other File\nbob\n" + encipherPassword("x") + "\n"));
    EXPECT_FALSE(readAccountFileText("Zor User File\nbob\nnot enciphered\n"));
    EXPECT_FALSE(readAccountFileText("Zor User File\nbob\n"));
    EXPECT_FALSE(readAccountFile((folder / "missing").string()));
}

TEST(AccountRating, ProvisionalLossAndTheRealResult) {
    GameResults none;
    const GameResults started = startedGame(none);
    EXPECT_EQ(started.Kon, 1);
    EXPECT_NEAR(started.Rating, -1999.96, 1e-9);
    const GameResults done = finishedGame(started, none, 100);
    EXPECT_NEAR(done.Rating, 100.04, 1e-9);
    EXPECT_EQ(done.KonL, 1);
    EXPECT_EQ(done.Score, 100);

    // A read that lost the started game has nothing to replace, and never divides by zero.
    const GameResults lost = finishedGame(none, none, 50);
    EXPECT_TRUE(std::isfinite(lost.Rating));
    EXPECT_EQ(lost.Rating, 0);
}

TEST(AccountRating, TheCycleEndsOnItsTwentyFifthGame) {
    GameResults at;
    at.Kon = 40;
    at.Rating = 12;
    at.KonL = 23;  // this is the 24th game of the cycle
    at.Score = 300;
    at.Best = 500;
    const GameResults g24 = finishedGame(startedGame(at), at, 20);
    EXPECT_EQ(g24.KonL, 24);
    EXPECT_EQ(g24.Score, 320);
    EXPECT_FALSE(closedCycle(at, g24));

    at.KonL = 24;
    const GameResults g25 = finishedGame(startedGame(at), at, 250);
    EXPECT_EQ(g25.KonL, 0);
    EXPECT_EQ(g25.Score, 0);
    EXPECT_EQ(g25.Sessions, 1);
    EXPECT_EQ(g25.Best, 550);
    EXPECT_TRUE(closedCycle(at, g25));
}

TEST(GameReport, TheTwelveValues) {
    EXPECT_EQ(gameReportValues({true, true, 120, false, false}),
              (std::array<std::int64_t, 12>{1, 1, 120, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(gameReportValues({true, false, -40, false, false})[3], 40);
    EXPECT_EQ(gameReportValues({false, false, 90, true, false}),
              (std::array<std::int64_t, 12>{0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace orvala::online
