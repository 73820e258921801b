// Whole LAN games: three machines in one process, each with its own rules state, exchanging only
// bytes through the framing and the host's relays, with autopilots and computer players choosing
// every move. Every machine must see the same scores after every deal.

#include <gtest/gtest.h>

#include "core/lan/apply_step.h"
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
        // A complete trick waits for its winner's machine alone (the host's for the computer).
        if (host.GameState == GameState::TrickComplete) {
            int enabled = 0;
            for (int i = 0; i < t.size(); ++i) enabled += button7(t.peer(i).state()).enabled;
            EXPECT_EQ(enabled, 1);
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

TEST(LanGame, TheComputerSeatIsPlayedByTheMachineBeforeIt) {
    LanTable t(2, 4);
    t.start(RuleSettings{});
    play(t, 12);
    int hostComputerCards = 0, joinerComputerCards = 0, joinerComputerBids = 0, deal = 0;
    bool firstStepOfDeal = false;
    for (const auto& m : t.traffic) {
        EXPECT_LE(m.to, 1);
        if (m.bytes[0] == 'b') {
            ++deal;
            firstStepOfDeal = true;
        }
        if (m.bytes[0] != 'h') continue;
        EXPECT_NE(m.bytes[37], '3') << "no relays with one joiner";
        if (m.from == 0 && m.bytes[33] == '1') ++hostComputerCards;
        if (m.from == 1 && m.bytes[33] == '2') ++joinerComputerCards;
        if (m.from == 1 && (m.bytes[13] == 'p' || m.bytes[13] == 'a')) ++joinerComputerBids;
        // In every second deal of three the computer seat opens: the host bids 100 for it.
        if (m.to == 1 && firstStepOfDeal && deal % 3 == 2) {
            EXPECT_EQ(m.bytes.substr(2, 35), "iiiiiiip100i###i###iiiiiiiiiiiiiiii")
                << "deal " << deal;
        }
        if (m.to == 1) firstStepOfDeal = false;
    }
    EXPECT_GT(hostComputerCards, 0);
    EXPECT_GT(joinerComputerCards, 0);
    EXPECT_GT(joinerComputerBids, 0);
}

// Every step the host receives, applied again to the host's state before it, gives the same
// state; with a driver state or next bid that does not fit, it is refused and changes nothing.
TEST(LanGame, StepsWhoseHandOffDoesNotFitAreRefused) {
    LanTable t(3, 12);
    t.start(RuleSettings{});
    int checked = 0, handOffs = 0;
    for (int n = 0; n < 3000 && !t.peer(0).gameOver(); ++n) {
        RulesState before = t.peer(0).state();
        bool replayed = false;
        const std::size_t seen = t.traffic.size();
        ASSERT_TRUE(t.step());
        if (t.peer(0).state().g.DealNumber != before.g.DealNumber) continue;
        for (std::size_t k = seen; k < t.traffic.size(); ++k) {
            const std::string& m = t.traffic[k].bytes;
            if (t.traffic[k].to != 0 || m[0] != 'h' || m[37] != '1') continue;
            StepParse p = parseStep(m);
            ASSERT_TRUE(p.step) << p.error;
            RulesState again = before;
            ASSERT_TRUE(ApplyStep(again, *p.step, t.peer(0).session()).ok) << m;
            ++checked;
            if (p.step->driverState) {
                ++handOffs;
                StepFields wrong = *p.step;
                wrong.driverState = *wrong.driverState == 13 ? 14 : 13;
                RulesState copy = before;
                const Applied a = ApplyStep(copy, wrong, t.peer(0).session());
                EXPECT_EQ(a.error, "the machines are out of step") << m;
                EXPECT_EQ(copy, before);
            }
            if (p.step->nextBid) {
                StepFields wrong = *p.step;
                *wrong.nextBid += 5;
                RulesState copy = before;
                EXPECT_FALSE(ApplyStep(copy, wrong, t.peer(0).session()).ok) << m;
            }
            before = again;
            replayed = true;
        }
        // Only a joiner acted: the host's state is the replayed one.
        if (replayed) {
            EXPECT_EQ(before, t.peer(0).state());
        }
    }
    EXPECT_GT(checked, 100);
    EXPECT_GT(handOffs, 20);
}

TEST(LanGame, TheHostWaitsForTheFirstJoinersRelayCopy) {
    LanTable t(3, 21);
    t.start(RuleSettings{});
    // Play on until the first joiner bids with the second joiner out: the host is next.
    bool found = false;
    for (int n = 0; n < 5000 && !found; ++n) {
        const GameRecord& h = t.peer(0).state().g;
        found = h.DealStartPending != 1 && h.GameState == GameState::Seat1Bids && !h.InBid[2] &&
                h.InBid[3];
        if (!found) {
            ASSERT_TRUE(t.step());
        }
    }
    ASSERT_TRUE(found);
    ASSERT_TRUE(t.peer(1).autoplay(t.machine(1).pilot));
    const std::vector<Send> out = t.peer(1).takeOutgoing();
    ASSERT_EQ(out.size(), 2u);
    t.peer(0).receive(0, out[0].bytes);
    EXPECT_TRUE(t.peer(0).awaitingRelay());
    EXPECT_FALSE(t.peer(0).autoplay(t.machine(0).pilot));
    EXPECT_TRUE(t.peer(0).takeOutgoing().empty());
    t.peer(0).receive(0, out[1].bytes);
    EXPECT_FALSE(t.peer(0).awaitingRelay());
    EXPECT_EQ(t.peer(0).takeOutgoing(), (std::vector<Send>{{1, out[1].bytes}}));
    t.peer(2).receive(kToHost, out[1].bytes);
    EXPECT_TRUE(t.peer(0).autoplay(t.machine(0).pilot));
    t.pump();
    EXPECT_EQ(play(t, 2).deals, 2);
}

TEST(LanGame, ChatReachesEveryoneThroughTheHost) {
    LanTable t(3, 2);
    t.start(RuleSettings{});
    t.peer(0).chat("Good luck");
    t.pump();
    t.peer(2).chat("Thanks!");
    t.pump();
    const std::vector<ChatLine> all{{1, "Good luck"}, {3, "Thanks!"}};
    for (int i = 0; i < 3; ++i) EXPECT_EQ(t.peer(i).chatLines(), all) << "machine " << i;

    LanTable two(2, 2);
    two.peer(1).chat("Hi");
    two.pump();
    EXPECT_EQ(two.peer(0).chatLines(), (std::vector<ChatLine>{{2, "Hi"}}));
}

TEST(LanGame, AJoinerIgnoresStepsMeantForTheHost) {
    LanTable t(2, 3);
    t.start(RuleSettings{});
    const RulesState before = t.peer(1).state();
    t.peer(1).receive(kToHost, stepMessage(1, bidBody(2, SeatField{'p', 300}, {}), '1'));
    EXPECT_FALSE(t.peer(1).aborted());
    EXPECT_EQ(t.peer(1).state(), before);
}

TEST(LanGame, NewcomersAfterTheFirstDealKeepWaiting) {
    LanTable t(2, 3);
    t.start(RuleSettings{});
    t.peer(0).receive(1, joinRequest("Late"));
    EXPECT_TRUE(t.peer(0).takeOutgoing().empty());
    EXPECT_EQ(t.peer(0).session().joinedCount, 0);
    EXPECT_FALSE(t.peer(0).aborted());
}

}  // namespace
}  // namespace orvala::lan
