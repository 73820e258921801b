#pragma once
// One tournament table's connections and its refereed game, without sockets: the caller names
// connections by number and hands over what they read, when they close and the time (its own
// milliseconds); the host answers with bytes to send and connections to close. The game server
// (tournament_server.cpp) carries bytes between sockets and a host; the tests and the fuzzer
// drive one directly.
//
// A connection takes its seat with the short frame "connect" and the seat digit within
// `helloMs`; the host takes it only from the address that holds that seat in the lobby
// (`claimSeat`), only while the game waits for players, and only for a seat no other
// connection holds. The third seat taken deals. A seat left before the deal, by a frame or a
// closed connection, is freed in the lobby in the same step (`seatFreed`). A seat whose
// connection closes while the game runs is away (table_referee.h): the same greeting from the
// lobby's holder of the seat, under the nick that sat down, takes it back within its clock.
//
// When a game ends its results are recorded (`results`, once a game) and its players' seats
// are freed in the lobby, and in that same step the table gets a fresh referee that waits for
// players: the lobby and the host never disagree on a free seat. The ended game's connections
// are moved aside with their referee: after a finished game they may still send seat 1's
// report until `lingerMs` has passed; after a leaver or a time-out they are closed once their
// last frames are sent.
//
// Every queue is bounded: a seat's held frames (table_referee.h), what waits to be sent to a
// connection (`maxQueuedBytes`: a client that does not read loses its seat, as a leave), and
// the connections of one address (`maxPerAddress`, lingering ones aside) and of the table
// (`maxConnections`).
//
// Nothing a callback or the referee does is acted on while a loop walks the state it changes:
// every event is handled in full, then `settle` reads where the table stands and acts once. If
// handling an event throws, the table ends: its connections are closed, its lobby seats freed
// (`tableFailed`), and it waits for players again.

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/game/random_source.h"
#include "tourney/table_referee.h"

namespace orvala::service {

struct TableHostOptions {
    std::int64_t moveMs = 30'000;
    std::int64_t lingerMs = 10'000;
    std::int64_t helloMs = 30'000;
    std::size_t maxQueuedBytes = 64 * 1024;
    int maxPerAddress = 4;
    int maxConnections = 16;
};

struct TableHostCallbacks {
    // The nick that holds `seat` of `table` from `address`, marked as connected in the lobby; or
    // nullopt.
    std::function<std::optional<std::string>(int table, int seat, const std::string& address)>
        claimSeat;
    // `nick` no longer holds `seat` of `table`: its lobby row goes (only that nick's).
    std::function<void(int table, int seat, const std::string& nick)> seatFreed;
    std::function<void(int table, const std::array<std::string, 4>& nicks,
                       const std::array<int, 4>& results)>
        results;
    // The table broke down: every lobby seat of it goes.
    std::function<void(int table)> tableFailed;
    std::function<void(std::string_view line)> log;
};

class TableHost {
  public:
    using Id = std::uint64_t;

    struct Write {
        Id id = 0;
        std::string bytes;
    };

    TableHost(int table, std::uint64_t seed, TableHostOptions options,
              TableHostCallbacks callbacks);
    ~TableHost();
    TableHost(const TableHost&) = delete;
    TableHost& operator=(const TableHost&) = delete;

    // A new connection from `address`; false when the limits refuse it (the caller closes it).
    bool accept(Id id, const std::string& address, std::int64_t now);
    void receive(Id id, std::string_view bytes, std::int64_t now);
    // The connection is gone (closed by its peer, a read or write error).
    void closed(Id id, std::int64_t now);
    // `bytes` of what was handed out for `id` reached the socket.
    void sent(Id id, std::size_t bytes);
    // Runs the clocks (greetings, moves, lingering) up to `now`.
    void tick(std::int64_t now);
    // When `tick` has something to do next.
    std::optional<std::int64_t> deadline() const;
    // The table is no longer this server's to serve: every connection is to be closed and a
    // fresh game waits, with nothing recorded and no lobby seat touched (they are the new
    // server's now).
    void abandon();

    std::vector<Write> takeWrites();
    // Connections to close once what was handed out for them is sent; the host has forgotten
    // them.
    std::vector<Id> takeCloses();

    int table() const { return table_; }
    const TableReferee& referee() const { return *referee_; }
    // The connection that holds `seat` of the waiting or running game, 0 when none.
    Id holder(int seat) const { return holders_[static_cast<std::size_t>(seat)]; }
    std::size_t connections() const { return connections_.size(); }
    // Games ended whose connections still linger.
    std::size_t gamesAside() const { return aside_.size(); }
    // Games ended so far, and whether the last had results to record.
    std::uint64_t gamesEnded() const { return nextGame_ - 1; }
    bool lastEndHadResults() const { return lastHadResults_; }

  private:
    enum class Stage { Greeting, Seated, Aside };
    struct Connection {
        std::string address;
        Stage stage = Stage::Greeting;
        int seat = 0;
        std::string hello;
        std::int64_t helloUntil = 0;
        std::size_t queued = 0;
        std::uint64_t game = 0;  // the ended game it belongs to, when aside
    };
    struct EndedGame {
        std::unique_ptr<TableReferee> referee;
        std::optional<std::int64_t> until;  // lingering after a finished game
    };

    template <typename F>
    void guarded(std::int64_t now, F&& f);
    void greet(Id id, Connection& c, std::int64_t now);
    void settle(std::int64_t now);
    void sendAll(TableReferee& referee, const std::array<Id, 4>& seats);
    void endGame(std::int64_t now);
    void drop(Id id);
    void fail(const std::string& what);
    void clear();
    void log(const std::string& line);
    void logRefusal(const std::string& what, std::int64_t now);

    int table_;
    SeededRandom random_;
    TableHostOptions options_;
    TableHostCallbacks callbacks_;
    std::unique_ptr<TableReferee> referee_;
    std::array<Id, 4> holders_{};
    std::map<Id, Connection> connections_;
    std::map<std::uint64_t, EndedGame> aside_;
    std::uint64_t nextGame_ = 1;
    bool lastHadResults_ = false;
    std::vector<Write> writes_;
    std::vector<Id> closes_;
    static constexpr std::int64_t kRefusalLogMs = 1000;
    std::optional<std::int64_t> lastRefusalLog_;
    std::uint64_t refusalsUnlogged_ = 0;
};

}  // namespace orvala::service
