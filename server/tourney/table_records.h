#pragma once
// What the game server reads and writes in the service's storage: who holds a seat of the lobby,
// the tournament players' results, and the freeing of a table whose game has ended.

#include <array>
#include <optional>
#include <string>

#include "storage/storage.h"
#include "tourney/tournament_server.h"

namespace orvala::service {

// The nick at `seat` of `table` when `address` took it, else nullopt; the seat is marked as
// connected, so the lobby no longer frees it for want of its player.
std::optional<std::string> claimSeat(Storage& db, int table, int seat, const std::string& address);

// Adds one game and its result to each seat's tournament score; the rating is the average
// result a game. The seats' country, city and sex come from the lobby.
void recordResults(Storage& db, int table, const std::array<std::string, 4>& nicks,
                   const std::array<int, 4>& results);

// Frees `seat` of `table` if `nick` still holds it (the lobby may have given it to another).
void freeSeat(Storage& db, int table, int seat, const std::string& nick);
void freeTable(Storage& db, int table);

// The game server's callbacks on `db`: seat claims, results and freed seats. The tables reach
// the database on their own thread, through their own connection; a failing database costs a
// seat or a result, never the server.
TournamentCallbacks tableCallbacks(Storage& db, std::function<void(std::string_view)> log);

}  // namespace orvala::service
