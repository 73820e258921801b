#pragma once
// The tournament's move clock: whose move a table waits for, and each seat's 26 seconds.
//
// The seat to act is read from one seat's rules state, in that state's numbering: the bidder or
// the player whose card is due, the first seat still in the auction while the talon is opened
// and taken, the declarer from the gift to the contract (its own contract dialog too), the
// trick's collector, and at the end of a deal the seat that starts the next round. The game server times the same seat with its
// own clock, so a player's machine and the server agree on whose time runs.
//
// The player's clock is restarted at every step of the table and falls by one each second. The
// local seat (3) hears "STimerA" while more than seven seconds remain and "STimerB" for the last
// seven; at 0 its time is up.

#include <optional>

#include "core/game/rules_state.h"
#include "core/game/waves.h"

namespace orvala::tourney {

// The seat whose action `v` waits for, 0 when none (the deck awaited, no deal under way, the
// game over); 3 while the person's contract is asked. `roundStarter`: the seat, in v's numbering, of tournament seat 1.
int seatToAct(const RulesState& v, int roundStarter);

class MoveClock {
  public:
    // The clock of `seat` (0: none runs) starts again at 26 seconds.
    void restart(int seat);
    void stop() { restart(0); }

    struct Beat {
        int seat = 0;  // the seat whose clock is drawn, 0 when none runs
        int seconds = -1;
        std::optional<Wave> sound;  // the local seat's tick
        bool timeUp = false;        // the local seat's time has just run out
    };
    // One second passed.
    Beat tick();

    int seat() const { return seat_; }
    int seconds() const { return seconds_; }

  private:
    int seat_ = 0;
    int seconds_ = -1;
};

}  // namespace orvala::tourney
