#pragma once
// GameState: where a deal stands, and so who may act. The numbers are the game's own (they travel
// in network step messages); 10 is never used and 0 comes only before the first deal.

#include <cstdint>
#include <ostream>

namespace orvala {

enum class GameState : std::uint8_t {
    NotStarted = 0,
    Seat1Bids = 1,
    Seat2Bids = 2,
    PersonBids = 3,
    AuctionOver = 4,   // the winner's side opens the talon
    TalonShown = 5,    // the declarer takes it
    ChoosingGive = 6,  // the declarer chooses two cards to give
    GiveChosen = 7,    // the person, as declarer, has chosen both
    CardsGiven = 8,    // the given cards wait to be shown; then the contract
    ContractSet = 9,   // the declarer plays, or gives the deal up
    Seat1Plays = 11,
    Seat2Plays = 12,
    PersonPlays = 13,
    TrickComplete = 14,
    AllPlayed = 15,   // the next tick scores the deal
    DealScored = 20,  // "Next Round"
    GameOver = 21,
};

constexpr int stateNumber(GameState s) {
    return static_cast<int>(s);
}

// The bidding and playing states of a seat 1..3.
constexpr GameState biddingState(int seat) {
    return static_cast<GameState>(seat);
}
constexpr GameState playingState(int seat) {
    return static_cast<GameState>(10 + seat);
}

// The seat whose bid or card the state waits for, 0 when it waits for neither.
constexpr int seatToBid(GameState s) {
    const int n = stateNumber(s);
    return n >= 1 && n <= 3 ? n : 0;
}
constexpr int seatToPlay(GameState s) {
    const int n = stateNumber(s);
    return n >= 11 && n <= 13 ? n - 10 : 0;
}
constexpr bool inPlay(GameState s) {
    return stateNumber(s) > 10;
}

// The number as the wire carries it; nullopt-like NotStarted for anything that is no state.
constexpr bool isGameState(int n) {
    return (n >= 0 && n <= 9) || (n >= 11 && n <= 15) || n == 20 || n == 21;
}

// For logs and test messages: the state's number.
inline std::ostream& operator<<(std::ostream& o, GameState s) {
    return o << stateNumber(s);
}

}  // namespace orvala
