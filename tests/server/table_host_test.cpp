// A tournament table's host without sockets: three players' tournament cores on numbered
// connections, a lobby in memory, the clock the test's own.

#include "tourney/table_host.h"

#include <gtest/gtest.h>

#include <map>

#include "core/game/random_players.h"
#include "core/lan/step_message.h"
#include "core/tourney/tourney_peer.h"

namespace orvala::service {
namespace {

using Id = TableHost::Id;

struct Lobby {
    struct Row {
        std::string nick, address;
        bool connected = false;
    };
    std::map<int, Row> seats;
    std::vector<std::array<int, 4>> results;
    std::vector<std::string> log;
    bool failClaims = false;

    TableHostCallbacks callbacks() {
        TableHostCallbacks cb;
        cb.claimSeat = [this](int, int seat, const std::string& address) {
            if (failClaims) throw std::runtime_error("the database is gone");
            auto it = seats.find(seat);
            if (it == seats.end() || it->second.address != address)
                return std::optional<std::string>();
            it->second.connected = true;
            return std::optional<std::string>(it->second.nick);
        };
        cb.seatFreed = [this](int, int seat, const std::string& nick) {
            auto it = seats.find(seat);
            if (it != seats.end() && it->second.nick == nick) seats.erase(it);
        };
        cb.results = [this](int, const std::array<std::string, 4>&, const std::array<int, 4>& r) {
            results.push_back(r);
        };
        cb.tableFailed = [this](int) { seats.clear(); };
        cb.log = [this](std::string_view line) { log.emplace_back(line); };
        return cb;
    }
};

struct Player {
    explicit Player(int table, int seat)
        : random(static_cast<std::uint64_t>(seat) * 7),
          players(random),
          pilot(players),
          peer(table, seat, players, PlayerStart{"P" + std::to_string(seat)}) {}
    SeededRandom random;
    RandomPlayers players;
    AutoPilot pilot;
    tourney::TourneyPeer peer;
};

class Host {
  public:
    explicit Host(TableHostOptions o = {}) : host(1, 9, o, lobby.callbacks()) {}

    // Takes `seat` in the lobby and greets from a new connection; its id.
    Id sit(int seat) {
        const std::string address = "10.0.0." + std::to_string(seat);
        lobby.seats[seat] = {"P" + std::to_string(seat), address};
        const Id id = next++;
        EXPECT_TRUE(host.accept(id, address, now));
        host.receive(id, tourney::shortFrame("connect" + std::to_string(seat), seat), now);
        players[id] = std::make_unique<Player>(1, seat);
        players[id]->peer.connected();
        return id;
    }
    void sitAll() {
        for (int s = 1; s <= 3; ++s) ids[s] = sit(s);
        deliver();
    }

    // Passes writes to the players and their frames back until nothing moves.
    void deliver(bool autoplay = false) {
        for (bool moved = true; moved;) {
            moved = false;
            for (const Id id : host.takeCloses()) closed.push_back(id);
            for (TableHost::Write& w : host.takeWrites()) {
                host.sent(w.id, w.bytes.size());
                sent[w.id].push_back(w.bytes);
                if (const auto p = players.find(w.id); p != players.end())
                    p->second->peer.receive(w.bytes);
                moved = true;
            }
            for (auto& [id, p] : players) {
                if (isClosed(id)) continue;
                if (autoplay && p->peer.autoplay(p->pilot)) moved = true;
                for (const std::string& f : p->peer.takeOutgoing()) {
                    if (f.starts_with("connect")) continue;
                    host.receive(id, f, now);
                    moved = true;
                }
            }
        }
    }
    void play() {
        for (int n = 0; n < 20000 && host.referee().phase() == TableReferee::Phase::Playing; ++n)
            deliver(true);
    }
    bool isClosed(Id id) const {
        return std::find(closed.begin(), closed.end(), id) != closed.end();
    }
    bool got(Id id, const std::string& bytes) const {
        const auto it = sent.find(id);
        return it != sent.end() &&
               std::find(it->second.begin(), it->second.end(), bytes) != it->second.end();
    }

    Lobby lobby;
    TableHost host;
    std::int64_t now = 0;
    Id next = 1;
    std::array<Id, 4> ids{};
    std::map<Id, std::unique_ptr<Player>> players;
    std::map<Id, std::vector<std::string>> sent;
    std::vector<Id> closed;
};

TEST(TableHost, LeavingBeforeTheDealFreesTheSeatAtOnce) {
    // A greeting and a leave in one read or two, unreadable bytes, a frame under another seat's
    // number: each frees the seat in the lobby and closes the connection.
    const std::vector<std::vector<std::string>> leaves{
        {tourney::shortFrame("connect1", 1), tourney::longFrame("disA", 1)},
        {tourney::shortFrame("connect1", 1) + tourney::longFrame("disA", 1)},
        {tourney::shortFrame("connect1", 1), "GET / HTTP/1.1\r\n"},
        {tourney::shortFrame("connect1", 1) + tourney::longFrame("disA", 2)},
        {tourney::shortFrame("connect1", 1) + tourney::shortFrame("bnext", 1) +
         tourney::longFrame("disA", 1) + tourney::longFrame("disA", 1)},
    };
    for (const auto& reads : leaves) {
        Host t;
        t.lobby.seats[1] = {"P1", "10.0.0.1"};
        ASSERT_TRUE(t.host.accept(1, "10.0.0.1", 0));
        for (const std::string& r : reads) t.host.receive(1, r, 0);
        t.next = 2;
        t.deliver();
        EXPECT_TRUE(t.lobby.seats.empty()) << reads[0];
        EXPECT_TRUE(t.isClosed(1));
        EXPECT_EQ(t.host.holder(1), 0u);
        EXPECT_EQ(t.host.connections(), 0u);
        // The seat is taken again at once.
        t.sit(1);
        EXPECT_EQ(t.host.holder(1), 2u);
    }

    // A connection closed before the deal frees its seat too; one that never greets is closed.
    Host t;
    const Id a = t.sit(1);
    t.host.closed(a, 0);
    EXPECT_TRUE(t.lobby.seats.empty());
    ASSERT_TRUE(t.host.accept(7, "10.0.0.1", 0));
    t.host.tick(*t.host.deadline());
    t.deliver();
    EXPECT_TRUE(t.isClosed(7));
}

TEST(TableHost, ASeatIsTakenAgainAtOnceAfterEveryEnding) {
    enum class Way { Finished, Left, Closed, TimedOut, Unread };
    for (Way way : {Way::Finished, Way::Left, Way::Closed, Way::TimedOut, Way::Unread}) {
        TableHostOptions o;
        o.maxQueuedBytes = 4096;
        Host t(o);
        t.sitAll();
        ASSERT_EQ(t.host.referee().phase(), TableReferee::Phase::Playing);
        switch (way) {
            case Way::Finished:
                t.play();
                break;
            case Way::Left:
                t.host.receive(t.ids[2], tourney::longFrame("disA", 2), t.now);
                break;
            case Way::Closed:
                // Away, and not back within the clock.
                t.host.closed(t.ids[3], t.now);
                t.closed.push_back(t.ids[3]);
                t.now = *t.host.deadline();
                t.host.tick(t.now);
                break;
            case Way::TimedOut:
                t.now = *t.host.deadline();
                t.host.tick(t.now);
                break;
            case Way::Unread:
                // Seat 1 never reads: chat to it piles up until its connection is closed.
                for (int n = 0; n < 200 && !t.isClosed(t.ids[1]); ++n) {
                    t.host.receive(t.ids[2], tourney::longFrame("sHello", 2), t.now);
                    for (TableHost::Write& w : t.host.takeWrites())
                        if (w.id != t.ids[1]) t.host.sent(w.id, w.bytes.size());
                    for (const Id id : t.host.takeCloses()) t.closed.push_back(id);
                }
                break;
        }
        t.deliver();
        const int w = static_cast<int>(way);
        ASSERT_EQ(t.host.referee().phase(), TableReferee::Phase::Waiting) << w;
        EXPECT_TRUE(t.lobby.seats.empty()) << w;
        // Every ending counts, a game cut short in its first deal too.
        EXPECT_EQ(t.lobby.results.size(), 1u) << w;
        if (way == Way::Finished) {
            // The players linger with the ended game: seat 1's report still reaches it.
            EXPECT_EQ(t.host.gamesAside(), 1u);
            EXPECT_FALSE(t.isClosed(t.ids[1]));
        } else {
            for (int s = 1; s <= 3; ++s) EXPECT_TRUE(t.isClosed(t.ids[s])) << w;
        }
        // A new game is dealt at once on the same table.
        t.sitAll();
        EXPECT_EQ(t.host.referee().phase(), TableReferee::Phase::Playing) << w;
        for (int s = 1; s <= 3; ++s) EXPECT_EQ(t.host.holder(s), t.ids[s]) << w;
        if (way == Way::Finished) {
            t.now += o.lingerMs;
            t.host.tick(t.now);
            t.deliver();
            EXPECT_EQ(t.host.gamesAside(), 0u);
            EXPECT_EQ(t.host.connections(), 3u);
        }
    }
}

TEST(TableHost, AnAwaySeatIsTakenBackOnlyByItsOwnPlayer) {
    Host t;
    t.sitAll();
    for (int n = 0; n < 30; ++n) {
        for (auto& [id, p] : t.players) p->peer.autoplay(p->pilot);
        t.deliver();
    }
    ASSERT_EQ(t.host.referee().phase(), TableReferee::Phase::Playing);
    t.host.closed(t.ids[2], t.now);
    t.closed.push_back(t.ids[2]);
    ASSERT_TRUE(t.host.referee().away(2));
    t.deliver();
    for (int s : {1, 3}) EXPECT_TRUE(t.got(t.ids[s], tourney::seatNoticeFrame(2, false, "P2")));
    const auto greet = [&t](Id id, const std::string& address) {
        EXPECT_TRUE(t.host.accept(id, address, t.now));
        t.host.receive(id, tourney::shortFrame("connect2", 2), t.now);
        t.deliver();
    };
    // Another address, or another account that took the lobby's row: refused, the seat untouched.
    greet(100, "10.0.0.9");
    t.lobby.seats[2].nick = "Q2";
    greet(101, "10.0.0.2");
    t.lobby.seats[2].nick = "P2";
    for (const Id id : {Id{100}, Id{101}}) {
        EXPECT_TRUE(t.isClosed(id));
        for (const std::string& bytes : t.sent[id]) EXPECT_NE(bytes[0], 'r') << id;
    }
    EXPECT_EQ(t.host.holder(2), 0u);
    EXPECT_TRUE(t.host.referee().away(2));

    // Its own player comes back and is sent the game so far; the game ends once, as any game.
    t.players[102] = std::make_unique<Player>(1, 2);
    t.players[102]->peer.connected();
    greet(102, "10.0.0.2");
    EXPECT_EQ(t.host.holder(2), 102u);
    EXPECT_FALSE(t.host.referee().away(2));
    EXPECT_TRUE(t.players[102]->peer.resumed());
    for (int s : {1, 3}) EXPECT_TRUE(t.got(t.ids[s], tourney::seatNoticeFrame(2, true, "P2")));
    t.play();
    EXPECT_EQ(t.host.gamesEnded(), 1u);
    ASSERT_EQ(t.lobby.results.size(), 1u);
    EXPECT_EQ(t.players[102]->peer.ending(), tourney::Ending::GameOver);
}

TEST(TableHost, ASeatThatFloodsWhileItsFramesAreHeldLeaves) {
    Host t;
    t.sitAll();
    // The first bidder opens; its message to one seat goes, the other it still owes.
    const int first = t.host.referee().clockSeat();
    Player& p = *t.players[t.ids[first]];
    std::vector<std::string> out;
    for (int n = 0; n < 5 && out.empty() && p.peer.autoplay(p.pilot); ++n)
        out = p.peer.takeOutgoing();
    ASSERT_EQ(out.size(), 2u);
    t.host.receive(t.ids[first], out[0], t.now);
    const int owedTo = out[1][lan::kStepLength - 1] - '0';
    const int other = 6 - first - owedTo;
    // What the third seat sends the owed seat waits, up to a bound.
    const std::string step = tourney::longFrame(
        lan::stepMessage(other, lan::cardBody(1, lan::SeatField{}, 1, lan::CardHandOff{}),
                         static_cast<char>('0' + owedTo)),
        other);
    std::string flood;
    for (std::size_t n = 0; n <= TableReferee::kMaxHeldFrames; ++n) flood += step;
    t.host.receive(t.ids[other], flood, t.now);
    t.deliver();
    EXPECT_TRUE(t.got(t.ids[first], tourney::leftFrame(other)));
    EXPECT_TRUE(t.got(t.ids[owedTo], tourney::leftFrame(other)));
    EXPECT_EQ(t.host.referee().phase(), TableReferee::Phase::Waiting);
    EXPECT_TRUE(t.lobby.seats.empty());
}

TEST(TableHost, ConnectionsAreLimitedByAddressAndTable) {
    TableHostOptions o;
    o.maxPerAddress = 2;
    o.maxConnections = 3;
    Host t(o);
    EXPECT_TRUE(t.host.accept(1, "10.0.0.1", 0));
    EXPECT_TRUE(t.host.accept(2, "10.0.0.1", 0));
    EXPECT_FALSE(t.host.accept(3, "10.0.0.1", 0));
    EXPECT_TRUE(t.host.accept(4, "10.0.0.2", 0));
    EXPECT_FALSE(t.host.accept(5, "10.0.0.3", 0));
    t.host.closed(1, 0);
    EXPECT_TRUE(t.host.accept(6, "10.0.0.1", 0));

    // Refusals as fast as a client can reconnect make one log line a second, which counts them.
    t.lobby.log.clear();
    for (Id id = 10; id < 110; ++id) EXPECT_FALSE(t.host.accept(id, "10.0.0.1", 500));
    EXPECT_EQ(t.lobby.log.size(), 0u) << "the refusal at 0 was logged within the last second";
    EXPECT_FALSE(t.host.accept(110, "10.0.0.1", 1000));
    ASSERT_EQ(t.lobby.log.size(), 1u);
    EXPECT_NE(t.lobby.log[0].find("(and 101 more refused before)"), std::string::npos)
        << t.lobby.log[0];
}

TEST(TableHost, AFaultEndsTheTableAndItServesAgain) {
    Host t;
    t.ids[1] = t.sit(1);
    t.lobby.seats[2] = {"P2", "10.0.0.2"};
    t.lobby.failClaims = true;
    ASSERT_TRUE(t.host.accept(50, "10.0.0.2", 0));
    t.host.receive(50, tourney::shortFrame("connect2", 2), 0);
    t.deliver();
    EXPECT_TRUE(t.isClosed(t.ids[1]));
    EXPECT_TRUE(t.isClosed(50));
    EXPECT_TRUE(t.lobby.seats.empty());
    ASSERT_FALSE(t.lobby.log.empty());
    EXPECT_NE(t.lobby.log.back().find("the database is gone; the table ends"), std::string::npos);
    t.lobby.failClaims = false;
    t.sitAll();
    EXPECT_EQ(t.host.referee().phase(), TableReferee::Phase::Playing);
}

}  // namespace
}  // namespace orvala::service
