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

std::vector<Input> AutoPilot::next(const RulesState& s) {
    const GameRecord& g = s.g;
    if (!g.GameRunning || g.GameState == GameState::DealScored ||
        g.GameState == GameState::GameOver)
        return {};
    if (g.DealStartPending == 1) {
        ownLimit_ = inner_.ComputerBidLimit(g, s.rules, 3);
        giveChosen_ = false;
        return {in::PressButton7{}};
    }
    switch (g.GameState) {
        case GameState::PersonBids:
            // The person's seat bids by the same rule as the computer seats.
            if (raisesWithLimit(g, 3, ownLimit_) || !accepts(s, in::PressButton8{}))
                return {in::PressButton7{}};
            return {in::PressButton8{}};
        case GameState::ChoosingGive: {
            if (g.Declarer != 3) return {in::PressButton7{}};
            // Un-choose anything chosen, then click the two cards of the player's choice.
            ownGive_ = inner_.ChooseCardsToGive(g, s.rules, 3);
            giveChosen_ = true;
            std::vector<Input> clicks;
            if (g.GiveSlot1 != 0) clicks.push_back(in::ClickHand{g.GiveSlot1, MouseButton::Left});
            clicks.push_back(in::ClickHand{ownGive_.slot1, MouseButton::Left});
            clicks.push_back(in::ClickHand{ownGive_.slot2, MouseButton::Left});
            clicks.push_back(in::PressButton7{});
            return clicks;
        }
        case GameState::ContractSet:
            if (g.Declarer == 3 && giveChosen_ && ownGive_.painting &&
                accepts(s, in::PressButton8{}))
                return {in::PressButton8{}};
            return {in::PressButton7{}};
        case GameState::PersonPlays:
            return {in::ClickHand{inner_.ChooseComputerCard(g, s.rules, 3), MouseButton::Left}};
        case GameState::Seat1Bids:
        case GameState::Seat2Bids:
        case GameState::Seat1Plays:
        case GameState::Seat2Plays:
        case GameState::AllPlayed:
            return {in::Tick{}};
        default:
            return {in::PressButton7{}};
    }
}

bool AutoPilot::step(RoundDriver& d) {
    const std::vector<Input> inputs = next(d.state());
    for (const Input& i : inputs) d.input(i);
    return !inputs.empty();
}

int AutoPilot::playDeal(RoundDriver& d, int maxSteps) {
    for (int n = 0; n < maxSteps; ++n)
        if (!step(d)) return n;
    return -1;
}

}  // namespace orvala
