#include "core/ai/card_choice.h"

#include <cmath>

#include "core/ai/card_search_root.h"
#include "core/ai/layout_sampler.h"
#include "core/ai/opening_lead.h"
#include "core/ai/play_search.h"
#include "core/game/follow_rules.h"

namespace orvala {

int SampleCount(int cardsInHand) {
    static constexpr int kCounts[9] = {0, 0, 500, 300, 200, 100, 20, 4, 0};
    return cardsInHand >= 0 && cardsInHand <= 8 ? kCounts[cardsInHand] : 0;
}

int ChooseComputerCard(const GameRecord& g, int seat, RandomSource& random, SearchMemo& memo,
                       const CardChoiceOptions& options, CardChoiceStats* stats) {
    CardChoiceStats local;
    CardChoiceStats& st = stats != nullptr ? *stats : local;
    st = {};
    const int n = g.HandCount[seat];
    const int position = g.TrickPos >= 1 && g.TrickPos <= 3 ? g.TrickPos : 1;

    // Step 1. The first trick follows the fixed table.
    if (n == 8) return OpeningLeadChoice(g.Hand[seat], n, g.TrickCards, position);

    // Step 2.
    const auto now = [&] {
        return options.clock ? options.clock() : std::chrono::steady_clock::now();
    };
    const auto start = now();
    ThinkingProgress progress;
    progress.busyCursor = n > 3;
    auto report = [&] {
        if (options.progress) options.progress(progress);
    };

    // Step 3.
    if (n <= 1 || n > 8) {
        progress.finished = true;
        report();
        return n == 1 ? 1 : FirstLegalSlot(g, seat);
    }

    // Step 4.
    const LayoutKnowledge knowledge = BuildLayoutKnowledge(g, seat);

    // Step 5.
    const int layouts = options.sampleCounts[static_cast<size_t>(n)];
    SearchOptions search;
    search.prune = n >= 5;
    search.memo = &memo;
    progress.layouts = layouts;
    report();

    SearchPosition root = CardSearchRoot(g, seat, position, knowledge);

    // Step 6.
    SlotTotals totals;
    st.searched = true;
    for (int k = 1; k <= layouts; ++k) {
        progress.layout = k;
        progress.percent = static_cast<int>(std::lround(100.0 * k / layouts));
        report();
        random.reseed();
        const Layout layout = SampleLayout(knowledge, random, g.Trump);
        root.hands[1] = layout.next;
        root.hands[2] = layout.previous;
        const SearchResult r = PlaySearch(root, search);
        st.nodes += r.nodes;
        const auto elapsed =
            std::chrono::duration_cast<std::chrono::milliseconds>(now() - start).count();
        if (elapsed > options.timeCapMs) {
            st.timedOut = true;
            break;
        }
        ++st.layouts;
        totals.add(r);
    }

    // Steps 7 and 8.
    const int best = totals.best();
    progress.finished = true;
    report();
    return best != 0 ? best : FirstLegalSlot(g, seat);
}

}  // namespace orvala
