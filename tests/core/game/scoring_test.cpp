// The settlement of a deal: contract, rounding, barrel, bolts, and the game's end.

#include <gtest/gtest.h>

#include "core/game/scoring_rules.h"

namespace orvala {
namespace {

GameRecord deal(int declarer, int contract, PerSeat<int> points, PerSeat<int> scores,
                PerSeat<int> bolts = {}) {
    GameRecord g;
    g.Declarer = declarer;
    g.Contract = contract;
    g.DealPoints = points;
    g.Score = scores;
    g.BoltCount = bolts;
    return g;
}

TEST(Settlement, TheContractMovesTheDeclarerByExactlyItsValue) {
    auto d = settleDeal(deal(1, 120, {0, 118, 0, 2}, {0, 500, 500, 500}), {});
    EXPECT_FALSE(d.contractMade);
    EXPECT_EQ(d.Score[1], 620);
    EXPECT_EQ(d.contractSound, "WKoBadX");
    d = settleDeal(deal(2, 120, {0, 40, 140, 0}, {0, 500, 500, 500}), {});
    EXPECT_TRUE(d.contractMade);
    EXPECT_EQ(d.Score[2], 380);  // 140 taken, 120 counted
    EXPECT_EQ(d.contractSound, "WKoGutX");
    EXPECT_EQ(d.Score[3], 500);  // a bolt, not yet penalised
    EXPECT_EQ(d.BoltCount[3], 1);
}

TEST(Settlement, DefendersPointsAreRoundedAndTheBarrelHoldsAt120) {
    RuleSettings rules;
    auto d = settleDeal(deal(3, 100, {0, 13, 27, 80}, {0, 500, 500, 500}), rules);
    EXPECT_EQ(d.Score[1], 485);
    EXPECT_EQ(d.Score[2], 475);
    rules.RuleRoundToFive = false;
    d = settleDeal(deal(3, 100, {0, 13, 27, 80}, {0, 500, 500, 500}), rules);
    EXPECT_EQ(d.Score[1], 487);
    EXPECT_EQ(d.Score[2], 473);
    // At 120 a defender keeps its score; at 125 it goes down; without the rule both do.
    rules = {};
    d = settleDeal(deal(3, 100, {0, 40, 40, 40}, {0, 120, 125, 500}), rules);
    EXPECT_EQ(d.Score[1], 120);
    EXPECT_EQ(d.Score[2], 85);
    rules.RuleBarrel = false;
    d = settleDeal(deal(3, 100, {0, 40, 40, 40}, {0, 120, 125, 500}), rules);
    EXPECT_EQ(d.Score[1], 80);
    EXPECT_EQ(d.Score[2], 85);
}

// Seat 1 defends six deals with bolts in deals 1, 2, 4, 5, 6 and points in deal 3; returns the
// deals after which it was penalised.
std::vector<int> penalisedDeals(int mode) {
    RuleSettings rules;
    rules.RuleBoltPenaltyMode = mode;
    GameRecord g = deal(3, 100, {}, {0, 900, 900, 900});
    std::vector<int> out;
    const bool bolt[] = {true, true, false, true, true, true};
    for (int n = 0; n < 6; ++n) {
        g.DealPoints = {0, bolt[n] ? 0 : 20, 10, 90};
        const int before = g.Score[1];
        auto d = settleDeal(g, rules);
        const int penalty = d.Score[1] - (before - (bolt[n] ? 0 : 20));
        if (penalty == 120) out.push_back(n + 1);
        EXPECT_TRUE(penalty == 0 || penalty == 120);
        g.Score = d.Score;
        g.BoltCount = d.BoltCount;
    }
    return out;
}

TEST(Settlement, TheThreeBoltModes) {
    EXPECT_EQ(penalisedDeals(1), (std::vector<int>{6}));
    EXPECT_EQ(penalisedDeals(2), (std::vector<int>{4}));
    EXPECT_EQ(penalisedDeals(3), (std::vector<int>{6}));
    // Without bolts nothing is counted.
    RuleSettings off;
    off.RuleBolts = false;
    auto d = settleDeal(deal(3, 100, {0, 0, 0, 120}, {0, 500, 500, 500}, {0, 2, 2, 0}), off);
    EXPECT_EQ(d.BoltCount, (PerSeat<int>{0, 2, 2, 0}));
    EXPECT_EQ(d.penalties, 0);
}

TEST(Settlement, BoltSoundsPlayOncePerPenaltyUpToTwice) {
    // Two defenders on their third bolt: two sounds after the contract's.
    auto d = settleDeal(deal(3, 100, {0, 0, 0, 120}, {0, 500, 500, 500}, {0, 2, 2, 0}), {});
    EXPECT_EQ(d.penalties, 2);
    EXPECT_EQ(d.boltSounds, 2);
    EXPECT_EQ(d.Score[1], 620);
    EXPECT_EQ(d.contractSound, "WKoGutX");
    // All three (the declarer's bolt too): still two sounds.
    d = settleDeal(deal(3, 100, {0, 0, 0, 0}, {0, 500, 500, 500}, {0, 2, 2, 2}), {});
    EXPECT_EQ(d.penalties, 3);
    EXPECT_EQ(d.boltSounds, 2);
    EXPECT_EQ(d.Score[3], 720);  // failed contract and the bolt penalty
    // A marriage without tricks is no bolt.
    d = settleDeal(deal(3, 100, {0, 40, 80, 0}, {0, 500, 500, 500}, {0, 2, 2, 2}), {});
    EXPECT_EQ(d.BoltCount[1], 0);
    EXPECT_EQ(d.penalties, 1);  // only the declarer, who took nothing
}

TEST(Settlement, TheGameEndsAtZeroWhoeverGetsThere) {
    // The declarer makes exactly its remaining score: no contract sound, the game is over.
    auto d = settleDeal(deal(1, 120, {0, 130, 0, 0}, {0, 120, 300, 450}, {}), {});
    EXPECT_TRUE(d.gameOver);
    EXPECT_TRUE(d.contractSound.empty());
    EXPECT_EQ(d.Score[1], 0);
    EXPECT_EQ(d.results[1], 750);
    EXPECT_EQ(d.results[2], -150);
    EXPECT_EQ(d.results[3], -600);
    EXPECT_EQ(d.endSound, "WKoBads");
    // A defender above the barrel ends it with its own points.
    d = settleDeal(deal(1, 100, {0, 0, 40, 80}, {0, 500, 500, 150}), {});
    EXPECT_EQ(d.Score[3], 70);
    EXPECT_FALSE(d.gameOver);
    RuleSettings noBarrel;
    noBarrel.RuleBarrel = false;
    d = settleDeal(deal(1, 100, {0, 0, 40, 80}, {0, 500, 500, 60}), noBarrel);
    EXPECT_TRUE(d.gameOver);
    EXPECT_EQ(d.contractSound, "WKoBadX");  // every score was above 0 after the contract
    EXPECT_EQ(d.Score[3], -20);
    EXPECT_EQ(d.results[3], 600 + 460 + 2 * 20);
    EXPECT_EQ(d.endSound, "WKoGood");
}

}  // namespace
}  // namespace orvala
