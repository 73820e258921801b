#include "core/ai/search_samples.h"

#include <algorithm>

#include "core/ai/search_memo.h"
#include "core/cards/hand_sort.h"
#include "core/game/follow_rules.h"

namespace orvala {
namespace {

// Takes a legal card out of the first `count` slots for a player at a trick with `lead`.
Card playOne(RandomSource& random, HandArray& hand, int count, SuitCode lead, SuitCode trump) {
    int legal[kHandSlots + 1] = {};
    int n = 0;
    for (int i = 1; i <= count; ++i)
        if (!IsIllegalPlay(hand, count, hand[i], lead, trump)) legal[n++] = i;
    const int slot = legal[random.uniform(0, n - 1)];
    const Card c = hand[slot];
    hand[slot] = EmptyCard;
    return c;
}

}  // namespace

SearchPosition RandomSearchPosition(RandomSource& random, int cards, int position) {
    const int n = std::clamp(cards, 1, 8);
    SearchPosition p;
    p.position = position >= 1 && position <= 3 ? position : random.uniform(1, 3);
    p.trump = random.uniform(0, 1) == 0 ? kNoSuit : kSuitCodes[random.uniform(1, 4)];

    auto deck = referenceDeck();
    for (int i = 23; i > 0; --i) std::swap(deck[i], deck[random.uniform(0, i)]);
    int next = 0;
    for (auto& h : p.hands)
        for (int i = 1; i <= n; ++i) h[i] = deck[next++];

    // The players before the mover in this trick have played one of their cards: the leader
    // (the third player at position 2, the next at position 3), then the third player.
    if (p.position >= 2) {
        HandArray& leader = p.hands[p.position == 2 ? 2 : 1];
        p.trick[1] = playOne(random, leader, n, kNoSuit, p.trump);
        if (p.position == 3) p.trick[2] = playOne(random, p.hands[2], n, p.trick[1].suit, p.trump);
    }
    for (auto& h : p.hands) SortHand(h, p.trump);

    switch (random.uniform(0, 3)) {
        case 0:
            p.scores = {0, 0, 0};
            break;
        case 1:
            p.scores = {random.uniform(0, 40), random.uniform(0, 40), random.uniform(0, 40)};
            break;
        default:
            for (int& s : p.scores) s = random.uniform(0, 60) + 20 * random.uniform(0, 5);
    }
    p.contract = 100 + 5 * random.uniform(0, 24);
    p.declarer = random.uniform(1, 3);
    return p;
}

SignatureFigures SearchSignature() {
    SignatureFigures f;
    f.hash = 0xCBF29CE484222325ull;
    SearchMemo memo(17);
    SeededRandom random(20260101);
    for (int cards = 2; cards <= 7; ++cards) {
        const int count = cards <= 4 ? 60 : cards == 5 ? 40 : cards == 6 ? 20 : 8;
        for (int k = 0; k < count; ++k) {
            const SearchPosition p = RandomSearchPosition(random, cards);
            SearchOptions o;
            o.prune = cards >= 5;
            o.memo = &memo;
            const SearchResult r = PlaySearch(p, o);
            ++f.layouts;
            f.nodes += r.nodes;
            f.hash = (f.hash ^ static_cast<std::uint64_t>(r.best)) * 0x100000001B3ull;
        }
    }
    return f;
}

}  // namespace orvala
