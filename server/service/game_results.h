#pragma once
// What the service can check of a game played on a player's machine: a game's result within
// what the rules allow for the time it took, and an account's cycle and rating following from
// the games it counted. The rating's arithmetic is the game's own (core/online/account_rating).
//
// A game for the global rating is written twice: its start (one more game, the provisional
// loss, the cycle counters sent as 0) and its end (the real result in the loss's place). The
// service remembers the cycle's counters at the start and when the start was written, so the
// end's counters, best and rating must be exactly those its one result gives.

#include <cstdint>
#include <optional>

#include "core/online/operations.h"

namespace orvala::service {

// The quickest real game: a score of 500 needs two scored deals to reach 0 (a deal takes at
// most 400 from a score), each of three auctions' worth of bidding and 24 cards played.
inline constexpr std::int64_t kMinGameSeconds = 60;

// The largest result one game can reach in `seconds`, either way.
std::int64_t largestGameResult(std::int64_t seconds);

// The largest cycle score either way for a cycle whose games were not timed.
std::int64_t largestCycleScore();

// An account's results as stored, with the start of the game under way.
struct StoredResults {
    online::GameResults shown;                   // what a read answers
    std::int64_t startedAt = 0;                  // when the open game's start was written; 0: none
    std::int64_t startKonL = 0, startScore = 0;  // the cycle's counters before that start
};

struct ResultsDecision {
    enum class Kind { Refused, Repeat, Start, Finish } kind = Kind::Refused;
    online::GameResults store;  // what to store (Start, Finish)
    bool closedCycle = false;   // Finish: the cycle ended, its score is `cycleScore`
    std::int64_t cycleScore = 0;
};

// Judges one results write against the stored results at `now`.
ResultsDecision judgeResultsWrite(const StoredResults& stored, const online::GameResults& wrote,
                                  std::int64_t now);

}  // namespace orvala::service
