#include "core/game/round_driver.h"

#include <cassert>

#include "core/game/follow_rules.h"

namespace orvala {

RoundDriver::RoundDriver(PlayersPort& players, RandomSource& random)
    : players_(players), random_(random) {}

std::vector<TableEvent> RoundDriver::takeEvents() {
    std::vector<TableEvent> out;
    out.swap(events_);
    return out;
}

void RoundDriver::startNewGame(const PlayerStart& player) {
    g_.SeatNames[3] = player.name;
    // A guest has no stored counter and so starts at game 1 with nothing accumulated.
    g_.KonNumber = player.storedGameCounter + 1;
    g_.PlayerTotal = player.playerTotal;
    NewDeal(false);
}

void RoundDriver::tick() {
    if (!timer_.enabled || !g_.GameRunning || kind_ != GameKind::VsComputer) return;
    if (g_.GameState > 10) timer_.intervalMs = 300;
    switch (g_.GameState) {
        case 1:
        case 2: computerBid(g_.GameState); break;
        case 11:
        case 12: computerPlay(g_.GameState - 10); break;
        case 15: ScoreDeal(); break;
        default: break;
    }
}

void RoundDriver::pressButton7() {
    if (!button7_.enabled || !button7_.visible || !g_.GameRunning) return;
    if (g_.DealStartPending == 1) {
        startBidding();
        return;
    }
    switch (g_.GameState) {
        case 3:
            if (g_.InBid[3]) BidStep(3, true);
            break;
        case 4:
            for (int s = 1; s <= 3; ++s) bubbleName(s);
            OpenTalon();
            break;
        case 5: TakeTalon(); break;
        case 6:
            if (!humanDeclares()) GiveCards();
            break;
        case 7:
            if (humanDeclares()) GiveCards();
            break;
        case 8:
            RevealGiven();
            if (humanDeclares()) askHumanContract();
            AnnounceContract();
            break;
        case 9:
            g_.GameState = 10 + g_.Declarer;
            button7_.enabled = false;
            button8_.enabled = false;
            break;
        case 14: CollectTrick(); break;
        case 20:
            timer_.enabled = false;
            NewDeal(true);
            break;
        default: break;
    }
}

void RoundDriver::pressButton8() {
    if (!button8_.enabled || !button8_.visible || !g_.GameRunning) return;
    if (g_.GameOver) {
        post(ev::GameFinished{g_.GameResult});
        leaveToMenu();
        return;
    }
    if (g_.GameState == 3 && g_.InBid[3]) {
        BidStep(3, false);
        button8_.enabled = false;
    } else if (g_.GameState == 9 && humanDeclares()) {
        Paint();
    }
}

void RoundDriver::clickHand(int slot, MouseButton button) {
    if (!g_.GameRunning || slot < 1 || slot > g_.HandCount[3]) return;
    if (button == MouseButton::Right) {
        post(ev::SpeakCard{g_.Hand[3][slot]});
        return;
    }
    if ((g_.GameState == 6 || g_.GameState == 7) && humanDeclares()) {
        chooseGiveCard(slot);
    } else if (g_.GameState == 13) {
        if (g_.TrickPos > 1 && !isLegalSlot(3, slot)) {
            sound("WWrongs", ev::SoundTiming::Async);
            return;
        }
        PlayCard(3, slot);
    }
}

void RoundDriver::clickTableCard(Card card) {
    if (g_.GameRunning && isValidCard(card)) post(ev::SpeakCard{card});
}

void RoundDriver::exitToMenu() {
    if (g_.GameRunning) leaveToMenu();
}

void RoundDriver::leaveToMenu() {
    g_.GameRunning = false;
    button7_.visible = button8_.visible = false;
    button7_.enabled = button8_.enabled = false;
    timer_ = TimerState{20, true};
    help_ = HelpTopic::MainMenu;
    post(ev::ReturnToMenu{});
}

bool RoundDriver::canPlaySlot(int slot) const {
    return g_.GameRunning && g_.GameState == 13 && slot >= 1 && slot <= g_.HandCount[3] &&
           isLegalSlot(3, slot);
}

bool RoundDriver::isLegalSlot(int seat, int slot) const {
    if (slot < 1 || slot > g_.HandCount[seat] || g_.Hand[seat][slot].isEmpty()) return false;
    const SuitCode lead = g_.TrickPos > 1 ? g_.LeadSuit : kNoSuit;
    return !IsIllegalPlay(g_.Hand[seat], g_.HandCount[seat], g_.Hand[seat][slot], lead, g_.Trump);
}

int RoundDriver::firstLegalSlot(int seat) const {
    for (int k = 1; k <= g_.HandCount[seat]; ++k)
        if (isLegalSlot(seat, k)) return k;
    return 0;
}

void RoundDriver::redrawHand(int seat) {
    g_.sortHand(seat);
    post(ev::ShowHand{seat, g_.Hand[seat], g_.HandCount[seat]});
}

void RoundDriver::sound(std::string_view name, ev::SoundTiming timing) {
    post(ev::Sound{name, timing});
}

void RoundDriver::bubbleText(int seat, WordRow row, std::string suffix) {
    post(ev::Bubble{ev::Bubble::Kind::Text, seat, Caption{row, std::move(suffix)}});
}

void RoundDriver::bubbleName(int seat) { post(ev::Bubble{ev::Bubble::Kind::Name, seat, {}}); }

void RoundDriver::showScore(int seat, int contract) {
    post(ev::ShowScore{seat, g_.Score[seat], g_.DealPoints[seat], contract,
                       rules_.RuleBarrel && g_.Score[seat] <= 120,
                       rules_.RuleBolts ? g_.BoltCount[seat] : 0});
}

void RoundDriver::showRoundInfo() {
    const int cycle = kind_ == GameKind::Tournament ? 1 : kGamesInCycle;
    post(ev::ShowRoundInfo{g_.DealNumber, g_.Trump, g_.KonNumber, cycle});
}

void RoundDriver::setButton(ButtonState& b, WordRow row, bool enabled, std::string suffix) {
    b.caption = Caption{row, std::move(suffix)};
    b.enabled = enabled;
}

}  // namespace orvala
