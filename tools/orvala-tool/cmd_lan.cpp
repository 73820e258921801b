// orvala-tool lan host|join: a LAN table's machine without a window. Each plays its own seat with
// the autopilot and the computer players over real TCP connections, through the same LanPeer the
// game uses, and prints after every deal the three scores in the host's numbering: identical
// lines on every machine mean the machines kept in step.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "commands.h"
#include "core/ai/computer_players.h"
#include "core/game/autopilot.h"
#include "core/lan/lan_peer.h"
#include "core/lan/net_seats.h"

namespace orvala::tool {
namespace {

using lan::LanPeer;
using lan::Send;

// How long a machine waits without a byte or a move of its own before it gives up on the table.
constexpr int kSilenceMs = 30'000;

struct Socket {
    int fd = -1;
    Socket() = default;
    explicit Socket(int f) : fd(f) {}
    Socket(Socket&& o) noexcept : fd(o.fd) { o.fd = -1; }
    Socket& operator=(Socket&& o) noexcept {
        std::swap(fd, o.fd);
        return *this;
    }
    ~Socket() {
        if (fd >= 0) ::close(fd);
    }
};

bool writeAll(int fd, const std::string& bytes) {
    size_t at = 0;
    while (at < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + at, bytes.size() - at, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        at += static_cast<size_t>(n);
    }
    return true;
}

void noDelay(int fd) {
    int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

std::string trimmed(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

// One machine's loop: the sockets, the peer and its autopilot.
class Machine {
  public:
    Machine(lan::Session session, std::uint64_t seed, int deals)
        : random_(seed),
          players_(random_),
          pilot_(players_),
          peer_(std::move(session), pilot_, random_),
          deals_(deals) {}

    LanPeer& peer() { return peer_; }
    std::vector<Socket>& links() { return links_; }

    // Sends what the peer wrote; a link that cannot take it counts as lost.
    void flush() {
        for (const Send& s : peer_.takeOutgoing()) {
            const size_t link = s.to == lan::kToHost ? 0 : static_cast<size_t>(s.to);
            if (link < links_.size() && links_[link].fd >= 0 && !writeAll(links_[link].fd, s.bytes))
                lost(link);
        }
    }

    void lost(size_t link) {
        links_[link] = Socket();
        peer_.connectionLost(peer_.session().role == lan::NetRole::Host ? static_cast<int>(link)
                                                                        : lan::kToHost);
        flush();
    }

    // Reads one ready link; false when it closed.
    bool read(size_t link) {
        char buf[4096];
        const ssize_t n = ::recv(links_[link].fd, buf, sizeof buf, 0);
        if (n < 0 && errno == EINTR) return true;
        if (n <= 0) {
            lost(link);
            return false;
        }
        const int from = peer_.session().role == lan::NetRole::Host ? static_cast<int>(link)
                                                                     : lan::kToHost;
        // A byte at a time, so that every deal scored is seen, even when one read also holds the
        // next deal; the messages are short.
        for (ssize_t i = 0; i < n && !done_; ++i) {
            peer_.receive(from, std::string_view(buf + i, 1));
            flush();
            done_ = report();
        }
        return true;
    }

    // Prints a deal once it is scored; true when this machine is done.
    bool report() {
        if (done_) return true;
        const GameRecord& g = peer_.state().g;
        if (peer_.aborted()) {
            std::cout << "aborted\n" << std::flush;
            std::cerr << "orvala-tool lan: " << peer_.abortReason() << '\n';
            return done_ = true;
        }
        const bool scored =
            g.GameState == GameState::DealScored || g.GameState == GameState::GameOver;
        if (scored && g.DealNumber != lastDeal_) {
            lastDeal_ = g.DealNumber;
            ++reported_;
            std::cout << "deal " << g.DealNumber << " scores";
            const lan::Session& s = peer_.session();
            for (int h = 1; h <= 3; ++h) {
                const int seat = lan::localSeat(s.role, h);
                std::cout << ' ' << trimmed(s.seatNames[static_cast<size_t>(seat)]) << '='
                          << g.Score[static_cast<size_t>(seat)];
            }
            std::cout << '\n' << std::flush;
        }
        // The host stays until the copies it passes on have gone: a joiner's last move may still
        // be on its way to the other joiner.
        if (peer_.awaitingRelay()) return false;
        if (g.GameState == GameState::GameOver) {
            std::cout << "game over\n" << std::flush;
            return done_ = true;
        }
        return done_ = deals_ > 0 && reported_ >= deals_;
    }

    // One move of this machine's own, when it has one.
    bool act() {
        if (!started_ || done_) return false;
        const bool moved = peer_.autoplay(pilot_);
        if (moved) {
            flush();
            report();
        }
        return moved;
    }

    // Waits, up to `ms`, for the other end to close the link.
    void lingerUntilClosed(int ms) {
        if (links_.empty() || links_[0].fd < 0) return;
        pollfd p{links_[0].fd, POLLIN, 0};
        char buf[4096];
        for (int waited = 0; waited < ms; waited += 100) {
            if (::poll(&p, 1, 100) > 0 && ::recv(p.fd, buf, sizeof buf, 0) <= 0) return;
        }
    }

    bool started_ = false;

  private:
    SeededRandom random_;
    ComputerPlayers players_;
    AutoPilot pilot_;
    LanPeer peer_;
    std::vector<Socket> links_;
    int deals_ = 0;
    int lastDeal_ = 0;
    int reported_ = 0;
    bool done_ = false;
};

// Connections that came too late: held open, unanswered, until the program ends.
std::vector<Socket> late_;

// Polls the machine's links (and the host's listener) until it is done; the exit status.
int run(Machine& m, Socket* listener, int players, const RuleSettings& rules,
        const std::string& name) {
    int silentMs = 0;
    for (;;) {
        if (m.report()) {
            if (m.peer().aborted()) return 1;
            // At the game's end a joiner leaves after the host: the last move may still be on
            // its way through the host to the other joiner, and a joiner gone too early would
            // look to the host like a player leaving a running game.
            if (!listener && m.peer().gameOver()) m.lingerUntilClosed(2000);
            return 0;
        }
        // The host starts once the table is full; a joiner at once, its game beginning with its
        // seat.
        if (!m.started_) {
            const lan::Session& s = m.peer().session();
            const bool host = s.role == lan::NetRole::Host;
            if ((!host || s.joinedCount + 2 >= players) &&
                m.peer().startGame(PlayerStart{name}, rules)) {
                m.started_ = true;
                m.flush();
            }
        }
        if (m.act()) {
            silentMs = 0;
            continue;
        }
        std::vector<pollfd> fds;
        for (auto& l : m.links()) fds.push_back({l.fd, POLLIN, 0});
        if (listener) fds.push_back({listener->fd, POLLIN, 0});
        const int ready = ::poll(fds.data(), fds.size(), 200);
        if (ready < 0 && errno != EINTR) return 1;
        if (ready <= 0) {
            silentMs += 200;
            if (silentMs >= kSilenceMs) {
                std::cout << "aborted\n";
                return 1;
            }
            continue;
        }
        silentMs = 0;
        for (size_t i = 0; i < m.links().size(); ++i)
            if (fds[i].fd >= 0 && (fds[i].revents & (POLLIN | POLLHUP | POLLERR))) m.read(i);
        if (listener && (fds.back().revents & POLLIN)) {
            Socket c(::accept(listener->fd, nullptr, nullptr));
            // The table seats two joiners; one that comes later, or after the first deal, is
            // not answered and keeps waiting (its connection closes with this program).
            if (c.fd >= 0 && m.links().size() < 2 && !m.started_) {
                noDelay(c.fd);
                m.links().push_back(std::move(c));
            } else if (c.fd >= 0) {
                late_.push_back(std::move(c));
            }
        }
    }
}

struct LanOptions {
    std::optional<std::string> port, name, seed, players, deals, rules, address;
};

std::string required(const std::optional<std::string>& v, const char* what) {
    if (!v || v->empty()) throw UsageError(std::string(what) + " is required");
    return *v;
}

std::uint64_t seedOf(const std::optional<std::string>& v) {
    return v ? static_cast<std::uint64_t>(parseInt(*v, "--seed", 0, 2'000'000'000)) : 1;
}

int host(const LanOptions& o) {
    if (o.address) throw UsageError("--address belongs to lan join");
    // Port 0 takes a free one and says which on stderr, for scripts.
    const int port = parseInt(required(o.port, "--port"), "--port", 0, 65535);
    const std::string name = required(o.name, "--name");
    const int players = parseInt(o.players.value_or("3"), "--players", 2, 3);
    const int deals = parseInt(o.deals.value_or("0"), "--deals", 0, 100000);
    const RuleSettings rules = parseRulesArg(o.rules.value_or("011111"));

    Socket listener(::socket(AF_INET, SOCK_STREAM, 0));
    int on = 1;
    ::setsockopt(listener.fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_ANY);
    addr.sin_port = htons(static_cast<uint16_t>(port));
    if (::bind(listener.fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(listener.fd, 4) != 0) {
        std::cerr << "orvala-tool lan host: cannot listen on port " << port << '\n';
        return 2;
    }
    socklen_t len = sizeof addr;
    ::getsockname(listener.fd, reinterpret_cast<sockaddr*>(&addr), &len);
    std::cerr << "listening on port " << ntohs(addr.sin_port) << std::endl;
    Machine m(lan::hostListening(name), seedOf(o.seed), deals);
    return run(m, &listener, players, rules, name);
}

int join(const LanOptions& o) {
    if (o.players || o.rules) throw UsageError("--players and --rules belong to lan host");
    const std::string address = required(o.address, "--address");
    const int port = parseInt(required(o.port, "--port"), "--port", 1, 65535);
    const std::string name = required(o.name, "--name");
    const int deals = parseInt(o.deals.value_or("0"), "--deals", 0, 100000);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(port));
    if (::inet_pton(AF_INET, address.c_str(), &addr.sin_addr) != 1)
        throw UsageError("--address must be an IPv4 address");

    Machine m(lan::joinerConnecting(name), seedOf(o.seed), deals);
    Socket s(::socket(AF_INET, SOCK_STREAM, 0));
    if (::connect(s.fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        std::cout << "aborted\n";
        return 1;
    }
    noDelay(s.fd);
    m.links().push_back(std::move(s));
    m.peer().connected();
    m.flush();
    return run(m, nullptr, 3, RuleSettings{}, name);
}

}  // namespace

int runLan(Args& args) {
    LanOptions o;
    o.port = args.value("port");
    o.name = args.value("name");
    o.seed = args.value("seed");
    o.players = args.value("players");
    o.deals = args.value("deals");
    o.rules = args.value("rules");
    o.address = args.value("address");
    const auto words = args.positional();
    args.finish();
    if (words.size() != 1 || (words[0] != "host" && words[0] != "join"))
        throw UsageError("lan takes host or join");
    return words[0] == "host" ? host(o) : join(o);
}

}  // namespace orvala::tool
