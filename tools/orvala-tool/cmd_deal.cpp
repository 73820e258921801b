// orvala-tool deal: the deals of one new game, as dealt. Between deals the game is played on by
// players making random legal choices, so the scores move as in a real game.

#include <iostream>
#include <memory>

#include "commands.h"
#include "core/game/autopilot.h"
#include "core/game/random_players.h"

namespace orvala::tool {
namespace {

void printHand(const char* label, const HandArray& hand, int count) {
    std::cout << label;
    for (int i = 1; i <= count; ++i) std::cout << ' ' << toLatin(hand[i]);
    std::cout << '\n';
}

}  // namespace

int runDeal(Args& args) {
    auto seed = args.value("seed");
    auto kon = args.value("kon");
    auto deals = args.value("deals");
    const bool start500 = args.flag("start500");
    args.finish();

    std::unique_ptr<RandomSource> shuffleRandom;
    std::unique_ptr<RandomSource> playRandom;
    if (seed) {
        const int s = parseInt(*seed, "--seed", 0, 2147483647);
        shuffleRandom = std::make_unique<SeededRandom>(static_cast<std::uint64_t>(s));
        playRandom = std::make_unique<SeededRandom>(static_cast<std::uint64_t>(s) + 0x9E3779B9u);
    } else {
        shuffleRandom = std::make_unique<ClockRandom>();
        playRandom = std::make_unique<ClockRandom>();
    }
    const int dealCount = deals ? parseInt(*deals, "--deals", 1, 1000) : 1;

    RandomPlayers players(*playRandom);
    AutoPilot pilot(players);
    RoundDriver driver(pilot, *shuffleRandom);
    RuleSettings rules;
    rules.RuleStartWith500 = start500;
    driver.setRules(rules);
    PlayerStart player;
    player.storedGameCounter = kon ? parseInt(*kon, "--kon", 0, 1000000000) : -1;
    driver.startNewGame(player);

    for (int d = 1; d <= dealCount; ++d) {
        const GameRecord& g = driver.record();
        std::cout << "deal " << g.DealNumber << '\n';
        std::cout << "first-bidder " << g.FirstBidder << '\n';
        printHand("seat1", g.Hand[1], g.HandCount[1]);
        printHand("seat2", g.Hand[2], g.HandCount[2]);
        printHand("seat3", g.Hand[3], g.HandCount[3]);
        std::cout << "talon " << toLatin(g.Talon(1)) << ' ' << toLatin(g.Talon(2)) << ' '
                  << toLatin(g.Talon(3)) << '\n';
        std::cout << "scores " << g.Score[1] << ' ' << g.Score[2] << ' ' << g.Score[3] << '\n';
        if (d == dealCount) break;

        if (pilot.playDeal(driver) < 0) {
            std::cerr << "orvala-tool deal: the deal did not come to an end\n";
            return 1;
        }
        std::cout << "played declarer " << g.Declarer << " contract " << g.Contract << " points "
                  << g.DealPoints[1] << ' ' << g.DealPoints[2] << ' ' << g.DealPoints[3]
                  << (g.GameState == GameState::DealScored && g.TrickNumber == 1 ? " painting" : "") << '\n';
        if (g.GameState == GameState::GameOver) {
            std::cout << "game over\n";
            break;
        }
        driver.pressButton7();  // "Next Round"
        driver.takeEvents();
    }
    return 0;
}

}  // namespace orvala::tool
