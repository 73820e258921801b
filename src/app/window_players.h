#pragma once
// The players port of the window: the computer seats are the computer players; the person's
// contract comes from the contract dialog, opened once the table has shown everything that came
// before it. In demo mode the person's seat is played by the autopilot and never asked.

#include <functional>

#include "core/ai/computer_players.h"

namespace orvala::app {

class WindowPlayers final : public PlayersPort {
  public:
    WindowPlayers(PlayersPort& computers,
                  std::function<int(const GameRecord&, const RuleSettings&)> askContract)
        : computers_(computers), askContract_(std::move(askContract)) {}

    int ComputerBidLimit(const GameRecord& g, const RuleSettings& r, int seat) override {
        return computers_.ComputerBidLimit(g, r, seat);
    }
    GiveChoice ChooseCardsToGive(const GameRecord& g, const RuleSettings& r, int seat) override {
        return computers_.ChooseCardsToGive(g, r, seat);
    }
    int ChooseComputerCard(const GameRecord& g, const RuleSettings& r, int seat) override {
        return computers_.ChooseComputerCard(g, r, seat);
    }
    int AskContract(const GameRecord& g, const RuleSettings& r) override {
        return askContract_(g, r);
    }

  private:
    PlayersPort& computers_;
    std::function<int(const GameRecord&, const RuleSettings&)> askContract_;
};

}  // namespace orvala::app
