#include "core/ai/expert_players.h"

#include <algorithm>
#include <vector>

#include "core/ai/auction_evidence.h"
#include "core/ai/declarer_simulation.h"
#include "core/ai/discard.h"
#include "core/cards/hand_sort.h"

namespace orvala {
namespace {

constexpr int kDrawsPerLayout = 24;
constexpr int kTopContract = 300;
constexpr int kContractStep = 10;
constexpr int kFewestLayouts = 4;  // played out whatever the node budget

// The cards of the deck that are not in slots 1..count of `hand`.
std::vector<Card> unseenBy(const HandArray& hand, int count) {
    std::vector<Card> out;
    for (Card c : referenceDeck())
        if (!HasCard(count, hand.cards(), c)) out.push_back(c);
    return out;
}

void shuffle(std::vector<Card>& cards, RandomSource& random) {
    for (int i = static_cast<int>(cards.size()) - 1; i > 0; --i)
        std::swap(cards[static_cast<size_t>(i)], cards[static_cast<size_t>(random.uniform(0, i))]);
}

HandArray handOf(const std::vector<Card>& cards, size_t from, size_t count) {
    HandArray h;
    for (size_t i = 0; i < count; ++i) h[static_cast<int>(i + 1)] = cards[from + i];
    return h;
}

HandArray withCard(HandArray h, Card c) {
    for (int i = 1; i <= kHandSlots; ++i)
        if (h[i].isEmpty()) {
            h[i] = c;
            break;
        }
    return h;
}

HandArray without(const HandArray& h, int count, int slotA, int slotB) {
    HandArray out;
    int n = 0;
    for (int i = 1; i <= count; ++i)
        if (i != slotA && i != slotB && !h[i].isEmpty()) out[++n] = h[i];
    return out;
}

// The highest contract on the ladder above `from` that the declarer makes on a layout, found by
// halving; `from` itself is known to be made. No contract above every card point and the
// declarer's marriages can be made.
int highestMade(const HandArray& decl, const HandArray& first, const HandArray& second, int from,
                SearchMemo& memo, std::int64_t& nodes) {
    int most = 120;
    for (int s = 1; s <= 4; ++s)
        if (HasMarriage(8, decl.cards(), kSuitCodes[static_cast<size_t>(s)]))
            most += kMarriageValues[static_cast<size_t>(s)];
    int lo = from;                                                                          // made
    int hi = std::min(kTopContract, most) / kContractStep * kContractStep + kContractStep;  // not
    while (hi - lo > 5) {
        const int mid = lo + std::max(5, (hi - lo) / 10 * 5);
        const PlayOutcome o = PlayOut(decl, first, second, mid, memo);
        nodes += o.nodes;
        if (o.made)
            lo = mid;
        else
            hi = mid;
    }
    return lo;
}

}  // namespace

bool ExpertPlayers::pastCap(std::chrono::steady_clock::time_point start) const {
    if (budget_.timeCapMs <= 0) return false;
    const auto now = budget_.clock ? budget_.clock() : std::chrono::steady_clock::now();
    return now - start > std::chrono::milliseconds(budget_.timeCapMs);
}

std::chrono::steady_clock::time_point ExpertPlayers::now() const {
    return budget_.clock ? budget_.clock() : std::chrono::steady_clock::now();
}

ExpertPlayers::ExpertPlayers(RandomSource& random, ExpertBudget budget, int memoLog2Entries)
    : random_(random), budget_(std::move(budget)), memo_(memoLog2Entries) {}

int ExpertPlayers::ComputerBidLimit(const GameRecord& g, const RuleSettings& rules, int seat) {
    HandArray seven;
    for (int i = 1; i <= 7; ++i) seven[i] = g.Hand[seat][i];
    std::vector<Card> unseen = unseenBy(seven, 7);
    if (unseen.size() != 17) return 0;
    struct Sample {
        int highest = 0;  // the highest contract made, 0 when 100 fails
        int defenders = 0;
    };
    std::vector<Sample> samples;
    std::int64_t nodes = 0;
    const auto start = now();
    for (int k = 0; k < budget_.bidLayouts; ++k) {
        if (k >= kFewestLayouts && (nodes >= budget_.bidNodes || pastCap(start))) break;
        shuffle(unseen, random_);
        // Declaring: the talon taken, two cards given as the Classic declarer gives them.
        HandArray ten = seven;
        for (int i = 0; i < 3; ++i) ten[8 + i] = unseen[static_cast<size_t>(i)];
        SortHand(ten, kNoSuit);
        const GiveChoice give = ::orvala::ChooseCardsToGive(ten, 100, rules);
        const HandArray decl = without(ten, 10, give.slot1, give.slot2);
        const HandArray first = withCard(handOf(unseen, 3, 7), ten[give.slot1]);
        const HandArray second = withCard(handOf(unseen, 10, 7), ten[give.slot2]);
        const PlayOutcome base = PlayOut(decl, first, second, 100, memo_);
        nodes += base.nodes;
        Sample s;
        s.defenders = base.defenderPoints;
        if (base.made) s.highest = highestMade(decl, first, second, 100, memo_, nodes);
        samples.push_back(s);
    }
    if (samples.empty()) return 0;
    // The mean value of declaring at `bid`, the failing deals given up where the rules allow.
    const auto valueAt = [&](int bid) {
        long long sum = 0;
        for (const Sample& s : samples) {
            if (s.highest >= bid)
                sum += bid - s.defenders / 2;
            else
                sum += rules.RulePainting ? -bid : -bid - s.defenders / 2;
        }
        return static_cast<double>(sum) / static_cast<double>(samples.size());
    };
    int limit = 0;
    for (int bid = 100; bid <= kTopContract; bid += 5) {
        if (valueAt(bid) <= budget_.defenceValue) break;
        limit = bid;
    }
    return limit;
}

GiveChoice ExpertPlayers::ChooseCardsToGive(const GameRecord& g, const RuleSettings& rules,
                                            int seat) {
    const auto start = now();
    const HandArray& ten = g.Hand[seat];
    const int bid = g.CurrentBid;

    // A fallback that the rules always accept: the Classic declarer's choice.
    GiveChoice classic = ::orvala::ChooseCardsToGive(ten, bid, rules);
    classic.painting = false;
    classic.contract = bid;
    std::vector<Card> unseen = unseenBy(ten, 10);
    if (unseen.size() != 14) return classic;

    // The candidate pairs: the best by the Classic valuation, and the Classic choice itself.
    const auto values = evaluatePairs(ten);
    std::vector<int> order(kPairCount);
    for (int k = 0; k < kPairCount; ++k) order[static_cast<size_t>(k)] = k + 1;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const PairValue& x = values[static_cast<size_t>(a)];
        const PairValue& y = values[static_cast<size_t>(b)];
        return x.choiceValue != y.choiceValue ? x.choiceValue > y.choiceValue : x.weight > y.weight;
    });
    std::vector<std::pair<int, int>> candidates;
    auto addPair = [&](int a, int b) {
        for (auto p : {std::pair{a, b}, std::pair{b, a}})
            if (std::find(candidates.begin(), candidates.end(), p) == candidates.end())
                candidates.push_back(p);
    };
    addPair(classic.slot1, classic.slot2);
    for (int k = 0; k < budget_.giveCandidates && k < kPairCount; ++k) {
        const SlotPair sp = pairSlots(order[static_cast<size_t>(k)]);
        addPair(sp.first, sp.second);
    }

    // Layouts of the defenders' seven cards, as likely as their passes make them.
    const int next = nextSeat(seat), previous = nextSeat(next);
    std::vector<std::pair<HandArray, HandArray>> layouts;
    for (int k = 0; k < budget_.giveLayouts; ++k) {
        for (int d = 0; d < kDrawsPerLayout; ++d) {
            shuffle(unseen, random_);
            const double w = AuctionWeight(handOf(unseen, 0, 7), next, g, rules) *
                             AuctionWeight(handOf(unseen, 7, 7), previous, g, rules);
            if (random_.uniform(0, 999) < static_cast<int>(w * 1000)) break;
        }
        layouts.emplace_back(handOf(unseen, 0, 7), handOf(unseen, 7, 7));
    }

    // Every candidate on each layout in turn, until the budget is spent.
    std::vector<std::vector<PlayOutcome>> outcomes(candidates.size());
    std::vector<long long> sums(candidates.size(), 0);
    std::int64_t nodes = 0;
    size_t used = 0;
    for (; used < layouts.size(); ++used) {
        if (used >= static_cast<size_t>(kFewestLayouts) &&
            (nodes >= budget_.giveNodes || pastCap(start)))
            break;
        const auto& [a, b] = layouts[used];
        for (size_t c = 0; c < candidates.size(); ++c) {
            const auto [s1, s2] = candidates[c];
            const PlayOutcome o = PlayOut(without(ten, 10, s1, s2), withCard(a, ten[s1]),
                                          withCard(b, ten[s2]), bid, memo_);
            nodes += o.nodes;
            sums[c] += DeclarerValue(o, bid);
            outcomes[c].push_back(o);
        }
    }
    layouts.resize(used);
    size_t best = 0;
    for (size_t c = 1; c < candidates.size(); ++c)
        if (sums[c] > sums[best]) best = c;
    const std::vector<PlayOutcome>& bestOutcomes = outcomes[best];

    // The contract: the expected value of each rung above the bid on the chosen pair.
    const auto [s1, s2] = candidates[best];
    const HandArray decl = without(ten, 10, s1, s2);
    std::vector<int> highest(layouts.size(), 0);
    long long defenders = 0;
    for (size_t l = 0; l < layouts.size(); ++l) {
        defenders += bestOutcomes[l].defenderPoints;
        if (bestOutcomes[l].made)
            highest[l] = highestMade(decl, withCard(layouts[l].first, ten[s1]),
                                     withCard(layouts[l].second, ten[s2]), bid, memo_, nodes);
    }
    const auto n = static_cast<long long>(layouts.size());
    int contract = bid;
    long long bestSum = 0;
    for (int c = bid; c <= std::max(bid, kTopContract); c += kContractStep) {
        long long sum = -defenders / 2;
        const int needed = c == bid ? c : c + budget_.raiseMargin;
        for (int h : highest) sum += h >= needed ? c : -c;
        if (c == bid || sum > bestSum) {
            bestSum = sum;
            contract = c;
        }
    }
    lastGive_.layouts = static_cast<int>(n);
    lastGive_.value = n > 0 ? static_cast<double>(bestSum) / static_cast<double>(n) : 0;
    int makes = 0;
    for (int h : highest) makes += h >= contract ? 1 : 0;
    lastGive_.makeShare = n > 0 ? static_cast<double>(makes) / static_cast<double>(n) : 0;
    GiveChoice out;
    out.slot1 = s1;
    out.slot2 = s2;
    out.contract = contract;
    // Giving up costs the bid and nothing else.
    out.painting = rules.RulePainting && bestSum < -static_cast<long long>(bid) * n;
    if (out.painting) out.contract = bid;
    return out;
}

int ExpertPlayers::ChooseComputerCard(const GameRecord& g, const RuleSettings& rules, int seat) {
    return ExpertCardChoice(g, rules, seat, random_, memo_, budget_, &last_);
}

int ExpertPlayers::AskContract(const GameRecord& g, const RuleSettings&) {
    return g.Contract;
}

}  // namespace orvala
