// orvala-service-load: a load generator for the web service (make bench-service).
//
//   orvala-service-load mix PORT SECONDS CLIENTS   mixed traffic, 70 % reads; prints the rate,
//                                                   errors and latency percentiles
//   orvala-service-load login PORT SECONDS CLIENTS logins (argon2id checks) of one account
//   orvala-service-load write PORT FILE            record writes until killed; each
//                                                   acknowledged one's nick is appended to FILE
//   orvala-service-load verify PORT FILE           every nick in FILE must be in the table
//
// Clients keep their connections open, as a proxy in front of the service would. Record writes
// claim distinct addresses through X-Forwarded-For, so the service must trust 127.0.0.1 as a
// proxy (the bench script's INI says so).

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

class Connection {
  public:
    explicit Connection(unsigned short port) : port_(port) {}
    ~Connection() { close(); }

    // One request on the kept connection (reconnecting once if the server closed it).
    // Returns the status (0 on failure) and the body.
    int request(const std::string& head, const std::string& body, std::string& reply) {
        reply.clear();
        for (int attempt = 0; attempt < 2; ++attempt) {
            if (fd_ < 0 && !open()) return 0;
            const std::string out =
                head + "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
            if (::send(fd_, out.data(), out.size(), MSG_NOSIGNAL) ==
                    static_cast<ssize_t>(out.size()) &&
                readReply(reply))
                return status_;
            close();
        }
        return 0;
    }

  private:
    bool open() {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(port_);
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int one = 1;
        ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        timeval tv{5, 0};
        ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
        if (::connect(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
            close();
            return false;
        }
        buffer_.clear();
        return true;
    }
    void close() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }
    bool readReply(std::string& reply) {
        for (;;) {
            const auto end = buffer_.find("\r\n\r\n");
            if (end != std::string::npos) {
                status_ = std::atoi(buffer_.c_str() + 9);
                const auto cl = buffer_.find("Content-Length: ");
                const std::size_t length =
                    cl < end ? std::strtoul(buffer_.c_str() + cl + 16, nullptr, 10) : 0;
                if (buffer_.size() >= end + 4 + length) {
                    reply = buffer_.substr(end + 4, length);
                    buffer_.erase(0, end + 4 + length);
                    return true;
                }
            }
            char buf[16384];
            const ssize_t n = ::recv(fd_, buf, sizeof buf, 0);
            if (n <= 0) return false;
            buffer_.append(buf, n);
        }
    }

    unsigned short port_;
    int fd_ = -1;
    int status_ = 0;
    std::string buffer_;
};

std::string post(const std::string& path, const std::string& from = "") {
    std::string h = "POST " + path +
                    " HTTP/1.1\r\nHost: 127.0.0.1\r\nUser-Agent: ZorSpecAccess\r\n"
                    "Content-Type: application/x-www-form-urlencoded\r\n";
    if (!from.empty()) h += "X-Forwarded-For: " + from + "\r\n";
    return h;
}

std::string recordWrite(const std::string& nick, int score) {
    return "gid=55&nick=" + nick + "&city=Omsk&country=1-001&score=" + std::to_string(score) +
           "&R7=M&R8=5.7f&R9=#&R10=#*";
}

int mix(unsigned short port, int seconds, int clients) {
    std::atomic<long> total{0}, errors{0};
    std::vector<std::vector<double>> latencies(clients);
    const auto stop = Clock::now() + std::chrono::seconds(seconds);
    std::vector<std::thread> threads;
    for (int c = 0; c < clients; ++c) {
        threads.emplace_back([&, c] {
            Connection conn(port);
            std::mt19937 rng(c);
            long n = 0;
            std::string reply;
            while (Clock::now() < stop) {
                const unsigned pick = rng() % 100;
                std::string head, body;
                bool ok;
                const auto t0 = Clock::now();
                if (pick < 20) {
                    ok = conn.request(post("/rec/list"), "gid=55", reply) == 200 && !reply.empty();
                } else if (pick < 35) {
                    ok = conn.request(post("/stat/read"), "gid=55", reply) == 200 &&
                         reply.starts_with("$");
                } else if (pick < 50) {
                    ok = conn.request(post("/tour/tables"), "readtable310=55&gid=55", reply) ==
                             200 &&
                         reply.starts_with("$10 ");
                } else if (pick < 60) {
                    ok = conn.request(post("/rec/count"), "rgid=55", reply) == 200 &&
                         reply.starts_with("$");
                } else if (pick < 70) {
                    ok = conn.request(post("/rec/list"), "gid=100", reply) == 200;
                } else if (pick < 85) {
                    ok = conn.request(post("/stat/report"),
                                      "gid=55&R1=1&R2=0&R3=" + std::to_string(rng() % 200) +
                                          "&R4=0&R5=0&R6=0&R7=0&R8=0&R9=0&R10=0&R11=0&R12=0",
                                      reply) == 200 &&
                         reply == "$ok#";
                } else {
                    // A fresh nick and address each time: the 15-second limit never applies.
                    const std::string id = std::to_string(c) + "x" + std::to_string(n);
                    ok = conn.request(post("/rec/write", "10." + std::to_string(c) + "." +
                                                             std::to_string(n / 250 % 250) + "." +
                                                             std::to_string(n % 250)),
                                      recordWrite("b" + id, static_cast<int>(rng() % 5000)),
                                      reply) == 200 &&
                         reply.starts_with("$");
                }
                latencies[c].push_back(
                    std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
                ++n;
                if (!ok) ++errors;
            }
            total += n;
        });
    }
    for (auto& t : threads) t.join();
    std::vector<double> all;
    for (auto& l : latencies) all.insert(all.end(), l.begin(), l.end());
    std::sort(all.begin(), all.end());
    auto pct = [&](double p) {
        return all.empty() ? 0.0 : all[std::min(all.size() - 1, std::size_t(p * all.size()))];
    };
    std::printf("requests %ld in %d s: %.0f/s, errors %ld, p50 %.2f ms, p99 %.2f ms, max %.2f ms\n",
                total.load(), seconds, double(total.load()) / seconds, errors.load(), pct(0.50),
                pct(0.99), all.empty() ? 0.0 : all.back());
    return errors.load() == 0 ? 0 : 1;
}

// Logins cost a password check each, by design; their rate is the service's, not the mix's.
int login(unsigned short port, int seconds, int clients) {
    Connection setup(port);
    std::string reply;
    setup.request(post("/acc/register"),
                  "nick=bench&pw=secret1&city=Omsk&country1=Russia&country2=1-001&sex=M&"
                  "email=b@e.nch&dater=1.1.2026&R01=xxx&R02=xxx&R03=xxx&R04=0&R05=0&R06=0",
                  reply);
    std::atomic<long> total{0}, errors{0};
    const auto start = Clock::now();
    const auto stop = start + std::chrono::seconds(seconds);
    std::vector<std::thread> threads;
    for (int c = 0; c < clients; ++c) {
        threads.emplace_back([&] {
            Connection conn(port);
            std::string r;
            while (Clock::now() < stop) {
                if (conn.request(post("/acc/read"), "nick=bench&pw=secret1&label0=0", r) != 200 ||
                    !r.starts_with("$Omsk "))
                    ++errors;
                ++total;
            }
        });
    }
    for (auto& t : threads) t.join();
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("logins %ld in %.1f s: %.0f/s, errors %ld\n", total.load(), elapsed,
                total.load() / elapsed, errors.load());
    return errors.load() == 0 ? 0 : 1;
}

int writeUntilKilled(unsigned short port, const std::string& file) {
    Connection conn(port);
    std::ofstream acknowledged(file, std::ios::app);
    std::string reply;
    for (long n = 0;; ++n) {
        const std::string nick = "k" + std::to_string(n);
        if (conn.request(post("/rec/write", "10.9." + std::to_string(n / 250 % 250) + "." +
                                                std::to_string(n % 250)),
                         recordWrite(nick, 1), reply) == 200 &&
            reply.starts_with("$")) {
            acknowledged << nick << '\n' << std::flush;
        } else if (n > 0 && reply.empty()) {
            return 0;  // the service is gone
        }
    }
}

int verify(unsigned short port, const std::string& file) {
    Connection conn(port);
    std::ifstream in(file);
    long checked = 0, lost = 0;
    std::string reply;
    for (std::string nick; std::getline(in, nick);) {
        ++checked;
        if (conn.request(post("/rec/near"), "gid=55&nick=" + nick + "&city=Omsk", reply) != 200 ||
            reply.find(" " + nick + " ") == std::string::npos)
            ++lost;
    }
    std::printf("acknowledged writes %ld, lost %ld\n", checked, lost);
    return lost == 0 && checked > 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> a(argv + 1, argv + argc);
    if (a.size() == 4 && a[0] == "mix")
        return mix(static_cast<unsigned short>(std::stoi(a[1])), std::stoi(a[2]), std::stoi(a[3]));
    if (a.size() == 4 && a[0] == "login")
        return login(static_cast<unsigned short>(std::stoi(a[1])), std::stoi(a[2]),
                     std::stoi(a[3]));
    if (a.size() == 3 && a[0] == "write")
        return writeUntilKilled(static_cast<unsigned short>(std::stoi(a[1])), a[2]);
    if (a.size() == 3 && a[0] == "verify")
        return verify(static_cast<unsigned short>(std::stoi(a[1])), a[2]);
    std::cerr
        << "usage: orvala-service-load mix PORT SECONDS CLIENTS | login PORT SECONDS CLIENTS |"
           " write PORT FILE |"
           " verify PORT FILE\n";
    return 2;
}
