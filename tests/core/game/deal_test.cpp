// The deal: shuffle, seven cards a seat, the talon, the first bidder and the reset of a game.

#include <gtest/gtest.h>

#include <set>

#include "core/game/autopilot.h"
#include "core/game/random_players.h"
#include "core/game/shuffle.h"
#include "scripted_players.h"

namespace orvala {
namespace {

TEST(Shuffle, EveryDeckIsAPermutationAndPositionsAreUniform) {
    SeededRandom random(7);
    std::array<std::array<int, 24>, 25> seen{};  // [position][card]
    const auto reference = referenceDeck();
    const int shuffles = 24000;
    for (int n = 0; n < shuffles; ++n) {
        const auto deck = Shuffle(random);
        std::set<std::string> distinct;
        for (int pos = 1; pos <= 24; ++pos) {
            ASSERT_TRUE(isValidCard(deck[pos]));
            distinct.insert(toBytes(deck[pos]));
            for (int c = 0; c < 24; ++c)
                if (reference[c] == deck[pos]) ++seen[pos][c];
        }
        ASSERT_EQ(distinct.size(), 24u);
    }
    // Each card lands on each position about 1000 times; 800..1200 is far beyond chance.
    for (int pos = 1; pos <= 24; ++pos)
        for (int c = 0; c < 24; ++c) {
            EXPECT_GT(seen[pos][c], 800) << pos << ' ' << c;
            EXPECT_LT(seen[pos][c], 1200) << pos << ' ' << c;
        }
}

TEST(Shuffle, TheNumbersStandForRankGroupsOfFour) {
    EXPECT_EQ(toLatin(cardOfShuffleNumber(1)), "9h");
    EXPECT_EQ(toLatin(cardOfShuffleNumber(4)), "9s");
    EXPECT_EQ(toLatin(cardOfShuffleNumber(5)), "Th");
    EXPECT_EQ(toLatin(cardOfShuffleNumber(10)), "Jd");
    EXPECT_EQ(toLatin(cardOfShuffleNumber(15)), "Qc");
    EXPECT_EQ(toLatin(cardOfShuffleNumber(20)), "Ks");
    EXPECT_EQ(toLatin(cardOfShuffleNumber(24)), "As");
    // A seeded source repeats; the clock-seeded one reseeds at every shuffle.
    SeededRandom a(3), b(3);
    EXPECT_EQ(Shuffle(a), Shuffle(b));
    ClockRandom clock;
    EXPECT_NE(Shuffle(clock), Shuffle(clock));
}

TEST(NewDeal, ANewGameDealsSevenEachAndWaitsForTheStartPress) {
    test::Table t("9h Jh Qh Kh Th Ah 9d", "Jd Qd Kd Td Ad 9c Jc", "Qc Kc Tc Ac 9s Js Qs",
                  "Ks Ts As", test::kSeat1First);
    const GameRecord& g = t.g();
    EXPECT_TRUE(g.GameRunning);
    EXPECT_EQ(g.DealNumber, 1);
    EXPECT_EQ(g.KonNumber, 3);
    EXPECT_EQ(g.FirstBidder, 1);
    EXPECT_EQ(g.GameState, GameState::Seat1Bids);
    EXPECT_EQ(g.DealStartPending, 1);
    EXPECT_EQ(g.CurrentBid, 95);
    for (int s = 1; s <= 3; ++s) {
        EXPECT_EQ(g.HandCount[s], 7);
        EXPECT_EQ(g.Score[s], 1000);
        EXPECT_TRUE(g.InBid[s]);
    }
    EXPECT_EQ(toLatin(g.Talon(1)) + toLatin(g.Talon(2)) + toLatin(g.Talon(3)), "KsTsAs");
    EXPECT_EQ(g.SeatNames[1], "PC");
    EXPECT_EQ(g.SeatNames[3], "Ann");
    EXPECT_EQ(checkConsistency(g), std::nullopt);
    // Seat 3's hand is sorted hearts, clubs, diamonds, spades.
    EXPECT_EQ(toLatin(g.Hand[3][1]), "Qc");
    EXPECT_EQ(toLatin(g.Hand[1][7]), "9d");

    EXPECT_EQ(t.driver.button7(), (ButtonState{Caption{WordRow::ToBegin, ""}, true, true}));
    EXPECT_EQ(t.driver.button8(), (ButtonState{Caption{WordRow::Pass, ""}, false, true}));
    EXPECT_EQ(t.driver.timer(), (TimerState{200, false}));
    EXPECT_EQ(t.driver.helpTopic(), HelpTopic::Deal);
    const auto lines = test::described(t.driver);
    EXPECT_EQ(lines.front(), "reset-table");
    EXPECT_TRUE(test::contains(lines, "round 1 trump # game 3 / 25"));
    EXPECT_TRUE(test::contains(lines, "first-bidder 1"));
    EXPECT_TRUE(test::contains(lines, "hand 3 [Qc Kc Tc Ac 9s Js Qs]"));
    EXPECT_EQ(lines.back(), "sound WTasoKo async");
    // The timer makes no move before the start press.
    t.driver.tick();
    EXPECT_EQ(g.CurrentBid, 95);
}

TEST(NewDeal, TheFirstBidderRotatesAndScoresSurviveTheNextRound) {
    SeededRandom random(11);
    RandomPlayers inner(random);
    AutoPilot pilot(inner);
    RoundDriver d(pilot, random);
    RuleSettings rules;
    rules.RuleStartWith500 = true;
    d.setRules(rules);
    PlayerStart p;
    p.storedGameCounter = 3;  // KonNumber 4: seat 2, then 3, then 1
    d.startNewGame(p);
    EXPECT_EQ(d.record().Score[1], 500);
    // Switching the rule in a game changes nothing until the next new game.
    d.setRules(RuleSettings{});
    const int expected[] = {2, 3, 1, 2};
    for (int deal = 0; deal < 4; ++deal) {
        EXPECT_EQ(d.record().FirstBidder, expected[deal]);
        EXPECT_EQ(d.record().DealNumber, deal + 1);
        const auto before = d.record().Score;
        ASSERT_GE(pilot.playDeal(d), 0);
        ASSERT_EQ(d.record().GameState, GameState::DealScored)
            << "a random game ended within four deals";
        EXPECT_NE(d.record().Score, before);
        const auto after = d.record().Score;
        d.pressButton7();
        EXPECT_EQ(d.record().Score, after);
        EXPECT_EQ(d.record().Trump, kNoSuit);
        EXPECT_EQ(d.record().TrickNumber, 1);
    }
    d.startNewGame(p);
    EXPECT_EQ(d.record().Score[2], 1000);
    EXPECT_EQ(d.record().DealNumber, 1);
    EXPECT_EQ(d.record().BoltCount, (PerSeat<int>{}));
    // A LAN host rotates by the deal number alone: deal 1 is its seat 1's, whatever the counter.
    d.setRoles(SeatRoles::lan(1, true));
    d.startNewGame(p);
    EXPECT_EQ(d.record().FirstBidder, 1);
}

}  // namespace
}  // namespace orvala
