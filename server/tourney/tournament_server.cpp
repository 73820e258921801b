#include "tourney/tournament_server.h"

#include <boost/asio.hpp>
#include <chrono>
#include <deque>
#include <random>
#include <vector>

#include "core/game/random_source.h"
#include "core/tourney/frames.h"
#include "tourney/table_referee.h"

namespace orvala::service {
namespace {

namespace asio = boost::asio;
using tcp = asio::ip::tcp;

}  // namespace

namespace tables {

struct Table;

struct Connection : std::enable_shared_from_this<Connection> {
    Connection(tcp::socket s, Table& t)
        : socket(std::move(s)), table(t), helloTimer(socket.get_executor()) {}
    tcp::socket socket;
    Table& table;
    int seat = 0;  // 0 until "connect" is taken
    std::string hello;
    std::array<char, 4096> buffer{};
    std::deque<std::string> writes;
    bool closing = false;
    bool closed = false;
    asio::steady_timer helloTimer;  // a connection that never takes a seat is closed
};

}  // namespace tables

struct TournamentServer::Impl {
    TournamentOptions options;
    TournamentCallbacks callbacks;
    asio::io_context io;
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    std::vector<std::unique_ptr<tables::Table>> tables;

    std::int64_t now() const {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now() - start)
            .count();
    }
    void log(const std::string& line) {
        if (callbacks.log) callbacks.log(line);
    }
};

namespace tables {

struct Table {
    Table(TournamentServer::Impl& s, int n, std::uint64_t seed)
        : server(s), number(n), acceptor(s.io), timer(s.io), random(seed) {
        referee.emplace(number, random, server.options.moveMs);
    }

    TournamentServer::Impl& server;
    int number;
    tcp::acceptor acceptor;
    asio::steady_timer timer;
    SeededRandom random;
    std::optional<TableReferee> referee;
    std::array<std::shared_ptr<Connection>, 4> seats{};
    std::optional<std::int64_t> lingerUntil;
    bool ended = false;

    void accept() {
        acceptor.async_accept([this](boost::system::error_code ec, tcp::socket socket) {
            if (ec == asio::error::operation_aborted) return;
            if (!ec) {
                socket.set_option(tcp::no_delay(true), ec);
                auto c = std::make_shared<Connection>(std::move(socket), *this);
                c->helloTimer.expires_after(std::chrono::milliseconds(server.options.moveMs));
                c->helloTimer.async_wait([this, c](boost::system::error_code e) {
                    if (!e && c->seat == 0) close(c);
                });
                read(c);
            }
            accept();
        });
    }

    void read(const std::shared_ptr<Connection>& c) {
        c->socket.async_read_some(asio::buffer(c->buffer),
                                  [this, c](boost::system::error_code ec, std::size_t n) {
                                      if (c->closed) return;
                                      if (ec) return lost(c);
                                      const std::string_view bytes(c->buffer.data(), n);
                                      if (c->seat == 0)
                                          greet(c, bytes);
                                      else if (!c->closing)
                                          referee->receive(c->seat, bytes, server.now());
                                      pump();
                                      if (!c->closed) read(c);
                                  });
    }

    // The first frame must take a seat that this address holds in the lobby.
    void greet(const std::shared_ptr<Connection>& c, std::string_view bytes) {
        c->hello.append(bytes);
        if (c->hello.size() < tourney::kShortFrame) return;
        const std::string f = c->hello.substr(0, tourney::kShortFrame);
        const std::string rest = c->hello.substr(tourney::kShortFrame);
        c->hello.clear();
        const char d = f.size() > 7 ? f[7] : '0';
        const int seat = d >= '1' && d <= '3' ? d - '0' : 0;
        boost::system::error_code ec;
        const auto peer = c->socket.remote_endpoint(ec);
        std::optional<std::string> nick;
        if (seat != 0 && !ec && f == tourney::shortFrame(std::string("connect") + d, seat) &&
            referee->phase() == TableReferee::Phase::Waiting && !seats[seat] &&
            !referee->isSeated(seat) && server.callbacks.seatCheck)
            nick = server.callbacks.seatCheck(number, seat, peer.address().to_string());
        if (!nick) {
            server.log("table " + std::to_string(number) + ": a connection refused");
            return close(c);
        }
        c->seat = seat;
        c->helloTimer.cancel();
        seats[seat] = c;
        referee->seated(seat, *nick, server.now());
        if (!rest.empty()) referee->receive(seat, rest, server.now());
    }

    void lost(const std::shared_ptr<Connection>& c) {
        close(c);
        if (c->seat != 0 && seats[c->seat] == c) {
            seats[c->seat].reset();
            referee->closed(c->seat, server.now());
        }
        pump();
    }

    void write(const std::shared_ptr<Connection>& c, std::string bytes) {
        if (c->closed || c->closing) return;
        c->writes.push_back(std::move(bytes));
        if (c->writes.size() == 1) flush(c);
    }

    void flush(const std::shared_ptr<Connection>& c) {
        asio::async_write(c->socket, asio::buffer(c->writes.front()),
                          [this, c](boost::system::error_code ec, std::size_t) {
                              if (c->closed) return;
                              if (ec) return lost(c);
                              c->writes.pop_front();
                              if (!c->writes.empty()) return flush(c);
                              if (c->closing) close(c);
                          });
    }

    // Closes once what is queued has gone.
    void closeAfterWrites(const std::shared_ptr<Connection>& c) {
        c->closing = true;
        if (c->writes.empty()) close(c);
    }

    void close(const std::shared_ptr<Connection>& c) {
        if (c->closed) return;
        c->closed = true;
        c->helloTimer.cancel();
        boost::system::error_code ec;
        c->socket.shutdown(tcp::socket::shutdown_both, ec);
        c->socket.close(ec);
    }

    // Sends what the referee wrote and acts on where the table stands.
    void pump() {
        for (TableReferee::Frame& f : referee->takeOutgoing())
            if (auto& c = seats[f.to]) write(c, std::move(f.bytes));
        for (const std::string& line : referee->takeLog()) server.log(line);
        for (int s = 1; s <= 3; ++s)
            if (seats[s] && (seats[s]->closed || !referee->isSeated(s))) {
                closeAfterWrites(seats[s]);
                if (seats[s]->closed) seats[s].reset();
            }
        if (referee->phase() == TableReferee::Phase::Ended && !ended) {
            ended = true;
            if (referee->results() && server.callbacks.results)
                server.callbacks.results(number, referee->nicks(), *referee->results());
            if (server.callbacks.tableEnded) server.callbacks.tableEnded(number);
            if (referee->ending() == TableReferee::End::Finished) {
                lingerUntil = server.now() + server.options.lingerMs;
            } else {
                for (int s = 1; s <= 3; ++s)
                    if (seats[s]) closeAfterWrites(seats[s]);
            }
        }
        if (ended) {
            bool anyOpen = false;
            for (int s = 1; s <= 3; ++s) {
                if (seats[s] && seats[s]->closed) seats[s].reset();
                anyOpen = anyOpen || seats[s];
            }
            if (!anyOpen) {
                // The table waits for players again.
                for (const std::string& line : referee->takeLog()) server.log(line);
                referee.emplace(number, random, server.options.moveMs);
                ended = false;
                lingerUntil.reset();
            }
        }
        arm();
    }

    void arm() {
        std::optional<std::int64_t> at = referee->deadline();
        if (lingerUntil) at = lingerUntil;
        timer.cancel();
        if (!at) return;
        timer.expires_after(
            std::chrono::milliseconds(std::max<std::int64_t>(0, *at - server.now())));
        timer.async_wait([this](boost::system::error_code ec) {
            if (ec) return;
            if (lingerUntil && server.now() >= *lingerUntil) {
                lingerUntil.reset();
                for (int s = 1; s <= 3; ++s)
                    if (seats[s]) closeAfterWrites(seats[s]);
            }
            referee->tick(server.now());
            pump();
        });
    }
};

}  // namespace tables

TournamentServer::TournamentServer(TournamentOptions options, TournamentCallbacks callbacks)
    : impl_(std::make_unique<Impl>()) {
    impl_->options = std::move(options);
    impl_->callbacks = std::move(callbacks);
    std::uint64_t seed = impl_->options.seed;
    if (seed == 0) seed = (std::uint64_t{std::random_device{}()} << 32) | std::random_device{}();
    for (int t = 1; t <= tourney::kTables; ++t)
        impl_->tables.push_back(
            std::make_unique<tables::Table>(*impl_, t, seed + static_cast<unsigned>(t)));
}

TournamentServer::~TournamentServer() = default;

bool TournamentServer::listen(std::string& error) {
    boost::system::error_code ec;
    const auto address = asio::ip::make_address(impl_->options.address, ec);
    if (ec) {
        error = "tables: not an address: " + impl_->options.address;
        return false;
    }
    for (auto& t : impl_->tables) {
        const int port = impl_->options.basePort + t->number;
        const tcp::endpoint at(address, static_cast<unsigned short>(port));
        t->acceptor.open(at.protocol(), ec);
        if (!ec) t->acceptor.set_option(tcp::acceptor::reuse_address(true), ec);
        if (!ec) t->acceptor.bind(at, ec);
        if (!ec) t->acceptor.listen(asio::socket_base::max_listen_connections, ec);
        if (ec) {
            error = "table " + std::to_string(t->number) + ": cannot listen on port " +
                    std::to_string(port) + ": " + ec.message();
            return false;
        }
        t->accept();
    }
    return true;
}

void TournamentServer::run() {
    auto guard = asio::make_work_guard(impl_->io);
    impl_->io.run();
}

void TournamentServer::stop() {
    impl_->io.stop();
}

}  // namespace orvala::service
