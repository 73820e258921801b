// orvala-tool match: two levels of computer players over duplicate deals. Each seeded deal is
// dealt three times, with A in seat 1, 2 and 3 in turn and B in the other two seats, so every
// hand is played by both; a deal counts as A's points against the mean of B's two seats
// (points a seat's score came down by, as the count-down game counts them), averaged over the
// three turns. It prints the mean of that over the deals with its standard error, and the
// slowest single decision, and each level's median and slowest decision. With --threads N the deals
// are shared among N workers; every deal's figures depend only on its seed, so the result is the
// same for any N.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "commands.h"
#include "core/ai/computer_players.h"
#include "core/ai/expert_players.h"
#include "core/game/autopilot.h"
#include "core/game/random_players.h"
#include "core/game/round_driver.h"

namespace orvala::tool {
namespace {

using Clock = std::chrono::steady_clock;

// One level of computer players with its own random source.
struct Level {
    std::unique_ptr<SeededRandom> random;
    std::unique_ptr<PlayersPort> players;
};

Level makeLevel(const std::string& name, std::uint64_t seed) {
    Level level;
    level.random = std::make_unique<SeededRandom>(seed);
    if (name == "classic") {
        level.players = std::make_unique<ComputerPlayers>(*level.random);
        return level;
    }
    // Layouts weighted by what was seen, each played out exactly, for every decision.
    if (name == "expert") {
        level.players = std::make_unique<ExpertPlayers>(*level.random);
        return level;
    }
    // Legal choices at random: the floor any level must beat by far.
    if (name == "random") {
        level.players = std::make_unique<RandomPlayers>(*level.random);
        return level;
    }
    throw UsageError("the levels are classic, expert and random (not " + name + ")");
}

// The seat's level answers for it; every decision is timed.
class SeatPlayers final : public PlayersPort {
  public:
    SeatPlayers(PlayersPort& a, PlayersPort& b, int seatOfA) : a_(a), b_(b), seatOfA_(seatOfA) {}

    PlayersPort& of(int seat) { return seat == seatOfA_ ? a_ : b_; }
    template <class F>
    auto timed(int seat, F f) {
        const auto start = Clock::now();
        auto answer = f();
        (seat == seatOfA_ ? timesA : timesB)
            .push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        return answer;
    }

    int ComputerBidLimit(const GameRecord& g, const RuleSettings& r, int seat) override {
        return timed(seat, [&] { return of(seat).ComputerBidLimit(g, r, seat); });
    }
    GiveChoice ChooseCardsToGive(const GameRecord& g, const RuleSettings& r, int seat) override {
        return timed(seat, [&] { return of(seat).ChooseCardsToGive(g, r, seat); });
    }
    int ChooseComputerCard(const GameRecord& g, const RuleSettings& r, int seat) override {
        return timed(seat, [&] { return of(seat).ChooseComputerCard(g, r, seat); });
    }
    int AskContract(const GameRecord& g, const RuleSettings& r) override {
        return timed(g.Declarer, [&] { return of(g.Declarer).AskContract(g, r); });
    }

    std::vector<double> timesA, timesB;  // every decision of each level, in order

  private:
    PlayersPort& a_;
    PlayersPort& b_;
    int seatOfA_;
};

}  // namespace

int runMatch(Args& args) {
    const auto dealsText = args.value("deals");
    const auto seedText = args.value("seed");
    const auto aText = args.value("a");
    const auto bText = args.value("b");
    const auto rulesText = args.value("rules");
    const auto threadsText = args.value("threads");
    args.finish();
    if (!dealsText || !seedText || !aText || !bText)
        throw UsageError("--deals, --seed, --a and --b are required");
    const int deals = parseInt(*dealsText, "--deals", 2, 1000000);
    const auto seed = static_cast<std::uint64_t>(parseInt(*seedText, "--seed", 0, 2147483647));
    const int threads = threadsText ? parseInt(*threadsText, "--threads", 1, 64) : 1;
    const RuleSettings rules = rulesText ? parseRulesArg(*rulesText) : RuleSettings{};
    makeLevel(*aText, 0);  // both levels are known before anything is played
    makeLevel(*bText, 0);

    std::vector<double> perDeal(static_cast<std::size_t>(deals));
    std::vector<std::vector<double>> timesA(static_cast<std::size_t>(deals)),
        timesB(static_cast<std::size_t>(deals));
    std::vector<int> stuck(static_cast<std::size_t>(deals), 0);
    const auto playDeal = [&](int d) {
        const std::uint64_t dealSeed = seed * 1'000'003ull + static_cast<std::uint64_t>(d);
        double sum = 0;
        for (int seatOfA = 1; seatOfA <= 3; ++seatOfA) {
            // The same deck and the same draws of each level in every turn.
            SeededRandom deck(dealSeed);
            Level a = makeLevel(*aText, dealSeed ^ 0xA5A5A5A5ull);
            Level b = makeLevel(*bText, dealSeed ^ 0x5A5A5A5Aull);
            SeatPlayers seats(*a.players, *b.players, seatOfA);
            AutoPilot pilot(seats);
            RoundDriver driver(pilot, deck);
            driver.setRules(rules);
            driver.startNewGame(PlayerStart{});
            const PerSeat<int> start = driver.record().Score;
            if (pilot.playDeal(driver) < 0) {
                stuck[static_cast<std::size_t>(d)] = 1;
                return;
            }
            const PerSeat<int> end = driver.record().Score;
            // Points a seat's score came down by: the count-down game's gain.
            const auto gain = [&](int seat) {
                return static_cast<double>(start[static_cast<std::size_t>(seat)] -
                                           end[static_cast<std::size_t>(seat)]);
            };
            double others = 0;
            for (int seat = 1; seat <= 3; ++seat)
                if (seat != seatOfA) others += gain(seat) / 2;
            sum += gain(seatOfA) - others;
            auto& ta = timesA[static_cast<std::size_t>(d)];
            ta.insert(ta.end(), seats.timesA.begin(), seats.timesA.end());
            auto& tb = timesB[static_cast<std::size_t>(d)];
            tb.insert(tb.end(), seats.timesB.begin(), seats.timesB.end());
        }
        perDeal[static_cast<std::size_t>(d)] = sum / 3;
    };
    std::vector<std::thread> workers;
    for (int w = 0; w < threads; ++w)
        workers.emplace_back([&, w] {
            for (int d = w; d < deals; d += threads) playDeal(d);
        });
    for (auto& t : workers) t.join();
    for (int d = 0; d < deals; ++d)
        if (stuck[static_cast<std::size_t>(d)] != 0) {
            std::fprintf(stderr, "orvala-tool match: deal %d does not come to an end\n", d + 1);
            return 1;
        }
    // The median and slowest decision of a level.
    const auto figures = [](const std::vector<std::vector<double>>& perDealTimes) {
        std::vector<double> all;
        for (const auto& t : perDealTimes) all.insert(all.end(), t.begin(), t.end());
        std::sort(all.begin(), all.end());
        return all.empty() ? std::pair{0.0, 0.0} : std::pair{all[all.size() / 2], all.back()};
    };
    const auto [medianA, slowestA] = figures(timesA);
    const auto [medianB, slowestB] = figures(timesB);
    double mean = 0;
    for (const double x : perDeal) mean += x;
    mean /= static_cast<double>(deals);
    double var = 0;
    for (const double x : perDeal) var += (x - mean) * (x - mean);
    var /= static_cast<double>(deals - 1);
    const double se = std::sqrt(var / static_cast<double>(deals));
    std::printf("match deals %d a-minus-b %.2f se %.2f\n", deals, mean, se);
    std::printf("match slowest-decision-ms %.1f\n", std::max(slowestA, slowestB));
    std::printf("match a-decision-ms median %.1f slowest %.1f\n", medianA, slowestA);
    std::printf("match b-decision-ms median %.1f slowest %.1f\n", medianB, slowestB);
    return 0;
}

}  // namespace orvala::tool
