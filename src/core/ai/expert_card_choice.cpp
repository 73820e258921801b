#include "core/ai/expert_card_choice.h"

#include <array>

#include "core/ai/auction_evidence.h"
#include "core/ai/card_search_root.h"
#include "core/ai/deal_history.h"
#include "core/ai/layout_sampler.h"
#include "core/ai/opening_lead.h"
#include "core/ai/play_search.h"
#include "core/cards/hand_sort.h"
#include "core/game/follow_rules.h"

namespace orvala {
namespace {

constexpr int kDrawsPerLayout = 24;  // tries to find a layout the auction makes likely

// The first trick: the seat's card, the rest of the trick as the Classic players answer it (their
// fixed table), then the seven tricks after it solved exactly. Writes the seat's value for every
// legal slot; returns the nodes searched.
std::int64_t firstTrickValues(const GameRecord& g, int seat, int position, const Layout& layout,
                              SearchMemo& memo, std::array<int, 9>& values, unsigned& explored) {
    std::int64_t nodes = 0;
    const std::array<HandArray, 3> start = {g.Hand[seat], layout.next, layout.previous};
    const int leader = (3 - (position - 1)) % 3;  // 0 the seat, 1 next, 2 previous
    const int seats[3] = {seat, nextSeat(seat), nextSeat(nextSeat(seat))};
    const SuitCode lead = position > 1 ? g.TrickCards[1].suit : kNoSuit;
    for (int i = 1; i <= 8; ++i) {
        const Card mine = start[0][i];
        if (mine.isEmpty() || IsIllegalPlay(start[0], 8, mine, lead, kNoSuit)) continue;
        std::array<HandArray, 3> h = start;
        std::array<Card, 4> trick{};
        for (int p = 1; p < position; ++p) trick[static_cast<size_t>(p)] = g.TrickCards[p];
        trick[static_cast<size_t>(position)] = mine;
        h[0][i] = EmptyCard;
        for (int p = position + 1; p <= 3; ++p) {
            HandArray& other = h[static_cast<size_t>(p - position)];
            SortHand(other, kNoSuit);
            const int slot = OpeningLeadChoice(other, 8, trick, p);
            trick[static_cast<size_t>(p)] = other[slot];
            other[slot] = EmptyCard;
        }
        const int winner = (leader + TrickWinnerPos(trick, kNoSuit) - 1) % 3;
        std::array<int, 3> scores = {g.DealPoints[seats[0]], g.DealPoints[seats[1]],
                                     g.DealPoints[seats[2]]};
        scores[static_cast<size_t>(winner)] +=
            CardPoints(trick[1]) + CardPoints(trick[2]) + CardPoints(trick[3]);
        SearchPosition root;
        int declarer = 1;
        for (int k = 0; k < 3; ++k) {
            const int idx = (winner + k) % 3;
            HandArray hand = h[static_cast<size_t>(idx)];
            SortHand(hand, kNoSuit);
            root.hands[static_cast<size_t>(k)] = hand;
            root.scores[static_cast<size_t>(k)] = scores[static_cast<size_t>(idx)];
            if (seats[idx] == g.Declarer) declarer = k + 1;
        }
        root.position = 1;
        root.trump = kNoSuit;
        root.contract = g.Contract;
        root.declarer = declarer;
        const SearchResult r = PlaySearch(root, SearchOptions{true, &memo});
        nodes += r.nodes;
        values[static_cast<size_t>(i)] = r.line[static_cast<size_t>((seat - g.Declarer + 3) % 3)];
        explored |= 1u << i;
    }
    return nodes;
}

}  // namespace

int ExpertCardChoice(const GameRecord& g, const RuleSettings& rules, int seat, RandomSource& random,
                     SearchMemo& memo, const ExpertBudget& budget, ExpertChoiceStats* stats) {
    ExpertChoiceStats local;
    ExpertChoiceStats& st = stats != nullptr ? *stats : local;
    st = {};
    const int n = g.HandCount[seat];
    if (n <= 1 || n > 8) return n == 1 ? 1 : FirstLegalSlot(g, seat);
    const int position = g.TrickPos >= 1 && g.TrickPos <= 3 ? g.TrickPos : 1;

    const LayoutKnowledge knowledge = BuildLayoutKnowledge(g, seat);
    const DealHistory history = ReadDealHistory(g, seat);
    const bool weigh = history.known && knowledge.consistent;
    const auto weightOf = [&](const Layout& l) {
        double w = 1.0;
        const std::array<std::pair<int, const HandArray*>, 2> opps = {
            std::pair{knowledge.next, &l.next}, std::pair{knowledge.previous, &l.previous}};
        for (const auto& [opp, hand] : opps) {
            HandArray seven;
            if (DealtHand(g, opp, *hand, g.HandCount[opp], history.played[opp], seven))
                w *= AuctionWeight(seven, opp, g, rules);
        }
        return w;
    };

    SearchPosition root = CardSearchRoot(g, seat, position, knowledge);
    SearchOptions search;
    search.prune = n >= 6;
    search.memo = &memo;

    const auto now = [&] {
        return budget.clock ? budget.clock() : std::chrono::steady_clock::now();
    };
    const auto start = now();
    SlotTotals totals;
    for (int k = 0; k < budget.maxLayouts; ++k) {
        if (k >= budget.minLayouts && st.nodes >= budget.playNodes) break;
        if (budget.timeCapMs > 0 && k > 0 &&
            now() - start > std::chrono::milliseconds(budget.timeCapMs))
            break;
        Layout layout = SampleLayout(knowledge, random, g.Trump);
        if (weigh)
            for (int d = 1; d < kDrawsPerLayout; ++d) {
                if (random.uniform(0, 999) < static_cast<int>(weightOf(layout) * 1000)) break;
                layout = SampleLayout(knowledge, random, g.Trump);
            }
        root.hands[1] = layout.next;
        root.hands[2] = layout.previous;
        SearchResult r;
        if (n == 8) {
            r.nodes = firstTrickValues(g, seat, position, layout, memo, r.values, r.explored);
        } else {
            r = PlaySearch(root, search);
        }
        st.nodes += r.nodes;
        ++st.layouts;
        totals.add(r);
    }
    const int best = totals.best();
    return best != 0 ? best : FirstLegalSlot(g, seat);
}

}  // namespace orvala
