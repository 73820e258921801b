// A tournament table played in memory: three players' tournament cores and the server's
// referee, the frames passed between them as the sockets would, on a clock of the test's own.

#include <gtest/gtest.h>

#include <deque>

#include "core/ai/computer_players.h"
#include "core/lan/step_message.h"
#include "core/tourney/tourney_peer.h"
#include "tourney/table_referee.h"

namespace orvala::service {
namespace {

using tourney::Ending;
using tourney::TourneyPeer;

// Few layouts a card: the games stay real and run quickly.
CardChoiceOptions quickSearch() {
    CardChoiceOptions o;
    o.sampleCounts = {0, 0, 6, 6, 6, 4, 2, 1, 0};
    return o;
}

struct Seat {
    explicit Seat(int table, int seat)
        : random(static_cast<std::uint64_t>(seat) * 11),
          players(random, quickSearch()),
          pilot(players),
          peer(table, seat, pilot, PlayerStart{"P" + std::to_string(seat)}) {}
    SeededRandom random;
    ComputerPlayers players;
    AutoPilot pilot;
    TourneyPeer peer;
    bool stalled = false;
};

class Table {
  public:
    explicit Table(int table, std::uint64_t seed = 5)
        : table_(table), random_(seed), referee_(table, random_, kMoveMs) {
        for (int s = 1; s <= 3; ++s) seats_[s] = std::make_unique<Seat>(table, s);
    }
    static constexpr std::int64_t kMoveMs = 30'000;

    void sitDown() {
        for (int s = 1; s <= 3; ++s) {
            seats_[s]->peer.connected();
            for (const std::string& f : seats_[s]->peer.takeOutgoing())
                EXPECT_EQ(f, tourney::shortFrame("connect" + std::to_string(s), s));
            referee_.seated(s, "P" + std::to_string(s), now_);
        }
        deliver();
    }

    // Passes frames both ways until nothing moves. With `interleave` the server reads one
    // frame of each seat in turn, last seat first, and the players move in between, so a
    // seat's second message of an action often comes after the others have answered its first.
    void deliver() {
        for (bool moved = true; moved;) {
            moved = false;
            for (TableReferee::Frame& f : referee_.takeOutgoing()) {
                seats_[f.to]->peer.receive(f.bytes);
                moved = true;
            }
            for (int s = 1; s <= 3 && interleave; ++s)
                if (!seats_[s]->stalled && seats_[s]->peer.autoplay(seats_[s]->pilot)) moved = true;
            for (int s = 3; s >= 1; --s) {
                for (std::string& f : seats_[s]->peer.takeOutgoing()) queued_[s].push_back(f);
                while (!queued_[s].empty()) {
                    referee_.receive(s, queued_[s].front(), now_);
                    queued_[s].pop_front();
                    moved = true;
                    if (interleave) break;
                }
            }
        }
    }
    bool interleave = false;

    // Every seat that can move does, until the game ends or nobody moves.
    void play(int maxRounds = 20000) {
        for (int n = 0; n < maxRounds && referee_.phase() == TableReferee::Phase::Playing; ++n) {
            bool any = false;
            for (int s = 1; s <= 3; ++s)
                if (!seats_[s]->stalled && seats_[s]->peer.autoplay(seats_[s]->pilot)) {
                    any = true;
                    deliver();
                }
            if (!any) return;
        }
    }

    // Seat s's connection closes: it moves no more and hears nothing.
    void drop(int s) {
        seats_[s]->stalled = true;
        referee_.closed(s, now_);
        deliver();
    }
    // Seat s's player starts again and connects anew (the table host took the greeting).
    bool reconnect(int s) {
        seats_[s] = std::make_unique<Seat>(table_, s);
        seats_[s]->peer.connected();
        seats_[s]->peer.takeOutgoing();
        const bool back = referee_.rejoined(s, now_);
        deliver();
        return back;
    }

    TableReferee& referee() { return referee_; }
    TourneyPeer& peer(int s) { return seats_[s]->peer; }
    Seat& seat(int s) { return *seats_[s]; }
    std::int64_t now_ = 0;

  private:
    int table_;
    SeededRandom random_;
    TableReferee referee_;
    std::array<std::unique_ptr<Seat>, 4> seats_;
    std::array<std::deque<std::string>, 4> queued_;
};

// Plays until seat `s` is to play a card of its own.
void playUntilCardOf(Table& t, int s) {
    for (int n = 0; n < 2000; ++n) {
        if (t.peer(s).state().g.GameState == GameState::PersonPlays) return;
        bool any = false;
        for (int k = 1; k <= 3; ++k) {
            // Seat `s` plays by itself only up to its card.
            if (k == s && inPlay(t.peer(s).state().g.GameState) &&
                t.peer(s).state().g.GameState != GameState::TrickComplete)
                continue;
            if (t.peer(k).autoplay(t.seat(k).pilot)) {
                any = true;
                t.deliver();
            }
            if (t.peer(s).state().g.GameState == GameState::PersonPlays) return;
        }
        if (!any) break;
    }
    FAIL() << "seat " << s << " never came to play";
}

TEST(TourneyTable, ASeatThatDropsComesBackWithinItsClockAndTheGameEndsNormally) {
    for (int rounds : {3, 40, 90, 150}) {
        Table t(6, static_cast<std::uint64_t>(rounds));
        t.sitDown();
        t.play(rounds);
        ASSERT_EQ(t.referee().phase(), TableReferee::Phase::Playing) << rounds;
        const int away = rounds % 3 + 1;
        t.drop(away);
        EXPECT_TRUE(t.referee().away(away));
        // The others play on as far as they can without it; its clock runs meanwhile.
        t.play();
        t.now_ += Table::kMoveMs - 1;
        t.referee().tick(t.now_);
        ASSERT_EQ(t.referee().phase(), TableReferee::Phase::Playing) << rounds;
        ASSERT_TRUE(t.reconnect(away));
        ASSERT_TRUE(t.peer(away).resumed());
        // Its rebuilt game is the one the server kept for it.
        GameRecord mine = t.peer(away).state().g, kept = t.referee().view(away).g;
        mine.DealStartPending = kept.DealStartPending = 0;
        mine.SeatNames = kept.SeatNames = {};
        EXPECT_EQ(mine, kept) << rounds;
        t.play();
        EXPECT_EQ(t.referee().ending(), TableReferee::End::Finished) << rounds;
        EXPECT_TRUE(t.referee().results());
    }
}

TEST(TourneyTable, AnAwaySeatLosesOnlyWhenItsOwnMoveClockRunsOut) {
    // A seat drops while another is to act, and the others move before its turn comes.
    bool tried = false;
    for (int a = 1; a <= 3 && !tried; ++a) {
        Table t(2);
        t.sitDown();
        t.play(30);
        if (t.referee().clockSeat() == a) continue;
        t.drop(a);
        const std::int64_t dropped = t.now_;
        t.now_ += Table::kMoveMs / 2;
        t.play();  // the others play on until the table waits for the away seat
        if (t.referee().clockSeat() != a || *t.referee().deadline() != t.now_ + Table::kMoveMs)
            continue;
        tried = true;
        // Its clock started when its turn came: away longer than a move clock, it has not lost.
        t.now_ = dropped + Table::kMoveMs + 1;
        t.referee().tick(t.now_);
        ASSERT_EQ(t.referee().phase(), TableReferee::Phase::Playing);
        // Once its own clock runs out it has, as any seat that does not move.
        t.now_ = *t.referee().deadline();
        t.referee().tick(t.now_);
        EXPECT_EQ(t.referee().ending(), TableReferee::End::TimedOut);
        EXPECT_EQ(t.referee().endingSeat(), a);
        EXPECT_FALSE(t.reconnect(a));
        const auto& r = t.referee().results();
        ASSERT_TRUE(r);
        const auto i = static_cast<std::size_t>(a);
        EXPECT_LE((*r)[i], std::min({(*r)[1], (*r)[2], (*r)[3]}));
    }
    EXPECT_TRUE(tried) << "no seat dropped while the others still had moves to make";
}

TEST(TourneyTable, ASeatThatDropsBetweenTheTwoMessagesOfAnActionHasMadeIt) {
    // The card that opens a trick and the one that completes it (with its notice to the winner).
    for (const int onTable : {0, 2}) {
        for (int a = 1; a <= 3; ++a) {
            Table t(3 + a, static_cast<std::uint64_t>(a + onTable));
            t.sitDown();
            bool dropped = false;
            for (int n = 0; n < 40 && !dropped; ++n) {
                playUntilCardOf(t, a);
                ASSERT_EQ(t.referee().phase(), TableReferee::Phase::Playing);
                const bool wanted = t.peer(a).state().g.TrickPos == onTable + 1;
                ASSERT_TRUE(t.peer(a).autoplay(t.seat(a).pilot));
                std::vector<std::string> out = t.peer(a).takeOutgoing();
                ASSERT_GE(out.size(), 2u);
                if (!wanted) {
                    for (const std::string& f : out) t.referee().receive(a, f, t.now_);
                    t.deliver();
                    continue;
                }
                // Only the first message reaches the server before the connection is lost.
                t.referee().receive(a, out[0], t.now_);
                t.drop(a);
                dropped = true;
            }
            ASSERT_TRUE(dropped) << a;
            ASSERT_TRUE(t.referee().away(a));
            ASSERT_EQ(t.referee().phase(), TableReferee::Phase::Playing);
            // Both others have the card, and stand where the server's copies of them stand.
            for (int k = 1; k <= 3; ++k) {
                if (k == a) continue;
                GameRecord mine = t.peer(k).state().g, kept = t.referee().view(k).g;
                mine.DealStartPending = kept.DealStartPending = 0;
                mine.SeatNames = kept.SeatNames = {};
                EXPECT_EQ(mine, kept) << a << " " << k;
            }
            t.play();
            ASSERT_TRUE(t.reconnect(a));
            t.play();
            for (const std::string& line : t.referee().takeLog())
                EXPECT_EQ(line.find("left"), std::string::npos) << line;
            EXPECT_EQ(t.referee().ending(), TableReferee::End::Finished) << a;
        }
    }
}

// A card message for slot `slot` of seat `s`, to the seat that sees it as its seat 1.
std::string cardFrame(int s, int slot) {
    const int to = s == 1 ? 3 : s - 1;
    return tourney::longFrame(
        lan::stepMessage(s, lan::cardBody(1, lan::SeatField{}, slot, lan::CardHandOff{}),
                         static_cast<char>('0' + to)),
        s);
}

// What each seat received, by the frames' first bytes.
bool received(const std::vector<TableReferee::Frame>& out, int to, const std::string& frame) {
    for (const auto& f : out)
        if (f.to == to && f.bytes == frame) return true;
    return false;
}

TEST(TourneyTable, ThreePlayersFinishAGameAndTheServerKeepsItsOwnResult) {
    for (int table : {1, 10}) {
        Table t(table, static_cast<std::uint64_t>(table));
        t.sitDown();
        t.play();
        for (const std::string& line : t.referee().takeLog()) ADD_FAILURE() << line;
        ASSERT_EQ(t.referee().ending(), TableReferee::End::Finished) << "table " << table;
        std::array<int, 4> scores{};
        for (int s = 1; s <= 3; ++s) {
            EXPECT_EQ(t.peer(s).ending(), Ending::GameOver);
            EXPECT_TRUE(t.peer(s).serverEnded());
            scores[s] = t.peer(3).state().g.Score[s];
        }
        EXPECT_EQ(*t.referee().results(), tourney::tableResults(scores));
    }
}

TEST(TourneyTable, InterleavedReadsAndMovesKeepEverySeatInStep) {
    Table t(9, 3);
    t.interleave = true;
    t.sitDown();
    t.play();
    for (const std::string& line : t.referee().takeLog()) ADD_FAILURE() << line;
    EXPECT_EQ(t.referee().ending(), TableReferee::End::Finished);
}

TEST(TourneyTable, AnIllegalCardIsNotPassedOnAndItsSenderHasLeft) {
    for (int cheat : {1, 2, 3}) {
        Table t(4, static_cast<std::uint64_t>(cheat));
        t.sitDown();
        playUntilCardOf(t, cheat);
        const RulesState& s = t.peer(cheat).state();
        int slot = s.g.HandCount[3] + 1;  // a card it does not hold
        for (int k = 1; k <= s.g.HandCount[3]; ++k)
            if (!canPlaySlot(s, k)) slot = k;  // or one that does not follow suit
        t.referee().receive(cheat, cardFrame(cheat, slot), t.now_);
        const auto out = t.referee().takeOutgoing();
        ASSERT_EQ(out.size(), 2u);
        for (int k = 1; k <= 3; ++k)
            if (k != cheat) {
                EXPECT_TRUE(received(out, k, tourney::leftFrame(cheat)));
            }
        EXPECT_EQ(t.referee().ending(), TableReferee::End::Left);
        EXPECT_EQ(t.referee().endingSeat(), cheat);
        // In the first deal too the cheat takes the lowest result: a failed lowest contract.
        const auto& r = t.referee().results();
        ASSERT_TRUE(r);
        for (int k = 1; k <= 3; ++k)
            EXPECT_EQ((*r)[static_cast<std::size_t>(k)], k == cheat ? -200 : 100) << k;
    }
}

TEST(TourneyTable, ADifferentCardForEachSeatIsRefusedAtTheSecond) {
    // A layout where seat 3 has two cards it may play.
    std::unique_ptr<Table> table;
    std::vector<int> legal;
    for (std::uint64_t seed = 1; legal.size() < 2 && seed < 20; ++seed) {
        table = std::make_unique<Table>(2, seed);
        table->sitDown();
        playUntilCardOf(*table, 3);
        legal.clear();
        const RulesState& s = table->peer(3).state();
        for (int k = 1; k <= s.g.HandCount[3]; ++k)
            if (canPlaySlot(s, k)) legal.push_back(k);
    }
    ASSERT_GE(legal.size(), 2u);
    Table& t = *table;
    // Seat 3 tells seat 2 one card and seat 1 another.
    auto toSeat = [](int to, int view, int slot) {
        return tourney::longFrame(
            lan::stepMessage(3, lan::cardBody(view, lan::SeatField{}, slot, lan::CardHandOff{}),
                             static_cast<char>('0' + to)),
            3);
    };
    t.referee().receive(3, toSeat(2, 1, legal[0]), t.now_);
    EXPECT_EQ(t.referee().phase(), TableReferee::Phase::Playing);
    t.referee().receive(3, toSeat(1, 2, legal[1]), t.now_);
    EXPECT_EQ(t.referee().ending(), TableReferee::End::Left);
    EXPECT_TRUE(received(t.referee().takeOutgoing(), 1, tourney::leftFrame(3)));
}

TEST(TourneyTable, TheServersClockEndsTheGameOfASeatThatStopsMoving) {
    Table t(7, 4);
    t.sitDown();
    t.seat(2).stalled = true;  // seat 2 opens the first deal
    t.play();
    ASSERT_EQ(t.referee().clockSeat(), 2);
    const std::int64_t deadline = *t.referee().deadline();
    EXPECT_EQ(deadline, Table::kMoveMs);
    t.referee().tick(deadline - 1);
    EXPECT_TRUE(t.referee().takeOutgoing().empty());
    t.referee().tick(deadline);
    const auto out = t.referee().takeOutgoing();
    EXPECT_TRUE(received(out, 1, tourney::timeOutFrame(2)));
    EXPECT_TRUE(received(out, 3, tourney::timeOutFrame(2)));
    EXPECT_FALSE(received(out, 2, tourney::timeOutFrame(2)));
    EXPECT_EQ(t.referee().ending(), TableReferee::End::TimedOut);
    for (const auto& f : out) t.peer(f.to).receive(f.bytes);
    EXPECT_EQ(t.peer(1).ending(), Ending::TimedOut);
    EXPECT_EQ(t.peer(1).endingSeat(), 2);
}

TEST(TourneyTable, ASeatThatStopsAfterADealWasScoredTakesTheLowestResult) {
    Table t(2, 3);
    t.sitDown();
    // The first deal is played out; then seat 1, who opens the next round, goes silent.
    for (int n = 0; n < 2000 && t.referee().view(3).g.GameState != GameState::DealScored; ++n) {
        bool any = false;
        for (int s = 1; s <= 3; ++s)
            if (t.peer(s).autoplay(t.seat(s).pilot)) {
                any = true;
                t.deliver();
            }
        if (!any) break;
    }
    ASSERT_EQ(t.referee().view(3).g.GameState, GameState::DealScored);
    ASSERT_EQ(t.referee().clockSeat(), 1);
    std::array<int, 4> scores{};
    for (int s = 1; s <= 3; ++s) scores[s] = t.referee().view(3).g.Score[s];
    t.referee().tick(*t.referee().deadline());
    EXPECT_EQ(t.referee().ending(), TableReferee::End::TimedOut);
    ASSERT_TRUE(t.referee().results());
    EXPECT_EQ(*t.referee().results(), tourney::forfeitResults(scores, 1));
    const auto& r = *t.referee().results();
    EXPECT_LE(r[1], std::min(r[2], r[3]));
    EXPECT_EQ(r[1] + r[2] + r[3], 0);
}

TEST(TourneyTable, EveryMoveRestartsTheClockForTheSeatToAct) {
    Table t(1, 6);
    t.sitDown();
    t.now_ = 20'000;
    // Seat 2 opens; its bid passes the clock on with a fresh limit.
    ASSERT_TRUE(t.peer(2).autoplay(t.seat(2).pilot));
    t.deliver();
    while (t.peer(2).autoplay(t.seat(2).pilot)) t.deliver();
    EXPECT_NE(t.referee().clockSeat(), 2);
    EXPECT_EQ(*t.referee().deadline(), 20'000 + Table::kMoveMs);
}

TEST(TourneyTable, ALeavingSeatEndsTheGameForTheOthersAndAClosedOneIsOnlyAway) {
    Table t(5, 2);
    t.sitDown();
    t.referee().receive(1, tourney::longFrame("disA", 1), 0);
    EXPECT_TRUE(received(t.referee().takeOutgoing(), 2, tourney::leftFrame(1)));
    EXPECT_EQ(t.referee().ending(), TableReferee::End::Left);

    // A closed connection only tells the others the seat is away: it has its clock to come back.
    Table u(5, 2);
    u.sitDown();
    u.referee().closed(3, 0);
    const auto out = u.referee().takeOutgoing();
    ASSERT_EQ(out.size(), 2u);
    EXPECT_TRUE(received(out, 1, tourney::seatNoticeFrame(3, false, "P3")));
    EXPECT_TRUE(received(out, 2, tourney::seatNoticeFrame(3, false, "P3")));
    EXPECT_EQ(u.referee().phase(), TableReferee::Phase::Playing);
    EXPECT_EQ(*u.referee().deadline(), Table::kMoveMs);
}

TEST(TourneyTable, SeatOnesReportIsComparedButTheServersResultStands) {
    Table t(3, 3);
    t.sitDown();
    t.play();
    ASSERT_EQ(t.referee().ending(), TableReferee::End::Finished);
    const auto results = *t.referee().results();
    t.referee().receive(1, tourney::shortFrame("o 9999 9999 9999", 1), 0);
    EXPECT_EQ(*t.referee().results(), results);
    const auto log = t.referee().takeLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_NE(log[0].find("differs"), std::string::npos);

    // An honest report says nothing.
    Table u(3, 3);
    u.sitDown();
    u.play();
    u.referee().receive(1, u.peer(1).resultFrame(), 0);
    EXPECT_TRUE(u.referee().takeLog().empty());
}

TEST(TourneyTable, LeavingWhileWaitingFreesTheSeatAndTouchesNoFrameBeingRead) {
    // The greeting and a leave, then every other way out before the deal, with frames after it
    // that must be dropped, not read.
    const std::vector<std::string> reads{
        tourney::shortFrame("connect1", 1) + tourney::longFrame("disA", 1),
        tourney::longFrame("disA", 1) + tourney::shortFrame("bnext", 1) +
            tourney::longFrame("disA", 1),
        "GET / HTTP/1.1\r\n",
        tourney::shortFrame("bnext", 1) + tourney::longFrame("disA", 2) +
            tourney::shortFrame("TOut", 1),
    };
    for (const std::string& bytes : reads) {
        SeededRandom random(1);
        TableReferee r(1, random, 30'000);
        r.seated(1, "P1", 0);
        r.seated(2, "P2", 0);
        r.receive(1, tourney::shortFrame("connect1", 1), 0);
        r.receive(1, bytes, 0);
        EXPECT_FALSE(r.isSeated(1)) << bytes;
        EXPECT_TRUE(r.isSeated(2));
        EXPECT_EQ(r.phase(), TableReferee::Phase::Waiting);
        EXPECT_TRUE(r.takeOutgoing().empty());
        // The seat is taken again and the table deals.
        r.seated(1, "P4", 0);
        r.seated(3, "P3", 0);
        EXPECT_EQ(r.phase(), TableReferee::Phase::Playing);
        EXPECT_EQ(r.nicks()[1], "P4");
    }
}

TEST(TourneyTable, BytesThatBeginNoFrameCountAsLeaving) {
    Table t(8, 1);
    t.sitDown();
    t.referee().receive(2, "GET / HTTP/1.1\r\n", 0);
    EXPECT_TRUE(received(t.referee().takeOutgoing(), 3, tourney::leftFrame(2)));
}

}  // namespace
}  // namespace orvala::service
