// orvala-tool tourney: a tournament player without a window. It logs into its account, takes its
// seat in the lobby through the service's web operations, connects to the table's game server
// and plays its seat with the autopilot and the computer players, through the same tournament
// core the game uses. After every deal it prints the three scores by tournament seat, so three
// players of one table print the same lines when they kept in step; then "game over",
// "aborted" or "timed out".
//
// Options make a player misbehave, for the tests and the soak: --leave-after D says it leaves
// ("disA") and closes the connection once D deals are scored, --stall-after D stops moving then,
// --cheat-after D then sends a card it may not play, and --drop-after D closes the connection
// without a word once deal D is scored and connects again after --reconnect-ms T (500 unless
// given), to be sent the game as it stands and play on ("seat NICK back"). The others print
// "seat NICK away" and "seat NICK back" as the server tells them.

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <memory>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "commands.h"
#include "core/ai/computer_players.h"
#include "core/game/autopilot.h"
#include "core/lan/step_message.h"
#include "core/online/operations.h"
#include "core/online/reply_readers.h"
#include "core/online/service_addresses.h"
#include "core/online/tourney_lobby.h"
#include "core/text/cp1251.h"
#include "core/tourney/tourney_peer.h"

namespace orvala::tool {
namespace {

using tourney::Ending;
using tourney::TourneyPeer;

// How long a player waits without a byte or a move of its own before it gives up.
constexpr int kSilenceMs = 60'000;
// How long a player that reached the game's end waits for the server to say so.
constexpr int kEndWaitMs = 10'000;

struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
    void close() {
        if (fd >= 0) ::close(fd);
        fd = -1;
    }
};

bool writeAll(int fd, const std::string& bytes) {
    std::size_t at = 0;
    while (at < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + at, bytes.size() - at, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        at += static_cast<std::size_t>(n);
    }
    return true;
}

// A TCP connection to host:port (IPv4), or -1.
int connectTo(const std::string& host, int port) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) return -1;
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd >= 0 && ::connect(fd, found->ai_addr, found->ai_addrlen) != 0) {
        ::close(fd);
        fd = -1;
    }
    ::freeaddrinfo(found);
    if (fd >= 0) {
        int on = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    }
    return fd;
}

struct Service {
    std::string host;
    int port = 80;
};

Service parseService(const std::string& url) {
    const std::string scheme = "http://";
    if (!url.starts_with(scheme)) throw UsageError("--service takes http://HOST:PORT");
    std::string rest = url.substr(scheme.size());
    rest = rest.substr(0, rest.find('/'));
    Service s;
    const auto colon = rest.rfind(':');
    s.host = rest.substr(0, colon);
    if (colon != std::string::npos) s.port = parseInt(rest.substr(colon + 1), "the port", 1, 65535);
    if (s.host.empty()) throw UsageError("--service takes http://HOST:PORT");
    return s;
}

// One POST with its own connection; the reply's body, or nullopt when no 200 came.
std::optional<std::string> post(const Service& service, const std::string& path,
                                const std::string& body) {
    Fd c{connectTo(service.host, service.port)};
    if (c.fd < 0) return std::nullopt;
    timeval limit{10, 0};
    ::setsockopt(c.fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    const std::string request = "POST " + path + " HTTP/1.1\r\nHost: " + service.host +
                                "\r\nUser-Agent: ZorSpecAccess\r\nContent-Type: "
                                "application/x-www-form-urlencoded\r\nContent-Length: " +
                                std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" +
                                body;
    if (!writeAll(c.fd, request)) return std::nullopt;
    std::string reply;
    char buf[4096];
    for (;;) {
        const ssize_t n = ::recv(c.fd, buf, sizeof buf, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        reply.append(buf, static_cast<std::size_t>(n));
    }
    const auto head = reply.find("\r\n\r\n");
    if (!reply.starts_with("HTTP/1.1 200") || head == std::string::npos) return std::nullopt;
    return reply.substr(head + 4);
}

std::optional<std::string> post(const Service& service, const online::Request& r) {
    return post(service, online::addressesAt("").of(r.address) + r.path, r.body());
}

struct TourneyOptions {
    Service service;
    std::string nick, password;
    int table = 1, seat = 1;
    std::uint64_t seed = 1;
    std::optional<int> leaveAfter, stallAfter, cheatAfter, dropAfter;
    int reconnectMs = 500;
};

// The seat taken through the lobby's operations: the account read (which checks the password),
// the tournament rating, the seat. Seats fill in order, so a seat whose predecessor is still
// free is tried again for a while. Empty on success, else what to print.
std::string takeSeat(const TourneyOptions& o) {
    const auto account = post(o.service, online::readAccountRequest(o.nick, o.password));
    if (!account) return "No Connect";
    const auto a = online::readAccountReply(*account, o.nick, o.password);
    if (!a) return "refused";
    const auto rating = post(o.service, online::tourneyRatingRequest(o.nick));
    const auto r = rating ? online::readTourneyRating(*rating) : std::nullopt;
    online::TourneyClient me;
    me.Nick = o.nick;
    if (r) {
        me.Score = r->Score;
        me.Kon = r->Kon;
        me.Rating = r->Rating;
    }
    me.Country = a->Country1;
    me.City = a->City;
    me.Sex = a->Sex;
    me.IP = o.service.host;
    const online::Request take =
        online::seatRequest(o.table, o.seat, online::SeatCan::Take, me, o.password);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto reply = post(o.service, take);
        if (!reply) return "No Connect";
        const auto result = online::readSeatReply(*reply);
        if (result == online::SeatResult::Done) return {};
        if (result == online::SeatResult::Taken) return "seat taken";
        ::usleep(100'000);
    }
    return "seat refused";
}

// The game server's address and port of the table, from the lobby's table list.
std::optional<Service> tableServer(const TourneyOptions& o) {
    const auto reply = post(o.service, online::tourneyTablesRequest());
    const auto tables = reply ? online::readTourneyTables(*reply) : std::nullopt;
    if (!tables) return std::nullopt;
    const online::TourneyTable& t = (*tables)[static_cast<std::size_t>(o.table - 1)];
    if (t.Port < 1 || t.Port > 65535) return std::nullopt;
    return Service{t.IP, static_cast<int>(t.Port)};
}

std::array<std::string, 4> seatNicks(const TourneyOptions& o) {
    std::array<std::string, 4> nicks{"", "seat1", "seat2", "seat3"};
    for (int s = 1; s <= 3; ++s) {
        const auto reply = post(o.service, online::readSeatRequest(o.table, s));
        const auto r = reply ? online::readSeat(*reply) : std::nullopt;
        if (r && !r->free()) nicks[static_cast<std::size_t>(s)] = r->Nick;
    }
    return nicks;
}

std::int64_t nowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

class Player {
  public:
    Player(const TourneyOptions& o, int fd)
        : o_(o),
          fd_(fd),
          random_(o.seed),
          players_(random_),
          pilot_(players_),
          peer_(std::make_unique<TourneyPeer>(o.table, o.seat, pilot_, PlayerStart{o.nick})) {}

    int run() {
        peer_->connected();
        flush();
        int silentMs = 0, endWaitMs = 0;
        for (;;) {
            if (dropped_) {
                if (nowMs() < reconnectAt_) {
                    ::usleep(20'000);
                    continue;
                }
                if (!reconnect()) return say("No Connect", 1);
            }
            if (const auto status = finished(endWaitMs)) return *status;
            if (act()) {
                silentMs = 0;
                continue;
            }
            pollfd p{fd_, POLLIN, 0};
            const int ready = ::poll(&p, 1, 100);
            if (ready < 0 && errno != EINTR) return 1;
            if (peer_->ending() == Ending::GameOver) endWaitMs += 100;
            if (ready <= 0) {
                if ((silentMs += 100) >= kSilenceMs) return say("aborted", 1);
                continue;
            }
            silentMs = 0;
            char buf[4096];
            const ssize_t n = ::recv(fd_, buf, sizeof buf, 0);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                peer_->connectionLost();
                continue;
            }
            // A byte at a time, so that every deal scored is printed before the next deal.
            for (ssize_t i = 0; i < n; ++i) {
                peer_->receive(std::string_view(buf + i, 1));
                flush();
                report();
            }
        }
    }

  private:
    // A new connection to the table's game server, and a new tournament core that the server's
    // resume brings back to the game as it stands.
    bool reconnect() {
        const auto server = tableServer(o_);
        const int fd = server ? connectTo(server->host, server->port) : -1;
        if (fd < 0) return false;
        fd_ = fd;  // the dropped one stays with its owner, shut down
        peer_ = std::make_unique<TourneyPeer>(o_.table, o_.seat, pilot_, PlayerStart{o_.nick});
        chatSeen_ = 0;
        peer_->setNames(nicks_);
        peer_->connected();
        flush();
        dropped_ = false;
        std::cout << "seat " << cp1251ToUtf8(nicks_[static_cast<std::size_t>(o_.seat)])
                  << " back\n" << std::flush;
        return true;
    }

    int say(const char* what, int status) {
        std::cout << what << '\n' << std::flush;
        if (peer_->ending() != Ending::None && peer_->ending() != Ending::GameOver)
            std::cerr << "orvala-tool tourney: " << peer_->endReason() << " (deal "
                      << peer_->state().g.DealNumber << ", state "
                      << stateNumber(peer_->state().g.GameState) << ")\n";
        return status;
    }

    // The exit status once this player is done.
    std::optional<int> finished(int endWaitMs) {
        report();
        if (left_) return say("left", 0);
        switch (peer_->ending()) {
            case Ending::None:
                return std::nullopt;
            case Ending::Aborted:
                return say("aborted", 1);
            case Ending::TimedOut:
                return say("timed out", 1);
            case Ending::GameOver:
                // Leaving before every seat has the last move would look like leaving a game.
                if (!peer_->serverEnded() && endWaitMs < kEndWaitMs) return std::nullopt;
                if (const std::string r = peer_->resultFrame(); !r.empty()) writeAll(fd_, r);
                return say("game over", 0);
        }
        return std::nullopt;
    }

    void report() {
        // The server tells the others of a seat that dropped and of its return.
        const auto& lines = peer_->chatLines();
        for (; chatSeen_ < lines.size(); ++chatSeen_)
            if (lines[chatSeen_].kind != lan::ChatLine::Kind::Said)
                std::cout << "seat " << cp1251ToUtf8(lines[chatSeen_].text)
                          << (lines[chatSeen_].kind == lan::ChatLine::Kind::Back ? " back\n"
                                                                                 : " away\n")
                          << std::flush;
        const GameRecord& g = peer_->state().g;
        if (!named_ && g.GameRunning) {
            // Every seat is taken once the first deal has come.
            nicks_ = seatNicks(o_);
            peer_->setNames(nicks_);
            named_ = true;
        }
        // "Next Round" counts the next deal at once; it is not scored before it has come.
        const bool scored = !peer_->state().pending && (g.GameState == GameState::DealScored ||
                                                       g.GameState == GameState::GameOver);
        if (!scored || g.DealNumber == lastDeal_) return;
        lastDeal_ = g.DealNumber;
        ++scoredDeals_;
        std::cout << "deal " << g.DealNumber << " scores";
        for (int t = 1; t <= 3; ++t)
            std::cout << ' ' << cp1251ToUtf8(nicks_[static_cast<std::size_t>(t)]) << '='
                      << g.Score[static_cast<std::size_t>(
                             lan::localSeat(tourney::roleOfSeat(o_.seat), t))];
        std::cout << '\n' << std::flush;
        if (o_.leaveAfter && scoredDeals_ >= *o_.leaveAfter && !peer_->gameOver()) {
            peer_->leave();  // "disA": a player who leaves says so
            flush();
            ::shutdown(fd_, SHUT_RDWR);
            left_ = true;
        }
        // A dropped link says nothing; the player connects again after a while.
        if (o_.dropAfter && scoredDeals_ == *o_.dropAfter && !dropped_ && !peer_->gameOver()) {
            ::shutdown(fd_, SHUT_RDWR);
            dropped_ = true;
            reconnectAt_ = nowMs() + o_.reconnectMs;
        }
    }

    bool act() {
        if (left_ || cheated_ || (o_.stallAfter && scoredDeals_ >= *o_.stallAfter)) return false;
        if (o_.cheatAfter && scoredDeals_ >= *o_.cheatAfter && cheat()) return true;
        if (!peer_->autoplay(pilot_)) return false;
        flush();
        report();
        return true;
    }

    // Sends a card this seat may not play, to the seat that sees it as its seat 1.
    bool cheat() {
        const RulesState& s = peer_->state();
        if (s.g.GameState != GameState::PersonPlays || peer_->ending() != Ending::None) return false;
        int slot = s.g.HandCount[3] + 1;
        for (int k = 1; k <= s.g.HandCount[3]; ++k)
            if (!canPlaySlot(s, k)) slot = k;
        const int to = o_.seat == 1 ? 3 : o_.seat - 1;
        const std::string m =
            lan::stepMessage(o_.seat, lan::cardBody(1, lan::SeatField{}, slot, lan::CardHandOff{}),
                             static_cast<char>('0' + to));
        writeAll(fd_, tourney::longFrame(m, o_.seat));
        cheated_ = true;
        return true;
    }

    void flush() {
        for (const std::string& f : peer_->takeOutgoing())
            if (!writeAll(fd_, f)) peer_->connectionLost();
    }

    const TourneyOptions& o_;
    int fd_;
    SeededRandom random_;
    ComputerPlayers players_;
    AutoPilot pilot_;
    std::unique_ptr<TourneyPeer> peer_;
    bool dropped_ = false;
    std::int64_t reconnectAt_ = 0;
    std::array<std::string, 4> nicks_{"", "seat1", "seat2", "seat3"};
    bool named_ = false;
    int lastDeal_ = 0;
    int scoredDeals_ = 0;
    std::size_t chatSeen_ = 0;
    bool left_ = false;
    bool cheated_ = false;
};

std::string required(const std::optional<std::string>& v, const char* what) {
    if (!v || v->empty()) throw UsageError(std::string(what) + " is required");
    return *v;
}

std::optional<int> dealsOption(const std::optional<std::string>& v, const char* what) {
    if (!v) return std::nullopt;
    return parseInt(*v, what, 0, 100000);
}

}  // namespace

int runTourney(Args& args) {
    TourneyOptions o;
    o.service = parseService(required(args.value("service"), "--service"));
    o.nick = utf8ToCp1251(required(args.value("nick"), "--nick"));
    o.password = utf8ToCp1251(required(args.value("password"), "--password"));
    o.table = parseInt(required(args.value("table"), "--table"), "--table", 1, tourney::kTables);
    o.seat = parseInt(required(args.value("seat"), "--seat"), "--seat", 1, 3);
    if (const auto seed = args.value("seed"))
        o.seed = static_cast<std::uint64_t>(parseInt(*seed, "--seed", 0, 2'000'000'000));
    o.leaveAfter = dealsOption(args.value("leave-after"), "--leave-after");
    o.stallAfter = dealsOption(args.value("stall-after"), "--stall-after");
    o.cheatAfter = dealsOption(args.value("cheat-after"), "--cheat-after");
    o.dropAfter = dealsOption(args.value("drop-after"), "--drop-after");
    if (const auto ms = args.value("reconnect-ms"))
        o.reconnectMs = parseInt(*ms, "--reconnect-ms", 0, 600'000);
    args.finish();

    if (const std::string e = takeSeat(o); !e.empty()) {
        std::cout << e << '\n';
        return 1;
    }
    const auto server = tableServer(o);
    Fd c{server ? connectTo(server->host, server->port) : -1};
    if (c.fd < 0) {
        std::cout << "No Connect\n";
        return 1;
    }
    return Player(o, c.fd).run();
}

}  // namespace orvala::tool
