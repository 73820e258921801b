#pragma once
// The Expert computer players behind the players port. Every decision comes from layouts of the
// cards the seat cannot see, drawn to agree with what it has seen and weighted by how likely the
// other seats' auction was with them, each played out exactly:
//
// - the bid limit: the talon and both other hands are drawn, the talon taken and two cards given
//   as the Classic declarer gives them, and the deal played out at rising contracts; the seat
//   bids on while declaring at the next bid (giving the deal up where it would fail) is worth
//   more to it than leaving the contract to another;
// - the cards to give, the contract and giving up: the most promising pairs of cards, each way
//   round, are played out on the same layouts of the defenders' hands; the pair with the best
//   mean value at the bid is given, the contract is the one with the best expected value, and the
//   deal is given up when that is worse than losing the bid;
// - the card: expert_card_choice.h.
//
// Values are the deal's points as the count-down game counts them for the seat: its own gain
// less the mean of the other two. Decisions repeat exactly for a seeded random source; the budget
// bounds the work by counts, and optionally by a wall-clock cap.

#include "core/ai/expert_budget.h"
#include "core/ai/expert_card_choice.h"
#include "core/ai/search_memo.h"
#include "core/game/players_port.h"
#include "core/game/random_source.h"

namespace orvala {

// What the last choice of cards to give foresaw.
struct ExpertGiveStats {
    int layouts = 0;
    double makeShare = 0;  // the share of layouts that made the chosen contract
    double value = 0;      // the mean value of playing it
};

class ExpertPlayers final : public PlayersPort {
  public:
    explicit ExpertPlayers(RandomSource& random, ExpertBudget budget = {},
                           int memoLog2Entries = 17);

    int ComputerBidLimit(const GameRecord& g, const RuleSettings& rules, int seat) override;
    GiveChoice ChooseCardsToGive(const GameRecord& g, const RuleSettings& rules, int seat) override;
    int ChooseComputerCard(const GameRecord& g, const RuleSettings& rules, int seat) override;
    int AskContract(const GameRecord& g, const RuleSettings& rules) override;

    ExpertBudget& budget() { return budget_; }
    // The figures of the last card choice.
    const ExpertChoiceStats& lastChoice() const { return last_; }
    const ExpertGiveStats& lastGive() const { return lastGive_; }

  private:
    std::chrono::steady_clock::time_point now() const;
    bool pastCap(std::chrono::steady_clock::time_point start) const;

    RandomSource& random_;
    ExpertBudget budget_;
    SearchMemo memo_;
    ExpertChoiceStats last_;
    ExpertGiveStats lastGive_;
};

}  // namespace orvala
