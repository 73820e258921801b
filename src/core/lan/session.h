#pragma once
// A LAN session's state and its joining handshake, as pure transitions.
//
// The host listens and answers join requests with seat replies; a joiner sends its join request
// once connected and is seated by the reply (the second joiner learns its role from it). With two
// joiners the first one is told the new seat list by a seat update. Every reader here takes
// untrusted bytes and refuses what it cannot use. The host refuses a third joiner (the table has
// three seats) and, once it has dealt, every join request but one under the name of a seat whose
// machine was lost (lan_peer.h): such a machine keeps waiting.
//
// Connections are the host's links to its joiners: 0 the first joiner, 1 the second. A link is
// numbered by the join request answered on it, not by the order of acceptance, so a connection
// that never asks takes no seat and the replies below always go to the machine that asked.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/lan/net_seats.h"

namespace orvala::lan {

enum class LinkState { Idle = 0, Waiting = 1, Seated = 2, Dealt = 3 };

inline constexpr std::string_view kGameId = "55";
inline constexpr int kToHost = -1;  // a joiner's only link

// One text to send: on the host, on connection `to`; on a joiner, to the host.
struct Send {
    int to = kToHost;
    std::string bytes;
    friend bool operator==(const Send&, const Send&) = default;
};

struct Session {
    NetRole role = NetRole::None;
    LinkState link = LinkState::Idle;
    // The host's count of joiners less one (-1 none yet); 1 on every machine once three play.
    int joinedCount = 0;
    std::array<std::string, 4> seatNames{};  // 1..3, six bytes each; seat 3 is this machine
    std::string localName;                   // six bytes
    // A joiner's: the host's computer has played a seat of a lost machine in this game, so the
    // host's steps may act for any seat.
    bool hostStandsIn = false;

    friend bool operator==(const Session&, const Session&) = default;
    bool threePeople() const { return joinedCount == 1; }
};

// A name as the handshake carries it: its first six bytes, padded with blanks.
std::string sixBytes(std::string_view name);

Session hostListening(std::string_view localName);
Session joinerConnecting(std::string_view localName);

std::string joinRequest(std::string_view localName);
// The six-byte name of a join request for this game; nullopt for any other text.
std::optional<std::string> joinRequestName(std::string_view bytes);

// The host's answer to a received text while it waits: the seat reply to the new joiner and,
// for the second joiner, the seat update to the first. Empty, with the session unchanged, when
// the text is no join request for this game or the table takes nobody more.
std::vector<Send> hostOnJoinRequest(Session& host, std::string_view bytes);
// The seat reply for the joiner on link 0 or 1 (again, to one who comes back before the deal).
std::string seatReply(const Session& host, int link);

// A joiner's reading of the seat reply and (first joiner only) the seat update. False, with the
// session unchanged, when the text is not one it may take now.
bool joinerOnSeatReply(Session& joiner, std::string_view bytes);
bool joinerOnSeatUpdate(Session& joiner, std::string_view bytes);

// The host's first deal closes the table to joiners.
void hostDealt(Session& host);

}  // namespace orvala::lan
