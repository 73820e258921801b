#pragma once
// How the main window's own buttons look: light, bold captions in the informal font slot on the
// dark gradients, yellow under the mouse, grey when disabled. The menu's buttons and the two
// action buttons share it.

#include "core/settings/settings.h"
#include "table/zor_cards_button.h"

namespace orvala::app {

// s is the window's uniform scale.
void styleWindowButton(table::TZorCardsButton* b, const Settings& settings, double s);

}  // namespace orvala::app
