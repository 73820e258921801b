#include "app/replay/replay_table.h"

#include <algorithm>

#include "core/game/table_picture.h"

namespace orvala::app {

ReplayTable::ReplayTable(GameLogReplay replay) : replay_(std::move(replay)) {}

const RulesState& ReplayTable::state() const {
    return replay_.states[static_cast<std::size_t>(deal_)][static_cast<std::size_t>(step_)];
}

int ReplayTable::steps() const {
    return static_cast<int>(replay_.states[static_cast<std::size_t>(deal_)].size());
}

void ReplayTable::go(int deal, int step) {
    deal_ = std::clamp(deal, 0, deals() - 1);
    step_ = std::clamp(step, 0, steps() - 1);
    draw();
}

bool ReplayTable::forward() {
    if (step_ + 1 < steps()) {
        go(deal_, step_ + 1);
        return true;
    }
    if (deal_ + 1 < deals()) {
        go(deal_ + 1, 0);
        return true;
    }
    return false;
}

bool ReplayTable::back() {
    if (step_ > 0) {
        go(deal_, step_ - 1);
        return true;
    }
    if (deal_ > 0) {
        const int previous = deal_ - 1;
        go(previous,
           static_cast<int>(replay_.states[static_cast<std::size_t>(previous)].size()) - 1);
        return true;
    }
    return false;
}

void ReplayTable::draw() {
    show(tablePicture(state()));
}

}  // namespace orvala::app
