#pragma once
// What the game server reads and writes in the service's storage: who holds a seat of the lobby,
// the tournament players' results, and the freeing of a table whose game has ended.

#include <array>
#include <optional>
#include <string>

#include "storage/storage.h"

namespace orvala::service {

// The nick at `seat` of `table` when `address` took it, else nullopt.
std::optional<std::string> seatHolder(Storage& db, int table, int seat, const std::string& address);

// Adds one game and its result to each seat's tournament score; the rating is the average
// result a game. The seats' country, city and sex come from the lobby.
void recordResults(Storage& db, int table, const std::array<std::string, 4>& nicks,
                   const std::array<int, 4>& results);

void freeTable(Storage& db, int table);

}  // namespace orvala::service
