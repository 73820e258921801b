// The pure rules: follow duty, trick winner, the contract dialog's stepping, the rule line, the
// settlement arithmetic and what a played card tells the other seats.

#include <gtest/gtest.h>

#include "core/game/contract_stepper.h"
#include "core/game/follow_rules.h"
#include "core/game/knowledge.h"
#include "core/game/rule_settings.h"
#include "core/game/scoring_rules.h"
#include "scripted_players.h"

namespace orvala {
namespace {

using test::card;

HandArray hand(const std::string& names) {
    HandArray h;
    int i = 0;
    for (Card c : test::cards(names)) h[++i] = c;
    return h;
}

bool illegal(const std::string& names, const std::string& play, SuitCode lead, SuitCode trump) {
    const HandArray h = hand(names);
    return IsIllegalPlay(h, static_cast<int>(test::cards(names).size()), card(play), lead, trump);
}

TEST(FollowRules, LedSuitThenTrumpThenAnything) {
    // The leader may lead anything.
    EXPECT_FALSE(illegal("Ah 9s", "9s", kNoSuit, kHearts));
    // Holding the led suit: only it, and trumping is no way out.
    EXPECT_FALSE(illegal("Ah 9s Kc", "Ah", kHearts, kClubs));
    EXPECT_TRUE(illegal("Ah 9s Kc", "Kc", kHearts, kClubs));
    EXPECT_TRUE(illegal("Ah 9s Kc", "9s", kHearts, kClubs));
    // Void in the led suit with a trump: the trump, never a third suit.
    EXPECT_FALSE(illegal("9s Kc", "Kc", kHearts, kClubs));
    EXPECT_TRUE(illegal("9s Kc", "9s", kHearts, kClubs));
    // Neither: anything; no duty to beat the trick.
    EXPECT_FALSE(illegal("9s Jd", "9s", kHearts, kClubs));
    EXPECT_FALSE(illegal("9s Jd", "Jd", kHearts, kNoSuit));
    // When trumps were led, following is following.
    EXPECT_TRUE(illegal("9c Ah", "Ah", kClubs, kClubs));
    EXPECT_FALSE(illegal("Ah 9s", "9s", kClubs, kClubs));
}

TEST(FollowRules, TheHighestTrumpWinsElseTheHighestOfTheLedSuit) {
    auto trick = [](const std::string& names) {
        std::array<Card, 4> t{};
        int p = 0;
        for (Card c : test::cards(names)) t[static_cast<size_t>(++p)] = c;
        return t;
    };
    EXPECT_EQ(TrickWinnerPos(trick("Kh Ah Th"), kNoSuit), 2);
    EXPECT_EQ(TrickWinnerPos(trick("Kh As Th"), kNoSuit), 3);
    // The only trump, played third, takes the trick whatever the led cards.
    EXPECT_EQ(TrickWinnerPos(trick("Ah Th 9c"), kClubs), 3);
    EXPECT_EQ(TrickWinnerPos(trick("9c Ah Tc"), kClubs), 3);
    EXPECT_EQ(TrickWinnerPos(trick("Jd Ad 9s"), kHearts), 2);
}

TEST(ContractStepper, StepsWrapAtBothEnds) {
    // At 120 with rounding: lowering by 5 shows 300; raising by 10 from 300 shows 120; raising by
    // 10 from 295 shows 300.
    EXPECT_EQ(stepContract(120, 120, -5), 300);
    EXPECT_EQ(stepContract(300, 120, 10), 120);
    EXPECT_EQ(stepContract(295, 120, 10), 300);
    EXPECT_EQ(stepContract(125, 120, -10), 120);
    EXPECT_EQ(stepContract(130, 120, -10), 120);
    EXPECT_EQ(stepContract(120, 120, 1), 121);
    EXPECT_FALSE(unitStepsEnabled(true));
    EXPECT_TRUE(unitStepsEnabled(false));
    // Walking every press from the bid never leaves bid..300.
    for (int bid = 100; bid <= 300; bid += 5)
        for (int delta : {-10, -5, -1, 1, 5, 10}) {
            int v = bid;
            for (int i = 0; i < 80; ++i) {
                v = stepContract(v, bid, delta);
                ASSERT_GE(v, bid);
                ASSERT_LE(v, 300);
            }
        }
}

TEST(ContractStepper, ABidAbove300IsNeverLoweredByTheDialog) {
    EXPECT_EQ(contractTop(320), 320);
    for (int delta : {-10, -5, -1, 1, 5, 10}) EXPECT_EQ(stepContract(320, 320, delta), 320);
}

TEST(RuleLine, FormatParseAndLenientDecode) {
    EXPECT_EQ(formatRuleLine(RuleSettings{}), "011111");
    RuleSettings r;
    r.RuleStartWith500 = true;
    r.RuleBoltPenaltyMode = 3;
    r.RuleBarrel = false;
    EXPECT_EQ(formatRuleLine(r), "111301");
    EXPECT_EQ(parseRuleLine("111301"), r);
    for (const char* bad : {"", "01111", "0111111", "011411", "011011", "0a1111", "211111"})
        EXPECT_FALSE(parseRuleLine(bad).has_value()) << bad;
    // The settings file's reading keeps what it cannot read.
    EXPECT_EQ(decodeRuleLine("######"), RuleSettings{});
    EXPECT_EQ(decodeRuleLine("1"), (RuleSettings{true, true, true, 1, true, true}));
    EXPECT_EQ(decodeRuleLine("00009x").RuleBoltPenaltyMode, 1);
    EXPECT_FALSE(decodeRuleLine("00009x").RuleBolts);
}

TEST(Settlement, RoundingAndFinalResults) {
    EXPECT_EQ(roundToFive(13), 15);
    EXPECT_EQ(roundToFive(27), 25);
    EXPECT_EQ(roundToFive(11), 10);
    EXPECT_EQ(roundToFive(14), 15);
    EXPECT_EQ(roundToFive(120), 120);
    PerSeat<int> scores{0, 0, 300, 450};
    auto r = FinalResults(scores);
    EXPECT_EQ(r[1], 750);
    EXPECT_EQ(r[2], -150);
    EXPECT_EQ(r[3], -600);
    PerSeat<int> tied{0, 200, 200, 500};
    r = FinalResults(tied);
    EXPECT_EQ(r[1], r[2]);
    EXPECT_EQ(r[1] + r[2] + r[3], 0);
}

TEST(Knowledge, AFollowerWhoDoesNotFollowOrTrumpHoldsNeither) {
    GameRecord g;
    g.FirstBidder = 2;
    g.Trump = kClubs;
    g.TrickCards[1] = card("Ah");  // seat 2 leads
    NoteCardPlayed(g, 1);
    for (int s = 1; s <= 3; ++s) EXPECT_EQ(CountCards(g.ExcludedCards[s]), 1);
    g.TrickCards[2] = card("9s");  // seat 3 neither follows nor trumps
    NoteCardPlayed(g, 2);
    EXPECT_EQ(CountCards(g.ExcludedCards[3]), 1 + 6 + 6 + 1 - 1);  // Ah counted once
    EXPECT_TRUE(HasCard(24, g.ExcludedCards[3].cards(), card("Kh")));
    EXPECT_TRUE(HasCard(24, g.ExcludedCards[3].cards(), card("9c")));
    EXPECT_EQ(CountCards(g.ExcludedCards[1]), 2);
    g.TrickCards[3] = card("Tc");  // seat 1 trumps: void in hearts, but may hold clubs
    NoteCardPlayed(g, 3);
    EXPECT_TRUE(HasCard(24, g.ExcludedCards[1].cards(), card("Kh")));
    EXPECT_FALSE(HasCard(24, g.ExcludedCards[1].cards(), card("Ac")));
}

}  // namespace
}  // namespace orvala
