#include "core/ai/declarer_simulation.h"

#include "core/ai/opening_lead.h"
#include "core/ai/play_search.h"
#include "core/cards/hand_sort.h"
#include "core/game/follow_rules.h"

namespace orvala {

PlayOutcome PlayOut(const HandArray& declarer, const HandArray& first, const HandArray& second,
                    int contract, SearchMemo& memo) {
    std::array<HandArray, 3> hands = {declarer, first, second};
    for (auto& h : hands) {
        for (int i = 9; i <= kHandSlots; ++i) h[i] = EmptyCard;
        SortHand(h, kNoSuit);
    }
    // The first trick by the fixed table.
    std::array<Card, 4> trick{};
    for (int p = 0; p < 3; ++p) {
        HandArray& h = hands[static_cast<size_t>(p)];
        const int slot = OpeningLeadChoice(h, 8, trick, p + 1);
        trick[static_cast<size_t>(p + 1)] = h[slot];
        h[slot] = EmptyCard;
        SortHand(h, kNoSuit);
    }
    const int winner = TrickWinnerPos(trick, kNoSuit) - 1;  // 0 declarer, 1 first, 2 second
    std::array<int, 3> scores{};
    scores[static_cast<size_t>(winner)] =
        CardPoints(trick[1]) + CardPoints(trick[2]) + CardPoints(trick[3]);

    SearchPosition root;
    for (int k = 0; k < 3; ++k) {
        root.hands[static_cast<size_t>(k)] = hands[static_cast<size_t>((winner + k) % 3)];
        root.scores[static_cast<size_t>(k)] = scores[static_cast<size_t>((winner + k) % 3)];
    }
    root.position = 1;
    root.trump = kNoSuit;
    root.contract = contract;
    root.declarer = (3 - winner) % 3 + 1;
    const SearchResult r = PlaySearch(root, SearchOptions{true, &memo});
    PlayOutcome out;
    out.nodes = r.nodes;
    const int v = r.line[0];  // the declarer's value: 2 * his result - the defenders' points
    out.made = v > -2 * contract;
    out.defenderPoints = out.made ? 2 * contract - v : -2 * contract - v;
    if (out.defenderPoints < 0) out.defenderPoints = 0;
    return out;
}

}  // namespace orvala
