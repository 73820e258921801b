#pragma once
// Who sits in each seat, seen from this machine, and what this machine does for the table. The
// rule steps read these facts here and nowhere else, so a game against the computer, a LAN game
// and a tournament game differ only in their roles (and in where step messages go).
//
// Seat 3 is always this machine's person. A seat is played by a computer that this machine's
// timer moves, or by someone elsewhere whose moves arrive as steps. `actsHere` says which seats'
// table actions (opening the game's first button, the declarer's steps, collecting a trick) are
// pressed on this machine: against the computer all of them, in a network game the person's own
// seat and, on the host, the computer seat it stands for.

#include "core/game/game_record.h"

namespace orvala {

enum class Sitter { Person, Computer, Remote };

struct SeatRoles {
    PerSeat<Sitter> sitter{Sitter::Person, Sitter::Computer, Sitter::Computer, Sitter::Person};
    PerSeat<bool> actsHere{false, true, true, true};
    // The timer makes the computer seats' moves (against the computer); in network games moves
    // come as steps and the timer makes none.
    bool timerMoves = true;
    // This machine starts the next round ("Next Round"): against the computer, the LAN host, the
    // tournament's first seat.
    bool startsRounds = true;
    // The first bidder: against the computer it rotates with the player's game counter and the
    // deal number; in network games with the deal count alone, from this machine's place at the
    // table (1 the host or tournament seat 1, 2 the first joiner, 3 the second joiner).
    bool rotateByDealCount = false;
    int place = 1;
    bool tournament = false;  // one game per cycle, and no score summary

    friend bool operator==(const SeatRoles&, const SeatRoles&) = default;

    static SeatRoles againstComputer();
    // place 1 is the host; with one joiner the host's seat 2 is the computer seat it stands for.
    static SeatRoles lan(int place, bool computerSeat);
    static SeatRoles tournamentSeat(int seat);

    // This machine is the host of a LAN game (the tournament's first seat is not).
    bool lanHost() const { return !timerMoves && !tournament && place == 1; }
};

// The seat that bids first in deal `dealNumber`, in this machine's numbering.
int firstBidderOf(const SeatRoles& roles, int konNumber, int dealNumber);

}  // namespace orvala
