// The rules as a value: questions the rules wait on, the one answer to "may this happen now?",
// seat roles, and moves made at other machines.

#include <gtest/gtest.h>

#include "core/game/shuffle.h"
#include "scripted_players.h"

namespace orvala {
namespace {

// A rules state with a game dealt from a seeded shuffle, waiting for its first press.
RulesState dealt(const SeatRoles& roles, int dealNumberBefore = 0, std::uint64_t seed = 5) {
    RulesState s;
    s.roles = roles;
    apply(s, in::NewGame{PlayerStart{"Ann", 0, 0}});
    s.g.DealNumber += dealNumberBefore;
    SeededRandom random(seed);
    apply(s, in::DeckAnswer{Shuffle(random)});
    return s;
}

TEST(RulesState, QuestionsAreWaitingStatesAndOnlyTheirAnswerFits) {
    RulesState s;
    const auto shown = apply(s, in::NewGame{});
    ASSERT_EQ(s.pending, (Question{Question::Kind::Deck, 0}));
    EXPECT_FALSE(shown.empty());  // the table is cleared before the cards come
    // An answer must be a whole deck: a repeated card is refused and changes nothing.
    SeededRandom random(1);
    in::DeckAnswer bad{Shuffle(random)};
    bad.deck[24] = bad.deck[1];
    const RulesState before = s;
    EXPECT_FALSE(accepts(s, bad));
    EXPECT_TRUE(apply(s, bad).empty());
    EXPECT_EQ(s, before);
    // Nothing but the answer moves the game on while it waits.
    EXPECT_FALSE(accepts(s, in::PressButton7{}));
    EXPECT_FALSE(accepts(s, in::Tick{}));
    EXPECT_TRUE(accepts(s, in::ExitToMenu{}));

    apply(s, in::DeckAnswer{Shuffle(random)});
    EXPECT_FALSE(s.pending);
    EXPECT_EQ(s.g.DealStartPending, 1);
    // "To Begin": the computers are asked their limits, seat 1 then seat 2, and may not move
    // before both answered.
    apply(s, in::PressButton7{});
    EXPECT_EQ(s.pending, (Question{Question::Kind::BidLimit, 1}));
    EXPECT_FALSE(accepts(s, in::BidLimitAnswer{2, 120}));
    EXPECT_FALSE(button7(s).enabled);
    apply(s, in::BidLimitAnswer{1, 110});
    EXPECT_EQ(s.pending, (Question{Question::Kind::BidLimit, 2}));
    apply(s, in::BidLimitAnswer{2, 0});
    EXPECT_FALSE(s.pending);
    EXPECT_EQ(s.g.BidLimit, (PerSeat<int>{0, 110, 0, 0}));
    // A copy answers the same questions the same way: the state is a plain value.
    RulesState copy = s;
    if (accepts(s, in::Tick{})) {
        EXPECT_EQ(apply(copy, in::Tick{}).size(), apply(s, in::Tick{}).size());
        EXPECT_EQ(copy, s);
    }
}

TEST(RulesState, TheFirstBidderFollowsEachMachinesPlaceAtTheTable) {
    // Deal count 1, 2, 3: the host's seat 1, 2, 3; the first joiner's 3, 1, 2; the second
    // joiner's 2, 3, 1 — the same person in every machine's own numbering.
    const int expected[3][3] = {{1, 2, 3}, {3, 1, 2}, {2, 3, 1}};
    for (int place = 1; place <= 3; ++place)
        for (int deal = 1; deal <= 3; ++deal)
            EXPECT_EQ(firstBidderOf(SeatRoles::lan(place, false), 7, deal),
                      expected[place - 1][deal - 1])
                << "place " << place << " deal " << deal;
    // Against the computer the player's game counter turns it too.
    EXPECT_EQ(firstBidderOf(SeatRoles::againstComputer(), 3, 1), 1);
    EXPECT_EQ(firstBidderOf(SeatRoles::againstComputer(), 4, 1), 2);
    // The tournament seat stands in for the place.
    EXPECT_EQ(firstBidderOf(SeatRoles::tournamentSeat(2), 0, 1), 3);
}

TEST(RulesState, OnlyTheMachineThatActsMayBeginAndOnlyTheDealerStartsTheNextRound) {
    // Deal 1: the host's seat 1 (the first joiner) bids first.
    RulesState host = dealt(SeatRoles::lan(1, true));
    ASSERT_EQ(host.g.FirstBidder, 1);
    EXPECT_FALSE(button7(host).enabled);
    EXPECT_FALSE(accepts(host, in::PressButton7{}));
    // On the joiner the same deal starts with its own seat 3.
    RulesState joiner = dealt(SeatRoles::lan(2, true));
    ASSERT_EQ(joiner.g.FirstBidder, 3);
    EXPECT_TRUE(button7(joiner).enabled);
    // Deal 2 opens with the host's computer seat: the host begins for it.
    RulesState host2 = dealt(SeatRoles::lan(1, true), 1);
    ASSERT_EQ(host2.g.FirstBidder, 2);
    EXPECT_TRUE(button7(host2).enabled);
    // In a network game the timer moves nobody; nobody is asked for a bid limit.
    apply(host2, in::PressButton7{});
    EXPECT_FALSE(host2.pending);
    EXPECT_FALSE(accepts(host2, in::Tick{}));

    // After a give-up and after a scored deal only the dealing machine offers "Next Round".
    for (const SeatRoles& roles : {SeatRoles::lan(1, false), SeatRoles::lan(2, false),
                                   SeatRoles::tournamentSeat(1), SeatRoles::tournamentSeat(3)}) {
        RulesState s = dealt(roles);
        s.g.GameState = GameState::DealScored;
        s.g.DealStartPending = 2;
        EXPECT_EQ(button7(s).enabled, roles.startsRounds);
        EXPECT_EQ(accepts(s, in::SeatAction{in::SeatAction::Kind::NextRound, 1}),
                  !roles.startsRounds);
    }
    EXPECT_TRUE(SeatRoles::lan(1, false).startsRounds);
    EXPECT_FALSE(SeatRoles::tournamentSeat(2).startsRounds);
    // Only a LAN game's host counts as one (the game report's "Games played Net").
    EXPECT_TRUE(SeatRoles::lan(1, false).lanHost());
    EXPECT_TRUE(SeatRoles::lan(1, true).lanHost());
    EXPECT_FALSE(SeatRoles::lan(2, true).lanHost());
    EXPECT_FALSE(SeatRoles::tournamentSeat(1).lanHost());
    EXPECT_FALSE(SeatRoles::againstComputer().lanHost());
}

TEST(RulesState, MovesFromElsewhereAreRefereedByTheSameRules) {
    // Deal 2 on the first joiner: its seat 1 (the host's computer seat, played elsewhere)
    // opens.
    RulesState s = dealt(SeatRoles::lan(2, true), 1);
    ASSERT_EQ(s.g.FirstBidder, 1);
    using K = in::SeatAction::Kind;
    // The opening bidder may not pass, may not jump, and may not act for the person's seat.
    EXPECT_FALSE(accepts(s, in::SeatAction{K::Pass, 1}));
    EXPECT_FALSE(accepts(s, in::SeatAction{K::Bid, 1, 105}));
    EXPECT_FALSE(accepts(s, in::SeatAction{K::Bid, 3, 100}));
    EXPECT_FALSE(accepts(s, in::SeatAction{K::Play, 1, 1}));
    const auto shown = apply(s, in::SeatAction{K::Bid, 1, 100});
    EXPECT_EQ(s.g.CurrentBid, 100);
    EXPECT_EQ(s.g.DealStartPending, 2);
    EXPECT_EQ(s.g.GameState, GameState::Seat2Bids);
    EXPECT_FALSE(shown.empty());
    // Seat 2 passes; the person bids 105 with the button, seat 1 passes: the person declares.
    apply(s, in::SeatAction{K::Pass, 2});
    ASSERT_EQ(s.g.GameState, GameState::PersonBids);
    apply(s, in::PressButton7{});
    apply(s, in::SeatAction{K::Pass, 1});
    ASSERT_EQ(s.g.GameState, GameState::AuctionOver);
    // The declarer's own steps are pressed here, never arrive from elsewhere.
    EXPECT_FALSE(accepts(s, in::SeatAction{K::OpenTalon, 3}));
    EXPECT_TRUE(accepts(s, in::PressButton7{}));

    // On the host, the computer seat it stands for begins here, but its bid may come from the
    // machine before it in turn.
    RulesState host = dealt(SeatRoles::lan(1, true), 1);
    ASSERT_EQ(host.g.FirstBidder, 2);
    apply(host, in::PressButton7{});
    EXPECT_TRUE(accepts(host, in::SeatAction{K::Bid, 2, 100}));
    EXPECT_FALSE(accepts(host, in::SeatAction{K::Bid, 3, 100}));  // never for the person's seat
}

TEST(RulesState, ARemoteCardMustFollowSuit) {
    RulesState s = dealt(SeatRoles::lan(2, false));
    // Put a trick in play by hand: seat 1 to play second to a led heart.
    s.g.GameState = GameState::Seat1Plays;
    s.g.DealStartPending = 2;
    s.g.LeadSuit = kHearts;
    s.g.TrickPos = 2;
    s.g.TrickCards[1] = Card{kAce, kHearts};
    s.g.Hand[1] = HandArray{};
    s.g.Hand[1][1] = Card{kNine, kSpades};
    s.g.Hand[1][2] = Card{kKing, kHearts};
    s.g.HandCount[1] = 2;
    using K = in::SeatAction::Kind;
    EXPECT_FALSE(accepts(s, in::SeatAction{K::Play, 1, 1}));  // a spade while holding a heart
    EXPECT_FALSE(accepts(s, in::SeatAction{K::Play, 1, 3}));  // no such card
    EXPECT_TRUE(accepts(s, in::SeatAction{K::Play, 1, 2}));
}

}  // namespace
}  // namespace orvala
