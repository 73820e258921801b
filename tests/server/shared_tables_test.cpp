// Two game servers on one database share the tournament's tables by leases, over real sockets
// on loopback: the tables split between them, each serves only the tables it holds, the lobby
// names each table's holder, and the tables of an instance that died or stalled go to the other
// once their leases run out. The leases run on the service's clock, which the tests move.

#include <unistd.h>

#include <mutex>
#include <random>
#include <set>
#include <stdexcept>

#include "core/online/tourney_lobby.h"
#include "core/tourney/frames.h"
#include "engine_fixture.h"
#include "tourney/table_leases.h"
#include "tourney/table_records.h"
#include "tourney/tournament_server.h"

namespace orvala::service::testing {
namespace {

constexpr std::int64_t kLeaseSeconds = 15;
constexpr int kConfiguredBase = 25700;

std::set<int> allTables() {
    std::set<int> all;
    for (int t = 1; t <= tourney::kTables; ++t) all.insert(t);
    return all;
}

// One service instance's game server with its own connection and its leases.
struct Instance {
    std::unique_ptr<Storage> db;
    std::unique_ptr<TableLeases> leases;
    std::unique_ptr<TournamentServer> server;
    std::thread thread;
    int basePort = 0;

    unsigned short port(int table) const { return static_cast<unsigned short>(basePort + table); }
    // Stops serving; the leases are not given back, as when the process dies.
    void die() {
        if (!server) return;
        server->stop();
        thread.join();
        server.reset();
    }
    ~Instance() { die(); }
};

class SharedTables : public EngineTest {
  protected:
    void configure(ServiceConfig& c) override {
        c.tourServerAddress = "127.0.0.1";
        c.tourBasePort = kConfiguredBase;
    }

    void SetUp() override {
        EngineTest::SetUp();
        if (!service) return;
        for (const char* n : {"lena", "mike", "nina"})
            ASSERT_EQ(registerAccount(*service, n, "secret1"), "ok");
    }

    Instance& start(const std::string& name) {
        auto in = std::make_unique<Instance>();
        in->db = openStorage(service->config().database, service->config().dataDir, false);
        std::mt19937 rng(std::random_device{}());
        for (int attempt = 0; attempt < 20 && !in->server; ++attempt) {
            in->basePort = 20000 + static_cast<int>(rng() % 40000);
            in->leases = std::make_unique<TableLeases>(
                *in->db, LeaseOptions{name, "127.0.0.1", in->basePort, kLeaseSeconds},
                [this] { return service->clock.load(); });
            TournamentOptions o;
            o.basePort = in->basePort;
            o.moveMs = 60'000;
            o.seed = 3;
            o.renewMs = 3'600'000;  // the tests renew by hand
            TableLeases* leases = in->leases.get();
            auto server = std::make_unique<TournamentServer>(
                o, tableCallbacks(*in->db, [](std::string_view) {}),
                [leases](const std::set<int>& idle) { return leases->renew(idle); });
            std::string error;
            if (server->listen(error)) in->server = std::move(server);
        }
        if (!in->server) throw std::runtime_error("no free ports for " + name);
        Instance& out = *in;
        out.thread = std::thread([&out] { out.server->run(); });
        instances.push_back(std::move(in));
        return out;
    }

    // The lobby's address and port of every table, as the players' side reads them.
    online::TourneyTables lobby() {
        const auto tables = online::readTourneyTables(service->post("/tour/tables", "").body);
        EXPECT_TRUE(tables);
        return tables.value_or(online::TourneyTables{});
    }
    void expectLobbyNames(int table, const Instance& holder) {
        const auto server = online::gameServerOf(lobby(), table);
        EXPECT_EQ(server.host, "127.0.0.1") << table;
        EXPECT_EQ(server.port, holder.basePort + table) << table;
    }

    // A player greets seat `seat` of `table` at `in`; returns once the lobby has it connected.
    int greet(const Instance& in, int table, int seat) {
        const int fd = connectLoopback(in.port(table), 5);
        EXPECT_GE(fd, 0);
        sendAll(fd, tourney::shortFrame("connect" + std::to_string(seat), seat));
        for (int n = 0; n < 500; ++n) {
            const auto row =
                service->db().queryOne("SELECT connected FROM seats WHERE tbl = $1 AND seat = $2",
                                       {std::int64_t{table}, std::int64_t{seat}});
            if (row && row->integer(0) == 1) return fd;
            ::usleep(10'000);
        }
        ADD_FAILURE() << "seat " << seat << " of table " << table << " never connected";
        return fd;
    }

    // A connection to a table not served there is closed at once, before any greeting (one
    // the table served would wait for its greeting).
    static bool refused(const Instance& in, int table) {
        const int fd = connectLoopback(in.port(table), 5);
        if (fd < 0) return false;
        const bool closed = closedByPeer(fd);
        ::close(fd);
        return closed;
    }

    std::vector<std::unique_ptr<Instance>> instances;
};

TEST_P(SharedTables, TheTablesSplitAndTheSurvivorTakesOverADeadInstancesTablesOnceTheyRunOut) {
    Instance& a = start("alpha");
    EXPECT_EQ(a.leases->held(), allTables()) << "a lone instance holds all ten";
    Instance& b = start("beta");
    EXPECT_TRUE(b.server->renewNow().empty()) << "nothing is free yet";

    // A player at table 1 of alpha: that table is not given back while she sits there.
    ASSERT_EQ(takeSeat(*service, 1, 1, 1, "lena"), "ok");
    const int lena = greet(a, 1, 1);
    const std::set<int> heldA = a.server->renewNow();
    const std::set<int> heldB = b.server->renewNow();
    EXPECT_EQ(heldA.size(), 5u);
    EXPECT_EQ(heldB.size(), 5u);
    EXPECT_TRUE(heldA.count(1));
    std::set<int> both = heldA;
    both.insert(heldB.begin(), heldB.end());
    EXPECT_EQ(both, allTables()) << "each table has one holder";
    for (int t = 1; t <= tourney::kTables; ++t) {
        expectLobbyNames(t, heldA.count(t) ? a : b);
        // Neither serves a table the other holds, nor can take it while the lease lasts.
        EXPECT_TRUE(refused(heldA.count(t) ? b : a, t)) << t;
        const LeaseOptions other{heldA.count(t) ? "beta" : "alpha", "127.0.0.1", 1000,
                                 kLeaseSeconds};
        EXPECT_FALSE(claimTable(service->db(), other, t, service->clock + kLeaseSeconds - 1));
    }

    // Alpha dies without giving its leases back: its player's link drops, and beta waits for
    // the leases to run out.
    a.die();
    EXPECT_TRUE(closedByPeer(lena));
    ::close(lena);
    service->clock += kLeaseSeconds - 1;
    EXPECT_EQ(b.server->renewNow(), heldB);
    expectLobbyNames(1, a);
    service->clock += 1;
    EXPECT_EQ(b.server->renewNow(), allTables());
    for (int t = 1; t <= tourney::kTables; ++t) expectLobbyNames(t, b);
    EXPECT_EQ(seatHolder(*service, 1, 1), "X") << "the dead game's seat is free again";

    // The players sit again and the game is dealt at the new holder.
    const char* nicks[] = {"", "lena", "mike", "nina"};
    std::array<int, 4> fd{};
    for (int s = 1; s <= 3; ++s) {
        ASSERT_EQ(takeSeat(*service, 1, s, 1, nicks[s]), "ok") << s;
        fd[s] = connectLoopback(b.port(1), 5);
        sendAll(fd[s], tourney::shortFrame("connect" + std::to_string(s), s));
    }
    for (int s = 1; s <= 3; ++s) {
        EXPECT_EQ(readBytes(fd[s], tourney::kDealFrame).size(), tourney::kDealFrame) << s;
        ::close(fd[s]);
    }
}

TEST_P(SharedTables, AStalledInstanceClosesTheTablesItLostAndACleanStopGivesThemBackAtOnce) {
    Instance& a = start("alpha");
    ASSERT_EQ(takeSeat(*service, 2, 1, 1, "lena"), "ok");
    const int lena = greet(a, 2, 1);

    // Alpha stalls past its leases; beta, alone among the live, takes every table.
    service->clock += kLeaseSeconds;
    Instance& b = start("beta");
    EXPECT_EQ(b.leases->held(), allTables());
    EXPECT_EQ(seatHolder(*service, 2, 1), "X");
    expectLobbyNames(2, b);

    // Alpha comes back to find its leases gone: its player is cut off, its tables refused.
    EXPECT_TRUE(a.server->renewNow().empty());
    EXPECT_TRUE(closedByPeer(lena));
    ::close(lena);
    EXPECT_TRUE(refused(a, 2));
    ASSERT_EQ(takeSeat(*service, 2, 1, 1, "lena"), "ok");
    ::close(greet(b, 2, 1));

    // Beta stops cleanly: no lease is left, so the lobby shows the configured server, and alpha
    // takes every table without waiting for anything to run out.
    b.die();
    b.leases->release();
    EXPECT_EQ(online::gameServerOf(lobby(), 2).port, kConfiguredBase + 2);
    EXPECT_EQ(a.server->renewNow(), allTables());
    expectLobbyNames(2, a);
}

ORVALA_ON_BOTH_ENGINES(SharedTables);

}  // namespace
}  // namespace orvala::service::testing
