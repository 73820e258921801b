// Whole LAN games: three machines in one process, each with its own rules state, exchanging only
// bytes through the framing and the host's relays, with autopilots and computer players choosing
// every move. Every machine must see the same scores after every deal.

#include <gtest/gtest.h>

#include "core/lan/step_message.h"
#include "lan_table.h"

namespace orvala::lan {
namespace {

using testing::LanTable;

struct Played {
    int deals = 0;
    bool over = false;
};

// Plays until the game ends or `maxDeals` deals are scored, checking the machines agree after
// every deal.
Played play(LanTable& t, int maxDeals) {
    Played p;
    int lastDeal = 0;
    for (int n = 0; n < 100000; ++n) {
        for (int i = 0; i < t.size(); ++i) {
            EXPECT_FALSE(t.peer(i).aborted()) << "machine " << i << ": " << t.peer(i).abortReason();
            if (t.peer(i).aborted()) return p;
        }
        const GameRecord& host = t.peer(0).state().g;
        const bool scored =
            host.GameState == GameState::DealScored || host.GameState == GameState::GameOver;
        if (scored && host.DealNumber != lastDeal) {
            lastDeal = host.DealNumber;
            ++p.deals;
            for (int i = 1; i < t.size(); ++i) {
                const GameRecord& g = t.peer(i).state().g;
                EXPECT_EQ(g.GameState, host.GameState) << "machine " << i;
                EXPECT_EQ(g.DealNumber, host.DealNumber);
                EXPECT_EQ(checkConsistency(g), std::nullopt);
                for (int h = 1; h <= 3; ++h)
                    EXPECT_EQ(t.score(i, h), t.score(0, h))
                        << "deal " << host.DealNumber << ", machine " << i << ", host seat " << h;
            }
            if (host.GameState == GameState::GameOver) {
                p.over = true;
                return p;
            }
            if (p.deals >= maxDeals) return p;
        }
        if (!t.step()) {
            ADD_FAILURE() << "nobody can act in state " << host.GameState;
            return p;
        }
    }
    ADD_FAILURE() << "the game did not end";
    return p;
}

TEST(LanGame, WholeGamesAgreeOnEveryMachine) {
    // Random players may keep a game going for hundreds of deals; enough of them end.
    int ended[4] = {};
    for (const char* line : {"011111", "111201", "000300"}) {
        for (int people : {2, 3}) {
            for (unsigned seed : {1u, 2u, 3u}) {
                SCOPED_TRACE(std::string(line) + ", people " + std::to_string(people) + ", seed " +
                             std::to_string(seed));
                LanTable t(people, seed);
                ASSERT_EQ(t.peer(0).session().joinedCount, people - 2);
                t.start(*parseRuleLine(line));
                // The joiners took the host's rules with the first deal.
                for (int i = 1; i < t.size(); ++i)
                    EXPECT_EQ(t.peer(i).state().rules, *parseRuleLine(line));
                const Played p = play(t, 300);
                EXPECT_TRUE(p.over || p.deals == 300);
                ended[people] += p.over;
            }
        }
    }
    EXPECT_GE(ended[2], 3);
    EXPECT_GE(ended[3], 3);
}

TEST(LanGame, ComputerPlayersKeepInStep) {
    for (int people : {2, 3}) {
        LanTable t(people, 11, true);
        t.start(RuleSettings{});
        const Played p = play(t, 4);
        EXPECT_EQ(p.deals, 4);
    }
}

TEST(LanGame, AStepTheRulesRefuseEndsTheSessionAndChangesNothing) {
    LanTable t(3, 5);
    t.start(RuleSettings{});
    const RulesState before = t.peer(0).state();
    // The first joiner "bids" 300 whenever: the host's rules refuse it.
    const std::string bid = stepMessage(2, bidBody(1, SeatField{'p', 300}, BidHandOff{}), '1');
    t.peer(0).receive(0, bid);
    EXPECT_TRUE(t.peer(0).aborted());
    EXPECT_EQ(t.peer(0).abortReason(), "the rules refuse the step");
    EXPECT_EQ(t.peer(0).state(), before);
    // The host tells both joiners, which end their sessions too.
    t.pump();
    EXPECT_TRUE(t.peer(1).aborted());
    EXPECT_TRUE(t.peer(2).aborted());
}

TEST(LanGame, StepsUnderAnotherNameOrGarbageEndTheSession) {
    {
        LanTable t(3, 6);
        t.start(RuleSettings{});
        // The second joiner's digit on the first joiner's connection.
        t.peer(0).receive(0, stepMessage(3, collectBody(), '1'));
        EXPECT_TRUE(t.peer(0).aborted());
    }
    {
        LanTable t(2, 6);
        t.start(RuleSettings{});
        const RulesState before = t.peer(1).state();
        t.peer(1).receive(kToHost, "GET / HTTP/1.1\r\n");
        EXPECT_TRUE(t.peer(1).aborted());
        EXPECT_EQ(t.peer(1).state(), before);
    }
    {
        // A joiner may not act for the other joiner's seat, even where the rules would take it.
        LanTable t(3, 8);
        t.start(RuleSettings{});
        while (t.peer(0).state().g.DealStartPending == 1 ||
               t.peer(0).state().g.GameState != GameState::Seat2Bids)
            ASSERT_TRUE(t.step());
        const int bid = t.peer(0).state().g.CurrentBid + 5;
        t.peer(0).receive(0, stepMessage(2, bidBody(2, SeatField{'p', bid}, BidHandOff{}), '1'));
        EXPECT_TRUE(t.peer(0).aborted());
        EXPECT_EQ(t.peer(0).abortReason(), "the sender does not act for that seat");
    }
}

}  // namespace
}  // namespace orvala::lan
