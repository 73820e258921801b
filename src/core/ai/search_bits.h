#pragma once
// Compact card sets for the search: the 24 cards as bits of a 32-bit mask, six bits per suit.
// Suit s (1..4: hearts, diamonds, clubs, spades) holds bits 6(s-1) .. 6(s-1)+5, rank value r
// (1..6) bit r-1 inside its group, so a suit's cards read as a 6-bit rank set.
//
// legalMask and trickWinnerBits are the bitmask forms of IsIllegalPlay and TrickWinnerPos
// (follow_rules.h); a test proves them identical over random hands and tricks.

#include <bit>
#include <cstdint>

#include "core/cards/card.h"
#include "core/cards/hand_helpers.h"

namespace orvala::bits {

using Mask = std::uint32_t;

constexpr int suitShift(int suit) {
    return 6 * (suit - 1);
}
constexpr Mask suitMask(int suit) {
    return suit == 0 ? 0u : Mask{0x3F} << suitShift(suit);
}
constexpr int cardIndex(int suit, int rank) {
    return suitShift(suit) + rank - 1;
}
constexpr int suitOfIndex(int index) {
    return index / 6 + 1;
}
constexpr int rankOfIndex(int index) {
    return index % 6 + 1;
}
constexpr Mask bit(int index) {
    return Mask{1} << index;
}

// The number of cards in a mask. Written out because a build for the baseline instruction set
// turns std::popcount into a library call, which the search cannot afford.
constexpr int count(Mask m) {
    m = m - ((m >> 1) & 0x55555555u);
    m = (m & 0x33333333u) + ((m >> 2) & 0x33333333u);
    m = (m + (m >> 4)) & 0x0F0F0F0Fu;
    return static_cast<int>((m * 0x01010101u) >> 24);
}

// The 6-bit rank set of a suit in a mask.
constexpr unsigned ranksIn(Mask m, int suit) {
    return (m >> suitShift(suit)) & 0x3Fu;
}
// The highest and lowest rank value in a rank set, 0 when empty.
constexpr int highestRank(unsigned ranks) {
    return ranks == 0 ? 0 : std::bit_width(ranks);
}
constexpr int lowestRank(unsigned ranks) {
    return ranks == 0 ? 0 : std::countr_zero(ranks) + 1;
}
constexpr unsigned rankBit(int rank) {
    return 1u << (rank - 1);
}

// -1 for an empty or unknown card.
constexpr int indexOfCard(Card c) {
    const int s = suitIndex(c.suit);
    const int r = rankValueOfCode(c.rank);
    return s == 0 || r == 0 ? -1 : cardIndex(s, r);
}
constexpr Card cardOfIndex(int index) {
    return makeCard(rankOfIndex(index), suitOfIndex(index));
}

// The cards of slots 1..8.
inline Mask maskOfHand(const HandArray& hand) {
    Mask m = 0;
    for (int i = 1; i <= 8; ++i)
        if (int k = indexOfCard(hand[i]); k >= 0) m |= bit(k);
    return m;
}

// The lowest card of every suit held.
constexpr Mask lowestOfEachSuit(Mask m) {
    Mask out = 0;
    for (int s = 1; s <= 4; ++s) {
        const Mask ms = m & suitMask(s);
        out |= ms & (~ms + 1);
    }
    return out;
}

// The cards a follower may play. `lead` and `trump` are suit indexes, 0 for none; with no lead
// the mover leads and may play anything.
constexpr Mask legalMask(Mask hand, int lead, int trump) {
    if (lead == 0) return hand;
    if (const Mask inLead = hand & suitMask(lead)) return inLead;
    if (const Mask inTrump = hand & suitMask(trump)) return inTrump;
    return hand;
}

// The winning position (1..3) of a full trick of card indexes; `trump` 0 for none.
constexpr int trickWinnerBits(const int (&trick)[3], int trump) {
    auto best = [&](int suit) {
        int pos = 0;
        for (int p = 0; p < 3; ++p)
            if (suitOfIndex(trick[p]) == suit &&
                (pos == 0 || rankOfIndex(trick[p]) > rankOfIndex(trick[pos - 1])))
                pos = p + 1;
        return pos;
    };
    if (trump != 0)
        if (int p = best(trump)) return p;
    return best(suitOfIndex(trick[0]));
}

}  // namespace orvala::bits
