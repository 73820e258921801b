// The computer's card choice: the first-trick table, the layouts it draws, the time cap, the
// progress it reports, and whole games played by computer players through the round driver.

#include <gtest/gtest.h>

#include <sstream>

#include "core/ai/card_choice.h"
#include "core/ai/computer_players.h"
#include "core/ai/layout_sampler.h"
#include "core/ai/opening_lead.h"
#include "core/cards/hand_sort.h"
#include "core/game/autopilot.h"
#include "core/game/follow_rules.h"
#include "core/game/knowledge.h"
#include "core/game/random_players.h"
#include "core/game/scoring_rules.h"

namespace orvala {
namespace {

HandArray hand(const std::string& names, SuitCode trump = kNoSuit) {
    HandArray h;
    std::istringstream in(names);
    std::string name;
    int i = 0;
    while (in >> name) h[++i] = parseCard(name).value_or(EmptyCard);
    SortHand(h, trump);
    return h;
}

int slotOf(const HandArray& h, const std::string& name) {
    return IndexOfCard(kHandSlots, *parseCard(name), h.cards());
}

std::array<Card, 4> trick(const std::string& a, const std::string& b = "") {
    std::array<Card, 4> t{};
    t[1] = *parseCard(a);
    if (!b.empty()) t[2] = *parseCard(b);
    return t;
}

TEST(OpeningLead, FollowsTheTable) {
    // Leading: the first ace in slot order (no trump: hearts, clubs, diamonds, spades).
    HandArray h = hand("9h Kh Ac Ad 9s Js Qs Ts");
    EXPECT_EQ(OpeningLeadChoice(h, 8, {}, 1), slotOf(h, "Ac"));
    // No ace: the preferred low lead; {9} comes first, so the lone nine of diamonds.
    h = hand("Jh Qh Kh 9c Jc 9d Ks Qs");
    EXPECT_EQ(OpeningLeadChoice(h, 8, {}, 1), slotOf(h, "9d"));
    // Void in the led suit: the preferred low lead, here the lone jack of clubs before {9,J}.
    h = hand("9h Jh Jc Qd Kd Td Ad 9s");
    EXPECT_EQ(OpeningLeadChoice(h, 8, trick("Ks"), 2), slotOf(h, "9s"));
    h = hand("9h Jh Jc Qd Kd Td Ad Ah");
    EXPECT_EQ(OpeningLeadChoice(h, 8, trick("Ks"), 2), slotOf(h, "Jc"));
    // Ace led against queen-king-ten: the ten when the seat holds another ace.
    h = hand("Qs Ks Ts Ah 9c Jc 9d Jd");
    EXPECT_EQ(OpeningLeadChoice(h, 8, trick("As"), 2), slotOf(h, "Ts"));
    h = hand("Qs Ks Ts 9h 9c Jc 9d Jd");
    EXPECT_EQ(OpeningLeadChoice(h, 8, trick("As"), 3), slotOf(h, "Qs"));
    // Second to a ten: the ace; to a king without the ace: the ten.
    h = hand("9h Th Ah Jc Qc 9d Jd Qd");
    EXPECT_EQ(OpeningLeadChoice(h, 8, trick("Kh"), 2), slotOf(h, "Ah"));
    h = hand("9h Th Jh Jc Qc 9d Jd Qd");
    EXPECT_EQ(OpeningLeadChoice(h, 8, trick("Kh"), 2), slotOf(h, "Th"));
    // Second to a nine: the highest.
    EXPECT_EQ(OpeningLeadChoice(h, 8, trick("9d"), 2), slotOf(h, "Qd"));
    // Third: beat the table with the highest only if it beats it.
    EXPECT_EQ(OpeningLeadChoice(h, 8, trick("Kd", "Ad"), 3), slotOf(h, "9d"));
    EXPECT_EQ(OpeningLeadChoice(h, 8, trick("9h", "Jh"), 3), slotOf(h, "Th"));
}

TEST(OpeningLead, QueenLedSecondHand) {
    // Ace and king, no ten, no marriage anywhere: the king.
    HandArray h = hand("Ah Kh 9c Jc 9d Jd 9s Js");
    EXPECT_EQ(OpeningLeadChoice(h, 8, trick("Qh"), 2), slotOf(h, "Kh"));
    // The same with a marriage elsewhere: the ace.
    h = hand("Ah Kh Qc Kc 9d Jd 9s Js");
    EXPECT_EQ(OpeningLeadChoice(h, 8, trick("Qh"), 2), slotOf(h, "Ah"));
    // Ace, king and ten: the ace. Ten and king: the king. Ten alone: the ten.
    h = hand("Ah Kh Th Jc 9d Jd 9s Js");
    EXPECT_EQ(OpeningLeadChoice(h, 8, trick("Qh"), 2), slotOf(h, "Ah"));
    h = hand("9h Kh Th Jc 9d Jd 9s Js");
    EXPECT_EQ(OpeningLeadChoice(h, 8, trick("Qh"), 2), slotOf(h, "Kh"));
    h = hand("9h Jh Th Jc 9d Jd 9s Js");
    EXPECT_EQ(OpeningLeadChoice(h, 8, trick("Qh"), 2), slotOf(h, "Th"));
    h = hand("9h Jh Ac Jc 9d Jd 9s Js");
    EXPECT_EQ(OpeningLeadChoice(h, 8, trick("Qh"), 2), slotOf(h, "9h"));
}

TEST(OpeningLead, LowLeadFallsBackToTheLowestRank) {
    // Every suit {K,10,A}-like and not in the list: {Q,K} is not listed, nor {K,T}.
    const HandArray h = hand("Qh Kh Kc Tc Qd Kd Ks Ts");
    EXPECT_EQ(LowLeadPreference(h, 8), slotOf(h, "Qh"));
}

// A game record in trick play, built by playing a seeded game with random players up to the
// first time `seat` is to play with `cards` cards in hand.
struct Scene {
    SeededRandom deck{0};
    SeededRandom play{0};
    RandomPlayers players{play};
    AutoPilot pilot{players};
    RoundDriver driver{pilot, deck};
};

// Steps a seeded game until a computer seat (1 or 2) is to play with `cards` in hand; false if
// the deal ended first.
bool stepTo(Scene& s, int cards, std::uint64_t seed) {
    s.deck = SeededRandom(seed);
    s.play = SeededRandom(seed * 7 + 1);
    s.driver.startNewGame({});
    for (int steps = 0; steps < 400; ++steps) {
        const GameRecord& g = s.driver.record();
        if ((g.GameState == GameState::Seat1Plays || g.GameState == GameState::Seat2Plays) && g.HandCount[seatToPlay(g.GameState)] == cards)
            return true;
        if (!s.pilot.step(s.driver)) return false;
    }
    return false;
}

TEST(LayoutSampler, EveryLayoutAgreesWithTheKnowledge) {
    int decisions = 0, forced = 0;
    for (std::uint64_t seed = 1; seed <= 60; ++seed)
        for (int cards = 2; cards <= 7; ++cards) {
            Scene s;
            if (!stepTo(s, cards, seed * 11 + static_cast<std::uint64_t>(cards))) continue;
            const GameRecord& g = s.driver.record();
            const int seat = seatToPlay(g.GameState);
            const LayoutKnowledge k = BuildLayoutKnowledge(g, seat);
            ASSERT_TRUE(k.consistent) << "seed " << seed;
            // The real hands must be one of the possible layouts.
            for (int i = 0; i < k.knownNextCount; ++i)
                ASSERT_TRUE(
                    HasCard(8, g.Hand[k.next].cards(), k.knownNext[static_cast<size_t>(i)]));
            forced += k.knownNextCount + k.knownPreviousCount;
            ++decisions;
            SeededRandom draw(seed);
            for (int n = 0; n < 200; ++n) {
                Layout l = SampleLayout(k, draw, g.Trump);
                const int nNext = SortHand(l.next, g.Trump);
                const int nPrev = SortHand(l.previous, g.Trump);
                ASSERT_EQ(nNext, g.HandCount[k.next]);
                ASSERT_EQ(nPrev, g.HandCount[k.previous]);
                for (int i = 1; i <= nNext; ++i) {
                    ASSERT_FALSE(HasCard(24, g.ExcludedCards[k.next].cards(), l.next[i]));
                    ASSERT_FALSE(HasCard(8, l.previous.cards(), l.next[i]));
                }
                for (int i = 1; i <= nPrev; ++i)
                    ASSERT_FALSE(HasCard(24, g.ExcludedCards[k.previous].cards(), l.previous[i]));
                for (int opp : {k.next, k.previous}) {
                    const HandArray& drawn = opp == k.next ? l.next : l.previous;
                    for (int i = 1; i <= 3; ++i) {
                        if (g.KnownCards[opp][i].isEmpty()) continue;
                        ASSERT_TRUE(HasCard(8, drawn.cards(), g.KnownCards[opp][i]));
                    }
                }
                // Together the two hands are exactly the cards the opponents really hold.
                for (int opp : {k.next, k.previous}) {
                    for (int i = 1; i <= g.HandCount[opp]; ++i) {
                        const Card c = g.Hand[opp][i];
                        ASSERT_TRUE(HasCard(8, l.next.cards(), c) ||
                                    HasCard(8, l.previous.cards(), c));
                    }
                }
            }
        }
    EXPECT_GT(decisions, 200);
    EXPECT_GT(forced, 50);  // known and forced cards did occur
}

TEST(LayoutSampler, ForcedCardsGoToTheOnlyPossibleHand) {
    // Seat 1 to play; seat 3 (previous) has shown a void in hearts, so every heart seat 1 does
    // not hold is in seat 2's hand.
    GameRecord g;
    g.Hand[1] = hand("Ah Ac Ad");
    g.Hand[2] = hand("9h Jh Kc");
    g.Hand[3] = hand("9s Js Qs");
    g.HandCount = {0, 3, 3, 3};
    for (int r = 1; r <= 6; ++r) AddUnique(makeCard(r, 1), g.ExcludedCards[3]);
    // Everything already played is excluded for all.
    for (Card c : referenceDeck()) {
        bool live = false;
        for (int s = 1; s <= 3; ++s) live = live || HasCard(8, g.Hand[s].cards(), c);
        if (!live)
            for (int s = 1; s <= 3; ++s) AddUnique(c, g.ExcludedCards[s]);
    }
    const LayoutKnowledge k = BuildLayoutKnowledge(g, 1);
    ASSERT_TRUE(k.consistent);
    EXPECT_EQ(k.knownNextCount, 2);  // 9h and Jh
    EXPECT_EQ(k.poolSize, 4);        // Kc 9s Js Qs
    SeededRandom r(3);
    for (int n = 0; n < 50; ++n) {
        const Layout l = SampleLayout(k, r, kNoSuit);
        EXPECT_TRUE(HasCard(8, l.next.cards(), *parseCard("9h")));
        EXPECT_TRUE(HasCard(8, l.next.cards(), *parseCard("Jh")));
    }
}

// A random source that counts its draws.
class CountingRandom final : public RandomSource {
  public:
    explicit CountingRandom(std::uint64_t seed) : inner_(seed) {}
    int uniform(int lo, int hi) override {
        ++draws;
        return inner_.uniform(lo, hi);
    }
    void reseed() override { ++reseeds; }
    int draws = 0;
    int reseeds = 0;

  private:
    SeededRandom inner_;
};

TEST(CardChoice, OneCardAndTheFirstTrickDrawNoLayout) {
    Scene s;
    ASSERT_TRUE(stepTo(s, 8, 21));
    CountingRandom r(1);
    SearchMemo memo(10);
    CardChoiceStats st;
    const GameRecord& g = s.driver.record();
    const int seat = seatToPlay(g.GameState);
    ChooseComputerCard(g, seat, r, memo, {}, &st);
    EXPECT_FALSE(st.searched);
    GameRecord one = g;
    one.HandCount[seat] = 1;
    std::vector<ThinkingProgress> seen;
    CardChoiceOptions o;
    o.progress = [&](const ThinkingProgress& p) { seen.push_back(p); };
    EXPECT_EQ(ChooseComputerCard(one, seat, r, memo, o, &st), 1);
    EXPECT_EQ(r.draws, 0);
    EXPECT_EQ(r.reseeds, 0);
    ASSERT_FALSE(seen.empty());
    EXPECT_TRUE(seen.back().finished);
}

TEST(CardChoice, ReproducibleWithASeedAndReportsProgress) {
    for (int cards = 2; cards <= 7; ++cards) {
        Scene s;
        ASSERT_TRUE(stepTo(s, cards, 40 + static_cast<std::uint64_t>(cards)));
        const GameRecord& g = s.driver.record();
        const int seat = seatToPlay(g.GameState);
        CountingRandom a(77), b(77);
        SearchMemo m1(12), m2(16);
        std::vector<ThinkingProgress> seen;
        CardChoiceOptions o;
        o.progress = [&](const ThinkingProgress& p) { seen.push_back(p); };
        CardChoiceStats st;
        const int first = ChooseComputerCard(g, seat, a, m1, o, &st);
        EXPECT_EQ(first, ChooseComputerCard(g, seat, b, m2, {}));
        EXPECT_EQ(a.reseeds, SampleCount(cards));
        EXPECT_EQ(st.layouts, SampleCount(cards));
        // Legal by the game's own rule.
        const SuitCode lead = g.TrickPos > 1 ? g.TrickCards[1].suit : kNoSuit;
        EXPECT_FALSE(
            IsIllegalPlay(g.Hand[seat], g.HandCount[seat], g.Hand[seat][first], lead, g.Trump));
        // Before the first layout, one report per layout, and the end.
        ASSERT_EQ(seen.size(), static_cast<size_t>(SampleCount(cards) + 2));
        EXPECT_EQ(seen[1].layout, 1);
        EXPECT_EQ(seen[seen.size() - 2].percent, 100);
        EXPECT_EQ(seen.front().busyCursor, cards > 3);
        EXPECT_TRUE(seen.back().finished);
    }
}

TEST(CardChoice, TheLayoutThatCrossesTheTimeCapDoesNotCount) {
    Scene s;
    ASSERT_TRUE(stepTo(s, 4, 5));
    const GameRecord& g = s.driver.record();
    const int seat = seatToPlay(g.GameState);
    // A clock that moves 4 seconds at every reading: start 0, layout 1 ends at 4 s, layout 2 at
    // 8 s, layout 3 at 12 s, past the cap.
    auto t = std::chrono::steady_clock::time_point{};
    CardChoiceOptions o;
    o.clock = [&] {
        auto now = t;
        t += std::chrono::seconds(4);
        return now;
    };
    SeededRandom r1(8), r2(8);
    SearchMemo memo(12);
    CardChoiceStats st;
    const int capped = ChooseComputerCard(g, seat, r1, memo, o, &st);
    EXPECT_TRUE(st.timedOut);
    EXPECT_EQ(st.layouts, 2);
    // The same as a choice made from exactly those two layouts.
    CardChoiceOptions two;
    two.sampleCounts[4] = 2;
    EXPECT_EQ(capped, ChooseComputerCard(g, seat, r2, memo, two));
}

TEST(CardChoice, EqualTotalsPlayTheLowerSlot) {
    // Seat 1 leads with two spades that nobody else can hold: either order takes both tricks.
    GameRecord g;
    g.GameState = GameState::Seat1Plays;
    g.Hand[1] = hand("9s Js");
    g.Hand[2] = hand("9h Ah");
    g.Hand[3] = hand("Jh Th");
    g.HandCount = {0, 2, 2, 2};
    g.TrickPos = 1;
    g.FirstBidder = 1;
    g.Declarer = 2;
    g.Contract = 100;
    g.DealPoints = {0, 60, 20, 10};
    for (int s = 2; s <= 3; ++s)
        for (int r = 1; r <= 6; ++r) AddUnique(makeCard(r, 4), g.ExcludedCards[s]);
    for (Card c : referenceDeck()) {
        bool live = false;
        for (int s = 1; s <= 3; ++s) live = live || HasCard(8, g.Hand[s].cards(), c);
        if (!live)
            for (int s = 1; s <= 3; ++s) AddUnique(c, g.ExcludedCards[s]);
    }
    SeededRandom r(2);
    SearchMemo memo(10);
    EXPECT_EQ(ChooseComputerCard(g, 1, r, memo, {}), 1);
}

// Whole games between three computer players, seat 3 through the autopilot: every card legal,
// the record consistent after every step, 120 card points in every played deal and the scores
// settled by the rules.
TEST(ComputerPlayers, PlayWholeGamesThroughTheDriver) {
    class Checked final : public PlayersPort {
      public:
        explicit Checked(PlayersPort& inner) : inner_(inner) {}
        int ComputerBidLimit(const GameRecord& g, const RuleSettings& r, int seat) override {
            return inner_.ComputerBidLimit(g, r, seat);
        }
        GiveChoice ChooseCardsToGive(const GameRecord& g, const RuleSettings& r,
                                     int seat) override {
            return inner_.ChooseCardsToGive(g, r, seat);
        }
        int ChooseComputerCard(const GameRecord& g, const RuleSettings& r, int seat) override {
            const int k = inner_.ChooseComputerCard(g, r, seat);
            const SuitCode lead = g.TrickPos > 1 ? g.LeadSuit : kNoSuit;
            EXPECT_TRUE(k >= 1 && k <= g.HandCount[seat] && !g.Hand[seat][k].isEmpty());
            EXPECT_FALSE(
                IsIllegalPlay(g.Hand[seat], g.HandCount[seat], g.Hand[seat][k], lead, g.Trump));
            ++cards;
            return k;
        }
        int AskContract(const GameRecord& g, const RuleSettings& r) override {
            return inner_.AskContract(g, r);
        }
        int cards = 0;

      private:
        PlayersPort& inner_;
    };

    SeededRandom deck(31), think(32);
    CardChoiceOptions fast;
    fast.sampleCounts = {0, 0, 20, 10, 8, 4, 2, 1, 0};  // fewer layouts: this is about rules
    ComputerPlayers computer(think, fast, 14);
    Checked checked(computer);
    AutoPilot pilot(checked);
    RoundDriver driver(pilot, deck);
    int games = 0, played = 0;
    for (; games < 2; ++games) {
        driver.startNewGame({});
        for (int deal = 0; deal < 60; ++deal) {
            int marriages = 0;
            GameRecord beforeScoring;
            for (int steps = 0; steps < 1000; ++steps) {
                const GameRecord& g = driver.record();
                if (g.GameState == GameState::AllPlayed) beforeScoring = g;
                const int trickPos = g.TrickPos;
                if (!pilot.step(driver)) break;
                driver.takeEvents();
                if (auto fault = checkConsistency(driver.record())) FAIL() << *fault;
                // A marriage is declared with the card that leads a trick.
                if (trickPos == 1 && g.TrickPos == 2 && g.MarriageDeclared != 0)
                    marriages += kMarriageValues[static_cast<size_t>(g.MarriageDeclared)];
            }
            const GameRecord& g = driver.record();
            ASSERT_TRUE(g.GameState == GameState::DealScored || g.GameState == GameState::GameOver);
            if (beforeScoring.GameState == GameState::AllPlayed) {
                ++played;
                EXPECT_EQ(g.DealPoints[1] + g.DealPoints[2] + g.DealPoints[3] - marriages, 120);
                const DealSettlement want = settleDeal(beforeScoring, driver.rules());
                EXPECT_EQ(g.Score, want.Score);
                EXPECT_EQ(g.BoltCount, want.BoltCount);
            }
            if (g.GameState == GameState::GameOver) break;
            driver.pressButton7();
        }
    }
    EXPECT_GT(played, 5);
    EXPECT_GT(checked.cards, 100);
}

}  // namespace
}  // namespace orvala
