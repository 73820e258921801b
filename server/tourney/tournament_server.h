#pragma once
// The tournament's game server: one TCP listener per table (table t on the base port + t), each
// carrying bytes between its sockets and the table's socketless host (table_host.h), which
// holds the connections' seats, the refereed game and its limits, on Asio.
//
// Accepting backs off for a moment after an error (no descriptors left, say) rather than
// spinning. A connection asked closed is closed once what was handed out for it is sent, or
// after `closeMs` when its client does not read.
//
// Everything runs on the thread that calls `run`; the callbacks, which reach the database, run
// there too.
//
// With claims (table_leases.h, several instances on one database), the server serves only the
// tables it holds: it asks which as it starts listening and every `renewMs`. A connection to a
// table not held here is closed at once; a table no longer held has its connections closed and
// its game dropped, without touching the lobby (the new holder has freed its seats). Without
// claims it serves all ten.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "tourney/table_host.h"

namespace orvala::service {

struct TournamentOptions {
    std::string address = "127.0.0.1";
    int basePort = 25700;
    std::int64_t moveMs = 30'000;  // the players' 26 seconds and a little grace
    std::int64_t lingerMs = 10'000;
    std::int64_t closeMs = 5'000;
    int maxPerAddress = 4;
    int maxConnections = 16;
    std::uint64_t seed = 0;        // 0: a random seed
    std::int64_t renewMs = 5'000;  // how often the claims are renewed
};

using TournamentCallbacks = TableHostCallbacks;

// One round of claims: given the tables held here that nobody is at (which may be given back),
// the tables held now.
using TableClaims = std::function<std::set<int>(const std::set<int>& idle)>;

class TournamentServer {
  public:
    TournamentServer(TournamentOptions options, TournamentCallbacks callbacks,
                     TableClaims claims = {});
    ~TournamentServer();
    TournamentServer(const TournamentServer&) = delete;
    TournamentServer& operator=(const TournamentServer&) = delete;

    // Opens the ten listeners; false with the reason when one cannot be opened.
    bool listen(std::string& error);
    // Serves until `stop`.
    void run();
    // From any thread.
    void stop();
    // From any thread while `run` serves: a round of claims at once; answers the tables held
    // after it.
    std::set<int> renewNow();

    struct Impl;  // the tables and their sockets, in the source file

  private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace orvala::service
