#include "core/online/account_rating.h"

#include <algorithm>

namespace orvala::online {

GameResults startedGame(GameResults r) {
    const double k = static_cast<double>(r.Kon);
    const double k1 = k + 1;
    r.Rating = (k * (r.Rating - k / kRatingDivisor) - kProvisionalLoss) / k1 + k1 / kRatingDivisor;
    r.Kon += 1;
    r.KonL = 0;
    r.Score = 0;
    return r;
}

GameResults finishedGame(GameResults r, const GameResults& atStart, std::int64_t result) {
    const std::int64_t cycleScore = atStart.Score + result;
    const double k = static_cast<double>(r.Kon);
    if (r.Kon > 0)
        r.Rating = k / kRatingDivisor + (k * (r.Rating - k / kRatingDivisor) + kProvisionalLoss +
                                         static_cast<double>(result)) /
                                            k;
    if (atStart.KonL + 1 > kCycleGames - 1) {
        r.Best = std::max(r.Best, cycleScore);
        r.Sessions += 1;
        r.KonL = 0;
        r.Score = 0;
    } else {
        r.KonL = atStart.KonL + 1;
        r.Score = cycleScore;
    }
    return r;
}

bool closedCycle(const GameResults& before, const GameResults& after) {
    return after.Sessions == before.Sessions + 1 && after.KonL == 0;
}

int cyclePlaceReward(std::int64_t place) {
    if (place == 1) return 25;
    return place >= 2 && place <= 10 ? 10 : 0;
}

std::array<std::int64_t, 12> gameReportValues(const GameReport& g) {
    std::array<std::int64_t, 12> v{};
    if (g.againstComputer) {
        v[0] = 1;
        v[1] = g.completedCycle ? 1 : 0;
        v[2] = g.result > 0 ? g.result : 0;
        v[3] = g.result < 0 ? -g.result : 0;
    }
    v[4] = g.lanHost ? 1 : 0;
    v[5] = g.tournamentSeat1 ? 1 : 0;
    return v;
}

}  // namespace orvala::online
