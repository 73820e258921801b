// The database going away and coming back: PostgreSQL restarted under load. Requests during the
// outage are answered "unavailable", none half-done, except the pages served from memory (the
// news and the configuration); the service and a connection of its own (as the game server
// holds) come back by themselves. Needs the stop and start commands of
// scripts/with-postgres.

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "engine_fixture.h"

namespace orvala::service::testing {
namespace {

class Restart : public EngineTest {
    void configure(ServiceConfig& c) override { c.settingsRefreshMs = 3'600'000; }
};

bool run(const char* variable) {
    const char* command = std::getenv(variable);
    return command && std::system(command) == 0;
}

TEST_P(Restart, RequestsDuringAnOutageAreUnavailableAndServiceReturnsByItself) {
    if (GetParam() != Engine::Postgres || !std::getenv("ORVALA_TEST_POSTGRES_STOP"))
        GTEST_SKIP() << "restarts only the throwaway PostgreSQL of scripts/with-postgres";
    ASSERT_EQ(registerAccount(*service, "ann", "secret1"), "ok");
    ASSERT_EQ(registerAccount(*service, "bob", "secret2"), "ok");
    service->db().execute("UPDATE accounts SET balance = 100");
    auto own = openStorage(testPostgres(), "", false);  // as the game server's

    std::atomic<bool> stop{false};
    std::atomic<int> ok{0}, unavailable{0}, other{0};
    std::vector<std::thread> load;
    for (int i = 0; i < 3; ++i)
        load.emplace_back([&, i] {
            const bool fromAnn = i % 2 == 0;
            while (!stop) {
                const Reply r =
                    service->post("/acc/transfer", raw({{"nick", fromAnn ? "ann" : "bob"},
                                                        {"pw", fromAnn ? "secret1" : "secret2"},
                                                        {"to", fromAnn ? "bob" : "ann"},
                                                        {"amount", "1"}}));
                (r.status == 200 ? ok : r.status == 503 ? unavailable : other)++;
            }
        });
    const auto answered = [&] { return ok + unavailable + other; };
    while (answered() < 6) std::this_thread::yield();

    ASSERT_EQ(admin({"news", "Table 3 opens"}), 0);
    ASSERT_NE(service->get("/news.html").body.find("Table 3 opens"), std::string::npos);

    ASSERT_TRUE(run("ORVALA_TEST_POSTGRES_STOP"));
    const int before = answered();
    while (answered() < before + 6) std::this_thread::yield();
    EXPECT_EQ(service->post("/acc/count", "label1=0").status, 503);
    const Reply news = service->get("/news.html");
    EXPECT_EQ(news.status, 200);
    EXPECT_NE(news.body.find("ZorNews00001"), std::string::npos);
    EXPECT_NE(news.body.find("Table 3 opens"), std::string::npos);
    EXPECT_EQ(service->get("/config.txt").status, 200);
    EXPECT_THROW(own->query("SELECT 1"), StorageUnavailable);
    ASSERT_TRUE(run("ORVALA_TEST_POSTGRES_START"));

    // Back within a few seconds: every worker answers again, and the own connection too.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    int inARow = 0;
    while (inARow < 12 && std::chrono::steady_clock::now() < deadline) {
        inARow = service->post("/acc/count", "label1=0").status == 200 ? inARow + 1 : 0;
        if (!inARow) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_EQ(inARow, 12) << "the service did not come back";
    // A connection's first use after the restart finds it lost, a later one re-opens it.
    const auto back = [&](Storage& db) {
        while (std::chrono::steady_clock::now() < deadline) {
            try {
                return db.queryOne("SELECT 1").has_value();
            } catch (const StorageUnavailable&) {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
        }
        return false;
    };
    EXPECT_TRUE(back(*own));
    ASSERT_TRUE(back(service->db()));
    stop = true;
    for (auto& t : load) t.join();
    EXPECT_GT(unavailable.load(), 0);
    EXPECT_EQ(other.load(), 0) << "a failure other than unavailable";
    const auto total = service->db().queryOne("SELECT sum(balance) FROM accounts");
    EXPECT_EQ(total->integer(0), 200) << "no transfer half-applied";
    const auto moved =
        service->db().queryOne("SELECT count(*) FROM ledger WHERE reason = 'transfer'");
    const auto balances = service->db().queryOne("SELECT balance FROM accounts WHERE nick = 'ann'");
    EXPECT_GE(moved->integer(0), 1);
    EXPECT_LE(std::abs(balances->integer(0) - 100), moved->integer(0));
}

ORVALA_ON_BOTH_ENGINES(Restart);

}  // namespace
}  // namespace orvala::service::testing
