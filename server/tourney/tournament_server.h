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

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
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
    std::uint64_t seed = 0;  // 0: a random seed
};

using TournamentCallbacks = TableHostCallbacks;

class TournamentServer {
  public:
    TournamentServer(TournamentOptions options, TournamentCallbacks callbacks);
    ~TournamentServer();
    TournamentServer(const TournamentServer&) = delete;
    TournamentServer& operator=(const TournamentServer&) = delete;

    // Opens the ten listeners; false with the reason when one cannot be opened.
    bool listen(std::string& error);
    // Serves until `stop`.
    void run();
    // From any thread.
    void stop();

    struct Impl;  // the tables and their sockets, in the source file

  private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace orvala::service
