#pragma once
// The computer players behind the players port: the bid limit and the cards to give come from
// the suit valuations (bid_limit.h, discard.h), the card to play from the layout search
// (card_choice.h). The contract question belongs to the person's dialog; asked here, for a seat
// that has no dialog (self-play goes through AutoPilot), it answers the contract as it stands.
//
// One search memo lives as long as the players; the random source and the options are the
// caller's.

#include "core/ai/card_choice.h"
#include "core/ai/search_memo.h"
#include "core/game/players_port.h"

namespace orvala {

class ComputerPlayers final : public PlayersPort {
  public:
    explicit ComputerPlayers(RandomSource& random, CardChoiceOptions options = {},
                             int memoLog2Entries = 15);

    int ComputerBidLimit(const GameRecord& g, const RuleSettings& rules, int seat) override;
    GiveChoice ChooseCardsToGive(const GameRecord& g, const RuleSettings& rules, int seat) override;
    int ChooseComputerCard(const GameRecord& g, const RuleSettings& rules, int seat) override;
    int AskContract(const GameRecord& g, const RuleSettings& rules) override;

    // The figures of the last card choice.
    const CardChoiceStats& lastChoice() const { return last_; }
    CardChoiceOptions& options() { return options_; }

  private:
    RandomSource& random_;
    CardChoiceOptions options_;
    SearchMemo memo_;
    CardChoiceStats last_;
};

}  // namespace orvala
