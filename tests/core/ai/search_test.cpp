// The card-play search: the fast form against the literal oracle, the memo, the bitmask forms
// of the follow rules and the trick winner, and scenes whose values are known by hand.

#include <gtest/gtest.h>

#include <sstream>

#include "core/ai/play_search.h"
#include "core/ai/search_bits.h"
#include "core/ai/search_memo.h"
#include "core/ai/search_oracle.h"
#include "core/ai/search_samples.h"
#include "core/cards/hand_sort.h"
#include "core/game/follow_rules.h"

namespace orvala {
namespace {

HandArray hand(const std::string& names, SuitCode trump = kNoSuit) {
    HandArray h;
    std::istringstream in(names);
    std::string name;
    int i = 0;
    while (in >> name) {
        auto c = parseCard(name);
        EXPECT_TRUE(c.has_value()) << name;
        h[++i] = c.value_or(EmptyCard);
    }
    SortHand(h, trump);
    return h;
}

std::string describe(const SearchPosition& p) {
    std::ostringstream out;
    for (const auto& h : p.hands) {
        for (int i = 1; i <= 8; ++i)
            if (!h[i].isEmpty()) out << toLatin(h[i]) << ' ';
        out << "| ";
    }
    out << "trick";
    for (int i = 1; i < p.position; ++i) out << ' ' << toLatin(p.trick[i]);
    out << " trump " << suitLetter(p.trump) << " contract " << p.contract << " scores "
        << p.scores[0] << ',' << p.scores[1] << ',' << p.scores[2] << " declarer " << p.declarer;
    return out.str();
}

void expectSame(const SearchResult& want, const SearchResult& got, const std::string& what) {
    EXPECT_EQ(want.explored, got.explored) << what;
    EXPECT_EQ(want.values, got.values) << what;
    EXPECT_EQ(want.best, got.best) << what;
    EXPECT_EQ(want.line, got.line) << what;
}

TEST(SearchBits, LegalityAndWinnerAgreeWithTheFollowRules) {
    SeededRandom random(7);
    for (int round = 0; round < 20000; ++round) {
        auto deck = referenceDeck();
        for (int i = 23; i > 0; --i) std::swap(deck[i], deck[random.uniform(0, i)]);
        const int n = random.uniform(0, 8);
        HandArray h;
        for (int i = 1; i <= n; ++i) h[i] = deck[i - 1];
        const SuitCode trump = random.uniform(0, 1) ? kNoSuit : kSuitCodes[random.uniform(1, 4)];
        const SuitCode lead =
            random.uniform(0, 4) == 0 ? kNoSuit : kSuitCodes[random.uniform(1, 4)];
        const bits::Mask legal =
            bits::legalMask(bits::maskOfHand(h), suitIndex(lead), suitIndex(trump));
        for (int i = 1; i <= n; ++i) {
            const bool bitLegal = (legal & bits::bit(bits::indexOfCard(h[i]))) != 0;
            ASSERT_EQ(!IsIllegalPlay(h, n, h[i], lead, trump), bitLegal)
                << toLatin(h[i]) << " lead " << suitLetter(lead) << " trump " << suitLetter(trump);
        }
        std::array<Card, 4> trick{EmptyCard, deck[20], deck[21], deck[22]};
        const int idx[3] = {bits::indexOfCard(deck[20]), bits::indexOfCard(deck[21]),
                            bits::indexOfCard(deck[22])};
        ASSERT_EQ(TrickWinnerPos(trick, trump), bits::trickWinnerBits(idx, suitIndex(trump)));
        ASSERT_EQ(SearchTrickWinner(trick, trump), TrickWinnerPos(trick, trump));
    }
}

// Thousands of layouts of one to five cards a hand, every trick position, with and without
// trump, marriages to declare and pruning on and off: the fast search with its memo must give
// the oracle's values slot for slot and the same chosen slot.
TEST(PlaySearch, AgreesWithTheOracle) {
    SeededRandom random(1234);
    SearchMemo memo(14);
    struct Plan {
        int cards;
        int layouts;
        bool prune;
    };
    // The restriction rules that look at six or seven cards in hand are reached only from
    // larger hands, so a few of those are compared too.
    const Plan plans[] = {{1, 300, false}, {1, 300, true},  {2, 600, false}, {2, 1500, true},
                          {3, 600, false}, {3, 2500, true}, {4, 300, false}, {4, 2500, true},
                          {5, 40, false},  {5, 400, true},  {6, 40, true},   {7, 6, true}};
    int compared = 0, withMarriage = 0;
    for (const Plan& plan : plans)
        for (int k = 0; k < plan.layouts; ++k) {
            const SearchPosition p = RandomSearchPosition(random, plan.cards);
            const SearchResult want = OraclePlaySearch(p, plan.prune);
            SearchOptions o;
            o.prune = plan.prune;
            o.memo = &memo;
            const SearchResult got = PlaySearch(p, o);
            expectSame(want, got, describe(p) + (plan.prune ? " pruned" : ""));
            o.memo = nullptr;
            expectSame(want, PlaySearch(p, o), describe(p) + " without memo");
            for (const auto& h : p.hands)
                for (SuitCode suit : {kHearts, kDiamonds, kClubs, kSpades})
                    if (HasMarriage(8, h.cards(), suit)) ++withMarriage;
            ++compared;
            if (HasFailure()) return;
        }
    EXPECT_GT(compared, 3000);
    EXPECT_GT(withMarriage, 100);
}

// A memo filled by other layouts (other trumps, contracts, declarers and pruning) answers only
// with exact hits: a warm search gives what a cold one gives.
TEST(SearchMemo, WarmGivesTheSameAsCold) {
    SeededRandom random(99);
    SearchMemo warm(12);  // small, so that entries are also overwritten
    std::vector<SearchPosition> layouts;
    for (int cards = 2; cards <= 6; ++cards)
        for (int k = 0; k < 60; ++k) layouts.push_back(RandomSearchPosition(random, cards));
    // The same hands again under every trump, so positions differing only in trump meet.
    for (int k = 0; k < 40; ++k) {
        SearchPosition p = RandomSearchPosition(random, 4, 1);
        for (SuitCode t : {kNoSuit, kHearts, kDiamonds, kClubs, kSpades}) {
            p.trump = t;
            for (auto& h : p.hands) SortHand(h, t);
            layouts.push_back(p);
        }
    }
    for (int pass = 0; pass < 2; ++pass)
        for (const SearchPosition& p : layouts) {
            const bool prune = p.hands[0].rank(1) % 2 == 0;
            SearchMemo cold(12);
            SearchOptions o;
            o.prune = prune;
            o.memo = &cold;
            const SearchResult fresh = PlaySearch(p, o);
            o.memo = &warm;
            expectSame(fresh, PlaySearch(p, o), describe(p));
            if (HasFailure()) return;
        }
    EXPECT_GT(warm.used(), 1000u);
}

// Two positions that differ only in trump must not share an entry. A mover holding two
// marriages who declares them in either order reaches the same cards and the same scores after
// two tricks, with hearts trump one way and diamonds the other.
TEST(SearchMemo, TrumpIsPartOfTheKey) {
    SeededRandom random(5);
    int checked = 0;
    for (int k = 0; k < 150; ++k) {
        std::vector<Card> rest;
        for (Card c : referenceDeck())
            if (!(c.suit == kHearts || c.suit == kDiamonds) ||
                (c.rank != kQueen && c.rank != kKing))
                rest.push_back(c);
        for (int i = static_cast<int>(rest.size()) - 1; i > 0; --i)
            std::swap(rest[static_cast<size_t>(i)],
                      rest[static_cast<size_t>(random.uniform(0, i))]);
        SearchPosition p;
        p.hands[0][1] = *parseCard("Qh");
        p.hands[0][2] = *parseCard("Kh");
        p.hands[0][3] = *parseCard("Qd");
        p.hands[0][4] = *parseCard("Kd");
        p.hands[0][5] = rest[0];
        for (int i = 1; i <= 5; ++i) {
            p.hands[1][i] = rest[static_cast<size_t>(i)];
            p.hands[2][i] = rest[static_cast<size_t>(5 + i)];
        }
        for (auto& h : p.hands) SortHand(h, kNoSuit);
        p.scores = {12, 4, 0};
        p.contract = 100 + 10 * random.uniform(0, 12);
        p.declarer = random.uniform(1, 3);
        SearchMemo memo(16);
        SearchOptions o;
        o.memo = &memo;
        expectSame(OraclePlaySearch(p, false), PlaySearch(p, o), describe(p));
        if (HasFailure()) return;
        ++checked;
    }
    EXPECT_EQ(checked, 150);
}

SearchPosition scene(const std::string& mover, const std::string& next, const std::string& third,
                     SuitCode trump = kNoSuit) {
    SearchPosition p;
    p.hands = {hand(mover, trump), hand(next, trump), hand(third, trump)};
    p.trump = trump;
    return p;
}

TEST(PlaySearch, ClaimTakesEveryRemainingCard) {
    // Below the root: the third player leads a nine into a trick the mover wins; then the mover
    // holds ace and ten of hearts against king/nine of clubs and queen/nine of spades... The
    // claim itself is checked at the root's child through the oracle and the fast search alike:
    // with pruning on both give what the claim gives.
    SearchPosition p = scene("Ah Th", "Kh 9c", "Qh 9s");
    p.contract = 120;
    p.scores = {50, 30, 12};
    p.declarer = 1;
    // At the root no claim is tried; the mover leads the ace and keeps the lead, and the second
    // trick's node (depth 4, to lead) claims: 28 more points in all.
    const SearchResult pruned = PlaySearch(p, SearchOptions{true, nullptr});
    const SearchResult plain = PlaySearch(p, SearchOptions{false, nullptr});
    // 50 + 28 = 78 < 120: the declarer fails either way; his value is 2 * -120 - 30 - 12.
    EXPECT_EQ(pruned.values[pruned.best], -282);
    EXPECT_EQ(plain.values[plain.best], -282);
    EXPECT_LT(pruned.nodes, plain.nodes);

    // The claim's count on its own: a defender to lead below the root.
    p.contract = 100;
    p.declarer = 2;
    p.scores = {10, 0, 0};
    const SearchResult r = OraclePlaySearch(p, true);
    // The mover takes both tricks: 10 + 28 = 38; the declarer has 0 < 100.
    // Values: mover 2*38 - (-100) - 0 = 176.
    EXPECT_EQ(r.values[r.best], 176);
    expectSame(r, PlaySearch(p, SearchOptions{true, nullptr}), "claim");
}

TEST(PlaySearch, MarriageIsValuedAndMakesTrumpAtOnce) {
    // The mover leads from queen-king of spades with points already taken: leading the queen
    // declares 40 and spades are trump in this very trick, so the next player's ace of hearts...
    // the third player is void in spades and would win with nothing; the queen wins.
    SearchPosition p = scene("Qs Ks", "9s Ah", "9h Jh");
    p.contract = 100;
    p.scores = {70, 0, 0};
    p.declarer = 1;
    const SearchResult r = PlaySearch(p, SearchOptions{false, nullptr});
    const int queen = IndexOfCard(8, *parseCard("Qs"), p.hands[0].cards());
    // Queen led: +40, wins Qs 9s 9h (3 + 0 + 0) -> 113, then the king wins the last trick
    // (4 + 11 + 2) -> 130: contract made, value 2*100 - 0 - 0 = 200.
    EXPECT_EQ(r.values[queen], 200);
    EXPECT_EQ(r.best, queen);
    expectSame(OraclePlaySearch(p, false), r, "marriage");

    // With every score still 0 the same lead declares nothing: 3 + 17 = 24 < 100.
    p.scores = {0, 0, 0};
    const SearchResult z = PlaySearch(p, SearchOptions{false, nullptr});
    EXPECT_EQ(z.values[queen], -200 - 0 - 0);
    expectSame(OraclePlaySearch(p, false), z, "no marriage at 0");
}

TEST(PlaySearch, ContractReachedInTheLastTrickAndOnePointShort) {
    SearchPosition p = scene("Ah", "9h", "9s");
    p.declarer = 1;
    p.scores = {109, 5, 6};
    p.contract = 120;  // 109 + 11 = 120: made
    SearchResult r = PlaySearch(p, SearchOptions{false, nullptr});
    EXPECT_EQ(r.values[1], 2 * 120 - 5 - 6);
    EXPECT_EQ(r.line[0], 2 * 120 - 5 - 6);
    p.scores = {108, 5, 6};  // one point short
    r = PlaySearch(p, SearchOptions{false, nullptr});
    EXPECT_EQ(r.values[1], -2 * 120 - 5 - 6);
    // The three values add up to 0.
    EXPECT_EQ(r.line[0] + r.line[1] + r.line[2], 0);
    EXPECT_EQ(EvaluateDeal(2, 100, {30, 100, 5}), (std::array<int, 3>{-45, 165, -120}));
}

TEST(PlaySearch, EqualValuesChooseTheLowerSlot) {
    // Two nines of suits nobody else holds: either lead wins both tricks, same value.
    SearchPosition p = scene("9h 9d", "Js Qs", "Ks As");
    p.declarer = 2;
    p.contract = 100;
    p.scores = {0, 40, 0};
    const SearchResult r = PlaySearch(p, SearchOptions{false, nullptr});
    ASSERT_EQ(r.explored, 0b110u);
    EXPECT_EQ(r.values[1], r.values[2]);
    EXPECT_EQ(r.best, 1);
}

TEST(PlaySearch, RestrictionsLeaveOutCardsButStayLegal) {
    // Declarer second to a led ten, holding the ace: F3 keeps only the ace.
    SearchPosition p = scene("9h Ah Jd Qd", "9c Jc Qc Kc", "Jh Kh Td");
    p.position = 2;
    p.trick[1] = *parseCard("Th");
    p.declarer = 3;  // the third player led
    p.contract = 100;
    p.scores = {10, 10, 10};
    const SearchResult pruned = PlaySearch(p, SearchOptions{true, nullptr});
    const int ace = IndexOfCard(8, *parseCard("Ah"), p.hands[0].cards());
    EXPECT_EQ(pruned.explored, 1u << ace);
    const SearchResult plain = PlaySearch(p, SearchOptions{false, nullptr});
    // Without pruning both hearts are tried, never the diamonds.
    EXPECT_EQ(plain.explored,
              (1u << ace) | (1u << IndexOfCard(8, *parseCard("9h"), p.hands[0].cards())));

    // The declarer second to a led ace: from 9-J he plays only the nine (F1), but queen-king-
    // ten is not reduced, so all three are tried.
    SearchPosition q = scene("9h Jh 9d Jd", "Kc Qc Tc Ac", "Qh Kh Th");
    q.position = 2;
    q.trick[1] = *parseCard("Ah");
    q.declarer = 1;
    q.contract = 100;
    q.scores = {10, 10, 10};
    EXPECT_EQ(PlaySearch(q, SearchOptions{true, nullptr}).explored, 1u << 1);
    SearchPosition t = scene("Qh Kh Th 9d", "Kc Qc Tc Ac", "9h Jh Jd");
    t.position = 2;
    t.trick[1] = *parseCard("Ah");
    t.declarer = 1;
    t.contract = 100;
    t.scores = {10, 10, 10};
    EXPECT_EQ(PlaySearch(t, SearchOptions{true, nullptr}).explored, 0b1110u);
    expectSame(OraclePlaySearch(t, true), PlaySearch(t, SearchOptions{true, nullptr}), "QKT");
}

TEST(PlaySearch, MismatchedHandsDoNotBreakTheSearch) {
    // Hands of different sizes (never in a real deal) still give an answer, the same in both.
    SearchPosition p = scene("Ah Kh Qh", "9h", "");
    p.contract = 100;
    p.scores = {5, 5, 5};
    for (bool prune : {false, true}) {
        const SearchResult want = OraclePlaySearch(p, prune);
        expectSame(want, PlaySearch(p, SearchOptions{prune, nullptr}), "mismatched");
        EXPECT_NE(want.best, 0);
    }
}

}  // namespace
}  // namespace orvala
