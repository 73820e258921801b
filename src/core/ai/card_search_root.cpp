#include "core/ai/card_search_root.h"

#include "core/game/follow_rules.h"

namespace orvala {

int FirstLegalSlot(const GameRecord& g, int seat) {
    const SuitCode lead = g.TrickPos > 1 ? g.TrickCards[1].suit : kNoSuit;
    const int n = g.HandCount[seat];
    for (int i = 1; i <= n; ++i)
        if (!g.Hand[seat][i].isEmpty() &&
            !IsIllegalPlay(g.Hand[seat], n, g.Hand[seat][i], lead, g.Trump))
            return i;
    return 1;
}

SearchPosition CardSearchRoot(const GameRecord& g, int seat, int position,
                              const LayoutKnowledge& knowledge) {
    SearchPosition root;
    root.hands[0] = g.Hand[seat];
    for (int p = 1; p < position; ++p) root.trick[static_cast<size_t>(p)] = g.TrickCards[p];
    root.position = position;
    root.trump = g.Trump;
    root.contract = g.Contract;
    root.scores = {g.DealPoints[seat], g.DealPoints[knowledge.next],
                   g.DealPoints[knowledge.previous]};
    root.declarer = g.Declarer == seat ? 1 : g.Declarer == knowledge.next ? 2 : 3;
    return root;
}

void SlotTotals::add(const SearchResult& r) {
    for (int i = 1; i <= 8; ++i)
        if (r.explored & (1u << i)) {
            total[static_cast<size_t>(i)] += r.values[static_cast<size_t>(i)];
            explored |= 1u << i;
        }
}

int SlotTotals::best() const {
    int best = 0;
    for (int i = 1; i <= 8; ++i)
        if ((explored & (1u << i)) &&
            (best == 0 || total[static_cast<size_t>(i)] > total[static_cast<size_t>(best)]))
            best = i;
    return best;
}

}  // namespace orvala
