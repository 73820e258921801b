#pragma once
// The settlement of a played deal, as a pure function of the record and the house rules.

#include <array>
#include <string_view>

#include "core/game/game_record.h"
#include "core/game/rule_settings.h"

namespace orvala {

// Rounds deal points to a multiple of 5: remainders 1 and 2 round down, 3 and 4 round up.
int roundToFive(int points);

// Each seat's result from the remaining scores: the sum over the two other seats of
// (their score - this seat's score). Lower scores are better and the results add up to 0.
std::array<int, 4> FinalResults(const PerSeat<int>& score);

struct DealSettlement {
    PerSeat<int> Score{};
    PerSeat<int> BoltCount{};
    bool contractMade = false;
    int penalties = 0;  // bolt penalties counted in this deal
    bool gameOver = false;
    std::array<int, 4> results{};  // FinalResults, when the game is over
    // The sounds, in playing order: the contract's (only when no score reached 0 through the
    // contract itself; empty otherwise), the bolt sound once per penalty up to two, and the
    // game's end (empty while the game goes on).
    std::string_view contractSound;
    int boltSounds = 0;
    std::string_view endSound;
};

// Settles the deal held in g (Declarer, Contract, DealPoints, Score, BoltCount).
DealSettlement settleDeal(const GameRecord& g, const RuleSettings& rules);

}  // namespace orvala
