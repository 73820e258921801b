// Two service instances on one database, as two processes behind one proxy: what one of them
// counts or changes holds on the other, because it is kept nowhere but in the database.

#include <atomic>
#include <random>
#include <thread>

#include "engine_fixture.h"

namespace orvala::service::testing {
namespace {

class TwoInstances : public EngineTest {
  protected:
    void configure(ServiceConfig& c) override { c.trustedProxies = {"127.0.0.1"}; }
    void SetUp() override {
        EngineTest::SetUp();
        if (service) other = std::make_unique<TestService>(*service);
    }
    void TearDown() override { other.reset(); }
    const TestService& at(int i) const { return i % 2 == 0 ? *service : *other; }

    std::unique_ptr<TestService> other;  // ends before `service`
};

TEST_P(TwoInstances, ALockOutAndAWriteLimitEarnedOnOneHoldOnTheOther) {
    ASSERT_EQ(registerAccount(*service, "dora", "secret1"), "ok");
    const auto login = [&](int i, const std::string& pw) {
        return postFrom(at(i), "10.6.0.1", "/acc/read",
                        form({{"nick", "dora"}, {"pw", pw}, {"label0", "0"}}))
            .body;
    };
    // Wrong passwords from one address, spread over both: the address must wait on both.
    for (int i = 0; i < 4; ++i) EXPECT_EQ(login(i, "wrong12"), "no");
    EXPECT_EQ(login(0, "secret1"), "no");
    EXPECT_EQ(login(1, "secret1"), "no");
    service->clock += 1;
    other->clock += 1;
    EXPECT_NE(login(1, "secret1"), "no") << "after the wait";

    // A record from one address on one instance: the next within 15 s is refused on the other.
    const auto write = [&](int i, const std::string& from, const std::string& nick) {
        return postFrom(at(i), from, "/rec/write",
                        raw({{"gid", "55"}, {"nick", nick}, {"city", "Omsk"},
                             {"country", "1-001"}, {"score", "300"}, {"R7", "M"},
                             {"R8", "5.7f"}, {"R9", "#"}, {"R10", "#*"}}))
            .body;
    };
    EXPECT_EQ(write(0, "10.8.0.1", "anna"), "$1*");
    EXPECT_EQ(write(1, "10.8.0.1", "boris"), "wait") << "the same address";
    EXPECT_EQ(write(1, "10.8.0.2", "ANNA"), "wait") << "the same nick";
    other->clock += 15;
    EXPECT_EQ(write(1, "10.8.0.1", "boris"), "$2*");
}

TEST_P(TwoInstances, TransfersThroughBothKeepTheTotal) {
    const std::vector<std::string> nicks{"gina", "hank", "ivan"};
    for (const auto& n : nicks) {
        ASSERT_EQ(registerAccount(*service, n, "secret1"), "ok");
        ASSERT_EQ(admin({"grant", n, "100"}), 0);
    }
    std::atomic<int> done{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 6; ++t)
        threads.emplace_back([&, t] {
            std::mt19937 rng(t);
            for (int i = 0; i < 10; ++i) {
                const auto& from = nicks[rng() % 3];
                const auto& to = nicks[rng() % 3];
                const Reply r = postFrom(at(t), "10.9.0." + std::to_string(t), "/acc/transfer",
                                         raw({{"nick", from},
                                              {"pw", "secret1"},
                                              {"to", to},
                                              {"amount", std::to_string(1 + rng() % 70)}}));
                if (r.body.starts_with("ok")) ++done;
            }
        });
    for (auto& t : threads) t.join();
    expectTransfersKept(nicks, 300, done.load());
}

ORVALA_ON_BOTH_ENGINES(TwoInstances);

}  // namespace
}  // namespace orvala::service::testing
