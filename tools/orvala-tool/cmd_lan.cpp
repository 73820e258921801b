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
#include <chrono>
#include <memory>
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

std::int64_t nowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// How long a host's connection may say nothing before it is closed.
constexpr std::int64_t kUnheardMs = 10'000;

// A joiner that leaves its table and, maybe, comes back.
struct Leaving {
    int afterDeal = 0;   // leaves during the deal after this one, once its auction is over
    int rejoinAfter = 0;  // comes back once the others have scored this deal (0: never)
};

// One link: the host's connections, each with the number the peer knows it by; a joiner's one.
struct Link {
    Socket socket;
    int number = lan::kToHost;
    std::int64_t acceptedMs = 0;
    bool heard = false;
};

std::optional<sockaddr_in> addressOf(const std::string& address, int port) {
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(port));
    if (::inet_pton(AF_INET, address.c_str(), &addr.sin_addr) != 1) return std::nullopt;
    return addr;
}

// One machine's loop: the sockets, the peer and its autopilot.
class Machine {
  public:
    Machine(lan::Session session, std::uint64_t seed, int deals)
        : random_(seed),
          players_(random_),
          pilot_(players_),
          peer_(std::make_unique<LanPeer>(std::move(session), pilot_, random_)),
          deals_(deals) {}

    LanPeer& peer() { return *peer_; }
    std::vector<Link>& links() { return links_; }

    // Sends what the peer wrote; a link that cannot take it counts as lost. Closes what the
    // host's peer lets go.
    void flush() {
        for (const Send& s : peer_->takeOutgoing()) {
            Link* l = linkOf(s.to);
            if (l && l->socket.fd >= 0 && !writeAll(l->socket.fd, s.bytes)) lost(*l);
        }
        for (int number : peer_->takeClosing())
            if (Link* l = linkOf(number)) l->socket = Socket();
        for (const LanPeer::SeatChange& c : peer_->takeSeatChanges()) {
            const lan::Session& s = peer_->session();
            const int seat = lan::localSeat(s.role, lan::hostSeatOf(c.machine));
            std::cout << "seat " << trimmed(s.seatNames[static_cast<size_t>(seat)])
                      << (c.computer ? " computer\n" : " back\n")
                      << std::flush;
        }
        std::erase_if(links_, [](const Link& l) { return l.socket.fd < 0; });
    }

    void lost(Link& l) {
        l.socket = Socket();
        peer_->connectionLost(l.number);
        flush();
    }

    // A host's connection that said nothing in time, and holds no seat, is closed.
    void closeUnheard(std::int64_t now) {
        std::vector<int> unheard;
        for (const Link& l : links_)
            if (!l.heard && l.number != lan::kToHost && now - l.acceptedMs >= kUnheardMs &&
                !peer_->holdsSeat(l.number))
                unheard.push_back(l.number);
        for (int number : unheard)
            if (Link* l = linkOf(number)) lost(*l);
    }

    // Reads one ready link; false when it closed.
    bool read(Link& l) {
        char buf[4096];
        const ssize_t n = ::recv(l.socket.fd, buf, sizeof buf, 0);
        if (n < 0 && errno == EINTR) return true;
        if (n <= 0) {
            lost(l);
            return false;
        }
        l.heard = true;
        const int from = l.number;
        // A byte at a time, so that every deal scored is seen, even when one read also holds the
        // next deal; the messages are short.
        for (ssize_t i = 0; i < n && !done_; ++i) {
            peer_->receive(from, std::string_view(buf + i, 1));
            flush();
            done_ = report();
        }
        return true;
    }

    // Prints a deal once it is scored; true when this machine is done.
    bool report() {
        if (done_) return true;
        const GameRecord& g = peer_->state().g;
        if (peer_->aborted()) {
            std::cout << "aborted\n" << std::flush;
            std::cerr << "orvala-tool lan: " << peer_->abortReason() << '\n';
            return done_ = true;
        }
        if (probing_) return false;  // a returning machine prints nothing before it stays
        const bool scored =
            g.GameState == GameState::DealScored || g.GameState == GameState::GameOver;
        if (scored && g.DealNumber != lastDeal_) {
            lastDeal_ = g.DealNumber;
            ++reported_;
            std::cout << "deal " << g.DealNumber << " scores";
            const lan::Session& s = peer_->session();
            for (int h = 1; h <= 3; ++h) {
                const int seat = lan::localSeat(s.role, h);
                std::cout << ' ' << trimmed(s.seatNames[static_cast<size_t>(seat)]) << '='
                          << g.Score[static_cast<size_t>(seat)];
            }
            std::cout << '\n' << std::flush;
        }
        // The host stays until the copies it passes on have gone: a joiner's last move may still
        // be on its way to the other joiner.
        if (peer_->awaitingRelay()) return false;
        if (g.GameState == GameState::GameOver) {
            std::cout << "game over\n" << std::flush;
            return done_ = true;
        }
        return done_ = deals_ > 0 && reported_ >= deals_;
    }

    // One move of this machine's own, when it has one.
    bool act() {
        if (!started_ || done_ || probing_ || away_) return false;
        const bool moved = peer_->autoplay(pilot_);
        if (moved) {
            flush();
            report();
        }
        return moved;
    }

    // Waits, up to `ms`, for the other end to close the link.
    void lingerUntilClosed(int ms) {
        if (links_.empty() || links_[0].socket.fd < 0) return;
        pollfd p{links_[0].socket.fd, POLLIN, 0};
        char buf[4096];
        for (int waited = 0; waited < ms; waited += 100) {
            if (::poll(&p, 1, 100) > 0 && ::recv(p.fd, buf, sizeof buf, 0) <= 0) return;
        }
    }

    // A joiner that is to leave does so once the deal after `afterDeal` is past its auction.
    void leaveIfDue(std::int64_t now) {
        if (!leaving_ || away_ || probing_ || peer_->state().g.GameState == GameState::GameOver)
            return;
        const RulesState& st = peer_->state();
        const GameRecord& g = st.g;
        const bool dealt = g.GameRunning && g.GameState != GameState::NotStarted &&
                           !(st.pending && st.pending->kind == Question::Kind::Deck);
        if (!dealt || g.DealNumber != leaving_->afterDeal + 1 || seatToBid(g.GameState) != 0 ||
            g.DealStartPending == 1)
            return;
        links_.clear();  // the link drops without a word
        away_ = true;
        if (leaving_->rejoinAfter == 0) {
            done_ = true;
            return;
        }
        nextProbeMs_ = now + 200;
    }

    // Away: connects again when it is time; back at the table: stays once the others have scored
    // the deal it waits for, else goes again and tries later.
    void probe(std::int64_t now) {
        if (!away_ && !probing_) return;
        if (probing_) {
            const GameRecord& g = peer_->state().g;
            if (peer_->resumed()) {
                const int m = leaving_->rejoinAfter;
                const bool scored = g.GameState == GameState::DealScored ||
                                    g.GameState == GameState::GameOver;
                if (g.DealNumber > m || (g.DealNumber == m && scored)) {
                    probing_ = false;
                    leaving_.reset();
                    // The deal it came back in is printed once scored, like any other.
                    lastDeal_ = scored ? 0 : g.DealNumber - 1;
                    report();
                    return;
                }
            } else if (now - probeStartMs_ < 5000 && !links_.empty()) {
                return;  // the resume is still to come
            }
            links_.clear();
            probing_ = false;
            away_ = true;
            nextProbeMs_ = now + 300;
            return;
        }
        if (now < nextProbeMs_) return;
        nextProbeMs_ = now + 300;
        Socket s(::socket(AF_INET, SOCK_STREAM, 0));
        if (::connect(s.fd, reinterpret_cast<const sockaddr*>(&host_), sizeof host_) != 0) {
            // Nobody listens any more: the game ended without this machine.
            if (++refused_ >= 10) done_ = true;
            return;
        }
        refused_ = 0;
        noDelay(s.fd);
        peer_ = std::make_unique<LanPeer>(lan::joinerConnecting(name_), pilot_, random_);
        links_.push_back(Link{std::move(s), lan::kToHost, now, true});
        peer_->connected();
        peer_->startGame(PlayerStart{name_});
        flush();
        away_ = false;
        probing_ = true;
        probeStartMs_ = now;
    }

    void leaveAt(const Leaving& l, const sockaddr_in& host, const std::string& name) {
        leaving_ = l;
        host_ = host;
        name_ = name;
    }
    bool away() const { return away_ || probing_; }

    bool started_ = false;

  private:
    Link* linkOf(int number) {
        for (Link& l : links_)
            if (l.number == number || (number == lan::kToHost && l.number == lan::kToHost))
                return &l;
        return nullptr;
    }

    SeededRandom random_;
    ComputerPlayers players_;
    AutoPilot pilot_;
    std::unique_ptr<LanPeer> peer_;
    std::vector<Link> links_;
    int deals_ = 0;
    int lastDeal_ = 0;
    int reported_ = 0;
    bool done_ = false;
    std::optional<Leaving> leaving_;
    sockaddr_in host_{};
    std::string name_;
    bool away_ = false;
    bool probing_ = false;
    int refused_ = 0;
    std::int64_t nextProbeMs_ = 0;
    std::int64_t probeStartMs_ = 0;
};

// Polls the machine's links (and the host's listener) until it is done; the exit status.
int run(Machine& m, Socket* listener, int players, const RuleSettings& rules,
        const std::string& name) {
    int silentMs = 0;
    int nextNumber = 0;
    for (;;) {
        const std::int64_t now = nowMs();
        if (!listener) {
            m.leaveIfDue(now);
            m.probe(now);
        } else {
            m.closeUnheard(now);
        }
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
        for (auto& l : m.links()) fds.push_back({l.socket.fd, POLLIN, 0});
        if (listener) fds.push_back({listener->fd, POLLIN, 0});
        const int ready = ::poll(fds.data(), fds.size(), m.away() ? 50 : 200);
        if (ready < 0 && errno != EINTR) return 1;
        if (ready <= 0) {
            silentMs += m.away() ? 0 : 200;
            if (silentMs >= kSilenceMs) {
                std::cout << "aborted\n";
                return 1;
            }
            continue;
        }
        silentMs = 0;
        // Reading may close links: the ready ones are found by descriptor.
        std::vector<int> readyFds;
        for (size_t i = 0; i < m.links().size(); ++i)
            if (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) readyFds.push_back(fds[i].fd);
        for (int fd : readyFds)
            for (Link& l : m.links())
                if (l.socket.fd == fd) {
                    m.read(l);
                    break;
                }
        m.flush();
        if (listener && (fds.back().revents & POLLIN)) {
            Socket c(::accept(listener->fd, nullptr, nullptr));
            // Every connection is taken and numbered; the peer seats one only when its join
            // request is answered, so a third joiner, or one after the deal, keeps waiting
            // unanswered, and a lost seat's person can come back.
            if (c.fd >= 0) {
                noDelay(c.fd);
                m.links().push_back(Link{std::move(c), nextNumber++, now, false});
            }
        }
    }
}

struct LanOptions {
    std::optional<std::string> port, name, seed, players, deals, rules, address, leaveAfter,
        rejoinAfter;
};

std::string required(const std::optional<std::string>& v, const char* what) {
    if (!v || v->empty()) throw UsageError(std::string(what) + " is required");
    return *v;
}

std::uint64_t seedOf(const std::optional<std::string>& v) {
    return v ? static_cast<std::uint64_t>(parseInt(*v, "--seed", 0, 2'000'000'000)) : 1;
}

int host(const LanOptions& o) {
    if (o.address || o.leaveAfter || o.rejoinAfter)
        throw UsageError("--address, --leave-after-deal and --rejoin-after-deal belong to lan join");
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
    const auto addr = addressOf(address, port);
    if (!addr) throw UsageError("--address must be an IPv4 address");
    if (o.rejoinAfter && !o.leaveAfter)
        throw UsageError("--rejoin-after-deal needs --leave-after-deal");
    Machine m(lan::joinerConnecting(name), seedOf(o.seed), deals);
    if (o.leaveAfter) {
        Leaving l;
        l.afterDeal = parseInt(*o.leaveAfter, "--leave-after-deal", 0, 100000);
        if (o.rejoinAfter)
            l.rejoinAfter =
                parseInt(*o.rejoinAfter, "--rejoin-after-deal", l.afterDeal + 1, 100000);
        m.leaveAt(l, *addr, name);
    }
    Socket s(::socket(AF_INET, SOCK_STREAM, 0));
    if (::connect(s.fd, reinterpret_cast<const sockaddr*>(&*addr), sizeof *addr) != 0) {
        std::cout << "aborted\n";
        return 1;
    }
    noDelay(s.fd);
    m.links().push_back(Link{std::move(s), lan::kToHost, nowMs(), true});
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
    o.leaveAfter = args.value("leave-after-deal");
    o.rejoinAfter = args.value("rejoin-after-deal");
    const auto words = args.positional();
    args.finish();
    if (words.size() != 1 || (words[0] != "host" && words[0] != "join"))
        throw UsageError("lan takes host or join");
    return words[0] == "host" ? host(o) : join(o);
}

}  // namespace orvala::tool
