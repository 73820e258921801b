#pragma once
// The table as a state shows it, drawn at once: for a machine that takes a game up in the middle
// of a deal (a LAN seat or a tournament seat come back), whose table has seen none of the events
// that led there.
//
// The events lay out the deal information, every seat's scoreboard (the declarer's contract once
// it is said, the turn mark on the seat to act), the hands, the names in the bubbles, the talon
// while it lies open and the cards of the trick on the table. Cards are put in place without a
// flight and nothing sounds.

#include <vector>

#include "core/game/rules_state.h"

namespace orvala {

std::vector<TableEvent> tablePicture(const RulesState& s);

}  // namespace orvala
