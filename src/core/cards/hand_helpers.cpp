#include "core/cards/hand_helpers.h"

#include <algorithm>

namespace orvala {
namespace {

int limit(int n, std::span<const Card> a) {
    return std::clamp(n, 0, static_cast<int>(a.size()) - 1);
}

}  // namespace

bool HasCard(int n, std::span<const Card> a, Card card) { return IndexOfCard(n, card, a) != 0; }

int IndexOfCard(int n, Card card, std::span<const Card> a) {
    int found = 0;
    for (int i = 1; i <= limit(n, a); ++i)
        if (a[i] == card) found = i;
    return found;
}

int LowestOfSuit(int n, std::span<const Card> a, SuitCode suit) {
    for (int r = 1; r <= 6; ++r)
        if (int k = IndexOfCard(n, Card{kRankCodes[r], suit}, a)) return k;
    return 0;
}

int HighestOfSuit(int n, std::span<const Card> a, SuitCode suit) {
    for (int r = 6; r >= 1; --r)
        if (int k = IndexOfCard(n, Card{kRankCodes[r], suit}, a)) return k;
    return 0;
}

bool HasSuit(int n, std::span<const Card> a, SuitCode suit) {
    if (suit == kNoSuit) return false;
    return CountOfSuit(n, a, suit) > 0;
}

int CountOfSuit(int n, std::span<const Card> a, SuitCode suit) {
    int count = 0;
    for (int i = 1; i <= limit(n, a); ++i)
        if (a[i].suit == suit) ++count;
    return count;
}

bool HasMarriage(int n, std::span<const Card> a, SuitCode suit) {
    return HasCard(n, a, Card{kKing, suit}) && HasCard(n, a, Card{kQueen, suit});
}

void AddUnique(Card card, CardList& list) {
    if (HasCard(kListSlots, list.cards(), card)) return;
    for (int i = 1; i <= kListSlots; ++i) {
        if (list[i].isEmpty()) {
            list[i] = card;
            return;
        }
    }
}

void RemoveCard(Card card, CardList& list) {
    for (int i = 1; i <= kListSlots; ++i)
        if (list[i] == card) list[i] = EmptyCard;
}

int CountCards(const CardList& list) {
    int n = 0;
    for (int i = 1; i <= kListSlots; ++i)
        if (!list[i].isEmpty()) ++n;
    return n;
}

}  // namespace orvala
