#include "core/lan/net_seats.h"

#include "core/game/seat_roles.h"

namespace orvala::lan {

int hostSeatOf(NetRole role) {
    switch (role) {
        case NetRole::FirstJoiner:
            return 1;
        case NetRole::SecondJoiner:
            return 2;
        default:
            return 3;
    }
}

NetRole roleAtHostSeat(int hostSeat, bool threePeople) {
    switch (hostSeat) {
        case 1:
            return NetRole::FirstJoiner;
        case 2:
            return threePeople ? NetRole::SecondJoiner : NetRole::None;
        default:
            return NetRole::Host;
    }
}

int localSeat(NetRole viewer, int hostSeat) {
    // The viewer's own seat becomes 3; the next in turn 1, the one after 2.
    return ((hostSeat - hostSeatOf(viewer) - 1) % 3 + 3) % 3 + 1;
}

int hostSeat(NetRole viewer, int localSeat) {
    return (hostSeatOf(viewer) + localSeat - 1) % 3 + 1;
}

int dealOpener(NetRole viewer, int dealCount) {
    // The rules' own first-bidder rotation, so the table and the deal agree by construction.
    return firstBidderOf(SeatRoles::lan(digitOf(viewer), false), 0, dealCount);
}

}  // namespace orvala::lan
