#pragma once
// Where texts go. Joiners reach each other only through the host: a joiner sends everything to
// the host, which applies what is for itself (step route code "1") and passes on what is for the
// other joiner (code "3"); the host's own steps carry code "2". The two messages of one action go
// first to the machine that sees the acting seat as its seat 1, then to the one that sees it as
// its seat 2.

#include <optional>
#include <vector>

#include "core/lan/net_seats.h"

namespace orvala::lan {

struct StepRoute {
    NetRole receiver = NetRole::None;
    int to = -1;  // the host's connection (0, 1), or -1 from a joiner to the host
    char code = '1';
    friend bool operator==(const StepRoute&, const StepRoute&) = default;
};

// How `sender` reaches `receiver` with a step message.
StepRoute routeTo(NetRole sender, NetRole receiver);

// The messages of an action by the seat `actorHostSeat` (host numbering) that `sender` sends:
// one per other machine at the table, seat-1 view first.
std::vector<StepRoute> stepRoutes(NetRole sender, int actorHostSeat, bool threePeople);

// The host's connections that get a text sent "to everybody but `fromSeat`": connection 0
// unless fromSeat is 2, connection 1 unless fromSeat is 3 and only with a second joiner
// (joinedCount 1); fromSeat 100 leaves nobody out. A joiner sends everything to the host (-1).
// The host relays joiners' chat lines and code-"3" steps by the same rule, with the sender's
// digit as fromSeat.
std::vector<int> sendExceptTargets(NetRole role, int fromSeat, int joinedCount);

// The joiner's digit that may write on a host's connection (2 on connection 0, 3 on 1).
int digitOnConnection(int connection);

}  // namespace orvala::lan
