#pragma once
// Players that make random legal choices: random bid limits, cards to give, contracts and
// give-ups, and any legal card. They stand in for real players in tests, in the developer tools
// and wherever a game must simply run to its end.

#include "core/game/players_port.h"
#include "core/game/random_source.h"

namespace orvala {

class RandomPlayers final : public PlayersPort {
  public:
    explicit RandomPlayers(RandomSource& random) : random_(random) {}

    int ComputerBidLimit(const GameRecord& g, const RuleSettings& r, int seat) override;
    GiveChoice ChooseCardsToGive(const GameRecord& g, const RuleSettings& r, int seat) override;
    int ChooseComputerCard(const GameRecord& g, const RuleSettings& r, int seat) override;
    int AskContract(const GameRecord& g, const RuleSettings& r) override;

  private:
    int randomContract(int bid, bool roundToFive);
    RandomSource& random_;
};

}  // namespace orvala
