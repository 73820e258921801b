#pragma once
// The card-play search: one fully dealt layout solved exactly, depth-first over every remaining
// card of every remaining trick, each player maximising his own value.
//
// A player's value is his own result doubled minus the other two results, where the declarer's
// result is +contract if his points reach it and -contract otherwise, and a defender's result is
// his raw points; the three values add up to 0.
//
// With pruning on, fixed follow rules and lead rules leave some cards out of consideration and a
// mover to lead below the root may claim the rest of the tricks. A memo (SearchMemo) remembers
// positions solved at trick boundaries; its key holds everything the value depends on, so a hit
// is always exact and the memo may stay warm from one layout to the next.
//
// PlaySearch is the fast form (bitmask hands, fixed arrays, no allocation); search_oracle.h has
// the same rules written out literally, and the two must agree slot for slot.

#include <array>
#include <cstdint>

#include "core/cards/hand_helpers.h"

namespace orvala {

class SearchMemo;

// The value of a slot that was not explored.
inline constexpr int kNotExplored = 1000;

// One layout at the root of a search. The three hands are rotated so that the mover comes first;
// each is sorted as the game sorts hands for `trump` (suits in SuitOrder(trump), ranks
// ascending), and only slots 1..8 are read. The order of the cards decides ties: on equal values
// the card standing earlier in its hand is chosen.
struct SearchPosition {
    std::array<HandArray, 3> hands{};  // mover, next, third
    std::array<Card, 4> trick{};       // positions 1..position-1 hold the cards already played
    int position = 1;                  // the mover's position in the trick, 1..3
    SuitCode trump = kNoSuit;
    int contract = 0;
    std::array<int, 3> scores{};  // points taken so far: mover, next, third
    int declarer = 1;             // relative to the mover: 1 mover, 2 next, 3 third
};

struct SearchResult {
    std::array<int, 9> values{};  // the mover's value per slot 1..8, kNotExplored if not explored
    unsigned explored = 0;        // bit i set when slot i was explored
    int best = 0;                 // the chosen slot (lowest on equal values), 0 if none
    // The values of the chosen line: declarer, the player after him, the player after that.
    std::array<int, 3> line{};
    std::int64_t nodes = 0;  // nodes visited
};

struct SearchOptions {
    bool prune = false;
    SearchMemo* memo = nullptr;  // nullptr: no memo
};

SearchResult PlaySearch(const SearchPosition& root, const SearchOptions& options);

// The values of the three players from their scores: `declarer` is 1..3, an index into `scores`,
// and the values come back in the order of `scores`.
std::array<int, 3> EvaluateDeal(int declarer, int contract, const std::array<int, 3>& scores);

// The winning position (1..3) of a full trick.
int SearchTrickWinner(const std::array<Card, 4>& trick, SuitCode trump);

}  // namespace orvala
