// The tournament's lobby and its game server together, over real sockets on loopback: seats
// taken through the lobby's web operation, frames sent to the table's port, the lobby read back.

#include <sys/socket.h>
#include <unistd.h>

#include <mutex>
#include <random>

#include "core/tourney/frames.h"
#include "engine_fixture.h"
#include "tourney/table_records.h"
#include "tourney/tournament_server.h"

namespace orvala::service::testing {
namespace {

class TourneyService : public EngineTest {
  protected:
    void configure(ServiceConfig& c) override { c.tourServerAddress = "127.0.0.1"; }

    void SetUp() override {
        EngineTest::SetUp();
        if (!service) return;
        tablesDb = openStorage(service->config().database, service->config().dataDir, false);
        std::mt19937 rng(std::random_device{}());
        for (int attempt = 0; attempt < 20 && !tables; ++attempt) {
            TournamentOptions o;
            o.basePort = 20000 + static_cast<int>(rng() % 40000);
            o.moveMs = 60'000;
            o.seed = 3;
            basePort = o.basePort;
            auto t = std::make_unique<TournamentServer>(
                o, tableCallbacks(*tablesDb, [this](std::string_view line) {
                    std::lock_guard lock(logMutex);
                    log.emplace_back(line);
                }));
            std::string error;
            if (t->listen(error)) tables = std::move(t);
        }
        ASSERT_TRUE(tables);
        thread = std::thread([this] { tables->run(); });
    }
    void TearDown() override {
        if (tables) {
            tables->stop();
            thread.join();
        }
    }

    // A connection to table 1's port.
    int connectTable() { return connectLoopback(static_cast<unsigned short>(basePort + 1), 5); }
    // Seats the three players of table 1 and reads each one's deal.
    std::array<int, 4> sitAndDeal() {
        std::array<int, 4> fd{};
        const char* nicks[] = {"", "lena", "mike", "nina"};
        for (int s = 1; s <= 3; ++s) {
            EXPECT_EQ(takeSeat(*service, 1, s, 1, nicks[s]), "ok") << s;
            fd[s] = connectTable();
            sendAll(fd[s], tourney::shortFrame("connect" + std::to_string(s), s));
        }
        for (int s = 1; s <= 3; ++s)
            EXPECT_EQ(readBytes(fd[s], tourney::kDealFrame).size(), tourney::kDealFrame) << s;
        return fd;
    }

    std::unique_ptr<Storage> tablesDb;
    std::unique_ptr<TournamentServer> tables;
    std::thread thread;
    int basePort = 0;
    std::mutex logMutex;
    std::vector<std::string> log;
};

TEST_P(TourneyService, ALeaveBeforeTheDealFreesTheSeatAndTheServiceGoesOn) {
    for (const char* n : {"lena", "mike", "nina"})
        ASSERT_EQ(registerAccount(*service, n, "secret1"), "ok");
    // The greeting and the leave, as two reads and as one, and unreadable bytes after the
    // greeting: each time the seat is free when the server has closed the connection.
    for (const std::string& second :
         {tourney::longFrame("disA", 1), std::string("GET / HTTP/1.1\r\n")}) {
        ASSERT_EQ(takeSeat(*service, 1, 1, 1, "lena"), "ok");
        const int fd = connectTable();
        ASSERT_GE(fd, 0);
        sendAll(fd, tourney::shortFrame("connect1", 1));
        sendAll(fd, second);
        EXPECT_TRUE(closedByPeer(fd));
        ::close(fd);
        EXPECT_EQ(seatHolder(*service, 1, 1), "X");
    }
    EXPECT_EQ(registerAccount(*service, "olga", "secret1"), "ok") << "the service answers";

    // A flood before any greeting is closed too.
    const int fd = connectTable();
    sendAll(fd, std::string(1 << 20, 'h'));
    EXPECT_TRUE(closedByPeer(fd));
    ::close(fd);

    // A seat whose connection closed before the deal is free as well.
    ASSERT_EQ(takeSeat(*service, 1, 1, 1, "lena"), "ok");
    const int quiet = connectTable();
    sendAll(quiet, tourney::shortFrame("connect1", 1));
    ASSERT_EQ(takeSeat(*service, 1, 2, 1, "mike"), "ok");  // the lobby answers in between
    ::close(quiet);
    for (int n = 0; n < 200 && seatHolder(*service, 1, 1) != "X"; ++n) ::usleep(10'000);
    EXPECT_EQ(seatHolder(*service, 1, 1), "X");
    EXPECT_EQ(takeSeat(*service, 1, 2, 2, "X"), "ok");
}

TEST_P(TourneyService, AfterALeaverTheTableDealsAgainAtOnce) {
    for (const char* n : {"lena", "mike", "nina"})
        ASSERT_EQ(registerAccount(*service, n, "secret1"), "ok");
    for (int game = 0; game < 2; ++game) {
        const auto fd = sitAndDeal();
        sendAll(fd[2], tourney::longFrame("disA", 2));
        EXPECT_EQ(readBytes(fd[1], tourney::kLongFrame), tourney::leftFrame(2));
        EXPECT_EQ(readBytes(fd[3], tourney::kLongFrame), tourney::leftFrame(2));
        for (int s = 1; s <= 3; ++s) {
            EXPECT_TRUE(closedByPeer(fd[s])) << s;
            ::close(fd[s]);
            EXPECT_EQ(seatHolder(*service, 1, s), "X") << s;
        }
    }
}

TEST_P(TourneyService, ALobbySeatNobodyReachesTheTableForIsFreedAfterHalfAMinute) {
    ASSERT_EQ(registerAccount(*service, "lena", "secret1"), "ok");
    ASSERT_EQ(registerAccount(*service, "mike", "secret1"), "ok");
    ASSERT_EQ(takeSeat(*service, 2, 1, 1, "lena"), "ok");
    service->clock += 30;
    EXPECT_EQ(seatHolder(*service, 2, 1), "lena");
    service->clock += 1;
    EXPECT_EQ(seatHolder(*service, 2, 1), "X");

    // A seat whose player reached the table stays taken.
    ASSERT_EQ(takeSeat(*service, 2, 1, 1, "mike"), "ok");
    const int fd = connectLoopback(static_cast<unsigned short>(basePort + 2), 5);
    sendAll(fd, tourney::shortFrame("connect1", 1));
    for (int n = 0; n < 200; ++n) {
        const auto row = service->db().queryOne("SELECT connected FROM seats WHERE nick = 'mike'");
        if (row && row->integer(0) == 1) break;
        ::usleep(10'000);
    }
    service->clock += 3600;
    EXPECT_EQ(seatHolder(*service, 2, 1), "mike");
    ::close(fd);
}

ORVALA_ON_BOTH_ENGINES(TourneyService);

}  // namespace
}  // namespace orvala::service::testing
