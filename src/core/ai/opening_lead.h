#pragma once
// The computer's card in the first trick of a deal, with eight cards in hand, from a fixed table
// of rules instead of a search. There is no trump in the first trick.
//
// Leading, the seat plays its first ace, or else its preferred low lead. Following without a
// card of the led suit it also plays its preferred low lead. Following suit, it depends on the
// led card and the seat's holding in the led suit (see OpeningLeadChoice).

#include <array>

#include "core/cards/hand_helpers.h"

namespace orvala {

// The slot (1..count) to play. `trick` holds the cards already played at positions
// 1..position-1; `position` is the seat's own position in the trick, 1 when it leads.
int OpeningLeadChoice(const HandArray& hand, int count, const std::array<Card, 4>& trick,
                      int position);

// The preferred low card: the lowest card of the first suit (hearts, diamonds, clubs, spades)
// whose holding is the earliest in a fixed list of short and weak holdings; failing that, the
// first slot holding the hand's lowest rank.
int LowLeadPreference(const HandArray& hand, int count);

}  // namespace orvala
