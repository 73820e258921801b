#include "service_harness.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <stdexcept>

namespace orvala::service::testing {

int connectLoopback(unsigned short port, int timeoutSeconds) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    timeval tv{timeoutSeconds, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

Reply exchange(unsigned short port, const std::string& bytes) {
    Reply reply;
    const int fd = connectLoopback(port, 20);
    if (fd < 0) return reply;
    for (std::size_t sent = 0; sent < bytes.size();) {
        const auto n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) break;
        sent += static_cast<std::size_t>(n);
    }
    std::string in;
    char buf[65536];
    for (ssize_t n; (n = ::recv(fd, buf, sizeof buf, 0)) > 0;) in.append(buf, n);
    ::close(fd);
    const auto end = in.find("\r\n\r\n");
    if (in.starts_with("HTTP/1.1 ") && end != std::string::npos) {
        reply.status = std::atoi(in.c_str() + 9);
        reply.body = in.substr(end + 4);
    }
    return reply;
}

std::string postRequest(const std::string& path, const std::string& body) {
    return "POST " + path +
           " HTTP/1.1\r\nHost: 127.0.0.1\r\nUser-Agent: ZorSpecAccess\r\n"
           "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: " +
           std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

std::string percentEncoded(std::string_view bytes) {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        if (std::isalnum(c) || c == '-' || c == '.' || c == '_') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::string form(const std::vector<std::pair<std::string, std::string>>& fields) {
    std::string out;
    for (const auto& [k, v] : fields)
        out += (out.empty() ? "" : "&") + percentEncoded(k) + "=" + percentEncoded(v);
    return out;
}

std::string raw(const std::vector<std::pair<std::string, std::string>>& fields) {
    std::string out;
    for (const auto& [k, v] : fields) out += (out.empty() ? "" : "&") + k + "=" + v;
    return out;
}

std::string testPostgres() {
    const char* url = std::getenv("ORVALA_TEST_POSTGRES");
    return url ? url : "";
}

TestService::TestService(Engine engine, HttpLimits limits,
                         const std::function<void(ServiceConfig&)>& configure) {
    ServiceConfig& c = context_.config;
    if (engine == Engine::Postgres) {
        c.database = testPostgres();
        if (c.database.empty()) throw std::runtime_error("no PostgreSQL");
        // Each test starts from an empty database.
        auto admin = openStorage(c.database, "", false);
        admin->execute("DROP SCHEMA IF EXISTS public CASCADE");
        admin->execute("CREATE SCHEMA public");
    } else {
        std::string pattern = (std::filesystem::temp_directory_path() / "orvala-svc.XXXXXX");
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
        folder_ = pattern;
        c.dataDir = folder_;
        c.filesDir = folder_ / "files";
    }
    c.publicUrl = "http://service.test";
    // The operator's commands of a test show at once.
    c.settingsRefreshMs = 0;
    if (configure) configure(c);
    start(std::move(limits));
}

TestService::TestService(const TestService& sibling, HttpLimits limits) {
    context_.config = sibling.context_.config;
    clock = sibling.clock.load();
    start(std::move(limits));
}

void TestService::start(HttpLimits limits) {
    const ServiceConfig& c = context_.config;
    context_.now = [this] { return clock.load(); };
    // As the service's own start does: the proxies it trusts for addresses are held only to the
    // total and share the password lane by the address they forward.
    if (limits.proxies.empty()) limits.proxies = c.trustedProxies;
    std::vector<std::unique_ptr<Storage>> connections, hashingConnections;
    for (int i = 0; i < 2; ++i) connections.push_back(openStorage(c.database, c.dataDir, i == 0));
    hashingConnections.push_back(openStorage(c.database, c.dataDir, false));
    inspect_ = openStorage(c.database, c.dataDir, false);
    workers_ = std::make_unique<WorkerPool>(std::move(connections), 256);
    hashing_ = std::make_unique<WorkerPool>(std::move(hashingConnections), 64, 16);
    addServiceRoutes(router_, context_);
    server_ = std::make_unique<HttpServer>(router_, *workers_, *hashing_, limits,
                                           [](std::string_view) {});
    std::string error;
    if (!server_->listen("127.0.0.1", 0, error)) throw std::runtime_error(error);
    // A test that cleared the public address gets the loopback one, so that the configuration
    // page sends a client back here.
    if (context_.config.publicUrl.empty())
        context_.config.publicUrl = "http://127.0.0.1:" + std::to_string(server_->port());
    loop_ = std::thread([this] { server_->run(); });
}

TestService::~TestService() {
    server_->stop();
    loop_.join();
    // Before the server: a finishing job posts its answer to the loop.
    workers_.reset();
    hashing_.reset();
    server_.reset();
    inspect_.reset();
    if (!folder_.empty()) std::filesystem::remove_all(folder_);
}

Reply TestService::post(const std::string& path, const std::string& body) const {
    return exchange(port(), postRequest(path, body));
}

Reply TestService::get(const std::string& path) const {
    return exchange(port(),
                    "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n");
}

std::string registerAccount(const TestService& s, const std::string& nick, const std::string& pw,
                            const std::string& city) {
    return s
        .post("/acc/register", raw({{"nick", nick},
                                    {"pw", pw},
                                    {"city", city},
                                    {"country1", "Russia"},
                                    {"country2", "1-001"},
                                    {"sex", "M"},
                                    {"email", "me@example.org"},
                                    {"dater", "09.12.2026"},
                                    {"R01", "xxx"},
                                    {"R02", "xxx"},
                                    {"R03", "xxx"},
                                    {"R04", "0"},
                                    {"R05", "0"},
                                    {"R06", "0"}}))
        .body;
}

}  // namespace orvala::service::testing

namespace orvala::service::testing {

Reply postFrom(const TestService& s, const std::string& address, const std::string& path,
               const std::string& body) {
    std::string request = postRequest(path, body);
    request.insert(request.find("\r\n") + 2, "X-Forwarded-For: " + address + "\r\n");
    return exchange(s.port(), request);
}

std::string takeSeat(const TestService& s, int table, int seat, int can, const std::string& nick) {
    const std::string d = std::to_string(seat);
    return s
        .post("/tour/seat", raw({{"client3on" + d, "0"},
                                 {"gid", "55"},
                                 {"num", std::to_string(table)},
                                 {"can", std::to_string(can)},
                                 {"nick" + d, nick},
                                 {"pw", "secret1"},
                                 {"score" + d, "0"},
                                 {"kon" + d, "0"},
                                 {"rating" + d, "0"},
                                 {"country" + d, "Russia"},
                                 {"city" + d, "Omsk"},
                                 {"sex" + d, "W"},
                                 {"ip" + d, "127.0.0.1"}}))
        .body;
}

std::string seatHolder(const TestService& s, int table, int seat) {
    const std::string reply =
        s.post("/tour/read-seat", form({{"readclient" + std::to_string(seat), "0"},
                                        {"gid", "55"},
                                        {"num", std::to_string(table)}}))
            .body;
    return reply.substr(1, reply.find(' ') - 1);
}

void sendAll(int fd, const std::string& bytes) {
    for (std::size_t at = 0; at < bytes.size();) {
        const auto n = ::send(fd, bytes.data() + at, bytes.size() - at, MSG_NOSIGNAL);
        if (n <= 0) return;
        at += static_cast<std::size_t>(n);
    }
}

std::string readBytes(int fd, std::size_t n) {
    std::string in;
    char buf[4096];
    while (in.size() < n) {
        const auto got = ::recv(fd, buf, std::min(sizeof buf, n - in.size()), 0);
        if (got <= 0) break;
        in.append(buf, static_cast<std::size_t>(got));
    }
    return in;
}

bool closedByPeer(int fd) {
    char buf[4096];
    for (;;) {
        const auto got = ::recv(fd, buf, sizeof buf, 0);
        if (got == 0) return true;
        if (got < 0) return errno == ECONNRESET;
    }
}

}  // namespace orvala::service::testing
