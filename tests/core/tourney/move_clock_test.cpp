// The move clock: whose move a table waits for (the server times the same seat), and the local
// seat's ticks and time-up.

#include "core/tourney/move_clock.h"

#include <gtest/gtest.h>

namespace orvala::tourney {
namespace {

TEST(MoveClock, TheLocalSeatHearsTheLastSevenSecondsAndRunsOutAtZero) {
    MoveClock c;
    c.restart(3);
    std::vector<MoveClock::Beat> beats;
    for (int i = 0; i < 30; ++i) beats.push_back(c.tick());
    EXPECT_EQ(beats[0].seconds, 25);
    EXPECT_EQ(beats[17].seconds, 8);
    EXPECT_EQ(beats[17].sound, Wave::STimerA);
    EXPECT_EQ(beats[18].seconds, 7);
    EXPECT_EQ(beats[18].sound, Wave::STimerB);
    EXPECT_EQ(beats[24].sound, Wave::STimerB);  // 1 second left
    EXPECT_TRUE(beats[25].timeUp);
    EXPECT_FALSE(beats[25].sound);
    EXPECT_EQ(beats[26].seat, 0);  // it ran out once and stopped
    for (std::size_t i = 0; i < 25; ++i) EXPECT_FALSE(beats[i].timeUp);

    // Another seat's clock is only drawn: no sound, and its end is the server's to say.
    c.restart(1);
    for (int i = 0; i < 30; ++i) {
        const MoveClock::Beat b = c.tick();
        EXPECT_FALSE(b.sound);
        EXPECT_FALSE(b.timeUp);
    }
    EXPECT_EQ(c.seconds(), 0);
}

TEST(MoveClock, TheSeatToActFollowsTheDeal) {
    RulesState v;
    EXPECT_EQ(seatToAct(v, 1), 0);  // no game yet
    v.g.GameRunning = true;
    v.g.GameState = GameState::Seat2Bids;
    EXPECT_EQ(seatToAct(v, 1), 2);
    v.g.GameState = GameState::PersonPlays;
    EXPECT_EQ(seatToAct(v, 1), 3);
    v.g.GameState = GameState::TalonShown;
    v.g.InBid = {false, false, true, false};
    EXPECT_EQ(seatToAct(v, 1), 2);
    v.g.GameState = GameState::ContractSet;
    v.g.Declarer = 1;
    EXPECT_EQ(seatToAct(v, 1), 1);
    v.g.GameState = GameState::DealScored;
    EXPECT_EQ(seatToAct(v, 2), 2);  // tournament seat 1 opens the next round
    // The declarer deciding its contract is timed; the server's deal is not.
    v.g.GameState = GameState::CardsGiven;
    v.g.Declarer = 3;
    v.pending = Question{Question::Kind::Contract, 3};
    EXPECT_EQ(seatToAct(v, 1), 3);
    v.pending = Question{Question::Kind::Deck, 0};
    EXPECT_EQ(seatToAct(v, 1), 0);
    v.pending.reset();
    v.g.GameState = GameState::GameOver;
    EXPECT_EQ(seatToAct(v, 1), 0);
}

}  // namespace
}  // namespace orvala::tourney
