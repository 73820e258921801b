// The Expert player's decision times with its default budget: the card with seven cards in hand
// and the bid limit at the start of the auction, each decision timed on its own; the counters
// give the median and the slowest.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

#include "core/ai/expert_players.h"
#include "core/game/autopilot.h"
#include "core/game/random_players.h"
#include "decision_times.h"

namespace orvala {
namespace {

// Records of seeded games of random players at the moment a question is asked, one a game.
class Collector final : public PlayersPort {
  public:
    Collector(RandomPlayers& inner, std::function<bool(const GameRecord&, int, bool)> want)
        : inner_(inner), want_(std::move(want)) {}
    int ComputerBidLimit(const GameRecord& g, const RuleSettings& r, int seat) override {
        keep(g, seat, true);
        return inner_.ComputerBidLimit(g, r, seat);
    }
    GiveChoice ChooseCardsToGive(const GameRecord& g, const RuleSettings& r, int seat) override {
        return inner_.ChooseCardsToGive(g, r, seat);
    }
    int ChooseComputerCard(const GameRecord& g, const RuleSettings& r, int seat) override {
        keep(g, seat, false);
        return inner_.ChooseComputerCard(g, r, seat);
    }
    int AskContract(const GameRecord& g, const RuleSettings& r) override {
        return inner_.AskContract(g, r);
    }
    std::vector<std::pair<GameRecord, int>> kept;
    bool taken = false;

  private:
    void keep(const GameRecord& g, int seat, bool bidding) {
        if (!taken && want_(g, seat, bidding)) {
            kept.emplace_back(g, seat);
            taken = true;
        }
    }
    RandomPlayers& inner_;
    std::function<bool(const GameRecord&, int, bool)> want_;
};

std::vector<std::pair<GameRecord, int>> questions(
    int count, const std::function<bool(const GameRecord&, int, bool)>& want) {
    std::vector<std::pair<GameRecord, int>> out;
    for (std::uint64_t seed = 1; out.size() < static_cast<size_t>(count) && seed < 1000; ++seed) {
        SeededRandom deck(seed), play(seed * 31 + 7);
        RandomPlayers players(play);
        Collector collector(players, want);
        AutoPilot pilot(collector);
        RoundDriver driver(pilot, deck);
        driver.startNewGame({});
        pilot.playDeal(driver);
        out.insert(out.end(), collector.kept.begin(), collector.kept.end());
    }
    return out;
}

void timeEach(benchmark::State& state, const std::vector<std::pair<GameRecord, int>>& set,
              const std::function<int(ExpertPlayers&, const GameRecord&, int)>& decide) {
    SeededRandom random(5);
    ExpertPlayers expert(random);
    std::vector<double> ms;
    for (auto _ : state)
        for (const auto& [g, seat] : set)
            ms.push_back(orvala::bench::millisecondsOf([&] { return decide(expert, g, seat); }));
    orvala::bench::reportTimes(state, std::move(ms), "decisions");
}

void BM_ExpertCardAt7(benchmark::State& state) {
    const auto set = questions(30, [](const GameRecord& g, int seat, bool bidding) {
        return !bidding && g.HandCount[seat] == 7;
    });
    timeEach(state, set, [](ExpertPlayers& e, const GameRecord& g, int seat) {
        return e.ChooseComputerCard(g, RuleSettings{}, seat);
    });
}

void BM_ExpertBidLimit(benchmark::State& state) {
    const auto set = questions(30, [](const GameRecord&, int, bool bidding) { return bidding; });
    timeEach(state, set, [](ExpertPlayers& e, const GameRecord& g, int seat) {
        return e.ComputerBidLimit(g, RuleSettings{}, seat);
    });
}

BENCHMARK(BM_ExpertCardAt7)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExpertBidLimit)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orvala

BENCHMARK_MAIN();
