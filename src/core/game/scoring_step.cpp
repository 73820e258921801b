// The end of a played deal: the settlement on the scoreboards, and the next deal or the game's end.

#include "core/game/round_driver.h"
#include "core/game/scoring_rules.h"

namespace orvala {

void RoundDriver::ScoreDeal() {
    const DealSettlement d = settleDeal(g_, rules_);
    g_.Score = d.Score;
    g_.BoltCount = d.BoltCount;
    if (!d.contractSound.empty()) sound(d.contractSound, ev::SoundTiming::Sync);
    // Step 5.
    for (int s = 1; s <= 3; ++s) showScore(s, s == g_.Declarer ? g_.Contract : 0);
    // Step 6.
    for (int i = 0; i < d.boltSounds; ++i) sound("WKoloNo", ev::SoundTiming::Sync);

    if (!d.gameOver) {
        g_.GameState = 20;
        setButton(button7_, WordRow::NextRound, kind_ != GameKind::Tournament);
        return;
    }
    // Step 8. The game is over.
    g_.GameOver = true;
    setButton(button8_, WordRow::ExitToMenu, true);
    button7_.enabled = false;
    post(ev::ShowFinalResults{g_.Score, d.results});
    g_.GameResult = d.results[3];
    sound(d.endSound, ev::SoundTiming::Async);
    g_.NewTotal = g_.PlayerTotal + g_.GameResult;
    g_.GameState = 21;
    if (kind_ != GameKind::Tournament)
        post(ev::ShowScoreSummary{g_.KonNumber, kGamesInCycle, g_.GameResult, g_.PlayerTotal});
}

}  // namespace orvala
