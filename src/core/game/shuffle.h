#pragma once
// The shuffle: a uniform permutation of the 24 cards into deck positions 1..24.

#include <array>

#include "core/cards/card.h"
#include "core/game/random_source.h"

namespace orvala {

// The card that number n (1..24) of the permutation stands for: nines, tens, jacks, queens,
// kings, aces, each in hearts, diamonds, clubs, spades.
Card cardOfShuffleNumber(int n);

// Reseeds the source, then draws each position's number from 1..24, drawing again while it was
// already placed.
std::array<Card, 25> Shuffle(RandomSource& random);

}  // namespace orvala
