// orvala-tool score: the settlement of one played deal.

#include <iostream>

#include "commands.h"
#include "core/game/scoring_rules.h"

namespace orvala::tool {

int runScore(Args& args) {
    auto declarer = args.value("declarer");
    auto contract = args.value("contract");
    auto points = args.value("points");
    auto scores = args.value("scores");
    auto bolts = args.value("bolts");
    auto rulesLine = args.value("rules");
    args.finish();
    if (!declarer || !contract || !points || !scores)
        throw UsageError("--declarer, --contract, --points and --scores are required");

    GameRecord g;
    g.Declarer = parseSeat(*declarer, "--declarer");
    g.Contract = parseInt(*contract, "--contract", 0, 100000);
    const auto p = parseIntList(*points, "--points", 3, 0, 100000);
    const auto s = parseIntList(*scores, "--scores", 3, -1000000, 1000000);
    const auto b = bolts ? parseIntList(*bolts, "--bolts", 3, 0, 255) : std::vector<int>{0, 0, 0};
    for (int i = 1; i <= 3; ++i) {
        g.DealPoints[i] = p[i - 1];
        g.Score[i] = s[i - 1];
        g.BoltCount[i] = b[i - 1];
    }
    const RuleSettings rules = rulesLine ? parseRulesArg(*rulesLine) : RuleSettings{};

    const DealSettlement d = settleDeal(g, rules);
    std::cout << "scores " << d.Score[1] << ' ' << d.Score[2] << ' ' << d.Score[3] << '\n';
    std::cout << "bolts " << d.BoltCount[1] << ' ' << d.BoltCount[2] << ' ' << d.BoltCount[3]
              << '\n';
    std::cout << "sounds";
    if (!d.contractSound.empty()) std::cout << ' ' << d.contractSound;
    for (int i = 0; i < d.boltSounds; ++i) std::cout << " WKoloNo";
    if (!d.endSound.empty()) std::cout << ' ' << d.endSound;
    std::cout << '\n';
    std::cout << "state " << (d.gameOver ? 21 : 20) << '\n';
    if (d.gameOver)
        std::cout << "results " << d.results[1] << ' ' << d.results[2] << ' ' << d.results[3]
                  << '\n';
    return 0;
}

}  // namespace orvala::tool
