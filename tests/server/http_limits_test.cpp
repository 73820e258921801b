// The HTTP front's limits, over real sockets: what is over a limit is answered with a clear
// status and reaches no handler; slow and surplus connections are dropped.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "engine_fixture.h"

namespace orvala::service::testing {
namespace {

class HttpLimitsTest : public EngineTest {
  protected:
    HttpLimits limits() const override {
        HttpLimits l;
        l.maxHeaderBytes = 2048;
        l.requestTimeout = std::chrono::milliseconds(300);
        l.maxConnectionsPerAddress = 3;
        return l;
    }
};

int openConnection(unsigned short port) {
    const int fd = connectLoopback(port, 10);
    EXPECT_GE(fd, 0);
    return fd;
}

// Blocks until the server closes the connection; returns what it sent before.
std::string readUntilClosed(int fd) {
    std::string in;
    char buf[4096];
    for (ssize_t n; (n = ::recv(fd, buf, sizeof buf, 0)) > 0;) in.append(buf, n);
    return in;
}

TEST_P(HttpLimitsTest, RequestsOverALimitChangeNothing) {
    const std::string registration = raw({{"nick", "big"},
                                          {"pw", "secret1"},
                                          {"city", "Omsk"},
                                          {"country1", "Russia"},
                                          {"country2", "1-001"},
                                          {"sex", "M"},
                                          {"email", "a@b.c"},
                                          {"dater", "1.1.2026"}});
    EXPECT_EQ(
        service->post("/acc/register", registration + "&R01=" + std::string(20000, 'x')).status,
        413);
    // A chunked body is counted as it arrives.
    std::string chunked =
        "POST /acc/register HTTP/1.1\r\nHost: x\r\nTransfer-Encoding: chunked\r\n"
        "Connection: close\r\n\r\n";
    for (int i = 0; i < 40; ++i) chunked += "400\r\n" + std::string(1024, 'y') + "\r\n";
    chunked += "0\r\n\r\n";
    EXPECT_EQ(exchange(service->port(), "" + chunked).status, 413);
    const std::string hugeHeader =
        "GET /config.txt HTTP/1.1\r\nHost: x\r\nX-Pad: " + std::string(4000, 'h') +
        "\r\nConnection: close\r\n\r\n";
    EXPECT_EQ(exchange(service->port(), hugeHeader).status, 431);
    EXPECT_EQ(exchange(service->port(), "NONSENSE\r\n\r\n").status, 400);
    EXPECT_EQ(service->get("/acc/register").status, 405);
    EXPECT_EQ(service->get("/nowhere").status, 404);
    EXPECT_EQ(service->post("/acc/register", "nick=%zz").body, "fail") << "a malformed escape";
    EXPECT_EQ(service->db().queryOne("SELECT count(*) FROM accounts")->integer(0), 0);
    EXPECT_EQ(service->post("/acc/register", registration).body, "ok");
}

TEST_P(HttpLimitsTest, SlowAndSurplusConnectionsAreDropped) {
    // A request trickled too slowly: the connection ends unanswered at the deadline.
    const int slow = openConnection(service->port());
    ASSERT_GT(::send(slow, "POST /stat/read HTTP/1.1\r\nHost:", 31, MSG_NOSIGNAL), 0);
    EXPECT_EQ(readUntilClosed(slow), "");
    ::close(slow);

    // Three connections from one address are the most; a fourth closes at once.
    int open[3];
    for (int& fd : open) fd = openConnection(service->port());
    const int fourth = openConnection(service->port());
    EXPECT_EQ(readUntilClosed(fourth), "");
    ::close(fourth);
    ::close(open[0]);
    // The slot frees once the server sees the close; keep asking until it does.
    Reply reply;
    for (int i = 0; i < 200 && reply.status == 0; ++i) reply = service->get("/get_ip.php");
    EXPECT_EQ(reply.status, 200);
    for (int fd : {open[1], open[2]}) ::close(fd);
}

// The operator's proxy carries many players: only the total holds it back.
class ProxyLimitsTest : public HttpLimitsTest {
  protected:
    HttpLimits limits() const override {
        HttpLimits l = HttpLimitsTest::limits();
        l.proxies = {"127.0.0.1"};
        return l;
    }
};

TEST_P(ProxyLimitsTest, AProxyMayHoldMoreConnectionsThanAnAddress) {
    int open[4];
    for (int& fd : open) fd = openConnection(service->port());
    EXPECT_EQ(service->get("/get_ip.php").status, 200);
    for (int fd : open) ::close(fd);
}

INSTANTIATE_TEST_SUITE_P(Engines, HttpLimitsTest, ::testing::Values(Engine::Sqlite), engineName);
INSTANTIATE_TEST_SUITE_P(Engines, ProxyLimitsTest, ::testing::Values(Engine::Sqlite), engineName);

}  // namespace
}  // namespace orvala::service::testing
