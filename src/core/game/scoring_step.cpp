// The end of a played deal: the settlement on the scoreboards, and the next deal or the game's end.

#include "core/game/rule_steps.h"
#include "core/game/scoring_rules.h"

namespace orvala {

void RuleSteps::ScoreDeal() {
    const DealSettlement d = settleDeal(g_, rules_);
    g_.Score = d.Score;
    g_.BoltCount = d.BoltCount;
    if (auto w = waveNamed(d.contractSound)) sound(*w, ev::SoundTiming::Sync);
    // Step 5.
    for (int s = 1; s <= 3; ++s)
        showScore(s, s == g_.Declarer ? std::optional<int>(g_.Contract) : std::nullopt);
    // Step 6.
    for (int i = 0; i < d.boltSounds; ++i) sound(Wave::WKoloNo, ev::SoundTiming::Sync);

    if (!d.gameOver) {
        g_.GameState = GameState::DealScored;
        return;
    }
    // Step 8. The game is over.
    g_.GameOver = true;
    post(ev::ShowFinalResults{g_.Score, d.results});
    g_.GameResult = d.results[3];
    if (auto w = waveNamed(d.endSound)) sound(*w, ev::SoundTiming::Async);
    g_.NewTotal = g_.PlayerTotal + g_.GameResult;
    g_.GameState = GameState::GameOver;
    if (!s_.roles.tournament)
        post(ev::ShowScoreSummary{g_.KonNumber, kGamesInCycle, g_.GameResult, g_.PlayerTotal});
}

}  // namespace orvala
