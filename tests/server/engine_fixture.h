#pragma once
// The service tests run once on SQLite and once on PostgreSQL. The PostgreSQL cases need the
// cluster of scripts/with-postgres; CTest runs them through it, and alone they skip.

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "service/admin.h"
#include "service_harness.h"

namespace orvala::service::testing {

class EngineTest : public ::testing::TestWithParam<Engine> {
  protected:
    void SetUp() override {
        if (GetParam() == Engine::Postgres && testPostgres().empty())
            GTEST_SKIP() << "no PostgreSQL here; CTest runs these through scripts/with-postgres";
        service = std::make_unique<TestService>(GetParam(), limits(),
                                                [this](ServiceConfig& c) { configure(c); });
    }
    virtual HttpLimits limits() const { return {}; }
    virtual void configure(ServiceConfig&) {}

    // Runs an operator's command on the service's own database.
    int admin(const std::vector<std::string>& words) {
        std::ostringstream out, err;
        const int status = runAdmin(words, service->config(), service->clock, out, err);
        adminOutput = out.str();
        return status;
    }
    std::string adminOutput;
    std::int64_t balanceOf(const std::string& nick) {
        auto row = service->db().queryOne("SELECT balance FROM accounts WHERE nick = $1", {nick});
        return row ? row->integer(0) : -1;
    }

    // After transfers among `nicks`: no balance below zero, the balances add up to `total`,
    // and the ledger has a transfer row for each of the `acknowledged` ones.
    void expectTransfersKept(const std::vector<std::string>& nicks, std::int64_t total,
                             int acknowledged) {
        EXPECT_GT(acknowledged, 0);
        std::int64_t sum = 0;
        for (const auto& n : nicks) {
            EXPECT_GE(balanceOf(n), 0);
            sum += balanceOf(n);
        }
        EXPECT_EQ(sum, total);
        EXPECT_EQ(service->db()
                      .queryOne("SELECT count(*) FROM ledger WHERE reason = 'transfer'")
                      ->integer(0),
                  acknowledged);
    }

    std::unique_ptr<TestService> service;
};

inline std::string engineName(const ::testing::TestParamInfo<Engine>& info) {
    return info.param == Engine::Sqlite ? "Sqlite" : "Postgres";
}

#define ORVALA_ON_BOTH_ENGINES(Suite)                                                             \
    INSTANTIATE_TEST_SUITE_P(Engines, Suite, ::testing::Values(Engine::Sqlite, Engine::Postgres), \
                             engineName)

}  // namespace orvala::service::testing
