// orvala-tool selfplay: whole games with the computer players in all three seats, through the
// round driver (seat 3 presses its own buttons through the autopilot). After every deal it
// checks the record: every card in one place, 120 card points in a played deal, and the scores
// moved exactly as the rules settle them. Every card a player chose must be legal.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>

#include "commands.h"
#include "core/ai/computer_players.h"
#include "core/game/autopilot.h"
#include "core/game/follow_rules.h"
#include "core/game/scoring_rules.h"
#include "core/text/atomic_file.h"

namespace orvala::tool {
namespace {

using Clock = std::chrono::steady_clock;

// Times every decision and checks every card against the follow rules.
class CheckedPlayers final : public PlayersPort {
  public:
    explicit CheckedPlayers(PlayersPort& inner) : inner_(inner) {}

    template <class F>
    auto timed(F f) {
        const auto start = Clock::now();
        auto answer = f();
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        ++decisions;
        slowestMs = std::max(slowestMs, ms);
        return answer;
    }

    int ComputerBidLimit(const GameRecord& g, const RuleSettings& r, int seat) override {
        return timed([&] { return inner_.ComputerBidLimit(g, r, seat); });
    }
    GiveChoice ChooseCardsToGive(const GameRecord& g, const RuleSettings& r, int seat) override {
        return timed([&] { return inner_.ChooseCardsToGive(g, r, seat); });
    }
    int ChooseComputerCard(const GameRecord& g, const RuleSettings& r, int seat) override {
        const int k = timed([&] { return inner_.ChooseComputerCard(g, r, seat); });
        const SuitCode lead = g.TrickPos > 1 ? g.LeadSuit : kNoSuit;
        const bool held = k >= 1 && k <= g.HandCount[seat] && !g.Hand[seat][k].isEmpty();
        if (!held || IsIllegalPlay(g.Hand[seat], g.HandCount[seat], g.Hand[seat][k], lead, g.Trump))
            fault = "seat " + std::to_string(seat) + " chose slot " + std::to_string(k) +
                    ", which it may not play";
        return k;
    }
    int AskContract(const GameRecord& g, const RuleSettings& r) override {
        return inner_.AskContract(g, r);
    }

    long long decisions = 0;
    double slowestMs = 0;
    std::string fault;

  private:
    PlayersPort& inner_;
};

}  // namespace

int runSelfplay(Args& args) {
    const auto gamesText = args.value("games");
    const auto seedText = args.value("seed");
    const auto rulesText = args.value("rules");
    const auto logPath = args.value("log");
    args.finish();
    if (!gamesText) throw UsageError("--games is required");
    if (!seedText) throw UsageError("--seed is required");
    const int games = parseInt(*gamesText, "--games", 1, 100000);
    const auto seed = static_cast<std::uint64_t>(parseInt(*seedText, "--seed", 0, 2147483647));
    const RuleSettings rules = rulesText ? parseRulesArg(*rulesText) : RuleSettings{};

    SeededRandom deck(seed);
    SeededRandom think(seed ^ 0x5DEECE66Dull);
    ComputerPlayers computer(think);
    CheckedPlayers checked(computer);
    AutoPilot pilot(checked);
    RoundDriver driver(pilot, deck);
    driver.setRules(rules);

    std::string log;
    auto fail = [&](int game, int deal, const std::string& why) {
        std::cerr << "orvala-tool selfplay: game " << game << " deal " << deal << ": " << why
                  << '\n';
        if (logPath) writeFileAtomically(*logPath, log);
        return 1;
    };

    const auto start = Clock::now();
    long long deals = 0;
    for (int game = 1; game <= games; ++game) {
        PlayerStart player;
        player.name = "Self";
        player.storedGameCounter = game;
        driver.startNewGame(player);
        for (int deal = 1;; ++deal) {
            if (deal > 500) return fail(game, deal, "the game does not come to an end");
            const GameRecord& g = driver.record();
            if (logPath)
                log += "game " + std::to_string(game) + " deal " + std::to_string(deal) + '\n';
            const PerSeat<int> scoresBefore = g.Score;
            const PerSeat<int> boltsBefore = g.BoltCount;
            GameRecord beforeScoring;
            bool scored = false;
            int marriages = 0;
            int steps = 0;
            for (;; ++steps) {
                if (steps > 2000) return fail(game, deal, "the deal does not come to an end");
                if (g.GameState == GameState::AllPlayed) {
                    beforeScoring = g;
                    scored = true;
                }
                const int trickPos = g.TrickPos;
                if (!pilot.step(driver)) break;
                for (const TableEvent& e : driver.takeEvents())
                    if (logPath) log += describe(e) + '\n';
                if (!checked.fault.empty()) return fail(game, deal, checked.fault);
                if (auto fault = checkConsistency(g)) return fail(game, deal, *fault);
                if (trickPos == 1 && g.TrickPos == 2 && g.MarriageDeclared != 0)
                    marriages += kMarriageValues[static_cast<size_t>(g.MarriageDeclared)];
            }
            ++deals;
            if (scored) {
                const int cardPoints =
                    g.DealPoints[1] + g.DealPoints[2] + g.DealPoints[3] - marriages;
                if (cardPoints != 120)
                    return fail(game, deal,
                                "the tricks hold " + std::to_string(cardPoints) + " card points");
                const DealSettlement want = settleDeal(beforeScoring, rules);
                if (g.Score != want.Score || g.BoltCount != want.BoltCount)
                    return fail(game, deal, "the scores are not those the rules give");
            } else {
                // Given up: the declarer pays the contract and nothing else changes.
                PerSeat<int> want = scoresBefore;
                want[g.Declarer] += g.Contract;
                if (g.Score != want || g.BoltCount != boltsBefore)
                    return fail(game, deal, "a give-up changed the scores wrongly");
            }
            if (g.GameState == GameState::GameOver) break;
            driver.pressButton7();  // "Next Round"
        }
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (logPath && !writeFileAtomically(*logPath, log)) {
        std::cerr << "orvala-tool selfplay: cannot write " << *logPath << '\n';
        return 1;
    }
    std::printf(
        "selfplay: games %d deals %lld seconds %.1f decisions %lld slowest-decision-ms %.1f\n",
        games, deals, seconds, checked.decisions, checked.slowestMs);
    return 0;
}

}  // namespace orvala::tool
