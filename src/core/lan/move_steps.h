#pragma once
// From a move made on this machine to the step messages that tell the others.
//
// `movesBetween` reads what one local input did to the rules state (a bid, a card, the
// declarer's steps, a collected trick; one press may do several, such as a computer declarer's
// given cards shown and its contract announced). `stepsFor` writes each move as one step message
// per other machine, in the receiver's numbering and with the hand-off fields that tell the
// receiver it acts next, and adds the trick-complete notice for the machine of a trick's winner.

#include <vector>

#include "core/game/rules_state.h"
#include "core/lan/session.h"
#include "core/lan/step_message.h"

namespace orvala::lan {

struct Move {
    enum class Kind {
        Bid,
        Pass,
        OpenTalon,
        TakeTalon,
        Give,
        Reveal,
        Contract,
        GiveUp,
        Play,
        Collect
    };
    Kind kind = Kind::Pass;
    int seat = 0;  // in the numbering of the machine where it was made
    int value = 0;
    int value2 = 0;
    char field = 'i';  // a card's seat field: a marriage's "9" "8" "6" "4"
    friend bool operator==(const Move&, const Move&) = default;
};

std::vector<Move> movesBetween(const RulesState& before, const RulesState& after);

// The messages `session`'s machine sends for `move`, given the state after it.
std::vector<Send> stepsFor(const Move& move, const Session& session, const RulesState& after);

}  // namespace orvala::lan
