// orvala-service-load: a load generator for the web service (make bench-service) and the
// clients of its attack run (make service-attack).
//
//   orvala-service-load mix PORT SECONDS CLIENTS [TAG]
//                                                   mixed traffic, 70 % reads; prints the rate,
//                                                   errors and latency percentiles
//   orvala-service-load login PORT SECONDS CLIENTS logins (argon2id checks) of one account
//   orvala-service-load write PORT FILE [SECONDS TAG]
//                                                   record writes until killed (or the service
//                                                   is gone), or for SECONDS whatever the
//                                                   answers; each acknowledged one's nick is
//                                                   appended to FILE
//   orvala-service-load verify PORT FILE           every nick in FILE must be in the table
//   orvala-service-load accounts PORT PREFIX COUNT registers PREFIX1..PREFIXCOUNT (password
//                                                   secret1)
//   orvala-service-load transfers PORT SECONDS CLIENTS PREFIX COUNT
//                                                   random transfers of Zors between those
//                                                   accounts; counts the acknowledged ones
//
// A TAG (1 to 99) gives a run's record writes nicks and addresses of their own, so that runs
// against one database within 15 seconds of each other are not refused as repeats; give each
// run its own.
//
// The attack run's clients print one line of key=value figures each:
//
//   probe PORT SECONDS RATE              GET /news.html from 127.0.0.1, RATE a second, each on
//                                        a connection of its own; latency percentiles, errors
//   idle PORT COUNT FIRST ADDRESSES SECONDS
//                                        COUNT idle connections spread over 127.0.0.FIRST and
//                                        the next ADDRESSES-1 addresses, reopened when closed
//   passwords PORT SECONDS CLIENTS FROM  registrations and wrong-password logins from FROM
//   slow PORT PATH CLIENTS FIRST ADDRESSES SECONDS
//                                        downloads of PATH read at 4 KB a second
//   cycle PORT                           an invented finished cycle and its record; exit 1 when
//                                        the account's balance changed
//   seat PORT TABLE_PORT                 a seat of table 1 taken, the greeting and a leave sent
//                                        on the table's port; exit 1 unless the service still
//                                        answers and the seat is free again
//   dbload PORT SECONDS CLIENTS          record lists, counted by status
//   waitdb PORT SECONDS                  exit 0 at the first record list answered 200
//
// Clients keep their connections open, as a proxy in front of the service would. Record writes
// claim distinct addresses through X-Forwarded-For, so the service must trust 127.0.0.1 as a
// proxy (the bench script's INI says so).

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/epoll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <csignal>
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

double millisSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

// A TCP socket to 127.0.0.1:PORT from the loopback address `source` (the kernel's choice when
// empty). The attack run spreads its connections over 127.0.0.2 and up, as many players on
// separate machines would. A non-blocking socket may still be connecting when this returns.
int openSocket(unsigned short port, const std::string& source, int timeoutMs, bool blocking,
               int receiveBuffer = 0) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | (blocking ? 0 : SOCK_NONBLOCK), 0);
    if (fd < 0) return -1;
    int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    // Set before connecting, so the window the service sees stays this small.
    if (receiveBuffer > 0)
        ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
    if (timeoutMs > 0) {
        timeval tv{timeoutMs / 1000, timeoutMs % 1000 * 1000};
        ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
        ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
    }
    if (!source.empty()) {
        // The port is chosen at connect, by the whole address pair: thousands of sockets from
        // one source address then never run out of ports.
        ::setsockopt(fd, IPPROTO_IP, IP_BIND_ADDRESS_NO_PORT, &one, sizeof one);
        sockaddr_in from{};
        from.sin_family = AF_INET;
        if (::inet_pton(AF_INET, source.c_str(), &from.sin_addr) != 1 ||
            ::bind(fd, reinterpret_cast<sockaddr*>(&from), sizeof from) != 0) {
            ::close(fd);
            return -1;
        }
    }
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0 &&
        (blocking || errno != EINPROGRESS)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool sendAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// The Content-Length of the answer whose head in `in` ends at `end` (its blank line); 0 when it
// has none. Header names are compared in small letters, as a proxy (HAProxy) sends them.
std::size_t contentLength(const std::string& in, std::size_t end) {
    constexpr std::string_view name = "\r\ncontent-length:";
    for (auto at = in.find("\r\n"); at < end; at = in.find("\r\n", at + 2)) {
        if (at + name.size() <= end &&
            std::equal(name.begin(), name.end(), in.begin() + static_cast<std::ptrdiff_t>(at),
                       [](char want, char got) {
                           return want == std::tolower(static_cast<unsigned char>(got));
                       }))
            return std::strtoul(in.c_str() + at + name.size(), nullptr, 10);
    }
    return 0;
}

// Where the answer in `in` ends, once its head and its whole body are there; npos until then.
std::size_t answerEnd(const std::string& in) {
    const auto end = in.find("\r\n\r\n");
    if (end == std::string::npos) return std::string::npos;
    const std::size_t length = contentLength(in, end);
    return in.size() >= end + 4 + length ? end + 4 + length : std::string::npos;
}

int statusOf(const std::string& in) {
    return in.starts_with("HTTP/1.1 ") && in.size() > 12 ? std::atoi(in.c_str() + 9) : 0;
}

struct Answer {
    int status = 0;  // 0: refused, reset or timed out
    std::string body;
};

// One request on a connection of its own.
Answer exchange(unsigned short port, const std::string& request, int timeoutMs,
                const std::string& source = "") {
    Answer a;
    const int fd = openSocket(port, source, timeoutMs, true);
    if (fd < 0) return a;
    std::string in;
    if (sendAll(fd, request)) {
        char buf[16384];
        std::size_t end;
        while ((end = answerEnd(in)) == std::string::npos) {
            const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
            if (n <= 0) break;
            in.append(buf, static_cast<std::size_t>(n));
        }
        if (end != std::string::npos) {
            a.status = statusOf(in);
            a.body = in.substr(in.find("\r\n\r\n") + 4, end - in.find("\r\n\r\n") - 4);
        }
    }
    ::close(fd);
    return a;
}

std::string postOnce(const std::string& path, const std::string& body) {
    return "POST " + path +
           " HTTP/1.1\r\nHost: 127.0.0.1\r\nUser-Agent: ZorSpecAccess\r\n"
           "Content-Type: application/x-www-form-urlencoded\r\nConnection: close\r\n"
           "Content-Length: " +
           std::to_string(body.size()) + "\r\n\r\n" + body;
}

std::string getOnce(const std::string& path) {
    return "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
}

double percentile(std::vector<double>& sorted, double p) {
    return sorted.empty()
               ? 0.0
               : sorted[std::min(sorted.size() - 1, static_cast<std::size_t>(p * sorted.size()))];
}

// Thousands of sockets need more descriptors than a shell gives by default.
void raiseDescriptorLimit() {
    rlimit r{};
    if (::getrlimit(RLIMIT_NOFILE, &r) == 0 && r.rlim_cur < r.rlim_max) {
        r.rlim_cur = r.rlim_max;
        ::setrlimit(RLIMIT_NOFILE, &r);
    }
}

class Connection {
  public:
    explicit Connection(unsigned short port, std::string source = "", int timeoutMs = 5000)
        : port_(port), source_(std::move(source)), timeoutMs_(timeoutMs) {}
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
        fd_ = openSocket(port_, source_, timeoutMs_, true);
        buffer_.clear();
        return fd_ >= 0;
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
                const std::size_t length = contentLength(buffer_, end);
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
    std::string source_;
    int timeoutMs_;
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

std::string registration(const std::string& nick, const std::string& pw) {
    return "nick=" + nick + "&pw=" + pw +
           "&city=Omsk&country1=Russia&country2=1-001&sex=M&email=me@example.org&"
           "dater=09.12.2026&R01=xxx&R02=xxx&R03=xxx&R04=0&R05=0&R06=0";
}

// Short nicks for many writes: a nick has at most 12 characters.
std::string base36(unsigned long long v) {
    std::string out;
    do {
        out.insert(out.begin(), "0123456789abcdefghijklmnopqrstuvwxyz"[v % 36]);
        v /= 36;
    } while (v > 0);
    return out;
}

std::string dotted(unsigned a, unsigned long long rest) {
    return std::to_string(a) + "." + std::to_string(rest >> 16 & 255) + "." +
           std::to_string(rest >> 8 & 255) + "." + std::to_string(rest & 255);
}

int parseTag(const std::string& word) {
    const int tag = std::stoi(word);
    if (tag < 1 || tag > 99) throw std::invalid_argument("a TAG is a number from 1 to 99");
    return tag;
}

// With a TAG the writes' nicks and addresses (TAG.CLIENT.x.y, for up to 256 clients) are the
// run's own; without one, every run uses the same ones.
int mix(unsigned short port, int seconds, int clients, int tag) {
    std::atomic<long> total{0}, errors{0};
    std::vector<std::vector<double>> latencies(clients);
    const auto stop = Clock::now() + std::chrono::seconds(seconds);
    std::vector<std::thread> threads;
    for (int c = 0; c < clients; ++c) {
        threads.emplace_back([&, c] {
            Connection conn(port);
            std::mt19937 rng(static_cast<unsigned>(c + 1000 * tag));
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
                    std::string nick, from;
                    if (tag == 0) {
                        nick = "b" + std::to_string(c) + "x" + std::to_string(n);
                        from = "10." + std::to_string(c) + "." + std::to_string(n / 250 % 250) +
                               "." + std::to_string(n % 250);
                    } else {
                        const auto lane = static_cast<unsigned long long>(tag * 256 + c);
                        nick = "b" + base36((lane << 24) + static_cast<unsigned long long>(n));
                        from = dotted(static_cast<unsigned>(tag),
                                      (static_cast<unsigned long long>(c % 256) << 16) +
                                          static_cast<unsigned long long>(n % 65536));
                    }
                    ok = conn.request(post("/rec/write", from),
                                      recordWrite(nick, static_cast<int>(rng() % 5000)),
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

// Record writes on one kept connection, each under a nick and from an address of its own; the
// nick of each acknowledged one goes to FILE at once, so that a kill loses none of them. Without
// SECONDS (0) it writes until killed or until the service is gone. With SECONDS it writes that
// long whatever the answers (through a proxy an instance may die and the others answer on),
// and prints its figures; TAG keeps its nicks and addresses apart from other runs'.
int writes(unsigned short port, const std::string& file, double seconds, int tag) {
    Connection conn(port);
    std::ofstream acknowledged(file, std::ios::app);
    const bool timed = seconds > 0;
    const auto stop = Clock::now() + std::chrono::duration<double>(seconds);
    long sent = 0, acked = 0;
    std::string reply;
    for (long n = 0; !timed || Clock::now() < stop; ++n) {
        std::string nick, from;
        if (tag == 0) {
            nick = "k" + std::to_string(n);
            from = "10.9." + std::to_string(n / 250 % 250) + "." + std::to_string(n % 250);
        } else {
            nick = "k" + std::to_string(tag) + "x" + base36(static_cast<unsigned long long>(n));
            from = dotted(100u + static_cast<unsigned>(tag), static_cast<unsigned long long>(n));
        }
        ++sent;
        const int status = conn.request(post("/rec/write", from), recordWrite(nick, 1), reply);
        if (status == 200 && reply.starts_with("$")) {
            acknowledged << nick << '\n' << std::flush;
            ++acked;
        } else if (!timed && n > 0 && reply.empty()) {
            return 0;  // the service is gone
        } else if (status == 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));  // nobody answers yet
        }
    }
    std::printf("writes sent=%ld acknowledged=%ld unacknowledged=%ld\n", sent, acked, sent - acked);
    return acked > 0 ? 0 : 1;
}

// The accounts PREFIX1..PREFIXCOUNT with the password secret1; exit 1 unless all were created.
int accounts(unsigned short port, const std::string& prefix, int count) {
    Connection conn(port);
    std::string reply;
    int created = 0;
    for (int i = 1; i <= count; ++i)
        if (conn.request(post("/acc/register"), registration(prefix + std::to_string(i), "secret1"),
                         reply) == 200 &&
            reply == "ok")
            ++created;
    std::printf("accounts created=%d of %d\n", created, count);
    return created == count ? 0 : 1;
}

// Transfers of 1 to 20 Zors between random pairs of the accounts PREFIX1..PREFIXCOUNT, from
// CLIENTS kept connections for SECONDS, each from an address of its own (the password lane
// gives one address only a share). An acknowledged transfer is one answered "ok"; one that
// failed (no answer, another status) may or may not have happened, but never by halves.
int transfers(unsigned short port, double seconds, int clients, const std::string& prefix,
              int count) {
    if (count < 2) throw std::invalid_argument("transfers need two accounts at least");
    std::atomic<long> sent{0}, acked{0}, low{0}, refused{0}, failed{0};
    std::atomic<long long> moved{0};
    const auto stop = Clock::now() + std::chrono::duration<double>(seconds);
    std::vector<std::thread> threads;
    for (int c = 0; c < clients; ++c) {
        threads.emplace_back([&, c] {
            Connection conn(port);
            std::mt19937 rng(static_cast<unsigned>(::getpid() * 131 + c));
            std::string reply;
            for (unsigned long long n = 0; Clock::now() < stop; ++n) {
                const int from = static_cast<int>(rng() % static_cast<unsigned>(count));
                const int to =
                    (from + 1 + static_cast<int>(rng() % static_cast<unsigned>(count - 1))) % count;
                const int amount = 1 + static_cast<int>(rng() % 20);
                const int status = conn.request(
                    post("/acc/transfer", dotted(200u + static_cast<unsigned>(c % 50), n)),
                    "nick=" + prefix + std::to_string(from + 1) + "&pw=secret1&to=" + prefix +
                        std::to_string(to + 1) + "&amount=" + std::to_string(amount),
                    reply);
                ++sent;
                if (status == 200 && reply.starts_with("ok")) {
                    ++acked;
                    moved += amount;
                } else if (status == 200 && reply == "low") {
                    ++low;
                } else if (status == 200) {
                    ++refused;
                } else {
                    ++failed;
                    if (status == 0) std::this_thread::sleep_for(std::chrono::milliseconds(20));
                }
            }
        });
    }
    for (auto& t : threads) t.join();
    std::printf("transfers sent=%ld acknowledged=%ld moved=%lld low=%ld refused=%ld failed=%ld\n",
                sent.load(), acked.load(), moved.load(), low.load(), refused.load(), failed.load());
    return acked.load() > 0 ? 0 : 1;
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

// ---- The attack run's clients ----

std::string loopback(int last) {
    return "127.0.0." + std::to_string(last);
}

// The latency a player sees while a flood runs: requests on a fixed schedule, each timed from
// when it was due, so that a stalled service cannot hide its stall by delaying the next request.
int probe(unsigned short port, double seconds, int rate) {
    const long total = std::max(1L, static_cast<long>(seconds * rate));
    const auto start = Clock::now();
    const auto giveUp = start + std::chrono::duration<double>(seconds + 2);
    std::atomic<long> next{0}, refused{0}, badStatus{0}, skipped{0};
    std::vector<double> latency(static_cast<std::size_t>(total), -1);
    std::vector<std::thread> threads;
    // Enough in flight for a stalled service; few enough to stay far under any per-address limit.
    for (int t = 0; t < 24; ++t) {
        threads.emplace_back([&] {
            for (long i; (i = next++) < total;) {
                const auto due = start + std::chrono::duration<double>(double(i) / rate);
                if (Clock::now() > giveUp) {
                    ++skipped;
                    continue;
                }
                std::this_thread::sleep_until(due);
                const Answer a = exchange(port, getOnce("/news.html"), 5000);
                if (a.status == 200)
                    latency[static_cast<std::size_t>(i)] =
                        std::chrono::duration<double, std::milli>(Clock::now() - due).count();
                else if (a.status == 0)
                    ++refused;
                else
                    ++badStatus;
            }
        });
    }
    for (auto& t : threads) t.join();
    std::vector<double> ok;
    for (double l : latency)
        if (l >= 0) ok.push_back(l);
    std::sort(ok.begin(), ok.end());
    const long errors = refused + badStatus + skipped;
    const auto figure = [&](double p) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.1f", percentile(ok, p));
        return ok.empty() ? std::string("-") : std::string(buf);  // nothing was answered
    };
    std::printf(
        "probe requests=%ld errors=%ld unanswered=%ld status=%ld late=%ld p50=%s p99=%s "
        "max=%s\n",
        total, errors, refused.load(), badStatus.load(), skipped.load(), figure(0.50).c_str(),
        figure(0.99).c_str(), figure(1.0).c_str());
    return 0;
}

// Connections that send nothing, held open: each one the service closes is opened again (after
// a pause when it lived under a second, so that a refusing service is not hammered).
int idle(unsigned short port, int count, int first, int addresses, double seconds) {
    raiseDescriptorLimit();
    struct Slot {
        int fd = -1;
        bool connected = false;
        Clock::time_point opened, retryAt;
    };
    std::vector<Slot> slots(static_cast<std::size_t>(count));
    const int ep = ::epoll_create1(0);
    long opened = 0, dropped = 0, quickDrops = 0, failed = 0;
    int peak = 0;
    const auto start = Clock::now();
    const auto stop = start + std::chrono::duration<double>(seconds);
    auto drop = [&](Slot& s) {
        ::epoll_ctl(ep, EPOLL_CTL_DEL, s.fd, nullptr);
        ::close(s.fd);
        const bool quick = Clock::now() - s.opened < std::chrono::seconds(1);
        if (s.connected) ++dropped;
        if (quick) ++quickDrops;
        s.fd = -1;
        s.connected = false;
        s.retryAt = Clock::now() + std::chrono::milliseconds(quick ? 500 : 0);
    };
    std::vector<epoll_event> events(512);
    while (Clock::now() < stop) {
        const auto now = Clock::now();
        int started = 0;
        for (std::size_t i = 0; i < slots.size() && started < 200; ++i) {
            Slot& s = slots[i];
            if (s.fd >= 0 || now < s.retryAt) continue;
            s.fd = openSocket(port, loopback(first + static_cast<int>(i) % addresses), 0, false);
            s.opened = now;
            ++started;
            if (s.fd < 0) {
                ++failed;
                s.retryAt = now + std::chrono::milliseconds(500);
                continue;
            }
            ++opened;
            epoll_event e{};
            e.events = EPOLLIN | EPOLLOUT | EPOLLRDHUP;
            e.data.u64 = i;
            ::epoll_ctl(ep, EPOLL_CTL_ADD, s.fd, &e);
        }
        const int n = ::epoll_wait(ep, events.data(), static_cast<int>(events.size()), 20);
        for (int k = 0; k < n; ++k) {
            Slot& s = slots[events[static_cast<std::size_t>(k)].data.u64];
            const auto ev = events[static_cast<std::size_t>(k)].events;
            if (s.fd < 0) continue;
            if (!s.connected && (ev & EPOLLOUT)) {
                int err = 0;
                socklen_t len = sizeof err;
                ::getsockopt(s.fd, SOL_SOCKET, SO_ERROR, &err, &len);
                if (err != 0) {
                    drop(s);
                    continue;
                }
                s.connected = true;
                epoll_event e{};
                e.events = EPOLLIN | EPOLLRDHUP;
                e.data.u64 = events[static_cast<std::size_t>(k)].data.u64;
                ::epoll_ctl(ep, EPOLL_CTL_MOD, s.fd, &e);
            }
            if (ev & (EPOLLIN | EPOLLRDHUP | EPOLLHUP | EPOLLERR)) {
                // Whatever the service says (a refusal, a time-out page) ends the connection.
                char buf[4096];
                ssize_t r;
                while ((r = ::recv(s.fd, buf, sizeof buf, MSG_DONTWAIT)) > 0) {
                }
                if (r == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) drop(s);
            }
        }
        int live = 0;
        for (const Slot& s : slots) live += s.connected;
        peak = std::max(peak, live);
    }
    // Held: open for a second and more, so the service took them rather than closing them.
    int held = 0;
    const auto end = Clock::now();
    for (Slot& s : slots) {
        if (s.connected && end - s.opened >= std::chrono::seconds(1)) ++held;
        if (s.fd >= 0) ::close(s.fd);
    }
    ::close(ep);
    std::printf("idle wanted=%d held=%d peak=%d opened=%ld dropped=%ld quick=%ld failed=%ld\n",
                count, held, peak, opened, dropped, quickDrops, failed);
    return 0;
}

// Each request costs the service one password hash or check: half are new accounts, half wrong
// passwords for the client's first account.
int passwords(unsigned short port, double seconds, int clients, const std::string& from) {
    std::atomic<long> total{0}, answered{0}, failed{0};
    const auto stop = Clock::now() + std::chrono::duration<double>(seconds);
    const std::string tag = std::to_string(::getpid() % 1000);
    std::vector<std::thread> threads;
    for (int c = 0; c < clients; ++c) {
        threads.emplace_back([&, c] {
            // A short time-out: the flood stops soon after its time, leaving its last requests
            // behind in the service.
            Connection conn(port, from, 2000);
            const std::string mine = "f" + tag + "c" + std::to_string(c);
            std::string reply;
            for (long n = 0; Clock::now() < stop; ++n) {
                int status;
                if (n % 2 == 0)
                    status = conn.request(
                        post("/acc/register"),
                        registration(n == 0 ? mine : mine + "n" + std::to_string(n), "secret1"),
                        reply);
                else
                    status = conn.request(
                        post("/acc/read"),
                        "nick=" + mine + "&pw=wrong" + std::to_string(n % 97) + "&label0=0", reply);
                ++total;
                if (status == 0)
                    ++failed;
                else
                    ++answered;
            }
        });
    }
    for (auto& t : threads) t.join();
    std::printf("passwords requests=%ld answered=%ld unanswered=%ld rate=%.0f\n", total.load(),
                answered.load(), failed.load(), answered.load() / seconds);
    return 0;
}

volatile std::sig_atomic_t stopReading = 0;

// Downloads that the clients read at 4 KB a second, through a small receive window: the
// service has to keep what it has not sent yet somewhere.
int slow(unsigned short port, const std::string& path, int clients, int first, int addresses,
         double seconds) {
    raiseDescriptorLimit();
    std::vector<int> fds;
    std::vector<std::string> heads(static_cast<std::size_t>(clients));
    long failed = 0;
    for (int c = 0; c < clients; ++c) {
        const int fd = openSocket(port, loopback(first + c % addresses), 2000, true, 4096);
        if (fd < 0 || !sendAll(fd, "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n")) {
            if (fd >= 0) ::close(fd);
            ++failed;
            fds.push_back(-1);
            continue;
        }
        fds.push_back(fd);
    }
    long bytes = 0, dropped = 0;
    // Stopped early (the script spares the machine), the readers still give their figures.
    std::signal(SIGTERM, [](int) { stopReading = 1; });
    const auto stop = Clock::now() + std::chrono::duration<double>(seconds);
    // A last pass after the time is up, so that a service slow to answer still counts as served.
    for (bool last = false; !last;) {
        last = Clock::now() >= stop || stopReading;
        for (std::size_t c = 0; c < fds.size(); ++c) {
            if (fds[c] < 0) continue;
            char buf[4096];
            const ssize_t n = ::recv(fds[c], buf, sizeof buf, MSG_DONTWAIT);
            if (n > 0) {
                bytes += n;
                if (heads[c].size() < 16) heads[c].append(buf, static_cast<std::size_t>(n));
            } else if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) {
                ::close(fds[c]);
                fds[c] = -1;
                ++dropped;
            }
        }
        for (int tick = 0; tick < 10 && !stopReading && !last; ++tick)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    long served = 0, refused = 0;
    for (std::size_t c = 0; c < fds.size(); ++c) {
        if (statusOf(heads[c]) == 200)
            ++served;
        else if (!heads[c].empty())
            ++refused;
        if (fds[c] >= 0) ::close(fds[c]);
    }
    std::printf("slow clients=%d served=%ld refused=%ld dropped=%ld failed=%ld bytes=%ld\n",
                clients, served, refused, dropped, failed, bytes);
    return 0;
}

// The number in a reply such as "$25$"; -1 when there is none.
long long replyNumber(const std::string& reply) {
    if (reply.size() < 2 || reply[0] != '$' || !std::isdigit(static_cast<unsigned char>(reply[1])))
        return -1;
    return std::atoll(reply.c_str() + 1);
}

// Replies go on one line of figures: no blanks or line breaks inside a value.
std::string oneWord(std::string s) {
    if (s.size() > 40) s.resize(40);
    for (char& ch : s)
        if (std::isspace(static_cast<unsigned char>(ch))) ch = '_';
    return s.empty() ? "-" : s;
}

// An account that played one game claims a finished cycle with the top score and rating, then
// writes the cycle record that pays the places' rewards.
int cycle(unsigned short port) {
    const std::string nick = "cy" + std::to_string(::getpid() % 100000), pw = "secret1";
    const Answer reg = exchange(port, postOnce("/acc/register", registration(nick, pw)), 10000);
    const auto balance = [&] {
        return replyNumber(
            exchange(port, postOnce("/acc/balance-read", "nick=" + nick + "&labelzorread=0"), 10000)
                .body);
    };
    const long long before = balance();
    const Answer results = exchange(
        port,
        postOnce("/acc/results-write",
                 "nick=" + nick + "&pw=" + pw +
                     "&crdorvalkon=1&crdorvalbest=1000000&crdorvalrating=9999999&crdorvalses=1&"
                     "crdorvalkonl=1&crdorvalscore=1000000&crdorvalR1=0&crdorvalR2=#"),
        10000);
    const Answer record = exchange(port,
                                   postOnce("/rec/write", "gid=355&nick=" + nick + "&pw=" + pw +
                                                              "&city=Omsk&country=Russia&"
                                                              "score=1000000&R7=M&R8=5.7f&R9=#&"
                                                              "R10=#*"),
                                   10000);
    const long long after = balance();
    std::printf("cycle register=%s results=%s record=%s before=%lld after=%lld\n",
                oneWord(reg.body).c_str(), oneWord(results.body).c_str(),
                oneWord(record.body).c_str(), before, after);
    if (before < 0 || reg.body.find("ok") == std::string::npos) return 2;  // no account to test
    return after == before ? 0 : 1;
}

// Free seats of tournament table 1 in /tour/tables, which lists "$t address port free ..."
// rows; -1 when the table is not there.
int freeSeatsOfTableOne(unsigned short port) {
    const Answer a = exchange(port, postOnce("/tour/tables", "readtable310=55&gid=55"), 5000);
    for (std::size_t at = 0; at < a.body.size();) {
        const auto end = a.body.find('*', at);
        const std::string row = a.body.substr(at, end - at);
        if (row.starts_with("$1 ")) {
            std::vector<std::string> f;
            for (std::size_t p = 1; p < row.size();) {
                const auto sp = row.find(' ', p);
                f.push_back(row.substr(p, sp - p));
                if (sp == std::string::npos) break;
                p = sp + 1;
            }
            return f.size() > 3 ? std::atoi(f[3].c_str()) : -1;
        }
        if (end == std::string::npos) break;
        at = end + 1;
    }
    return -1;
}

std::string padded(std::string text, std::size_t length, char seat) {
    text.resize(length, '#');
    text.back() = seat;
    return text;
}

// A player takes seat 1 of table 1, greets the table and leaves while it waits for the others.
int seat(unsigned short port, unsigned short tablePort) {
    const std::string nick = "st" + std::to_string(::getpid() % 100000), pw = "secret1";
    const Answer reg = exchange(port, postOnce("/acc/register", registration(nick, pw)), 10000);
    const Answer take =
        exchange(port,
                 postOnce("/tour/seat", "client3on1=0&gid=55&num=1&can=1&nick1=" + nick +
                                            "&score1=0&kon1=0&rating1=0&country1=Russia&city1=Omsk&"
                                            "sex1=M&ip1=127.0.0.1&pw=" +
                                            pw),
                 10000);
    const int before = freeSeatsOfTableOne(port);
    const int fd = openSocket(tablePort, "", 2000, true);
    bool sent = fd >= 0 && sendAll(fd, padded("connect1", 20, '1'));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    sent = sent && sendAll(fd, padded("disA", 50, '1'));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    if (fd >= 0) ::close(fd);
    // The service has a moment to free the seat.
    bool alive = false;
    int after = -1;
    for (const auto until = Clock::now() + std::chrono::seconds(4); Clock::now() < until;) {
        alive = exchange(port, getOnce("/news.html"), 2000).status == 200;
        after = alive ? freeSeatsOfTableOne(port) : -1;
        if (alive && after == 3) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    std::printf("seat register=%s take=%s free-while-seated=%d sent=%s alive=%s free-after=%d\n",
                oneWord(reg.body).c_str(), oneWord(take.body).c_str(), before, sent ? "yes" : "no",
                alive ? "yes" : "no", after);
    if (take.body.find("ok") == std::string::npos) return 2;  // the seat was never taken
    return alive && after == 3 ? 0 : 1;
}

// Requests that need the database, counted by status, from CLIENTS kept connections.
int dbload(unsigned short port, double seconds, int clients) {
    std::atomic<long> total{0}, ok{0}, s500{0}, s503{0}, other{0}, failed{0};
    const auto stop = Clock::now() + std::chrono::duration<double>(seconds);
    std::vector<std::thread> threads;
    for (int c = 0; c < clients; ++c) {
        threads.emplace_back([&] {
            Connection conn(port, "", 2000);
            std::string reply;
            while (Clock::now() < stop) {
                const int status = conn.request(post("/rec/list"), "gid=55", reply);
                ++total;
                if (status == 200)
                    ++ok;
                else if (status == 500)
                    ++s500;
                else if (status == 503)
                    ++s503;
                else if (status == 0)
                    ++failed;
                else
                    ++other;
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        });
    }
    for (auto& t : threads) t.join();
    std::printf("dbload requests=%ld ok=%ld s500=%ld s503=%ld other=%ld unanswered=%ld\n",
                total.load(), ok.load(), s500.load(), s503.load(), other.load(), failed.load());
    return 0;
}

int waitdb(unsigned short port, double seconds) {
    const auto start = Clock::now();
    const auto stop = start + std::chrono::duration<double>(seconds);
    while (Clock::now() < stop) {
        if (exchange(port, postOnce("/rec/list", "gid=55"), 1000).status == 200) {
            std::printf("waitdb seconds=%.2f\n", millisSince(start) / 1000);
            return 0;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    std::printf("waitdb seconds=none\n");
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> a(argv + 1, argv + argc);
    const auto port = [&](std::size_t i) { return static_cast<unsigned short>(std::stoi(a[i])); };
    try {
        if ((a.size() == 4 || a.size() == 5) && a[0] == "mix")
            return mix(port(1), std::stoi(a[2]), std::stoi(a[3]),
                       a.size() == 5 ? parseTag(a[4]) : 0);
        if (a.size() == 4 && a[0] == "login")
            return login(port(1), std::stoi(a[2]), std::stoi(a[3]));
        if (a.size() == 3 && a[0] == "write") return writes(port(1), a[2], 0, 0);
        if (a.size() == 5 && a[0] == "write")
            return writes(port(1), a[2], std::max(0.1, std::stod(a[3])), parseTag(a[4]));
        if (a.size() == 3 && a[0] == "verify") return verify(port(1), a[2]);
        if (a.size() == 4 && a[0] == "accounts") return accounts(port(1), a[2], std::stoi(a[3]));
        if (a.size() == 6 && a[0] == "transfers")
            return transfers(port(1), std::stod(a[2]), std::stoi(a[3]), a[4], std::stoi(a[5]));
        if (a.size() == 4 && a[0] == "probe")
            return probe(port(1), std::stod(a[2]), std::max(1, std::stoi(a[3])));
        if (a.size() == 6 && a[0] == "idle")
            return idle(port(1), std::stoi(a[2]), std::stoi(a[3]), std::max(1, std::stoi(a[4])),
                        std::stod(a[5]));
        if (a.size() == 5 && a[0] == "passwords")
            return passwords(port(1), std::stod(a[2]), std::stoi(a[3]), a[4]);
        if (a.size() == 7 && a[0] == "slow")
            return slow(port(1), a[2], std::stoi(a[3]), std::stoi(a[4]),
                        std::max(1, std::stoi(a[5])), std::stod(a[6]));
        if (a.size() == 2 && a[0] == "cycle") return cycle(port(1));
        if (a.size() == 3 && a[0] == "seat") return seat(port(1), port(2));
        if (a.size() == 4 && a[0] == "dbload")
            return dbload(port(1), std::stod(a[2]), std::stoi(a[3]));
        if (a.size() == 3 && a[0] == "waitdb") return waitdb(port(1), std::stod(a[2]));
    } catch (const std::exception& e) {
        std::cerr << "orvala-service-load: " << e.what() << "\n";
        return 2;
    }
    std::cerr << "usage: orvala-service-load mix PORT SECONDS CLIENTS [TAG] |"
                 " login PORT SECONDS CLIENTS | write PORT FILE [SECONDS TAG] | verify PORT FILE |"
                 " accounts PORT PREFIX COUNT | transfers PORT SECONDS CLIENTS PREFIX COUNT |"
                 " probe PORT SECONDS RATE |"
                 " idle PORT COUNT FIRST ADDRESSES SECONDS | passwords PORT SECONDS CLIENTS FROM |"
                 " slow PORT PATH CLIENTS FIRST ADDRESSES SECONDS | cycle PORT |"
                 " seat PORT TABLE_PORT | dbload PORT SECONDS CLIENTS | waitdb PORT SECONDS\n";
    return 2;
}
