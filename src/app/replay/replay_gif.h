#pragma once
// A replayed deal as an animated GIF, drawn from the game's log rather than taken from the
// screen: each state of the deal, every hand open, drawn on a table of its own at the window
// size chosen in the settings, one frame a step.

#include <QString>
#include <vector>

#include "core/game/rules_state.h"
#include "core/settings/settings.h"
#include "table/picture_store.h"

namespace orvala::app {

// An empty string, or what went wrong.
QString writeReplayGif(const std::vector<RulesState>& deal, const Settings& settings,
                       table::PictureStore& pictures, int stepMs, const QString& path);

}  // namespace orvala::app
