#pragma once
// The tournament's game server: one TCP listener per table (table t on the base port + t), each
// table's connections and its refereed game (table_referee.h), on Asio.
//
// A connection takes its seat with the short frame "connect" and the seat digit; the server
// takes it only from the address that holds that seat of the table in the lobby (`SeatCheck`)
// and only while the table waits for players. The third seat taken deals the first deal. When
// the game ends the lobby's seats of the table are freed (`TableEnded`), and the referee's
// results, if it has any, are recorded (`Results`); after a player left or ran out of time the
// other connections are closed at once, after a finished game once the players have gone or
// `lingerMs` has passed. Then the table waits for players again.
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

namespace orvala::service {

struct TournamentOptions {
    std::string address = "127.0.0.1";
    int basePort = 25700;
    std::int64_t moveMs = 30'000;  // the players' 26 seconds and a little grace
    std::int64_t lingerMs = 10'000;
    std::uint64_t seed = 0;  // 0: a random seed
};

struct TournamentCallbacks {
    // The nick that holds `seat` of `table` from `address`, or nullopt.
    std::function<std::optional<std::string>(int table, int seat, const std::string& address)>
        seatCheck;
    std::function<void(int table, const std::array<std::string, 4>& nicks,
                       const std::array<int, 4>& results)>
        results;
    std::function<void(int table)> tableEnded;
    std::function<void(std::string_view line)> log;
};

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
