#include "core/ai/layout_sampler.h"

#include "core/cards/hand_sort.h"

namespace orvala {
namespace {

bool inList(const std::array<Card, 24>& list, int count, Card c) {
    for (int i = 0; i < count; ++i)
        if (list[static_cast<size_t>(i)] == c) return true;
    return false;
}

void append(std::array<Card, 24>& list, int& count, Card c) {
    if (count < 24) list[static_cast<size_t>(count++)] = c;
}

// Every card the seat cannot see, nothing known: used when the knowledge does not add up.
void unconstrained(const GameRecord& g, LayoutKnowledge& k) {
    k.knownNextCount = k.knownPreviousCount = k.poolSize = 0;
    const auto own = g.Hand[k.seat].cards();
    for (Card c : referenceDeck()) {
        bool seen = HasCard(kHandSlots, own, c);
        for (int p = 1; p <= 3; ++p) seen = seen || g.TrickCards[p] == c;
        for (int i = 1; i < g.PlayedCount && i <= kListSlots; ++i)
            seen = seen || g.PlayedList[i] == c;
        if (!seen) append(k.pool, k.poolSize, c);
    }
    k.consistent = false;
}

}  // namespace

LayoutKnowledge BuildLayoutKnowledge(const GameRecord& g, int seat) {
    LayoutKnowledge k;
    k.seat = seat;
    k.next = nextSeat(seat);
    k.previous = nextSeat(k.next);
    k.nextCount = g.HandCount[k.next];
    k.previousCount = g.HandCount[k.previous];

    auto firstKnown = [&](int opp, std::array<Card, 24>& list, int& count) {
        for (int i = 1; i <= kListSlots && count < 3; ++i)
            if (!g.KnownCards[opp][i].isEmpty()) append(list, count, g.KnownCards[opp][i]);
    };
    firstKnown(k.next, k.knownNext, k.knownNextCount);
    firstKnown(k.previous, k.knownPrevious, k.knownPreviousCount);

    // Working copies of the exclusions, less the seat's own cards.
    const auto own = g.Hand[seat].cards();
    auto excluded = [&](int opp, Card c) {
        return !HasCard(kHandSlots, own, c) && HasCard(kListSlots, g.ExcludedCards[opp].cards(), c);
    };
    const int knownNext = k.knownNextCount, knownPrevious = k.knownPreviousCount;
    for (Card c : referenceDeck()) {
        const bool exNext = excluded(k.next, c), exPrev = excluded(k.previous, c);
        const bool isKnown =
            inList(k.knownNext, knownNext, c) || inList(k.knownPrevious, knownPrevious, c);
        if (!HasCard(kHandSlots, own, c) && !exNext && !exPrev && !isKnown)
            append(k.pool, k.poolSize, c);
        // A card one opponent cannot hold is in the other's hand.
        if (exPrev && !exNext && !inList(k.knownNext, k.knownNextCount, c))
            append(k.knownNext, k.knownNextCount, c);
        if (exNext && !exPrev && !inList(k.knownPrevious, k.knownPreviousCount, c))
            append(k.knownPrevious, k.knownPreviousCount, c);
    }

    const bool addsUp =
        k.knownNextCount <= k.nextCount && k.knownPreviousCount <= k.previousCount &&
        k.knownNextCount + k.knownPreviousCount + k.poolSize == k.nextCount + k.previousCount;
    if (!addsUp) unconstrained(g, k);
    return k;
}

Layout SampleLayout(const LayoutKnowledge& k, RandomSource& random, SuitCode trump) {
    Layout out;
    int nNext = 0, nPrev = 0;
    auto put = [](HandArray& h, int& n, Card c) {
        if (n < kHandSlots) h[++n] = c;
    };
    for (int i = 0; i < k.knownNextCount; ++i)
        put(out.next, nNext, k.knownNext[static_cast<size_t>(i)]);
    for (int i = 0; i < k.knownPreviousCount; ++i)
        put(out.previous, nPrev, k.knownPrevious[static_cast<size_t>(i)]);

    const int p = k.poolSize;
    int draws = k.nextCount - k.knownNextCount;
    draws = draws < 0 ? 0 : draws > p ? p : draws;
    std::array<bool, 24> taken{};
    for (int d = 0; d < draws; ++d) {
        int index;
        do index = random.uniform(0, p - 1);
        while (taken[static_cast<size_t>(index)]);
        taken[static_cast<size_t>(index)] = true;
        put(out.next, nNext, k.pool[static_cast<size_t>(index)]);
    }
    for (int i = 0; i < p; ++i)
        if (!taken[static_cast<size_t>(i)])
            put(out.previous, nPrev, k.pool[static_cast<size_t>(i)]);
    SortHand(out.next, trump);
    SortHand(out.previous, trump);
    return out;
}

}  // namespace orvala
