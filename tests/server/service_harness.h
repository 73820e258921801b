#pragma once
// A whole service on a loopback port for the tests: real HTTP, a real SQLite file in a
// temporary folder or the throwaway PostgreSQL that scripts/with-postgres starts (its address in
// ORVALA_TEST_POSTGRES; without it the PostgreSQL cases skip). The clock is the test's own.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "http/http_server.h"
#include "http/router.h"
#include "http/worker_pool.h"
#include "service/service.h"
#include "storage/storage.h"

namespace orvala::service::testing {

struct Reply {
    int status = 0;  // 0: the connection closed without an answer
    std::string body;
};

// Sends bytes to 127.0.0.1:port and reads the answer until the server closes.
// A connection to the service on 127.0.0.1 whose reads give up after `timeoutSeconds`; -1 when
// it cannot be made.
int connectLoopback(unsigned short port, int timeoutSeconds);
Reply exchange(unsigned short port, const std::string& bytes);
std::string postRequest(const std::string& path, const std::string& body);
std::string percentEncoded(std::string_view bytes);
// "k=v&k=v", values percent-encoded (form style) or as they are (raw style).
std::string form(const std::vector<std::pair<std::string, std::string>>& fields);
std::string raw(const std::vector<std::pair<std::string, std::string>>& fields);

// The PostgreSQL address for the tests, or empty.
std::string testPostgres();

class TestService {
  public:
    // `configure` may change the configuration; a public address it leaves empty becomes the
    // service's own loopback address.
    explicit TestService(Engine engine, HttpLimits limits = {},
                         const std::function<void(ServiceConfig&)>& configure = {});
    // Another instance on `sibling`'s database, as a second process would be: they share the
    // database and nothing else (its own workers, connections, clock and port). It must end
    // before `sibling`.
    TestService(const TestService& sibling, HttpLimits limits = {});
    ~TestService();

    Reply post(const std::string& path, const std::string& body) const;
    Reply get(const std::string& path) const;
    unsigned short port() const { return server_->port(); }
    // A connection of the test's own, to look at what the service stored.
    Storage& db() { return *inspect_; }
    const ServiceConfig& config() const { return context_.config; }

    std::atomic<std::int64_t> clock{1'800'000'000};

  private:
    void start(HttpLimits limits);

    std::filesystem::path folder_;
    ServiceContext context_;
    Router router_;
    std::unique_ptr<WorkerPool> workers_, hashing_;
    std::unique_ptr<HttpServer> server_;
    std::unique_ptr<Storage> inspect_;
    std::thread loop_;
};

// Registers an account with the usual fields; returns the reply.
std::string registerAccount(const TestService& s, const std::string& nick, const std::string& pw,
                            const std::string& city = "Moscow");

}  // namespace orvala::service::testing

namespace orvala::service::testing {

// A POST that claims, through a trusted proxy's header, to come from `address`.
Reply postFrom(const TestService& s, const std::string& address, const std::string& path,
               const std::string& body);

// The tournament lobby: takes (`can` 1, password "secret1") or releases seat `seat` of `table`
// under `nick`; the nick at a seat, "X" when it is free.
std::string takeSeat(const TestService& s, int table, int seat, int can, const std::string& nick);
std::string seatHolder(const TestService& s, int table, int seat);

// A game server's socket: sends all of `bytes`; reads `n` bytes (fewer when the peer closes
// first or the read times out); true when the peer closed it rather than the read timing out.
void sendAll(int fd, const std::string& bytes);
std::string readBytes(int fd, std::size_t n);
bool closedByPeer(int fd);

}  // namespace orvala::service::testing
