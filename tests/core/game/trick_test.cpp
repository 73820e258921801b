// Trick play: follow duty on the person's clicks, marriages from the second trick on, the trick
// winner, and the end of the play.

#include <gtest/gtest.h>

#include "scripted_players.h"

namespace orvala {
namespace {

using test::Table;

// The person declares at 100 with this deal and gives 9s to seat 1 and Js to seat 2. Afterwards:
//   seat 1: 9h Jh 9d Jd Qd Kd Td 9s
//   seat 2: Ad 9c Jc Tc Ac As Ts Js
//   seat 3: Qh Kh Th Ah Qc Kc Qs Ks
Table& declareAndGive(Table& t) {
    t.driver.pressButton7();
    t.driver.pressButton7();
    t.tickWhileComputer();
    t.driver.pressButton7();
    t.driver.pressButton7();
    t.click("9s");
    t.click("Js");
    t.driver.pressButton7();
    t.driver.pressButton7();
    t.driver.pressButton7();  // play begins
    return t;
}

TEST(Tricks, MarriagesCountFromTheSecondTrickAndFollowDutyHolds) {
    Table t("9h Jh 9d Jd Qd Kd Td", "Ad 9c Jc Tc Ac As Ts", "Qh Kh Ah Th Qc Kc 9s", "Js Qs Ks",
            test::kSeat3First);
    declareAndGive(t);
    ASSERT_EQ(t.g().GameState, GameState::PersonPlays);
    t.players.plays[1] = {test::card("9h"), test::card("9s"), test::card("Td")};
    // Seat 2's As in the second trick breaks the follow duty: the driver plays a legal card.
    t.players.plays[2] = {test::card("Js"), test::card("As"), test::card("Ad")};
    t.driver.takeEvents();

    // Trick 1: the queen of hearts with its king declares nothing in the first trick.
    t.click("Qh");
    EXPECT_EQ(t.g().Trump, kNoSuit);
    EXPECT_EQ(t.g().DealPoints[3], 0);
    EXPECT_EQ(t.g().GameState, GameState::Seat1Plays);
    t.tickWhileComputer();
    EXPECT_EQ(t.g().GameState, GameState::TrickComplete);
    EXPECT_TRUE(t.driver.button7().enabled);
    EXPECT_EQ(t.g().FirstBidder, 3);
    EXPECT_EQ(t.g().DealPoints[3], 5);
    t.driver.tick();  // the trick waits for the person
    EXPECT_EQ(t.g().GameState, GameState::TrickComplete);
    t.driver.pressButton7();
    EXPECT_EQ(t.g().GameState, GameState::PersonPlays);
    EXPECT_EQ(t.g().PlayedCount, 4);
    EXPECT_EQ(t.g().TrickNumber, 2);
    t.driver.takeEvents();

    // Trick 2: the queen of clubs with its king is a marriage of 60, and clubs become trump.
    t.click("Qc");
    EXPECT_EQ(t.g().Trump, kClubs);
    EXPECT_EQ(t.g().DealPoints[3], 65);
    EXPECT_EQ(t.g().MarriageDeclared, 3);
    // The marriage shows on the leader's panel, which keeps its turn mark.
    bool markKept = false;
    for (const auto& e : t.driver.pendingEvents())
        if (const auto* p = std::get_if<ev::ShowDealPoints>(&e))
            markKept = p->seat == 3 && p->points == 65 && p->turnMark;
    EXPECT_TRUE(markKept);
    auto lines = test::described(t.driver);
    EXPECT_TRUE(test::contains(lines, "bubble 3 \"Sixty\""));
    EXPECT_TRUE(test::contains(lines, "deal-points 3 65"));
    EXPECT_TRUE(test::contains(lines, "sound WSays20 sync"));
    EXPECT_FALSE(test::contains(lines, "sound WHodsDo sync"));
    // Every hand is sorted again with clubs last.
    EXPECT_TRUE(test::contains(lines, "hand 2 [Ts As Ad 9c Jc Tc Ac]"));
    EXPECT_TRUE(test::contains(lines, "hand 3 [Kh Th Ah Qs Ks Kc]"));
    t.tickWhileComputer();
    EXPECT_EQ(toLatin(t.g().TrickCards[3]), "9c");  // seat 2 had to follow clubs
    EXPECT_EQ(t.g().FirstBidder, 3);                // Qc beats 9s (no clubs) and 9c
    EXPECT_EQ(t.g().DealPoints[3], 65 + 3);
    t.driver.pressButton7();
    // Seat 1 did not follow the led suit, which is also trump: it is known to hold no clubs.
    EXPECT_TRUE(HasCard(24, t.g().ExcludedCards[1].cards(), test::card("Ac")));

    // Trick 3: the person leads Ks holding Qs: leading the king declares nothing.
    t.click("Ks");
    EXPECT_EQ(t.g().Trump, kClubs);
    EXPECT_EQ(t.g().MarriageDeclared, 0);
    EXPECT_EQ(t.g().DealPoints[3], 68);
    t.tickWhileComputer();
    t.driver.pressButton7();

    // Play the rest out: the person always tries an illegal card first where there is one.
    while (t.g().GameState != GameState::AllPlayed) {
        ASSERT_TRUE(t.g().GameState == GameState::PersonPlays ||
                    t.g().GameState == GameState::TrickComplete ||
                    t.g().GameState == GameState::Seat1Plays ||
                    t.g().GameState == GameState::Seat2Plays)
            << t.g().GameState;
        if (t.g().GameState == GameState::PersonPlays) {
            int legal = 0, illegal = 0;
            for (int k = 1; k <= t.g().HandCount[3]; ++k) {
                if (t.driver.canPlaySlot(k) && !legal) legal = k;
                if (!t.driver.canPlaySlot(k) && !illegal) illegal = k;
            }
            ASSERT_NE(legal, 0);
            if (illegal) {
                const GameRecord before = t.g();
                t.driver.takeEvents();
                t.driver.clickHand(illegal, MouseButton::Left);
                EXPECT_EQ(t.g(), before);
                // Heard and seen: the card shakes, for a player with the sound off.
                EXPECT_EQ(test::described(t.driver),
                          (std::vector<std::string>{"sound WWrongs async",
                                                    "refuse " + std::to_string(illegal)}));
            }
            t.driver.clickHand(legal, MouseButton::Left);
        } else if (t.g().GameState == GameState::TrickComplete) {
            t.driver.pressButton7();
        } else {
            t.driver.tick();
        }
        ASSERT_EQ(checkConsistency(t.g()), std::nullopt);
    }
    for (int s = 1; s <= 3; ++s) EXPECT_EQ(t.g().HandCount[s], 0);
    EXPECT_EQ(t.g().PlayedCount, 25);
    int points = 0;
    for (int s = 1; s <= 3; ++s) points += t.g().DealPoints[s];
    EXPECT_EQ(points, 120 + 60);
    EXPECT_EQ(t.driver.helpTopic(), HelpTopic::Scoring);
    t.driver.tick();  // the next tick scores the deal without a press
    EXPECT_TRUE(t.g().GameState == GameState::DealScored || t.g().GameState == GameState::GameOver);
}

TEST(Tricks, AFollowerVoidInTheLedSuitMustTrumpAndTheOnlyTrumpWins) {
    // Seat 2 declares at 100 and gives Ks to the person and Ts to seat 1.
    Table t("9h Jh Qh Kh Th Ah 9d", "Jd Qd Kd Td Ad Qc Kc", "9c Jc Tc Ac 9s Js Qs", "Ks Ts As",
            test::kSeat2First);
    t.players.limits = {0, 0, 120, 0};
    t.players.giveCards = test::cards("Ks Ts");  // Ks to seat 3, Ts to seat 1
    t.driver.pressButton7();
    t.driver.tick();          // seat 2: 100
    t.driver.pressButton8();  // the person passes
    t.tickWhileComputer();    // seat 1 passes
    ASSERT_EQ(t.g().Declarer, 0);
    t.driver.pressButton7();
    t.driver.pressButton7();
    ASSERT_EQ(t.g().Declarer, 2);
    t.driver.pressButton7();
    t.driver.pressButton7();
    t.driver.pressButton7();
    ASSERT_EQ(t.g().GameState, GameState::Seat2Plays);
    // Trick 1 without marriage: seat 2 leads Jd; seat 3 has no diamonds and no trump: anything.
    t.players.plays[2] = {test::card("Jd"), test::card("Qc"), test::card("Ad")};
    t.players.plays[1] = {test::card("9d"), test::card("9h")};
    t.driver.tick();
    EXPECT_TRUE(t.driver.canPlaySlot(test::slotOf(t.g(), 3, "9s")));
    t.click("9s");
    t.tickWhileComputer();
    EXPECT_EQ(t.g().FirstBidder, 2);  // Jd beats 9d
    t.driver.pressButton7();
    // Trick 2: seat 2 declares clubs (60); the person holds clubs and must follow.
    t.driver.tick();
    EXPECT_EQ(t.g().Trump, kClubs);
    EXPECT_EQ(t.g().DealPoints[2], 2 + 60);
    EXPECT_FALSE(t.driver.canPlaySlot(test::slotOf(t.g(), 3, "Ks")));
    EXPECT_TRUE(t.driver.canPlaySlot(test::slotOf(t.g(), 3, "9c")));
    t.click("9c");
    t.tickWhileComputer();  // seat 1 has no clubs: hearts (9h)
    EXPECT_EQ(t.g().FirstBidder, 2);
    t.driver.pressButton7();
    // Trick 3: seat 2 leads Ad; the person has no diamonds but trumps: only clubs are legal.
    t.driver.tick();
    EXPECT_FALSE(t.driver.canPlaySlot(test::slotOf(t.g(), 3, "Qs")));
    EXPECT_TRUE(t.driver.canPlaySlot(test::slotOf(t.g(), 3, "Jc")));
    t.click("Jc");
    t.tickWhileComputer();  // seat 1, void in diamonds and clubs, plays anything
    // The only trump, played second, takes the trick from the ace.
    EXPECT_EQ(t.g().FirstBidder, 3);
    EXPECT_EQ(t.g().PrevLeader, 2);
}

}  // namespace
}  // namespace orvala
