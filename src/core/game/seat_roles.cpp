#include "core/game/seat_roles.h"

namespace orvala {

SeatRoles SeatRoles::againstComputer() {
    return SeatRoles{};
}

SeatRoles SeatRoles::lan(int place, bool computerSeat) {
    SeatRoles r;
    r.sitter = {Sitter::Person, Sitter::Remote, Sitter::Remote, Sitter::Person};
    r.actsHere = {false, false, place == 1 && computerSeat, true};
    r.timerMoves = false;
    r.startsRounds = place == 1;
    r.rotateByDealCount = true;
    r.place = place;
    return r;
}

SeatRoles SeatRoles::tournamentSeat(int seat) {
    SeatRoles r = lan(seat, false);
    r.startsRounds = seat == 1;
    r.tournament = true;
    return r;
}

int firstBidderOf(const SeatRoles& roles, int konNumber, int dealNumber) {
    if (!roles.rotateByDealCount) {
        const int r = (konNumber + dealNumber) % 3;
        return r == 0 ? 3 : r;
    }
    // The host's seat r (0 standing for itself), turned by this machine's place at the table.
    const int r = ((dealNumber - (roles.place - 1)) % 3 + 3) % 3;
    return r == 0 ? 3 : r;
}

}  // namespace orvala
