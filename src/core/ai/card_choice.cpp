#include "core/ai/card_choice.h"

#include <cmath>

#include "core/ai/layout_sampler.h"
#include "core/ai/opening_lead.h"
#include "core/ai/play_search.h"
#include "core/game/follow_rules.h"

namespace orvala {

int SampleCount(int cardsInHand) {
    static constexpr int kCounts[9] = {0, 0, 500, 300, 200, 100, 20, 4, 0};
    return cardsInHand >= 0 && cardsInHand <= 8 ? kCounts[cardsInHand] : 0;
}

namespace {

int firstLegal(const GameRecord& g, int seat) {
    const SuitCode lead = g.TrickPos > 1 ? g.TrickCards[1].suit : kNoSuit;
    const int n = g.HandCount[seat];
    for (int i = 1; i <= n; ++i)
        if (!g.Hand[seat][i].isEmpty() &&
            !IsIllegalPlay(g.Hand[seat], n, g.Hand[seat][i], lead, g.Trump))
            return i;
    return 1;
}

}  // namespace

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
        return n == 1 ? 1 : firstLegal(g, seat);
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

    SearchPosition root;
    root.hands[0] = g.Hand[seat];
    for (int p = 1; p < position; ++p) root.trick[static_cast<size_t>(p)] = g.TrickCards[p];
    root.position = position;
    root.trump = g.Trump;
    root.contract = g.Contract;
    root.scores = {g.DealPoints[seat], g.DealPoints[knowledge.next],
                   g.DealPoints[knowledge.previous]};
    root.declarer = g.Declarer == seat ? 1 : g.Declarer == knowledge.next ? 2 : 3;

    // Step 6.
    std::array<long long, 9> total{};
    unsigned everExplored = 0;
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
        for (int i = 1; i <= 8; ++i)
            if (r.explored & (1u << i)) {
                total[static_cast<size_t>(i)] += r.values[static_cast<size_t>(i)];
                everExplored |= 1u << i;
            }
    }

    // Steps 7 and 8.
    int best = 0;
    for (int i = 1; i <= 8; ++i)
        if ((everExplored & (1u << i)) &&
            (best == 0 || total[static_cast<size_t>(i)] > total[static_cast<size_t>(best)]))
            best = i;
    progress.finished = true;
    report();
    return best != 0 ? best : firstLegal(g, seat);
}

}  // namespace orvala
