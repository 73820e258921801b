// The menu's world panel and the world lists' picture names.

#include "core/online/world_hints.h"

#include <gtest/gtest.h>

#include "core/online/flag_names.h"

namespace orvala::online {
namespace {

std::vector<std::string> shown(const WorldFacts& f) {
    std::vector<std::string> out;
    for (const WorldHint& h : worldHints(f))
        out.push_back(hintText(Word(h.caption, 0), h, Word(WordRow::NoConnectSuffix, 0)));
    return out;
}

TEST(WorldPanel, HintsInTheirOrderWithFailedReadsSaidSo) {
    WorldFacts f;
    Statistics s;
    s.StatX[0] = 1'234'567;  // games against the computer
    s.StatX[2] = 1;          // won
    s.StatX[3] = 2;          // lost
    f.statistics = s;
    f.bestWindows = "Ann";
    f.bestAccount = "#";
    f.members = 12;
    EXPECT_EQ(shown(f), (std::vector<std::string>{
                            "Dynamic IQ for Windows (percent): 33",
                            "Games played with PC: 1M",
                            "Best Windows Player: Ann",
                            "Best Android Player: NO CONNECT",
                            "The best player of games from under the account: #",
                            "Club members: 12",
                        }));
    // A logged-in account's balance comes before the member count, read or not.
    f.loggedIn = true;
    EXPECT_EQ(shown(f)[5], "Zors: NO CONNECT");
    f.balance = 25;
    EXPECT_EQ(shown(f)[5], "Zors: 25");
    EXPECT_EQ(shown(f)[6], "Club members: 12");
    // Nothing read at all: every hint keeps its caption.
    EXPECT_EQ(shown(WorldFacts{})[0], "Dynamic IQ for Windows (percent): NO CONNECT");
}

TEST(WorldPanel, DynamicIqBeforeAnyGameIsZero) {
    Statistics s;
    EXPECT_EQ(dynamicIq(s), 0);
    s.StatX[2] = 1;
    s.StatX[3] = 1;
    EXPECT_EQ(dynamicIq(s), 50);
    s.StatX[3] = 0;
    EXPECT_EQ(dynamicIq(s), 100);
}

TEST(WorldLists, FlagAndFaceNames) {
    EXPECT_EQ(flagPictureName("1-001"), "GFlag1-001");
    EXPECT_EQ(flagPictureName("6-054"), "GFlag6-054");
    EXPECT_EQ(flagPictureName("6-055"), "GFlag6-000") << "past the continent's list: unknown";
    EXPECT_EQ(flagPictureName("7-001"), "");
    EXPECT_EQ(flagPictureName("Russia"), "");
    EXPECT_EQ(flagPictureName(""), "");
    EXPECT_EQ(facePictureName("W"), "GFaceW");
    EXPECT_EQ(facePictureName("#"), "GFaceM");
}

}  // namespace
}  // namespace orvala::online
