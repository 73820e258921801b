#pragma once
// A cycle closed without an account may go into the world's table of this game's cycles: once
// the end-of-cycle window closes, the entry window offers the passport's nick, city and country
// with the score, and sends it on request.

#include <cstdint>

class QDialog;

namespace orvala::app {

class Shell;

// The entry follows `endWindow` once it is finished.
void offerWorldEntry(Shell& shell, QDialog* endWindow, std::int64_t score);

}  // namespace orvala::app
