#include "core/tourney/move_clock.h"

#include "core/tourney/frames.h"

namespace orvala::tourney {
namespace {

int firstInAuction(const GameRecord& g) {
    for (int s = 1; s <= 3; ++s)
        if (g.InBid[static_cast<std::size_t>(s)]) return s;
    return 0;
}

}  // namespace

int seatToAct(const RulesState& v, int roundStarter) {
    const GameRecord& g = v.g;
    if (!g.GameRunning) return 0;
    // The person's contract is the person's move; the deck is the server's.
    if (v.pending) return v.pending->kind == Question::Kind::Contract ? 3 : 0;
    if (const int s = seatToBid(g.GameState)) return s;
    if (const int s = seatToPlay(g.GameState)) return s;
    switch (g.GameState) {
        case GameState::AuctionOver:
        case GameState::TalonShown:
            return firstInAuction(g);
        case GameState::ChoosingGive:
        case GameState::GiveChosen:
        case GameState::CardsGiven:
        case GameState::ContractSet:
            return g.Declarer;
        case GameState::TrickComplete:
            return g.FirstBidder;
        case GameState::DealScored:
            return roundStarter;
        default:
            return 0;
    }
}

void MoveClock::restart(int seat) {
    seat_ = seat;
    seconds_ = seat != 0 ? kMoveSeconds : -1;
}

MoveClock::Beat MoveClock::tick() {
    Beat b;
    if (seat_ == 0 || seconds_ <= 0) return b;
    --seconds_;
    b.seat = seat_;
    b.seconds = seconds_;
    if (seat_ != 3) return b;
    if (seconds_ == 0) {
        b.timeUp = true;
        seat_ = 0;
    } else {
        b.sound = seconds_ > 7 ? Wave::STimerA : Wave::STimerB;
    }
    return b;
}

}  // namespace orvala::tourney
