#pragma once
// The tournament lobby's web operations and the drawing of its seats.
//
// The operations: the table list (ten records, the k-th for table 11 - k), the game server's
// state and welcome text, a player's tournament score, games and rating, taking or releasing a
// seat, reading one seat, and the tournament top ten with a player's place in it. Each request
// builder has a reader that turns any reply into a clear result; a reply it cannot use reads as
// a failure ("No Connect" in the window).
//
// The seats: `seatLook` decides what one seat button shows and whether it may be pressed, from
// the table list, where the local player sits and whether the server is on. The window and
// `orvala-tool tourney` share all of it.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/online/request.h"

namespace orvala::online {

inline constexpr int kLobbyTables = 10;
// The account that may sit beside players from its own address and type another game server's
// address; the service's configuration names the same nick.
inline constexpr std::string_view kTourneyAdministrator = "OrvalaAdmin";

// A player as a seat holds it; "X" everywhere is a free seat.
struct TourneyClient {
    std::string Nick = "X";
    std::int64_t Score = 0, Kon = 0, Rating = 0;
    std::string Country = "X", City = "X", Sex = "X", IP = "X";

    bool free() const { return Nick == "X"; }
};

struct TourneyTable {
    std::string IP = "0.0.0.0";
    std::int64_t Port = 0;
    std::string Free = "X";
    std::int64_t R1 = 0;
    std::string R2 = "X";
    std::array<TourneyClient, 3> seats;
};

// Tables 1..10 at index 0..9.
using TourneyTables = std::array<TourneyTable, kLobbyTables>;

Request tourneyTablesRequest();
// Nothing when the reply holds no table record at all; with fewer than ten records the
// lowest-numbered tables keep their defaults.
std::optional<TourneyTables> readTourneyTables(std::string_view reply);
// The nicks at seats 1..3 of `table` (index 0 unused), "" for a free seat or a table out of range.
std::array<std::string, 4> tableNicks(const TourneyTables& tables, int table);

struct ServerInfo {
    std::string status;   // "Y": the game server is on
    std::string welcome;  // "_" already turned into blanks
    bool on() const { return status == "Y"; }
};
Request serverInfoRequest();
std::optional<ServerInfo> readServerInfo(std::string_view reply);

struct TourneyRating {
    std::int64_t Score = 0, Kon = 0, Rating = 0;
};
Request tourneyRatingRequest(std::string_view nick);
std::optional<TourneyRating> readTourneyRating(std::string_view reply);

// `can`: 1 takes the seat with `player`, whose account password `pw` goes along, 2 releases
// one's own, 0 clears it on a player's behalf; the last two send "X" for every value and no
// password.
enum class SeatCan { Clear = 0, Take = 1, Release = 2 };
enum class SeatResult { Done, Taken, Failed };
Request seatRequest(int table, int seat, SeatCan can, const TourneyClient& player,
                    std::string_view pw = {});
SeatResult readSeatReply(std::string_view reply);

Request readSeatRequest(int table, int seat);
std::optional<TourneyClient> readSeat(std::string_view reply);

// The top ten's kinds: by score, by rating, by games played.
enum class TopKind { Score, Rating, Games };
char topKindLetter(TopKind kind);
struct TourneyTopRow {
    std::int64_t Place = 0;
    std::string Nick, City, Country, Sex;
    std::int64_t Value = 0;
};
Request tourneyTopRequest(TopKind kind);
// Nothing when the list could not be read; an empty list is a top ten nobody has entered yet.
std::optional<std::vector<TourneyTopRow>> readTourneyTop(std::string_view reply);
Request tourneyPlaceRequest(TopKind kind, std::int64_t value);
std::optional<std::int64_t> readTourneyPlace(std::string_view reply);

// Where the local player sits: table 1..10 and seat 1..3, or 0 and 0.
struct SeatedAt {
    int table = 0, seat = 0;
    bool seated() const { return table != 0; }
};

enum class SeatLook {
    ServerOff,  // "Server Off", disabled
    Held,       // somebody's nick " : " rating, disabled (also the local player's own seat 3)
    LogOff,     // the local player's own seat 1 or 2
    Take,       // "Take the place of"
    Free,       // "Free", disabled: the seat before it is free
    Back,       // "Connect": the local player's own seat in a game under way, its link lost
};
struct SeatButton {
    SeatLook look = SeatLook::ServerOff;
    bool enabled = false;
};
// `me`: the local player's nick; a full table's seat under it, not held here, can be connected to
// again (its game goes on at the game server while the seat is away).
SeatButton seatLook(const TourneyTables& tables, int table, int seat, SeatedAt at, bool serverOn,
                    std::string_view me = {});

// The remembered seat, forgotten when seat 1 of its table shows as free: the table broke up.
SeatedAt checkedSeat(const TourneyTables& tables, SeatedAt at);

// The game server's address and port of table `table`, from its own record: the tables may be
// served by different instances of the service. A table out of range has port 0.
struct GameServer {
    std::string host;
    std::int64_t port = 0;
};
GameServer gameServerOf(const TourneyTables& tables, int table);

}  // namespace orvala::online
