#include "core/cards/hand_sort.h"

namespace orvala {

std::array<SuitCode, 4> SuitOrder(SuitCode trump) {
    switch (trump) {
        case kClubs: return {kHearts, kSpades, kDiamonds, kClubs};
        case kDiamonds: return {kClubs, kHearts, kSpades, kDiamonds};
        case kHearts: return {kClubs, kDiamonds, kSpades, kHearts};
        default: return {kHearts, kClubs, kDiamonds, kSpades};
    }
}

int SortHand(HandArray& hand, SuitCode trump) {
    HandArray sorted;
    int k = 0;
    for (SuitCode suit : SuitOrder(trump))
        for (int r = 1; r <= 6; ++r)
            for (int i = 1; i <= kHandSlots; ++i)
                if (hand[i].suit == suit && hand[i].rank == kRankCodes[r]) sorted[++k] = hand[i];
    hand = sorted;
    return k;
}

}  // namespace orvala
