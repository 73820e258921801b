// The storage's writes under many connections at once, on both engines: every write of a thread
// lands once, a transaction that fails takes back only its own writes, and a statement that
// writes outside a transaction counts as one of its own.

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "engine_fixture.h"

namespace orvala::service::testing {
namespace {

class StorageTest : public EngineTest {};

struct Failed {};

TEST_P(StorageTest, ConcurrentTransactionsCommitOrRollBackAlone) {
    constexpr int kThreads = 6, kEach = 60;
    std::vector<std::unique_ptr<Storage>> connections;
    for (int t = 0; t < kThreads; ++t)
        connections.push_back(
            openStorage(service->config().database, service->config().dataDir, false));
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            Storage& db = *connections[t];
            for (int i = 0; i < kEach; ++i) {
                const std::string key = "k" + std::to_string(t) + "-" + std::to_string(i);
                try {
                    db.transaction([&] {
                        db.execute(
                            "INSERT INTO counters (name, value) VALUES ('sum', 1) "
                            "ON CONFLICT (name) DO UPDATE SET value = counters.value + 1");
                        db.execute("INSERT INTO post_times (key, at) VALUES ($1, $2)",
                                   {key, std::int64_t{i}});
                        // What the transaction wrote is seen inside it.
                        if (!db.queryOne("SELECT 1 FROM post_times WHERE key = $1", {key}))
                            throw std::runtime_error("own write not seen");
                        if (i % 3 == 0) throw Failed{};
                    });
                } catch (const Failed&) {
                }
                // A write of its own, outside any transaction, with a result.
                const auto row = db.queryOne(
                    "INSERT INTO settings (name, value) VALUES ($1, 'x') RETURNING name", {key});
                if (!row || row->text(0) != key) throw std::runtime_error("no returned row");
            }
        });
    for (auto& t : threads) t.join();

    const std::int64_t kept = kThreads * (kEach - (kEach + 2) / 3);
    Storage& db = service->db();
    EXPECT_EQ(db.queryOne("SELECT value FROM counters WHERE name = 'sum'")->integer(0), kept);
    EXPECT_EQ(db.queryOne("SELECT count(*) FROM post_times")->integer(0), kept);
    EXPECT_FALSE(db.queryOne("SELECT 1 FROM post_times WHERE key = 'k0-0'"));
    EXPECT_TRUE(db.queryOne("SELECT 1 FROM post_times WHERE key = 'k0-1'"));
    EXPECT_EQ(db.queryOne("SELECT count(*) FROM settings WHERE value = 'x'")->integer(0),
              kThreads * kEach);
    // A constraint broken inside a transaction fails that transaction alone, and the
    // connection goes on.
    EXPECT_THROW(db.transaction([&] {
        db.execute("INSERT INTO counters (name, value) VALUES ('other', 1)");
        db.execute("INSERT INTO counters (name, value) VALUES ('sum', 1)");
    }),
                 StorageError);
    EXPECT_FALSE(db.queryOne("SELECT 1 FROM counters WHERE name = 'other'"));
    db.transaction([&] { db.execute("INSERT INTO counters (name, value) VALUES ('other', 2)"); });
    // A transaction inside another fails, and takes the outer one back with it.
    EXPECT_THROW(db.transaction([&] {
        db.execute("UPDATE counters SET value = 3 WHERE name = 'other'");
        db.transaction([] {});
    }),
                 StorageError);
    EXPECT_EQ(db.queryOne("SELECT value FROM counters WHERE name = 'other'")->integer(0), 2);
}

ORVALA_ON_BOTH_ENGINES(StorageTest);

}  // namespace
}  // namespace orvala::service::testing
