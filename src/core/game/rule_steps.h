#pragma once
// The rule steps, one small function each, over one rules state and the events they produce.
// Only `apply` (rules_entry.cpp) uses this class: every input goes through `accepts` first.

#include <string>
#include <vector>

#include "core/game/rules_state.h"

namespace orvala {

class RuleSteps {
  public:
    RuleSteps(RulesState& s, std::vector<TableEvent>& out)
        : s_(s), g_(s.g), rules_(s.rules), out_(out) {}

    // deal_step.cpp
    void NewDeal(bool continueGame, const PlayerStart* player = nullptr);
    void DealCards(const std::array<Card, 25>& deck);
    void startBidding();
    void takeBidLimit(int seat, int limit);
    // bidding_step.cpp
    void computerBid(int seat);
    void BidStep(int seat, bool raise);
    void ShowAuctionWinner();
    // talon_step.cpp
    void OpenTalon();
    void TakeTalon();
    void chooseGiveCard(int slot);
    void GiveCards(const GiveChoice* computerChoice);
    void RevealGiven();
    void askHumanContract();
    void takeHumanContract(int answer);
    void AnnounceContract();
    void Paint();
    // trick_step.cpp
    void PlayCard(int seat, int slot);
    void ResolveTrick();
    void CollectTrick();
    void ResortAllHands();
    // scoring_step.cpp
    void ScoreDeal();
    // rules_entry.cpp
    void leaveToMenu();

    void nameBubbles() {
        for (int s = 1; s <= 3; ++s) bubbleName(s);
    }
    void post(TableEvent e) { out_.push_back(std::move(e)); }
    void ask(Question::Kind kind, int seat) { s_.pending = Question{kind, seat}; }

  private:
    void redrawHand(int seat);
    void sound(Wave w, ev::SoundTiming timing) { post(ev::Sound{w, timing}); }
    void bubbleText(int seat, WordRow row, std::string suffix = {});
    void bubbleName(int seat);
    void showScore(int seat, std::optional<int> contract = std::nullopt, bool turnMark = false);
    void showRoundInfo();
    bool humanDeclares() const { return g_.Declarer == 3; }

    RulesState& s_;
    GameRecord& g_;
    const RuleSettings& rules_;
    std::vector<TableEvent>& out_;
};

// A slot of a seat's hand that holds a card the follow rules allow now.
bool isLegalSlot(const GameRecord& g, int seat, int slot);
int firstLegalSlot(const GameRecord& g, int seat);
// The first seat still in the auction: once it is over, the declarer to be.
int auctionWinner(const GameRecord& g);
// A computer declarer's answer made usable: two held slots, a contract from the bid to the most a
// deal can bring, no give-up without the rule.
GiveChoice checkedGiveChoice(const GameRecord& g, const RuleSettings& rules, int seat,
                             GiveChoice c);

}  // namespace orvala
