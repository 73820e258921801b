#pragma once
// The game record: one game of three seats, from the first deal to its end. It is a plain value —
// copyable and comparable — held in the rules state; the computer players and the network code
// read it.
//
// Seats are 1, 2, 3 (seat 3 is the person at this machine); arrays by seat are 1-based with
// element 0 unused, like hand slots.

#include <array>
#include <optional>
#include <string>

#include "core/cards/hand_helpers.h"
#include "core/game/game_state.h"

namespace orvala {

template <class T>
using PerSeat = std::array<T, 4>;

inline constexpr int kTalonFirst = 22;  // deck positions 22..24 are the talon
inline constexpr int kGamesInCycle = 25;
inline constexpr int kMostDealPoints = 120 + 280;  // every card and every marriage

// The seat after s in turn order (1, 2, 3, 1, ...).
constexpr int nextSeat(int s) {
    return s % 3 + 1;
}

struct GameRecord {
    orvala::GameState GameState = orvala::GameState::NotStarted;
    bool GameRunning = false;
    bool GameOver = false;
    int DealStartPending = 0;
    int KonNumber = 0;
    int DealNumber = 0;

    std::array<Card, 25> Deck{};  // 1..24; DeckRank and DeckPoints are read from the cards

    PerSeat<HandArray> Hand{};
    PerSeat<int> HandCount{};
    PerSeat<CardList> KnownCards{};
    PerSeat<CardList> ExcludedCards{};

    CardList PlayedList{};
    int PlayedCount = 1;

    SuitCode Trump = kNoSuit;
    SuitCode LeadSuit = kNoSuit;
    std::array<Card, 4> TrickCards{};  // positions 1..3
    int TrickPos = 1;
    int TrickNumber = 1;
    int MarriageDeclared = 0;

    int FirstBidder = 0;
    int PrevLeader = 0;
    int TableLeader = 0;

    int CurrentBid = 0;
    PerSeat<bool> InBid{};
    PerSeat<int> BidLimit{};  // seats 1 and 2

    int Declarer = 0;
    int Contract = 0;
    int GiveSlot1 = 0;
    int GiveSlot2 = 0;
    std::array<Card, 3> GivenCards{};  // 1..2
    bool PaintingChosen = false;

    PerSeat<int> DealPoints{};
    PerSeat<int> Score{};
    PerSeat<int> BoltCount{};

    int PlayerTotal = 0;
    int GameResult = 0;
    int NewTotal = 0;

    PerSeat<std::string> SeatNames{};

    friend bool operator==(const GameRecord&, const GameRecord&) = default;

    int DeckRank(int pos) const { return CardRank(Deck[static_cast<size_t>(pos)]); }
    int DeckPoints(int pos) const { return CardPoints(Deck[static_cast<size_t>(pos)]); }
    Card Talon(int i) const { return Deck[static_cast<size_t>(kTalonFirst + i - 1)]; }
    int TrickRank(int pos) const { return CardRank(TrickCards[static_cast<size_t>(pos)]); }
    int TrickPoints(int pos) const { return CardPoints(TrickCards[static_cast<size_t>(pos)]); }

    // The seat whose card stands (or will stand) at trick position pos, counted from the leader.
    int seatAtTrickPos(int pos) const;

    // Sorts a seat's hand for the current trump and sets its HandCount, as every redraw does.
    void sortHand(int seat);
};

// The debug consistency check: every one of the 24 cards is in exactly one place (a hand slot,
// the trick, the played list or the untaken talon), counts agree with the slots, and the values
// are in their ranges. Returns a description of the first fault found, or nullopt.
std::optional<std::string> checkConsistency(const GameRecord& g);

}  // namespace orvala
