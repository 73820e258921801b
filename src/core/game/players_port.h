#pragma once
// The decisions the rules wait on: the computer seats' judgement and the person's contract. The
// round driver answers its questions through this port at once; tests script it; the application
// asks it on a worker thread (and the person through the contract dialog).
//
// Answers are untrusted: the rules check every one and replace what they cannot use by a legal
// choice, so a faulty player never breaks a deal.

#include "core/game/game_record.h"
#include "core/game/rule_settings.h"

namespace orvala {

struct GiveChoice {
    int slot1 = 0;  // the declarer's hand slot given to the seat after the declarer
    int slot2 = 0;  // given to the seat after that
    int contract = 0;
    bool painting = false;  // give the deal up once the given cards are shown
};

class PlayersPort {
  public:
    virtual ~PlayersPort() = default;

    // The highest bid a computer seat will make on its seven cards.
    virtual int ComputerBidLimit(const GameRecord& g, const RuleSettings& rules, int seat) = 0;
    // A computer declarer's two cards to give, its contract (at least the bid) and give-up.
    virtual GiveChoice ChooseCardsToGive(const GameRecord& g, const RuleSettings& rules,
                                         int seat) = 0;
    // A computer seat's card: a slot 1..HandCount of its hand that obeys the follow rules.
    virtual int ChooseComputerCard(const GameRecord& g, const RuleSettings& rules, int seat) = 0;
    // The person's contract: from g.Contract to the dialog's top.
    virtual int AskContract(const GameRecord& g, const RuleSettings& rules) = 0;
};

}  // namespace orvala
