#pragma once
// The computer declarer's decision after taking the talon: which two of its ten cards to give,
// the contract it announces, and whether it gives the deal up at once.
//
// Every one of the 45 ways of giving two cards away is tried, and the eight cards that would
// remain are valued suit by suit with SuitValueTable: expected tricks, points, and the summed
// weight. The best pair by points is taken, or among pairs within 4 points of the best the one
// with the largest weight. A hand with no marriage that nowhere promises more than 100 plays at
// the bid and gives the pair of largest weight; it gives up when that weight is 7.0 or less and
// the give-up rule is on. Without any ace it always gives up under that rule.

#include <array>

#include "core/cards/hand_helpers.h"
#include "core/game/players_port.h"
#include "core/game/rule_settings.h"

namespace orvala {

inline constexpr int kPairCount = 45;

// Pair k (1..45) of hand slots 1..10 in lexicographic order: 1 = (1,2), 9 = (1,10),
// 10 = (2,3), ..., 45 = (9,10). The smaller slot comes first.
struct SlotPair {
    int first = 0;
    int second = 0;
};
SlotPair pairSlots(int pairIndex);

// What giving away one pair leaves behind.
struct PairValue {
    int tricks = 0;
    int marriageBonus = 0;  // marriage values of the suits still holding king and queen
    int contractValue = 0;  // the contract the remaining eight cards support
    int choiceValue = 0;    // the same less 10 for each queen or king given, where that applies
    double weight = 0.0;
};

// The values of all pairs, element k for pair k (element 0 unused), for the ten cards in slots
// 1..10.
std::array<PairValue, kPairCount + 1> evaluatePairs(const HandArray& hand);

// The declarer's ten cards in slots 1..10, in the game's order (sorted with no trump), and the
// winning bid. Returns the two slots to give (the first to the seat after the declarer, the
// second to the seat after that; the smaller slot first), the contract (at least the bid;
// rounded down to a multiple of 5 under RuleRoundToFive, but never below the bid) and the
// give-up flag, which is only ever set under RulePainting.
GiveChoice ChooseCardsToGive(const HandArray& hand, int bid, const RuleSettings& rules);

}  // namespace orvala
