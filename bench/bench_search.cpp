// The card-play search and the card choice: the fast search and the literal oracle on the same
// seeded layouts at every hand size, the card choice at every hand size with the game's layout
// counts (median and slowest choice as counters), and whole self-play games.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "core/ai/card_choice.h"
#include "core/ai/computer_players.h"
#include "core/ai/play_search.h"
#include "core/ai/search_memo.h"
#include "core/ai/search_oracle.h"
#include "core/ai/search_samples.h"
#include "core/game/autopilot.h"
#include "core/game/random_players.h"
#include "decision_times.h"

namespace orvala {
namespace {

std::vector<SearchPosition> layouts(int cards, int count) {
    SeededRandom random(1000 + static_cast<std::uint64_t>(cards));
    std::vector<SearchPosition> out;
    for (int k = 0; k < count; ++k) out.push_back(RandomSearchPosition(random, cards));
    return out;
}

int layoutCount(int cards) {
    return cards <= 4 ? 64 : cards <= 6 ? 16 : 8;
}

// One iteration solves every layout of the set once, with a memo emptied before the set.
void BM_Search(benchmark::State& state) {
    const int cards = static_cast<int>(state.range(0));
    const bool prune = state.range(1) != 0;
    const auto set = layouts(cards, layoutCount(cards));
    // Sized to the searches, so that emptying it before each set costs little beside them.
    SearchMemo memo(cards <= 3 ? 8 : cards <= 5 ? 12 : 15);
    std::int64_t nodes = 0;
    for (auto _ : state) {
        memo.clear();
        for (const auto& p : set) nodes += PlaySearch(p, SearchOptions{prune, &memo}).nodes;
    }
    state.counters["nodes/s"] =
        benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
    state.counters["solves/s"] = benchmark::Counter(
        static_cast<double>(state.iterations() * static_cast<std::int64_t>(set.size())),
        benchmark::Counter::kIsRate);
}

void BM_Oracle(benchmark::State& state) {
    const int cards = static_cast<int>(state.range(0));
    const bool prune = state.range(1) != 0;
    const auto set = layouts(cards, layoutCount(cards));
    std::int64_t nodes = 0;
    for (auto _ : state)
        for (const auto& p : set) nodes += OraclePlaySearch(p, prune).nodes;
    state.counters["nodes/s"] =
        benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
    state.counters["solves/s"] = benchmark::Counter(
        static_cast<double>(state.iterations() * static_cast<std::int64_t>(set.size())),
        benchmark::Counter::kIsRate);
}

// Game records where a computer seat is to play with `cards` in hand, from seeded games played
// by random players up to that point.
std::vector<GameRecord> decisions(int cards, int count) {
    std::vector<GameRecord> out;
    for (std::uint64_t seed = 1; out.size() < static_cast<size_t>(count) && seed < 10000; ++seed) {
        SeededRandom deck(seed), play(seed * 31 + 7);
        RandomPlayers players(play);
        AutoPilot pilot(players);
        RoundDriver driver(pilot, deck);
        driver.startNewGame({});
        for (int steps = 0; steps < 400; ++steps) {
            const GameRecord& g = driver.record();
            if ((g.GameState == GameState::Seat1Plays || g.GameState == GameState::Seat2Plays) &&
                g.HandCount[seatToPlay(g.GameState)] == cards) {
                out.push_back(g);
                break;
            }
            if (!pilot.step(driver)) break;
        }
    }
    return out;
}

// Every choice of the set is timed on its own; the counters give the median and the slowest.
void BM_ChooseComputerCard(benchmark::State& state) {
    const int cards = static_cast<int>(state.range(0));
    const auto set = decisions(cards, 40);
    SeededRandom random(5);
    SearchMemo memo(17);
    std::vector<double> ms;
    for (auto _ : state)
        for (const GameRecord& g : set)
            ms.push_back(orvala::bench::millisecondsOf([&] {
                return ChooseComputerCard(g, seatToPlay(g.GameState), random, memo, {});
            }));
    orvala::bench::reportTimes(state, std::move(ms), "choices");
}

void BM_SelfplayGame(benchmark::State& state) {
    std::uint64_t seed = 1;
    for (auto _ : state) {
        SeededRandom deck(seed), think(seed + 99);
        ++seed;
        ComputerPlayers computer(think);
        AutoPilot pilot(computer);
        RoundDriver driver(pilot, deck);
        driver.startNewGame({});
        for (int deal = 0; deal < 500; ++deal) {
            pilot.playDeal(driver, 2000);
            driver.takeEvents();
            if (driver.record().GameState == GameState::GameOver) break;
            driver.pressButton7();
        }
    }
    state.counters["games/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void searchArgs(benchmark::internal::Benchmark* b) {
    for (int cards = 2; cards <= 7; ++cards)
        for (int prune = 0; prune <= 1; ++prune)
            if (prune || cards <= 6) b->Args({cards, prune});
}
void oracleArgs(benchmark::internal::Benchmark* b) {
    for (int cards = 2; cards <= 7; ++cards)
        for (int prune = 0; prune <= 1; ++prune)
            if (prune || cards <= 5) b->Args({cards, prune});
}

BENCHMARK(BM_Search)->Apply(searchArgs)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Oracle)->Apply(oracleArgs)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ChooseComputerCard)->DenseRange(2, 7)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelfplayGame)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orvala

BENCHMARK_MAIN();
