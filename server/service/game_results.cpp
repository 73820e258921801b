#include "service/game_results.h"

#include <cmath>

#include "core/online/account_rating.h"

namespace orvala::service {
namespace {

// A result is S_other1 + S_other2 - 2 * S_own. While no score rises above its start (1000),
// and the last deal takes at most 400 from a score still above 0, that is at most
// 2 * 1000 + 2 * 399 either way.
constexpr std::int64_t kStillResult = 2800;
// Scores rise only by failed contracts and bolt penalties, at most once a deal for each seat;
// with contracts up to 400 and penalties of 120 a deal moves a result by at most
// 2 * (400 + 120) + 2 * 120, and no deal is played in less than 20 seconds.
constexpr std::int64_t kRisePerDeal = 1280;
constexpr std::int64_t kQuickestDealSeconds = 20;

bool sameRating(double a, double b) {
    return std::fabs(a - b) <= 1e-6 * std::max(1.0, std::fabs(b));
}

bool sameCounters(const online::GameResults& a, const online::GameResults& b) {
    return a.Kon == b.Kon && a.Best == b.Best && a.Sessions == b.Sessions && a.KonL == b.KonL &&
           a.Score == b.Score && sameRating(a.Rating, b.Rating);
}

}  // namespace

std::int64_t largestGameResult(std::int64_t seconds) {
    return kStillResult +
           kRisePerDeal * (std::max<std::int64_t>(seconds, 0) / kQuickestDealSeconds);
}

std::int64_t largestCycleScore() {
    return online::kCycleGames * kStillResult;
}

ResultsDecision judgeResultsWrite(const StoredResults& stored, const online::GameResults& wrote,
                                  std::int64_t now) {
    using Kind = ResultsDecision::Kind;
    ResultsDecision d;
    const online::GameResults& s = stored.shown;
    // The same write again, after its answer was lost.
    if (sameCounters(wrote, s)) {
        d.kind = Kind::Repeat;
        return d;
    }
    const online::GameResults started = online::startedGame(s);
    if (sameCounters(wrote, started)) {
        d.kind = Kind::Start;
        d.store = started;
        return d;
    }
    if (stored.startedAt == 0 || wrote.Kon != s.Kon || s.Kon < 1) return d;
    const std::int64_t seconds = now - stored.startedAt;
    if (seconds < kMinGameSeconds) return d;
    online::GameResults atStart = s;
    atStart.KonL = stored.startKonL;
    atStart.Score = stored.startScore;
    // The one result the write can stand for: the cycle's growth, the new best, or (a cycle
    // closed below its best) the rating's change.
    std::int64_t result;
    if (stored.startKonL + 1 < online::kCycleGames)
        result = wrote.Score - stored.startScore;
    else if (wrote.Best > s.Best)
        result = wrote.Best - stored.startScore;
    else
        result = std::llround(static_cast<double>(s.Kon) * (wrote.Rating - s.Rating) -
                              online::kProvisionalLoss);
    if (std::llabs(result) > largestGameResult(seconds)) return d;
    const online::GameResults finished = online::finishedGame(s, atStart, result);
    if (!sameCounters(wrote, finished)) return d;
    d.kind = Kind::Finish;
    d.store = finished;
    d.closedCycle = online::closedCycle(s, finished);
    d.cycleScore = stored.startScore + result;
    return d;
}

}  // namespace orvala::service
