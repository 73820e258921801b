#pragma once
// Who is who at a LAN table. Every machine shows itself as seat 3 and numbers the other two
// seats in the same cyclic order (first joiner, second joiner or the computer seat, host); the
// host's numbering is the table's common one: seat 1 the first joiner, seat 2 the second joiner
// or the computer seat, seat 3 the host. These functions turn seat numbers between machines.

#include <string_view>

namespace orvala::lan {

// The digit a machine writes into chat and step messages.
enum class NetRole { None = 0, Host = 1, FirstJoiner = 2, SecondJoiner = 3 };

constexpr int digitOf(NetRole r) {
    return static_cast<int>(r);
}

// The computer seat's name on every machine: "PC" and four blanks.
inline constexpr std::string_view kComputerSeatName = "PC    ";

// The seat a machine holds in the host's numbering (first joiner 1, second joiner 2, host 3).
int hostSeatOf(NetRole role);
// The machine that holds a seat of the host's numbering; seat 2 without a second joiner is the
// computer seat, held by no machine (None).
NetRole roleAtHostSeat(int hostSeat, bool threePeople);
// A seat of the host's numbering as `viewer` numbers it, and back.
int localSeat(NetRole viewer, int hostSeat);
int hostSeat(NetRole viewer, int localSeat);
// The seat that acts first in deal `dealCount` (counted from 1), in `viewer`'s numbering.
int dealOpener(NetRole viewer, int dealCount);

}  // namespace orvala::lan
