// The computer's bid limit and its give choice on seeded random hands.

#include <benchmark/benchmark.h>

#include <vector>

#include "core/ai/bid_limit.h"
#include "core/ai/discard.h"
#include "core/cards/hand_sort.h"
#include "core/game/random_source.h"
#include "core/game/shuffle.h"

namespace orvala {
namespace {

constexpr int kHands = 1024;

std::vector<HandArray> randomHands(int cards, std::uint64_t seed) {
    SeededRandom random(seed);
    std::vector<HandArray> hands;
    for (int n = 0; n < kHands; ++n) {
        const std::array<Card, 25> deck = Shuffle(random);
        HandArray h;
        for (int i = 1; i <= cards; ++i) h[i] = deck[static_cast<size_t>(i)];
        SortHand(h, kNoSuit);
        hands.push_back(h);
    }
    return hands;
}

void BM_ComputerBidLimit(benchmark::State& state) {
    const std::vector<HandArray> hands = randomHands(7, 1);
    const RuleSettings rules;
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputerBidLimit(hands[i], rules));
        i = (i + 1) % hands.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ComputerBidLimit);

void BM_ChooseCardsToGive(benchmark::State& state) {
    const std::vector<HandArray> hands = randomHands(10, 2);
    const RuleSettings rules;
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ChooseCardsToGive(hands[i], 100, rules));
        i = (i + 1) % hands.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ChooseCardsToGive);

}  // namespace
}  // namespace orvala

BENCHMARK_MAIN();
