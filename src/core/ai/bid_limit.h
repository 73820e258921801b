#pragma once
// A computer seat's judgement before the auction: the number of points it expects to make with
// its seven dealt cards. The seat keeps raising while the current bid is below this limit, so
// its highest bid is the first multiple of 5 at or above it (a seat that must open bids 100
// whatever its limit).
//
// Each suit is valued from SuitValueTable: the first columns when the seat holds a queen or a
// king in every suit, the second otherwise. Suits whose value rests on an unprotected marriage
// count only once: the largest of them is added. A hand without an ace is worth 0; with all
// four aces and the give-up rule off the limit is held at 100.

#include "core/cards/hand_helpers.h"
#include "core/game/rule_settings.h"

namespace orvala {

// The seven dealt cards stand in slots 1..7 in any order; other slots are not looked at.
int ComputerBidLimit(const HandArray& hand, const RuleSettings& rules);

}  // namespace orvala
