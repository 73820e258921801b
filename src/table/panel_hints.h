#pragma once
// The hint of a seat panel by the pointer's place on it, in design units relative to the panel.

#include <optional>

#include "core/game/game_state.h"
#include "core/lang/word_row.h"

namespace orvala::table {

// othersOut: both other seats have left the auction, so the panel shows a contract.
std::optional<WordRow> seatPanelHint(double x, double y, GameState gameState, bool othersOut);

}  // namespace orvala::table
