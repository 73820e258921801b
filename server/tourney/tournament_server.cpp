#include "tourney/tournament_server.h"

#include <boost/asio.hpp>
#include <chrono>
#include <deque>
#include <future>
#include <map>
#include <random>
#include <vector>

#include "core/tourney/frames.h"

namespace orvala::service {
namespace {

namespace asio = boost::asio;
using tcp = asio::ip::tcp;

}  // namespace

namespace tables {

struct Table;

struct Connection {
    Connection(tcp::socket s, TableHost::Id i)
        : socket(std::move(s)), id(i), closeTimer(socket.get_executor()) {}
    tcp::socket socket;
    TableHost::Id id;
    std::array<char, 4096> buffer{};
    std::deque<std::string> writes;
    bool closing = false;  // the host has forgotten it: closed once its writes are sent
    bool closed = false;
    asio::steady_timer closeTimer;  // a client that does not read is not waited for
};

}  // namespace tables

struct TournamentServer::Impl {
    TournamentOptions options;
    TournamentCallbacks callbacks;
    TableClaims claims;
    asio::io_context io;
    asio::steady_timer renewTimer{io};
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    std::vector<std::unique_ptr<tables::Table>> tables;

    std::int64_t now() const {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now() - start)
            .count();
    }
    void log(const std::string& line) const {
        if (callbacks.log) callbacks.log(line);
    }
    void claim();
    void scheduleClaims();
    std::set<int> serving() const;
};

namespace tables {

// Carries bytes between a table's sockets and its host; every decision is the host's.
struct Table {
    Table(TournamentServer::Impl& s, int n, std::uint64_t seed)
        : server(s),
          number(n),
          acceptor(s.io),
          backoff(s.io),
          timer(s.io),
          host(n, seed, hostOptions(s.options), s.callbacks) {}

    static TableHostOptions hostOptions(const TournamentOptions& o) {
        TableHostOptions h;
        h.moveMs = o.moveMs;
        h.lingerMs = o.lingerMs;
        h.helloMs = o.moveMs;
        h.maxPerAddress = o.maxPerAddress;
        h.maxConnections = o.maxConnections;
        return h;
    }

    TournamentServer::Impl& server;
    int number;
    tcp::acceptor acceptor;
    asio::steady_timer backoff;
    asio::steady_timer timer;
    TableHost host;
    std::map<TableHost::Id, std::shared_ptr<Connection>> connections;
    TableHost::Id nextId = 1;
    bool serving = true;  // held here: without claims, always

    void accept() {
        acceptor.async_accept([this](boost::system::error_code ec, tcp::socket socket) {
            if (ec == asio::error::operation_aborted) return;
            if (ec) {
                // Out of descriptors, say: try again in a moment rather than at once.
                backoff.expires_after(std::chrono::milliseconds(100));
                backoff.async_wait([this](boost::system::error_code e) {
                    if (!e) accept();
                });
                return;
            }
            const auto peer = socket.remote_endpoint(ec);
            if (!ec) socket.set_option(tcp::no_delay(true), ec);
            const TableHost::Id id = nextId++;
            // Another instance's table: its players are told its holder's address.
            if (!ec && serving && host.accept(id, peer.address().to_string(), server.now())) {
                auto c = std::make_shared<Connection>(std::move(socket), id);
                connections.emplace(id, c);
                read(c);
            } else {
                socket.close(ec);
            }
            pump();
            accept();
        });
    }

    void read(const std::shared_ptr<Connection>& c) {
        c->socket.async_read_some(
            asio::buffer(c->buffer), [this, c](boost::system::error_code ec, std::size_t n) {
                if (c->closed || c->closing) return;
                if (ec) return lost(c);
                host.receive(c->id, std::string_view(c->buffer.data(), n), server.now());
                pump();
                if (!c->closed && !c->closing) read(c);
            });
    }

    // The peer or the network ended a connection the host still knows.
    void lost(const std::shared_ptr<Connection>& c) {
        close(c);
        if (connections.erase(c->id) != 0) host.closed(c->id, server.now());
        pump();
    }

    void write(const std::shared_ptr<Connection>& c, std::string bytes) {
        if (c->closed) return;
        c->writes.push_back(std::move(bytes));
        if (c->writes.size() == 1) flush(c);
    }

    void flush(const std::shared_ptr<Connection>& c) {
        asio::async_write(c->socket, asio::buffer(c->writes.front()),
                          [this, c](boost::system::error_code ec, std::size_t n) {
                              if (c->closed) return;
                              if (ec) return lost(c);
                              c->writes.pop_front();
                              if (!c->closing) host.sent(c->id, n);
                              if (!c->writes.empty()) return flush(c);
                              if (c->closing) close(c);
                          });
    }

    void close(const std::shared_ptr<Connection>& c) {
        if (c->closed) return;
        c->closed = true;
        c->closeTimer.cancel();
        boost::system::error_code ec;
        c->socket.shutdown(tcp::socket::shutdown_both, ec);
        c->socket.close(ec);
    }

    // Hands the host's writes and closes to the sockets and arms the table's clock.
    void pump() {
        for (TableHost::Write& w : host.takeWrites())
            if (const auto it = connections.find(w.id); it != connections.end())
                write(it->second, std::move(w.bytes));
        for (const TableHost::Id id : host.takeCloses()) {
            const auto it = connections.find(id);
            if (it == connections.end()) continue;
            std::shared_ptr<Connection> c = it->second;
            connections.erase(it);
            c->closing = true;
            if (c->writes.empty()) {
                close(c);
                continue;
            }
            c->closeTimer.expires_after(std::chrono::milliseconds(server.options.closeMs));
            c->closeTimer.async_wait([this, c](boost::system::error_code e) {
                if (!e) close(c);
            });
        }
        arm();
    }

    // No longer held here: the game goes and every connection closes at once.
    void abandon() {
        host.abandon();
        host.takeWrites();
        host.takeCloses();
        for (auto& [id, c] : connections) close(c);
        connections.clear();
        timer.cancel();
    }

    void arm() {
        timer.cancel();
        const std::optional<std::int64_t> at = host.deadline();
        if (!at) return;
        timer.expires_after(
            std::chrono::milliseconds(std::max<std::int64_t>(0, *at - server.now())));
        timer.async_wait([this](boost::system::error_code ec) {
            if (ec) return;
            host.tick(server.now());
            pump();
        });
    }
};

}  // namespace tables

void TournamentServer::Impl::claim() {
    if (!claims) return;
    std::set<int> idle;
    for (const auto& t : tables)
        if (t->serving && t->host.connections() == 0) idle.insert(t->number);
    std::set<int> held;
    try {
        held = claims(idle);
    } catch (const std::exception& e) {
        log(std::string("tables: claims not renewed: ") + e.what());
        return;
    }
    std::string taken;
    for (const auto& t : tables) {
        const bool mine = held.count(t->number) != 0;
        if (mine == t->serving) continue;
        t->serving = mine;
        if (mine) {
            taken += " " + std::to_string(t->number);
            continue;
        }
        const std::size_t open = t->connections.size();
        t->abandon();
        log("table " + std::to_string(t->number) + ": no longer held here" +
            (open ? "; " + std::to_string(open) + " connection(s) closed" : std::string()));
    }
    if (!taken.empty()) log("tables served here from now:" + taken);
}

void TournamentServer::Impl::scheduleClaims() {
    renewTimer.expires_after(std::chrono::milliseconds(options.renewMs));
    renewTimer.async_wait([this](boost::system::error_code ec) {
        if (ec) return;
        claim();
        scheduleClaims();
    });
}

std::set<int> TournamentServer::Impl::serving() const {
    std::set<int> out;
    for (const auto& t : tables)
        if (t->serving) out.insert(t->number);
    return out;
}

TournamentServer::TournamentServer(TournamentOptions options, TournamentCallbacks callbacks,
                                   TableClaims claims)
    : impl_(std::make_unique<Impl>()) {
    impl_->options = std::move(options);
    impl_->callbacks = std::move(callbacks);
    impl_->claims = std::move(claims);
    std::uint64_t seed = impl_->options.seed;
    if (seed == 0) seed = (std::uint64_t{std::random_device{}()} << 32) | std::random_device{}();
    for (int t = 1; t <= tourney::kTables; ++t) {
        impl_->tables.push_back(
            std::make_unique<tables::Table>(*impl_, t, seed + static_cast<unsigned>(t)));
        impl_->tables.back()->serving = !impl_->claims;
    }
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
    // The first claims before serving, so that a started server knows its tables.
    impl_->claim();
    return true;
}

void TournamentServer::run() {
    auto guard = asio::make_work_guard(impl_->io);
    if (impl_->claims) impl_->scheduleClaims();
    // The tables catch their own faults; anything else that escapes costs one handler, not the
    // game server.
    for (;;) {
        try {
            impl_->io.run();
            return;
        } catch (const std::exception& e) {
            if (impl_->callbacks.log) impl_->callbacks.log(std::string("tables: ") + e.what());
        }
    }
}

void TournamentServer::stop() {
    impl_->io.stop();
}

std::set<int> TournamentServer::renewNow() {
    std::promise<std::set<int>> done;
    auto held = done.get_future();
    asio::post(impl_->io, [this, &done] {
        impl_->claim();
        done.set_value(impl_->serving());
    });
    return held.get();
}

}  // namespace orvala::service
