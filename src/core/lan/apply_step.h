#pragma once
// Performing what another machine sent: a step message or a deal.
//
// `ApplyStep` turns a step message into the rules' own inputs, in the order the message's fields
// are read: bids and passes in the seat fields, the talon opened and taken, the cards given and
// shown, the contract, the give-up, the card played, the trick collected. Each input is checked
// with `accepts` before it is applied, and the sender must be the machine that acts for the seat.
// Once all are applied, the hand-off fields (the next bid, the driver state) must agree with the
// state reached. A step that fails any check leaves the rules state untouched and returns the
// reason; the session then ends by its abort path. Nothing else in a step message (buttons,
// captions, bubbles) decides anything here: the rules derive those themselves.

#include <string>
#include <vector>

#include "core/game/rules_state.h"
#include "core/lan/deal_message.h"
#include "core/lan/session.h"
#include "core/lan/step_message.h"

namespace orvala::lan {

struct Applied {
    bool ok = true;
    std::string error;
    std::vector<TableEvent> events;
};

Applied ApplyStep(RulesState& s, const StepFields& step, const Session& session);

// A joiner's received deal: the host's house rules are taken, the blocks are placed by the seat
// rotation, and the deal starts as a received one. The game's first deal starts the game again
// under the host's rules (the starting score may differ); a later deal first opens the next
// round. Refused, with nothing changed, while a deal is under way.
Applied ApplyDeal(RulesState& s, const DealMessage& deal, const Session& session);

}  // namespace orvala::lan
