// Fuzz target of the tournament's game server: one table's socketless host and its referee,
// driven by three players and a stranger through a lobby in memory. The input is a list of
// operations: lobby seat takes and releases, connections, greetings right and wrong, frames of
// every kind with right and wrong seat digits, frames the players sent earlier sent again out of
// order, garbage, closes, clients that stop reading, time on a virtual clock, and "let the
// players' autopilots play N rounds", which takes a table deep into a game. The first byte
// picks the table.
//
// After every operation: a seat is held by at most one connection, and by one exactly while its
// game runs; a running game's every seat view is one the rules accept, all in the same deal; an
// ended game was recorded at most once, exactly once when it has results, and its results sum
// to zero; its players' lobby seats are free; the table's connections stay within their limits.
// A broken property aborts. The steps (events handed to the host) are counted and printed at exit.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/game/game_record.h"
#include "core/game/random_players.h"
#include "core/lan/step_message.h"
#include "core/tourney/frames.h"
#include "core/tourney/tourney_peer.h"
#include "tourney/table_host.h"

namespace {

using namespace orvala;
using service::TableHost;
using service::TableReferee;

std::uint64_t steps = 0;
std::uint64_t runs = 0;
bool reporting = false;

void report() {
    std::fprintf(stderr, "tourney server fuzz: %llu runs, %llu steps\n",
                 static_cast<unsigned long long>(runs), static_cast<unsigned long long>(steps));
}

void require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "game server property broken: %s\n", what);
        std::abort();
    }
}

class OpReader {
  public:
    OpReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return at_ >= size_; }
    int byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::string bytes(std::size_t n) {
        std::string out;
        while (n-- > 0 && at_ < size_) out.push_back(static_cast<char>(data_[at_++]));
        return out;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

struct LobbyRow {
    std::string nick, address;
};

struct Player {
    Player(int table, int seat, std::uint64_t seed)
        : random(seed),
          players(random),
          pilot(players),
          peer(table, seat, players, PlayerStart{"Fuzz"}) {
        peer.connected();
        peer.takeOutgoing();
    }
    SeededRandom random;
    RandomPlayers players;
    AutoPilot pilot;
    tourney::TourneyPeer peer;
};

struct Slot {
    TableHost::Id id = 0;
    int player = 0;     // 1..3, 4 a stranger
    bool deaf = false;  // its client reads nothing
    std::deque<std::string> unread;
    std::size_t unreadBytes = 0;
    std::unique_ptr<Player> peer;
};

class Harness {
  public:
    static constexpr int kSlots = 8;

    explicit Harness(int table) : host_(table, 17, options(), callbacks()) {}

    static service::TableHostOptions options() {
        service::TableHostOptions o;
        o.moveMs = 30'000;
        o.lingerMs = 10'000;
        o.helloMs = 30'000;
        o.maxQueuedBytes = 4096;
        o.maxPerAddress = 3;
        o.maxConnections = 6;
        return o;
    }

    void run(OpReader& in) {
        for (int ops = 0; ops < 4000 && !in.empty(); ++ops) {
            const int op = in.byte();
            switch (op % 12) {
                case 0: {  // the lobby gives a seat to a player
                    const int p = 1 + in.byte() % 4, s = 1 + in.byte() % 3;
                    if (!lobby_.count(s)) lobby_[s] = {nick(p), address(p)};
                    break;
                }
                case 1:  // the lobby frees a seat
                    lobby_.erase(1 + in.byte() % 3);
                    break;
                case 2: {  // a player connects
                    Slot& c = slot(in.byte());
                    if (c.id != 0) break;
                    const int p = 1 + in.byte() % 4;
                    const TableHost::Id id = nextId_++;
                    ++steps;
                    if (host_.accept(id, address(p), now_)) {
                        c = Slot{};
                        c.id = id;
                        c.player = p;
                    }
                    settle();
                    break;
                }
                case 3: {  // a greeting for a seat, with a player behind it
                    Slot& c = slot(in.byte());
                    const int s = 1 + in.byte() % 3;
                    if (c.id == 0) break;
                    c.peer = std::make_unique<Player>(host_.table(), s,
                                                      nextId_ * 31 + static_cast<unsigned>(s));
                    send(c, tourney::shortFrame("connect" + std::to_string(s), s));
                    break;
                }
                case 4: {  // a frame of some kind, its seat digit right or wrong
                    Slot& c = slot(in.byte());
                    const int kind = in.byte();
                    const int s = 1 + in.byte() % 3;
                    if (c.id != 0) send(c, frame(kind, s, in));
                    break;
                }
                case 5: {  // raw bytes
                    Slot& c = slot(in.byte());
                    const std::string b = in.bytes(static_cast<std::size_t>(in.byte() % 64));
                    if (c.id != 0) send(c, b);
                    break;
                }
                case 6: {  // a frame a player sent before, again
                    Slot& c = slot(in.byte());
                    const int k = in.byte();
                    if (c.id != 0 && !sentBefore_.empty())
                        send(c, sentBefore_[static_cast<std::size_t>(k) % sentBefore_.size()]);
                    break;
                }
                case 7: {  // the connection closes
                    Slot& c = slot(in.byte());
                    if (c.id == 0) break;
                    ++steps;
                    host_.closed(c.id, now_);
                    c = Slot{};
                    settle();
                    break;
                }
                case 8: {  // time passes
                    now_ += static_cast<std::int64_t>(in.byte()) * 500;
                    tick();
                    break;
                }
                case 9:  // the next thing the clock does
                    if (const auto at = host_.deadline()) now_ = std::max(now_, *at);
                    tick();
                    break;
                case 10:  // a client stops reading, or reads again
                    if (Slot& c = slot(in.byte()); c.id != 0) c.deaf = !c.deaf;
                    break;
                case 11:  // the players' autopilots play
                    autopilot(1 + in.byte() % 64);
                    break;
            }
        }
    }

    std::string summary() const {
        return "games ended " + std::to_string(ended_) + ", results " + std::to_string(results_) +
               ", phase " + std::to_string(static_cast<int>(host_.referee().phase())) + ", deal " +
               std::to_string(host_.referee().view(3).g.DealNumber) + " scores " +
               std::to_string(host_.referee().view(3).g.Score[1]) + " " +
               std::to_string(host_.referee().view(3).g.Score[2]) + " " +
               std::to_string(host_.referee().view(3).g.Score[3]);
    }

  private:
    static std::string nick(int p) { return "P" + std::to_string(p); }
    static std::string address(int p) { return "10.0.0." + std::to_string(p); }
    Slot& slot(int b) { return slots_[static_cast<std::size_t>(b % kSlots)]; }

    std::string frame(int kind, int s, OpReader& in) {
        switch (kind % 10) {
            case 0:
                return tourney::longFrame("disA", s);
            case 1:
                return tourney::shortFrame("TOut", s);
            case 2:
                return tourney::shortFrame("bnext", s);
            case 3:
                return tourney::shortFrame(tourney::resultReport({0, in.byte(), in.byte(), 7}), s);
            case 4:
                return tourney::longFrame("sHello", s);
            case 5:
                return tourney::shortFrame("connect" + std::to_string(s), s);
            case 6: {  // a card to some seat, from some seat
                const int from = 1 + in.byte() % 3, to = 1 + in.byte() % 3;
                return tourney::longFrame(
                    lan::stepMessage(from,
                                     lan::cardBody(1 + in.byte() % 3, lan::SeatField{},
                                                   1 + in.byte() % 10, lan::CardHandOff{}),
                                     static_cast<char>('0' + to)),
                    s);
            }
            case 7:  // half a frame
                return tourney::longFrame("disA", s).substr(0, 25);
            case 8:
                return tourney::longFrame("h" + in.bytes(40), s);
            default:
                return tourney::shortFrame("o", s);
        }
    }

    void send(Slot& c, const std::string& bytes) {
        ++steps;
        host_.receive(c.id, bytes, now_);
        settle();
    }

    void tick() {
        ++steps;
        host_.tick(now_);
        settle();
    }

    void autopilot(int rounds) {
        for (int r = 0; r < rounds; ++r) {
            bool moved = false;
            for (Slot& c : slots_) {
                if (c.id == 0) continue;
                if (!c.deaf) {
                    // The client reads what was sent to it.
                    while (!c.unread.empty()) {
                        if (c.peer) c.peer->peer.receive(c.unread.front());
                        c.unread.pop_front();
                        moved = true;
                    }
                    host_.sent(c.id, c.unreadBytes);
                    c.unreadBytes = 0;
                }
                if (!c.peer) continue;
                if (c.peer->peer.autoplay(c.peer->pilot)) moved = true;
                for (const std::string& f : c.peer->peer.takeOutgoing()) {
                    if (sentBefore_.size() < 64)
                        sentBefore_.push_back(f);
                    else
                        sentBefore_[static_cast<std::size_t>(steps % 64)] = f;
                    if (c.id == 0) break;  // closed by what it sent before
                    send(c, f);
                    moved = true;
                }
            }
            if (!moved) return;
        }
    }

    service::TableHostCallbacks callbacks() {
        service::TableHostCallbacks cb;
        cb.claimSeat = [this](int, int seat, const std::string& address) {
            const auto it = lobby_.find(seat);
            if (it == lobby_.end() || it->second.address != address)
                return std::optional<std::string>();
            return std::optional<std::string>(it->second.nick);
        };
        cb.seatFreed = [this](int, int seat, const std::string& nick) {
            const auto it = lobby_.find(seat);
            if (it != lobby_.end() && it->second.nick == nick) lobby_.erase(it);
        };
        cb.results = [this](int, const std::array<std::string, 4>&, const std::array<int, 4>& r) {
            ++results_;
            require(r[1] + r[2] + r[3] == 0, "results that do not sum to zero");
        };
        cb.tableFailed = [](int) { require(false, "a table fault"); };
        cb.log = [](std::string_view) {};
        return cb;
    }

    // Hands the host's output to the clients and checks where the table stands.
    void settle() {
        for (TableHost::Write& w : host_.takeWrites())
            for (Slot& c : slots_)
                if (c.id == w.id) {
                    c.unreadBytes += w.bytes.size();
                    if (c.unread.size() < 4096) c.unread.push_back(std::move(w.bytes));
                }
        for (const TableHost::Id id : host_.takeCloses())
            for (Slot& c : slots_)
                if (c.id == id) c = Slot{};
        check();
    }

    void check() {
        const TableReferee& r = host_.referee();
        require(host_.connections() <= static_cast<std::size_t>(options().maxConnections),
                "more connections than the table takes");
        for (int s = 1; s <= 3; ++s) {
            const TableHost::Id h = host_.holder(s);
            for (int t = s + 1; t <= 3; ++t)
                require(h == 0 || h != host_.holder(t), "one connection holds two seats");
            int open = 0;
            for (const Slot& c : slots_) open += h != 0 && c.id == h;
            require(h == 0 || open == 1, "a seat held by a closed connection");
            require((h != 0) == r.isSeated(s) || r.phase() == TableReferee::Phase::Playing,
                    "the host and the referee disagree on a seat");
            if (r.phase() == TableReferee::Phase::Playing)
                require(h != 0 || r.away(s), "a running seat held by nobody");
            require(h == 0 || !r.away(s), "an away seat held by a connection");
        }
        require(r.phase() != TableReferee::Phase::Ended, "an ended game left at the table");
        if (r.phase() == TableReferee::Phase::Playing) {
            for (int s = 1; s <= 3; ++s) {
                const GameRecord& g = r.view(s).g;
                require(isGameState(stateNumber(g.GameState)), "a state the game does not know");
                require(!checkConsistency(g), "a seat's view the rules do not accept");
                require(g.DealNumber == r.view(3).g.DealNumber, "seats in different deals");
            }
            playing_ = r.nicks();
        }
        // A game ended in this step: recorded once when it had results, its seats free.
        if (host_.gamesEnded() != ended_) {
            require(host_.gamesEnded() == ended_ + 1, "two games ended in one step");
            ++ended_;
            require(results_ == recorded_ + (host_.lastEndHadResults() ? 1 : 0),
                    "a game's results recorded other than once");
            for (int s = 1; s <= 3; ++s) {
                const auto it = lobby_.find(s);
                require(
                    it == lobby_.end() || it->second.nick != playing_[static_cast<std::size_t>(s)],
                    "an ended game's seat still taken in the lobby");
            }
        }
        require(results_ == recorded_ + 0 || results_ == recorded_ + 1, "results out of step");
        recorded_ = results_;
    }

    service::TableHost host_;
    std::map<int, LobbyRow> lobby_;
    std::array<Slot, kSlots> slots_{};
    std::vector<std::string> sentBefore_;
    std::array<std::string, 4> playing_{};
    std::int64_t now_ = 0;
    TableHost::Id nextId_ = 1;
    int results_ = 0;
    int recorded_ = 0;
    std::uint64_t ended_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!reporting) {
        reporting = true;
        std::atexit(report);
    }
    ++runs;
    OpReader in(data, size);
    // The first byte picks the table, and so its house rules.
    Harness h(1 + in.byte() % orvala::tourney::kTables);
    h.run(in);
    if (std::getenv("ORVALA_FUZZ_VERBOSE")) std::fprintf(stderr, "%s\n", h.summary().c_str());
    return 0;
}
