#include "core/cards/hand_helpers.h"

#include <gtest/gtest.h>

#include <sstream>

#include "core/cards/hand_sort.h"

namespace orvala {
namespace {

HandArray handOf(const std::string& names) {
    HandArray h;
    std::istringstream in(names);
    std::string n;
    int i = 0;
    while (in >> n) h[++i] = n == "--" ? EmptyCard : *parseCard(n);
    return h;
}

std::string latin(const HandArray& h, int count) {
    std::string out;
    for (int i = 1; i <= count; ++i) out += (i > 1 ? " " : "") + toLatin(h[i]);
    return out;
}

TEST(HandHelpers, LookupsSeeOnlyTheFirstNSlots) {
    const HandArray h = handOf("Qh 9h Ah -- Kc Qc Kh");
    const auto a = h.cards();
    EXPECT_TRUE(HasCard(7, a, *parseCard("Kh")));
    EXPECT_FALSE(HasCard(6, a, *parseCard("Kh")));
    EXPECT_EQ(IndexOfCard(7, *parseCard("Kc"), a), 5);
    EXPECT_EQ(IndexOfCard(7, *parseCard("As"), a), 0);
    EXPECT_EQ(LowestOfSuit(7, a, kHearts), 2);
    EXPECT_EQ(HighestOfSuit(7, a, kHearts), 3);
    EXPECT_EQ(LowestOfSuit(7, a, kSpades), 0);
    EXPECT_TRUE(HasMarriage(7, a, kClubs));
    EXPECT_TRUE(HasMarriage(7, a, kHearts));
    EXPECT_FALSE(HasMarriage(6, a, kHearts));
    EXPECT_EQ(CountOfSuit(7, a, kHearts), 4);
    // An over-long n never reads past the array.
    EXPECT_EQ(CountOfSuit(1000, a, kClubs), 2);
    EXPECT_EQ(IndexOfCard(-3, *parseCard("Qh"), a), 0);
}

TEST(HandHelpers, TheNoSuitMarkerIsNoSuitForHasSuitButCountsEmptySlots) {
    const HandArray h = handOf("Ah -- 9s --");
    EXPECT_FALSE(HasSuit(4, h.cards(), kNoSuit));
    EXPECT_EQ(CountOfSuit(4, h.cards(), kNoSuit), 2);
    EXPECT_EQ(CountOfSuit(10, h.cards(), kNoSuit), 8);
    // The only card of a suit is both its lowest and its highest.
    const HandArray ace = handOf("Ad");
    EXPECT_EQ(LowestOfSuit(1, ace.cards(), kDiamonds), 1);
    EXPECT_EQ(HighestOfSuit(1, ace.cards(), kDiamonds), 1);
}

TEST(HandHelpers, AddUniqueFillsTheFirstEmptySlotOnce) {
    CardList list;
    list[1] = *parseCard("Ah");
    list[3] = *parseCard("9s");
    AddUnique(*parseCard("Kd"), list);
    AddUnique(*parseCard("Kd"), list);
    AddUnique(*parseCard("9s"), list);
    EXPECT_EQ(toLatin(list[2]), "Kd");
    EXPECT_TRUE(list[4].isEmpty());
    EXPECT_EQ(CountCards(list), 3);
    for (Card c : referenceDeck()) AddUnique(c, list);
    EXPECT_EQ(CountCards(list), 24);
    RemoveCard(*parseCard("Ah"), list);
    EXPECT_EQ(CountCards(list), 23);
}

TEST(HandSort, SuitOrderFollowsTheTrumpAndCompactsTheHand) {
    HandArray h = handOf("As -- Kh 9c Td -- 9h Qs Jd Ac");
    EXPECT_EQ(SortHand(h, kNoSuit), 8);
    EXPECT_EQ(latin(h, 10), "9h Kh 9c Ac Jd Td Qs As -- --");
    EXPECT_EQ(SortHand(h, kSpades), 8);
    EXPECT_EQ(latin(h, 8), "9h Kh 9c Ac Jd Td Qs As");
    EXPECT_EQ(SortHand(h, kClubs), 8);
    EXPECT_EQ(latin(h, 8), "9h Kh Qs As Jd Td 9c Ac");
    EXPECT_EQ(SortHand(h, kDiamonds), 8);
    EXPECT_EQ(latin(h, 8), "9c Ac 9h Kh Qs As Jd Td");
    // A marriage in hearts puts hearts last.
    EXPECT_EQ(SortHand(h, kHearts), 8);
    EXPECT_EQ(latin(h, 8), "9c Ac Jd Td Qs As 9h Kh");
    HandArray empty;
    EXPECT_EQ(SortHand(empty, kNoSuit), 0);
    EXPECT_TRUE(empty[1].isEmpty());
}

}  // namespace
}  // namespace orvala
