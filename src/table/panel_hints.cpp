#include "table/panel_hints.h"

namespace orvala::table {

std::optional<WordRow> seatPanelHint(double x, double y, GameState gameState, bool othersOut) {
    if (y <= 38) return WordRow::PointsOfCurrentRound;
    if (y >= 41 && x >= 46 && x <= 94) return WordRow::Numbers;
    if (y >= 41 && x >= 96 && othersOut &&
        stateNumber(gameState) >= stateNumber(GameState::AuctionOver) &&
        stateNumber(gameState) <= stateNumber(GameState::TrickComplete))
        return WordRow::TheOrderedGame;
    return std::nullopt;
}

}  // namespace orvala::table
