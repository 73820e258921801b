#pragma once
// The order a hand is kept in: suits left to right by the current trump (the trump suit last,
// red and black alternating), ranks ascending inside a suit.

#include <array>

#include "core/cards/hand_helpers.h"

namespace orvala {

// The four suit codes, left to right, for a trump ("#" for none).
std::array<SuitCode, 4> SuitOrder(SuitCode trump);

// Sorts and compacts slots 1..10 and returns the number of cards, which stand in slots 1..k
// with EmptyCard behind them.
int SortHand(HandArray& hand, SuitCode trump);

}  // namespace orvala
