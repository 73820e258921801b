// A tournament table played in memory: three players' tournament cores and the server's
// referee, the frames passed between them as the sockets would, on a clock of the test's own.

#include <gtest/gtest.h>

#include "core/ai/computer_players.h"
#include "core/lan/step_message.h"
#include "tourney/table_referee.h"
#include "core/tourney/tourney_peer.h"

namespace orvala::service {
namespace {

using tourney::Ending;
using tourney::TourneyPeer;

struct Seat {
    explicit Seat(int table, int seat)
        : random(static_cast<std::uint64_t>(seat) * 11), players(random), pilot(players),
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
        : random_(seed), referee_(table, random_, kMoveMs) {
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

    // Passes frames both ways until nothing moves; every frame a player sends is handed over
    // whole, as one read.
    void deliver() {
        for (bool moved = true; moved;) {
            moved = false;
            for (TableReferee::Frame& f : referee_.takeOutgoing()) {
                seats_[f.to]->peer.receive(f.bytes);
                moved = true;
            }
            for (int s = 1; s <= 3; ++s)
                for (const std::string& f : seats_[s]->peer.takeOutgoing()) {
                    referee_.receive(s, f, now_);
                    moved = true;
                }
        }
    }

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

    TableReferee& referee() { return referee_; }
    TourneyPeer& peer(int s) { return seats_[s]->peer; }
    Seat& seat(int s) { return *seats_[s]; }
    std::int64_t now_ = 0;

  private:
    SeededRandom random_;
    TableReferee referee_;
    std::array<std::unique_ptr<Seat>, 4> seats_;
};

TEST(TourneyTable, ThreePlayersFinishAGameAndTheServerKeepsItsOwnResult) {
    for (int table : {1, 6, 10}) {
        Table t(table, static_cast<std::uint64_t>(table));
        t.sitDown();
        t.play();
        for (const std::string& line : t.referee().takeLog()) ADD_FAILURE() << line;
        for (int s = 1; s <= 3; ++s) { fprintf(stderr, "DBG scores %d %d %d\n", t.peer(s).state().g.Score[1], t.peer(s).state().g.Score[2], t.peer(s).state().g.Score[3]); } for (int s = 1; s <= 3; ++s) fprintf(stderr, "DBG peer %d state %d deal %d pending %d handoff %d ending %d | view %d\n", s, stateNumber(t.peer(s).state().g.GameState), t.peer(s).state().g.DealNumber, (int)t.peer(s).state().pending.has_value(), (int)t.peer(s).awaitingHandOff(), (int)t.peer(s).ending(), stateNumber(t.referee().view(s).g.GameState));
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

}  // namespace
}  // namespace orvala::service
