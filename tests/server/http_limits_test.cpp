// The HTTP front's limits, over real sockets: what is over a limit is answered with a clear
// status and reaches no handler; slow and surplus connections are dropped.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <fstream>
#include <mutex>

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

// A connection to 127.0.0.1 from another loopback address, so that a test can be many clients.
int connectFrom(const std::string& address, unsigned short port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in from{};
    from.sin_family = AF_INET;
    ::inet_pton(AF_INET, address.c_str(), &from.sin_addr);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    timeval tv{10, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&from), sizeof from) != 0 ||
        ::connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// False when the connection failed before every byte was sent.
bool sendAll(int fd, const std::string& bytes) {
    for (std::size_t sent = 0; sent < bytes.size();) {
        const auto n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

// Reads one answer by its length rather than to the close; its status, or 0 when the
// connection ended first.
int readStatus(int fd, std::string* body = nullptr) {
    std::string in;
    char buf[65536];
    for (;;) {
        const auto end = in.find("\r\n\r\n");
        if (end != std::string::npos) {
            const auto at = in.find("Content-Length: ");
            const std::size_t length = at == std::string::npos ? 0 : std::stoul(in.substr(at + 16));
            if (in.size() >= end + 4 + length) {
                if (body) *body = in.substr(end + 4, length);
                return std::atoi(in.c_str() + 9);
            }
        }
        const auto n = ::recv(fd, buf, sizeof buf, 0);
        if (n <= 0) return 0;
        in.append(buf, static_cast<std::size_t>(n));
    }
}

const std::string kGetAddress = "GET /get_ip.php HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n";

int getFrom(const std::string& address, unsigned short port) {
    const int fd = connectFrom(address, port);
    if (fd < 0) return 0;
    sendAll(fd, kGetAddress);
    const int status = readStatus(fd);
    ::close(fd);
    return status;
}

// A total of 12 connections, of which the last 4 only for addresses that hold at most 2.
class BudgetTest : public EngineTest {
  protected:
    HttpLimits limits() const override {
        HttpLimits l;
        l.maxConnections = 12;
        l.reservedConnections = 4;
        l.fewConnections = 2;
        l.maxConnectionsPerAddress = 6;
        l.pressureIdle = idleUnderPressure;
        return l;
    }
    std::vector<int> openFrom(const std::string& address, int n) {
        std::vector<int> fds;
        for (int i = 0; i < n; ++i) fds.push_back(connectFrom(address, service->port()));
        return fds;
    }
    void TearDown() override {
        for (int fd : held) ::close(fd);
    }
    std::chrono::milliseconds idleUnderPressure{3'600'000};
    std::vector<int> held;
};

TEST_P(BudgetTest, AddressesHoldingManyCannotTakeTheReserve) {
    // Connections are accepted in the order they were made, so each step below sees the
    // connections of the steps before it.
    for (const char* address : {"127.0.0.2", "127.0.0.3"})
        for (int fd : openFrom(address, 6)) held.push_back(fd);
    // 127.0.0.2 holds 6, 127.0.0.3 only 2 of its 6: the shared part is full.
    EXPECT_EQ(getFrom("127.0.0.3", service->port()), 0);
    EXPECT_EQ(getFrom("127.0.0.4", service->port()), 200) << "a newcomer enters the reserve";
    for (const char* address : {"127.0.0.5", "127.0.0.6"})
        for (int fd : openFrom(address, 2)) held.push_back(fd);
    EXPECT_EQ(getFrom("127.0.0.7", service->port()), 0) << "the whole budget is taken";
}

class PressedBudgetTest : public BudgetTest {
  protected:
    PressedBudgetTest() { idleUnderPressure = std::chrono::milliseconds(0); }
};

TEST_P(PressedBudgetTest, IdleConnectionsMakeRoomOnceOnlyTheReserveIsLeft) {
    for (const char* address :
         {"127.0.0.2", "127.0.0.3", "127.0.0.4", "127.0.0.5", "127.0.0.6", "127.0.0.7"})
        for (int fd : openFrom(address, 2)) held.push_back(fd);
    // The first try closes the idle connections; their places are free for the next.
    int tries = 0, status = 0;
    while (status != 200 && tries < 3) {
        status = getFrom("127.0.0.20", service->port());
        ++tries;
    }
    EXPECT_EQ(status, 200);
    pollfd p{held.front(), POLLIN, 0};
    ASSERT_EQ(::poll(&p, 1, 10'000), 1);
    char byte;
    EXPECT_EQ(::recv(held.front(), &byte, 1, MSG_DONTWAIT), 0) << "an idle connection was closed";
}

// Clients that send more than a route takes read the refusal, not a reset, however fast they
// send the rest: many clients give up on a failed send without reading the answer.
TEST_P(HttpLimitsTest, AnOverLongBodyIsAnsweredBeforeTheConnectionCloses) {
    const std::string body(3 << 20, 'x');
    for (int i = 0; i < 5; ++i) {
        // From an address each, as the server may still be reading the last one's rest.
        const int fd = connectFrom("127.0.0." + std::to_string(10 + i), service->port());
        // A small send buffer keeps the client sending while the answer comes, as over a
        // real network.
        const int small = 256 * 1024;
        ::setsockopt(fd, SOL_SOCKET, SO_SNDBUF, &small, sizeof small);
        EXPECT_TRUE(sendAll(fd, postRequest("/acc/register", body))) << "try " << i;
        EXPECT_EQ(readStatus(fd), 413) << "try " << i;
        ::close(fd);
    }
}

TEST_P(HttpLimitsTest, DownloadsStayInsideTheFilesFolder) {
    const std::filesystem::path files = service->config().filesDir;
    std::filesystem::create_directories(files);
    const std::filesystem::path outside = files.parent_path() / "outside";
    std::filesystem::create_directories(outside);
    std::ofstream(outside / "secret.txt") << "secret";
    std::filesystem::create_symlink(outside / "secret.txt", files / "link.txt");
    std::filesystem::create_directory_symlink(outside, files / "radio");
    ASSERT_EQ(::mkfifo((files / "pipe.txt").c_str(), 0600), 0);
    std::string big(3'000'000, '\0');
    for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7 % 251);
    std::ofstream(files / "library.dll", std::ios::binary) << big;

    EXPECT_EQ(service->get("/files/link.txt").status, 404);
    EXPECT_EQ(service->get("/radio/secret.txt").status, 404) << "a linked folder";
    EXPECT_EQ(service->get("/files/pipe.txt").status, 404) << "not waited on";
    const Reply library = service->get("/files/library.dll");
    EXPECT_EQ(library.status, 200);
    EXPECT_TRUE(library.body == big) << library.body.size() << " bytes";
}

TEST_P(HttpLimitsTest, TheDatabaseIsReadableByItsOwnerOnly) {
    ASSERT_EQ(registerAccount(*service, "owner", "secret1"), "ok");
    for (const char* name : {"orvala.sqlite", "orvala.sqlite-wal", "orvala.sqlite-shm"}) {
        struct stat st {};
        ASSERT_EQ(::stat((service->config().dataDir + "/" + name).c_str(), &st), 0) << name;
        EXPECT_EQ(st.st_mode & 0777, 0600u) << name;
    }
}

// The front alone, with routes of the test's own that count their runs and wait for the test.
class NoStorage final : public Storage {
  public:
    Engine engine() const override { return Engine::Sqlite; }
    std::vector<SqlRow> query(std::string_view, std::initializer_list<SqlValue>) override {
        throw StorageError("no database here");
    }
    std::int64_t execute(std::string_view, std::initializer_list<SqlValue>) override {
        throw StorageError("no database here");
    }
    void transaction(const std::function<void()>&) override {
        throw StorageError("no database here");
    }
};

std::vector<std::unique_ptr<Storage>> noStorage(int n) {
    std::vector<std::unique_ptr<Storage>> v;
    for (int i = 0; i < n; ++i) v.push_back(std::make_unique<NoStorage>());
    return v;
}

class FrontTest : public ::testing::Test {
  protected:
    void SetUp() override {
        auto gated = [this](const HttpRequest& r, Storage&) {
            std::unique_lock lock(mutex);
            ++runs;
            order.push_back(r.peerAddress);
            changed.notify_all();
            changed.wait(lock, [this] { return open; });
            return textReply("done");
        };
        router.add({"POST", "/slow", false, 1024, gated});
        router.add({"POST", "/hash", false, 1024, gated});
        router.add({"GET", "/probe", false, 0,
                    [](const HttpRequest&, Storage&) { return textReply("here"); }});
        router.add({"GET", "/throw", false, 0,
                    [](const HttpRequest&, Storage&) -> HttpResponse { throw 42; }});
        ASSERT_TRUE(router.markHeavy({"/hash"}));
        ASSERT_FALSE(router.markHeavy({"/nowhere"}));
        light = std::make_unique<WorkerPool>(noStorage(1), 16);
        heavy = std::make_unique<WorkerPool>(noStorage(1), 16, 2);
        server = std::make_unique<HttpServer>(router, *light, *heavy, HttpLimits{},
                                              [this](std::string_view line) {
                                                  std::lock_guard lock(mutex);
                                                  if (line.find(" 499 ") != line.npos) ++gone;
                                                  changed.notify_all();
                                              });
        std::string error;
        ASSERT_TRUE(server->listen("127.0.0.1", 0, error)) << error;
        loop = std::thread([this] { server->run(); });
    }
    void TearDown() override {
        release();
        server->stop();
        loop.join();
        light.reset();  // before the server, as the service does
        heavy.reset();
    }
    void release() {
        std::lock_guard lock(mutex);
        open = true;
        changed.notify_all();
    }
    // Waits (bounded) until the condition holds; false when it never did.
    template <class Condition>
    bool await(Condition condition) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(20), condition);
    }
    int send(const std::string& from, const std::string& path) {
        const int fd = connectFrom(from, server->port());
        sendAll(fd, postRequest(path, "x=1"));
        return fd;
    }

    Router router;
    std::unique_ptr<WorkerPool> light, heavy;
    std::unique_ptr<HttpServer> server;
    std::thread loop;
    std::mutex mutex;
    std::condition_variable changed;
    int runs = 0, gone = 0;
    std::vector<std::string> order;
    bool open = false;
};

TEST_F(FrontTest, HeavyRoutesNeverDelayTheLightOnes) {
    // One address holds at most two places of the heavy lane, queued or running; its third
    // request waits aside, behind another address's first.
    std::vector<int> fds;
    for (int i = 0; i < 3; ++i) fds.push_back(send("127.0.0.2", "/hash"));
    ASSERT_TRUE(await([this] { return runs == 1; })) << "the one heavy worker is busy";
    fds.push_back(send("127.0.0.3", "/hash"));
    // The light lane answers meanwhile, to the flooding address too.
    const int probe = connectFrom("127.0.0.2", server->port());
    sendAll(probe, "GET /probe HTTP/1.1\r\nHost: x\r\n\r\n");
    std::string body;
    EXPECT_EQ(readStatus(probe, &body), 200);
    EXPECT_EQ(body, "here");
    std::vector<pollfd> polls;
    for (int fd : fds) polls.push_back({fd, POLLIN, 0});
    EXPECT_EQ(::poll(polls.data(), polls.size(), 0), 0) << "nothing heavy answered yet";
    release();
    int done = 0;
    for (int fd : fds) done += readStatus(fd) == 200;
    EXPECT_EQ(done, 4) << "the request beyond the share waited, and was not refused";
    // The request that waited aside joined the queue only when a share came free: after the
    // other address's, whichever of the flooding address's requests it was.
    std::lock_guard lock(mutex);
    ASSERT_EQ(order.size(), 4u);
    EXPECT_EQ(std::count(order.begin(), order.end(), "127.0.0.3"), 1);
    EXPECT_EQ(order.back(), "127.0.0.2");
    for (int fd : fds) ::close(fd);
    ::close(probe);
}

TEST_F(FrontTest, ARequestWhoseClientHasGoneIsNeverRun) {
    const int first = send("127.0.0.2", "/slow");
    ASSERT_TRUE(await([this] { return runs == 1; })) << "the one worker is busy";
    for (int i = 0; i < 5; ++i) ::close(send("127.0.0.3", "/slow"));
    ASSERT_TRUE(await([this] { return gone == 5; }));
    release();
    EXPECT_EQ(readStatus(first), 200);
    // The probe queues behind nothing: the five were dropped, not run.
    const int probe = send("127.0.0.4", "/slow");
    EXPECT_EQ(readStatus(probe), 200);
    std::lock_guard lock(mutex);
    EXPECT_EQ(runs, 2);
    ::close(first);
    ::close(probe);
}

TEST_F(FrontTest, AHandlerThatThrowsAnythingFailsOnlyItsRequest) {
    release();
    for (int i = 0; i < 3; ++i) {
        const int fd = connectFrom("127.0.0.2", server->port());
        sendAll(fd, "GET /throw HTTP/1.1\r\nHost: x\r\n\r\n");
        EXPECT_EQ(readStatus(fd), 500);
        ::close(fd);
    }
    const int fd = send("127.0.0.2", "/slow");
    EXPECT_EQ(readStatus(fd), 200) << "the one worker goes on";
    ::close(fd);
}

TEST_F(FrontTest, NoAnswerIsLeftToABrowserToGuess) {
    const int fd = connectFrom("127.0.0.2", server->port());
    sendAll(fd, "GET /probe HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n");
    EXPECT_NE(readUntilClosed(fd).find("\r\nX-Content-Type-Options: nosniff\r\n"),
              std::string::npos);
    ::close(fd);
}

INSTANTIATE_TEST_SUITE_P(Engines, BudgetTest, ::testing::Values(Engine::Sqlite), engineName);
INSTANTIATE_TEST_SUITE_P(Engines, PressedBudgetTest, ::testing::Values(Engine::Sqlite), engineName);
INSTANTIATE_TEST_SUITE_P(Engines, HttpLimitsTest, ::testing::Values(Engine::Sqlite), engineName);
INSTANTIATE_TEST_SUITE_P(Engines, ProxyLimitsTest, ::testing::Values(Engine::Sqlite), engineName);

}  // namespace
}  // namespace orvala::service::testing
