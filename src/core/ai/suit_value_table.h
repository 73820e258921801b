#pragma once
// The computer players' valuation of one suit holding, and the fixed numbering of holdings.
//
// A holding is the set of ranks a seat holds in one suit, kept as a bit set over rank values:
// bit (rank value - 1), so the nine is bit 0 and the ace bit 5. The 64 holdings are numbered
// 1..64: the full suit first, then the five-card holdings lacking the ace, ten, king, queen,
// jack and nine in that order, then the four-, three-, two- and one-card holdings in a fixed
// order, and last the empty holding (64).
//
// Each row of SuitValueTable gives, for its holding:
//   Tricks1/Points1 - expected tricks and points when the seat holds a queen or a king in every
//                     suit;
//   Tricks2/Points2 - the same otherwise;
//   MarriageRow     - 1 when the row's value rests on a marriage that the ace does not protect;
//   Weight          - a figure the declarer compares its possible eight-card hands by.
// Points may include the marriage value of the suit being valued (hearts 100, diamonds 80,
// clubs 60, spades 40); points1(suit) and points2(suit) give the full value for a suit.

#include <array>
#include <cstdint>
#include <span>

#include "core/cards/card.h"

namespace orvala {

using RankMask = std::uint8_t;

inline constexpr int kHoldingCount = 64;
inline constexpr int kEmptyHoldingIndex = 64;

constexpr RankMask rankBit(int rankValue) {
    return static_cast<RankMask>(1u << (rankValue - 1));
}

struct SuitValueRow {
    RankMask holding = 0;
    int Tricks1 = 0;
    int Points1 = 0;  // without the marriage value
    bool Points1WithMarriage = false;
    int Tricks2 = 0;
    int Points2 = 0;
    bool Points2WithMarriage = false;
    int MarriageRow = 0;
    double Weight = 0.0;

    constexpr int points1(SuitCode suit) const {
        return Points1 + (Points1WithMarriage ? MarriageValue(suit) : 0);
    }
    constexpr int points2(SuitCode suit) const {
        return Points2 + (Points2WithMarriage ? MarriageValue(suit) : 0);
    }
};

// Rows 1..64 by holding index; element 0 is unused and empty.
const std::array<SuitValueRow, kHoldingCount + 1>& SuitValueTable();

// The index 1..64 of a holding (only the six rank bits are looked at).
int holdingIndexOfMask(RankMask mask);

// The ranks of the suit among the non-empty slots 1..n of a hand or list (n is clipped to the
// array).
RankMask suitMask(int n, std::span<const Card> a, SuitCode suit);

// The holding index of the suit among slots 1..n. Card play looks at slots 1..8.
int HoldingIndex(int n, std::span<const Card> a, SuitCode suit);

// A table lookup: every non-empty slot up to 24 is examined.
struct SuitValue {
    int index = kEmptyHoldingIndex;
    const SuitValueRow* row = nullptr;
};
SuitValue lookupSuitValue(std::span<const Card> a, SuitCode suit);

}  // namespace orvala
