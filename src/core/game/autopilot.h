#pragma once
// Plays the person's seat by itself: presses the buttons and clicks the cards that a person would,
// taking seat 3's decisions from the same kind of players as the computer seats. Self-play, the
// developer tools, the random-game tests and the window's demo run whole games this way.
//
// The autopilot is itself a players port: it forwards every question to `inner` and answers the
// contract question with what seat 3's player chose with its cards. It asks `accepts` what may be
// pressed, like any other caller.

#include <vector>

#include "core/game/players_port.h"
#include "core/game/round_driver.h"

namespace orvala {

class AutoPilot final : public PlayersPort {
  public:
    explicit AutoPilot(PlayersPort& inner) : inner_(inner) {}

    // The inputs of the person's next action on this state (a tick where the computer is to
    // move), in order; empty when nothing is left to do in this deal (state 20 or 21, or no game
    // running). A later input of the list may not fit once the earlier ones ran: skip it then.
    std::vector<Input> next(const RulesState& s);

    // One action on a driver. Returns false when nothing is left to do in this deal.
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
