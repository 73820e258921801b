#include "table/panel_hints.h"

namespace orvala::table {

std::optional<WordRow> seatPanelHint(double x, double y, int gameState, bool othersOut) {
    if (y <= 38) return WordRow::PointsOfCurrentRound;
    if (y >= 41 && x >= 46 && x <= 94) return WordRow::Numbers;
    if (y >= 41 && x >= 96 && gameState >= 4 && gameState <= 14 && othersOut)
        return WordRow::TheOrderedGame;
    return std::nullopt;
}

}  // namespace orvala::table
