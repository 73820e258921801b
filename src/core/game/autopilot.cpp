#include "core/game/autopilot.h"

namespace orvala {

int AutoPilot::ComputerBidLimit(const GameRecord& g, const RuleSettings& r, int seat) {
    return inner_.ComputerBidLimit(g, r, seat);
}

GiveChoice AutoPilot::ChooseCardsToGive(const GameRecord& g, const RuleSettings& r, int seat) {
    return inner_.ChooseCardsToGive(g, r, seat);
}

int AutoPilot::ChooseComputerCard(const GameRecord& g, const RuleSettings& r, int seat) {
    return inner_.ChooseComputerCard(g, r, seat);
}

int AutoPilot::AskContract(const GameRecord& g, const RuleSettings&) {
    return giveChosen_ ? ownGive_.contract : g.Contract;
}

bool AutoPilot::step(RoundDriver& d) {
    const GameRecord& g = d.record();
    if (!g.GameRunning || g.GameState == 20 || g.GameState == 21) return false;
    if (g.DealStartPending == 1) {
        ownLimit_ = inner_.ComputerBidLimit(g, d.rules(), 3);
        giveChosen_ = false;
        d.pressButton7();
        return true;
    }
    switch (g.GameState) {
        case 3: {
            const bool raise = (g.CurrentBid == 95 && g.FirstBidder == 3) || ownLimit_ > g.CurrentBid;
            if (raise || !d.button8().enabled) d.pressButton7();
            else d.pressButton8();
            return true;
        }
        case 6:
            if (g.Declarer == 3) {
                // Un-choose anything chosen, then click the two cards of the player's choice.
                ownGive_ = inner_.ChooseCardsToGive(g, d.rules(), 3);
                giveChosen_ = true;
                if (g.GiveSlot1 != 0) d.clickHand(g.GiveSlot1, MouseButton::Left);
                d.clickHand(ownGive_.slot1, MouseButton::Left);
                d.clickHand(ownGive_.slot2, MouseButton::Left);
                if (d.record().GameState == 7) d.pressButton7();
                return true;
            }
            d.pressButton7();
            return true;
        case 9:
            if (g.Declarer == 3 && giveChosen_ && ownGive_.painting && d.button8().enabled)
                d.pressButton8();
            else d.pressButton7();
            return true;
        case 13:
            d.clickHand(inner_.ChooseComputerCard(g, d.rules(), 3), MouseButton::Left);
            return true;
        case 1:
        case 2:
        case 11:
        case 12:
        case 15: d.tick(); return true;
        default: d.pressButton7(); return true;
    }
}

int AutoPilot::playDeal(RoundDriver& d, int maxSteps) {
    for (int n = 0; n < maxSteps; ++n)
        if (!step(d)) return n;
    return -1;
}

}  // namespace orvala
