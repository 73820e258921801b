#pragma once
// The account's rating and cycle on the service, for games played for the global rating.
//
// With K games played and the rating R, starting a game stores one more game (K + 1) with a
// provisional loss of 2000: (K * (R - K/25) - 2000) / (K + 1) + (K + 1)/25. Finishing it (the
// results read again, so K already counts it) puts the real result r in the loss's place:
// K/25 + (K * (R - K/25) + 2000 + r) / K. A cycle is 25 games: the 25th adds a session, keeps
// the best cycle score and starts the cycle again.

#include <array>
#include <cstdint>

#include "core/online/operations.h"

namespace orvala::online {

inline constexpr int kCycleGames = 25;
inline constexpr double kProvisionalLoss = 2000;
inline constexpr double kRatingDivisor = 25;

// The results to write when a game for the global rating starts: one more game, the
// provisional rating, the cycle counters sent as 0.
GameResults startedGame(GameResults read);

// The results to write when it ends with `result`: `readAgain` is the read at the end, `atStart`
// the read before `startedGame`. The start sends the cycle counters as 0 (a game left unfinished
// costs the cycle too), so the cycle goes on from the counters read at the start; its score
// grows by the result. A read that does not count the started game (K = 0) has no loss to
// replace and keeps its rating.
GameResults finishedGame(GameResults readAgain, const GameResults& atStart, std::int64_t result);

// Whether `finishedGame` closed a cycle (its counters back at 0 with one more session).
bool closedCycle(const GameResults& before, const GameResults& after);

// The Zors a closed cycle's place in the account table earns: 25 for the first, 10 for the
// second to the tenth, nothing below.
int cyclePlaceReward(std::int64_t place);

// The game report's twelve values.
struct GameReport {
    bool againstComputer = false;
    bool completedCycle = false;
    std::int64_t result = 0;
    bool lanHost = false;
    bool tournamentSeat1 = false;
};
std::array<std::int64_t, 12> gameReportValues(const GameReport& g);

}  // namespace orvala::online
