// The two action buttons, the game timer and the help topic, read off the rules state: what a
// person at this machine may press follows from the state and the seat roles alone.

#include "core/game/rule_steps.h"

namespace orvala {
namespace {

ButtonState shown(WordRow row, bool enabled, std::string suffix = {}) {
    return ButtonState{Caption{row, std::move(suffix)}, enabled, true};
}

ButtonState firstButton(const RulesState& s) {
    const GameRecord& g = s.g;
    const PerSeat<bool>& here = s.roles.actsHere;
    // A fresh deal: the machine of the first bidder begins it.
    if (g.DealStartPending == 1) return shown(WordRow::ToBegin, here[g.FirstBidder]);
    switch (g.GameState) {
        case GameState::Seat1Bids:
        case GameState::Seat2Bids:
            return shown(WordRow::IPlayOn, false, "...");
        case GameState::PersonBids:
            return shown(WordRow::IPlayOn, true, std::to_string(g.CurrentBid + 5));
        case GameState::AuctionOver:
            return shown(WordRow::ToOpenCards, here[auctionWinner(g)]);
        case GameState::TalonShown:
            return shown(WordRow::Ok, here[auctionWinner(g)]);
        case GameState::ChoosingGive:
            if (g.Declarer == 3) return shown(WordRow::ToDistributeCards, false);
            return shown(WordRow::Ok, here[g.Declarer]);
        case GameState::GiveChosen:
            return shown(WordRow::ToDistributeCards, true);
        case GameState::CardsGiven:
        case GameState::ContractSet:
            return shown(WordRow::Ok, here[g.Declarer]);
        case GameState::TrickComplete:
            return shown(WordRow::Ok, here[g.FirstBidder]);
        case GameState::DealScored:
            return shown(WordRow::NextRound, s.roles.startsRounds);
        default:
            return shown(WordRow::Ok, false);
    }
}

ButtonState secondButton(const RulesState& s) {
    const GameRecord& g = s.g;
    if (g.GameOver) return shown(WordRow::ExitToMenu, true);
    if (g.DealStartPending == 1) return shown(WordRow::Pass, false);
    // The person's "Pass" is refused on the opening turn: the first bidder must bid 100.
    if (g.GameState == GameState::PersonBids) return shown(WordRow::Pass, g.CurrentBid != 95);
    const bool painting = g.Declarer == 3 && s.rules.RulePainting &&
                          stateNumber(g.GameState) >= stateNumber(GameState::ContractSet) &&
                          g.GameState != GameState::DealScored;
    if (painting) return shown(WordRow::Painting, g.GameState == GameState::ContractSet);
    return shown(WordRow::Pass, false);
}

}  // namespace

ButtonState button7(const RulesState& s) {
    if (!s.g.GameRunning) return ButtonState{};
    ButtonState b = firstButton(s);
    if (s.pending) b.enabled = false;
    return b;
}

ButtonState button8(const RulesState& s) {
    if (!s.g.GameRunning) return ButtonState{};
    ButtonState b = secondButton(s);
    if (s.pending) b.enabled = false;
    return b;
}

TimerState timerOf(const RulesState& s) {
    if (!s.g.GameRunning) return TimerState{20, true};
    // A fresh deal waits for its first press; bidding moves every 200 ms, play every 300 ms.
    if (s.g.DealStartPending == 1) return TimerState{200, false};
    return TimerState{inPlay(s.g.GameState) ? 300 : 200, true};
}

HelpTopic helpTopicOf(const RulesState& s) {
    const GameRecord& g = s.g;
    if (!g.GameRunning) return HelpTopic::MainMenu;
    if (g.DealStartPending == 1) return HelpTopic::Deal;
    if (stateNumber(g.GameState) >= stateNumber(GameState::AllPlayed)) return HelpTopic::Scoring;
    return HelpTopic::Bidding;
}

}  // namespace orvala
