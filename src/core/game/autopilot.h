#pragma once
// Plays the person's seat by itself: presses the buttons and clicks the cards that a person would,
// taking seat 3's decisions from the same kind of players as the computer seats. Self-play, the
// developer tools and the random-game tests run whole games through the round driver this way.
//
// The autopilot is itself the driver's players port: it forwards every question to `inner` and
// answers the contract question with what seat 3's player chose with its cards.

#include "core/game/players_port.h"
#include "core/game/round_driver.h"

namespace orvala {

class AutoPilot final : public PlayersPort {
public:
    explicit AutoPilot(PlayersPort& inner) : inner_(inner) {}

    // One action: a tick, a press or a click. Returns false when nothing is left to do in this
    // deal (state 20 or 21, or no game running).
    bool step(RoundDriver& driver);
    // Steps until the deal has been scored or given up (state 20 or 21). Returns the number of
    // steps, or -1 when the deal did not end within `maxSteps`.
    int playDeal(RoundDriver& driver, int maxSteps = 1000);

    int ComputerBidLimit(const GameRecord& g, const RuleSettings& r, int seat) override;
    GiveChoice ChooseCardsToGive(const GameRecord& g, const RuleSettings& r, int seat) override;
    int ChooseComputerCard(const GameRecord& g, const RuleSettings& r, int seat) override;
    int AskContract(const GameRecord& g, const RuleSettings& r) override;

private:
    PlayersPort& inner_;
    int ownLimit_ = 0;
    GiveChoice ownGive_;
    bool giveChosen_ = false;
};

}  // namespace orvala
