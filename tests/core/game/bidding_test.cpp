// The auction: a compulsory 100, steps of five, final passes, and the buttons on the way.

#include <gtest/gtest.h>

#include "scripted_players.h"

namespace orvala {
namespace {

using test::Table;

const char* kS1 = "9h Jh Qh Kh Th Ah 9d";
const char* kS2 = "Jd Qd Kd Td Ad 9c Jc";
const char* kS3 = "Qc Kc Tc Ac 9s Js Qs";
const char* kTalon = "Ks Ts As";

TEST(Bidding, AFirstBidderWithoutALimitStillOpensAt100ThenPasses) {
    Table t(kS1, kS2, kS3, kTalon, test::kSeat1First);
    t.players.limits = {0, 0, 0, 0};
    t.driver.pressButton7();  // "To Begin"
    EXPECT_EQ(t.players.bidQuestions, 2);
    EXPECT_EQ(t.driver.button7().caption, (Caption{WordRow::IPlayOn, "..."}));
    EXPECT_FALSE(t.driver.button7().enabled);
    EXPECT_TRUE(t.driver.timer().enabled);
    EXPECT_EQ(t.driver.helpTopic(), HelpTopic::Bidding);
    t.driver.takeEvents();
    t.driver.tick();  // seat 1 opens
    EXPECT_EQ(t.g().CurrentBid, 100);
    EXPECT_EQ(test::described(t.driver),
              (std::vector<std::string>{"bubble 1 \"I play on 100\"", "sound WDiPlay sync"}));
    t.driver.tick();  // seat 2 passes; the person's turn
    EXPECT_FALSE(t.g().InBid[2]);
    EXPECT_EQ(t.g().GameState, GameState::PersonBids);
    EXPECT_EQ(t.driver.button7(), (ButtonState{Caption{WordRow::IPlayOn, "105"}, true, true}));
    EXPECT_TRUE(t.driver.button8().enabled);
    t.driver.pressButton7();  // 105
    EXPECT_FALSE(t.driver.button7().enabled);
    EXPECT_FALSE(t.driver.button8().enabled);
    t.driver.tick();  // seat 1 passes at 105: the person declares
    EXPECT_EQ(t.g().GameState, GameState::AuctionOver);
    EXPECT_EQ(t.g().CurrentBid, 105);
    EXPECT_EQ(t.driver.button7(), (ButtonState{Caption{WordRow::ToOpenCards, ""}, true, true}));
    const auto lines = test::described(t.driver);
    EXPECT_TRUE(test::contains(lines, "bid 3 105"));
    EXPECT_TRUE(test::contains(lines, "bid 1 0"));
}

TEST(Bidding, ThePersonBiddingFirstMustOpenAndMayBeLeftAlone) {
    Table t(kS1, kS2, kS3, kTalon, test::kSeat3First);
    EXPECT_EQ(t.g().GameState, GameState::PersonBids);
    t.driver.pressButton7();  // "To Begin"
    EXPECT_EQ(t.driver.button7(), (ButtonState{Caption{WordRow::IPlayOn, "100"}, true, true}));
    EXPECT_FALSE(t.driver.button8().enabled);
    t.driver.pressButton8();  // disabled: nothing happens
    EXPECT_TRUE(t.g().InBid[3]);
    t.driver.pressButton7();
    EXPECT_EQ(t.g().CurrentBid, 100);
    t.tickWhileComputer();
    EXPECT_EQ(t.g().GameState, GameState::AuctionOver);
    EXPECT_EQ(t.g().CurrentBid, 100);
    EXPECT_TRUE(t.g().InBid[3]);
}

TEST(Bidding, TurnsSkipSeatsThatPassed) {
    // Seat 2 opens, the person passes, and the two computer seats raise in turn up to their
    // limits.
    Table t(kS1, kS2, kS3, kTalon, test::kSeat2First);
    t.players.limits = {0, 112, 120, 0};
    t.driver.pressButton7();
    t.driver.tick();  // seat 2: 100
    EXPECT_EQ(t.g().GameState, GameState::PersonBids);
    t.driver.pressButton8();  // the person passes
    EXPECT_FALSE(t.g().InBid[3]);
    EXPECT_EQ(t.g().GameState, GameState::Seat1Bids);
    t.driver.tick();  // seat 1: 105
    EXPECT_EQ(t.g().GameState, GameState::Seat2Bids);
    // A limit of 112 raises 110 to 115, then passes.
    t.driver.tick();  // seat 2: 110
    t.driver.tick();  // seat 1: 115
    EXPECT_EQ(t.g().CurrentBid, 115);
    EXPECT_EQ(t.g().GameState, GameState::Seat2Bids);
    t.driver.tick();  // seat 2 (limit 120 > 115): 120
    t.driver.tick();  // seat 1 passes
    EXPECT_EQ(t.g().CurrentBid, 120);
    EXPECT_EQ(t.g().GameState, GameState::AuctionOver);
    EXPECT_TRUE(t.g().InBid[2]);
    // The next tick does nothing in state 4.
    t.driver.tick();
    EXPECT_EQ(t.g().GameState, GameState::AuctionOver);
}

TEST(Bidding, ThePersonMayBidPast300) {
    Table t(kS1, kS2, kS3, kTalon, test::kSeat1First);
    t.players.limits = {0, 1000, 0, 0};
    t.driver.pressButton7();
    // Seat 2 passes at once; seat 1 and the person raise each other past the dialog's top.
    for (int i = 0; i < 25; ++i) {
        t.tickWhileComputer();
        ASSERT_EQ(t.g().GameState, GameState::PersonBids);
        t.driver.pressButton7();
    }
    EXPECT_FALSE(t.g().InBid[2]);
    EXPECT_EQ(t.g().CurrentBid, 345);
}

}  // namespace
}  // namespace orvala
