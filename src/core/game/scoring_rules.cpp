#include "core/game/scoring_rules.h"

namespace orvala {

int roundToFive(int points) {
    switch (points % 5) {
        case 1:
            return points - 1;
        case 2:
            return points - 2;
        case 3:
            return points + 2;
        case 4:
            return points + 1;
        default:
            return points;
    }
}

std::array<int, 4> FinalResults(const PerSeat<int>& score) {
    std::array<int, 4> r{};
    for (int i = 1; i <= 3; ++i) {
        const int j = nextSeat(i), k = nextSeat(j);
        r[i] = score[j] + score[k] - 2 * score[i];
    }
    return r;
}

DealSettlement settleDeal(const GameRecord& g, const RuleSettings& rules) {
    DealSettlement d;
    d.Score = g.Score;
    d.BoltCount = g.BoltCount;
    const int decl = g.Declarer, o1 = nextSeat(decl), o2 = nextSeat(o1);

    // Step 1. The declarer's score moves by exactly the contract.
    d.contractMade = g.DealPoints[decl] >= g.Contract;
    d.Score[decl] += d.contractMade ? -g.Contract : g.Contract;
    if (d.Score[1] > 0 && d.Score[2] > 0 && d.Score[3] > 0)
        d.contractSound = d.contractMade ? "WKoGutX" : "WKoBadX";

    // Steps 2 and 3. Defenders' points, rounded, and the barrel (tested on the score before).
    for (int o : {o1, o2}) {
        const int points = rules.RuleRoundToFive ? roundToFive(g.DealPoints[o]) : g.DealPoints[o];
        if (!rules.RuleBarrel || d.Score[o] > 120) d.Score[o] -= points;
    }

    // Step 4. Bolts: deals of zero points, counted and penalised by the chosen mode.
    if (rules.RuleBolts) {
        const int limit = rules.RuleBoltPenaltyMode == 3 ? 5 : 3;
        for (int s : {o1, o2, decl}) {
            const bool bolt = g.DealPoints[s] == 0;
            if (bolt)
                ++d.BoltCount[s];
            else if (rules.RuleBoltPenaltyMode == 1)
                d.BoltCount[s] = 0;
            if (d.BoltCount[s] >= limit) {
                d.Score[s] += 120;
                d.BoltCount[s] = 0;
                ++d.penalties;
            }
        }
    }
    d.boltSounds = d.penalties < 2 ? d.penalties : 2;

    // Step 8. The game ends when any score is 0 or less.
    d.gameOver = d.Score[1] <= 0 || d.Score[2] <= 0 || d.Score[3] <= 0;
    if (d.gameOver) {
        d.results = FinalResults(d.Score);
        d.endSound = d.results[3] >= 0 ? "WKoGood" : "WKoBads";
    }
    return d;
}

}  // namespace orvala
