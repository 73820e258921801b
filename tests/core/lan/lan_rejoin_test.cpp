// A machine taking a game up again: the game log every machine keeps, replayed in a joiner's
// numbering, must give that joiner's own rules state at every step of whole games; the log's
// bytes must read back as they were written, and damaged bytes must be refused.

#include <gtest/gtest.h>

#include "core/lan/game_log.h"
#include "lan_table.h"

namespace orvala::lan {
namespace {

using testing::LanTable;

TEST(GameLog, ReplayingTheHostsLogGivesEachJoinerItsOwnStateAtEveryStep) {
    for (int people : {2, 3}) {
        for (unsigned seed : {3u, 11u}) {
            LanTable t(people, seed);
            t.start(RuleSettings{});
            int checked = 0;
            for (int n = 0; n < 4000 && !t.peer(0).gameOver(); ++n) {
                // Every step of the first deals, then a sample (a replay costs the game so far).
                for (int i = 1; i < t.size() && (n < 200 || n % 10 == 0); ++i) {
                    const LanPeer& j = t.peer(i);
                    const RulesState& own = j.state();
                    const Replayed r = replayGame(t.peer(0).log(), j.session().role,
                                                  PlayerStart{j.session().localName}, own.roles);
                    ASSERT_TRUE(r.state) << r.error;
                    // A joiner's own question is its own to answer; the rest must be equal.
                    RulesState expected = own;
                    expected.pending.reset();
                    // Pressing "To begin" is the first bidder's machine's alone and tells
                    // nobody: until the first bid the others still show the button.
                    if (own.g.DealStartPending == 2 && r.state->g.DealStartPending == 1)
                        expected.g.DealStartPending = 1;
                    // So is the declarer's press that starts play: its lead tells the others.
                    if (r.state->g.GameState == GameState::ContractSet &&
                        own.g.GameState == playingState(own.g.Declarer))
                        expected.g.GameState = GameState::ContractSet;
                    ASSERT_EQ(r.state->g, expected.g)
                        << people << " people, seed " << seed << ", step " << n << ", machine "
                        << i << ", state " << own.g.GameState << " vs " << r.state->g.GameState;
                    EXPECT_EQ(*r.state, expected);
                    ++checked;
                }
                // The joiners' logs are the host's.
                for (int i = 1; i < t.size(); ++i) ASSERT_EQ(t.peer(i).log(), t.peer(0).log());
                if (!t.step()) break;
            }
            EXPECT_GT(checked, 150);
            const std::string bytes = encodeGameLog(t.peer(0).log());
            const GameLogParse back = decodeGameLog(bytes);
            ASSERT_TRUE(back.log) << back.error;
            EXPECT_EQ(*back.log, t.peer(0).log());
        }
    }
}

TEST(GameLog, DamagedBytesAreRefusedWithAReason) {
    LanTable t(3, 5);
    t.start(RuleSettings{});
    for (int n = 0; n < 60; ++n) t.step();
    const std::string good = encodeGameLog(t.peer(0).log());
    ASSERT_TRUE(decodeGameLog(good).log);
    for (std::size_t cut : {std::size_t{0}, std::size_t{10}, std::size_t{20}, good.size() - 1})
        EXPECT_FALSE(decodeGameLog(good.substr(0, cut)).log) << cut;
    EXPECT_FALSE(decodeGameLog(good + "x").log);
    std::string badMove = good;
    badMove[badMove.size() - 7] = 'Q';  // no move kind
    EXPECT_NE(decodeGameLog(badMove).error.find(": a move cannot be read"), std::string::npos);
    std::string badDeck = good;
    badDeck[21 + 1] = badDeck[21 + 5];  // a card twice
    EXPECT_FALSE(decodeGameLog(badDeck).log);
    // A readable log whose move the rules refuse is refused by the replay, naming the move.
    GameLog log = *decodeGameLog(good).log;
    log.deals[0].moves.insert(log.deals[0].moves.begin(), Move{Move::Kind::Play, 1, 1});
    const Replayed r =
        replayGame(log, NetRole::FirstJoiner, PlayerStart{"Anna"}, SeatRoles::lan(2, false));
    EXPECT_FALSE(r.state);
    EXPECT_EQ(r.error, "deal 1, move 1: the rules refuse it");
}

}  // namespace
}  // namespace orvala::lan
