#include "core/cards/card.h"

#include <gtest/gtest.h>

#include <set>

namespace orvala {
namespace {

TEST(Card, CodesRanksAndPoints) {
    const Card aceSpades{0xD2, 0xEF};
    EXPECT_EQ(toBytes(aceSpades), "\xD2\xEF");
    EXPECT_EQ(CardRank(aceSpades), 6);
    EXPECT_EQ(CardPoints(aceSpades), 11);
    const Card tenHearts{'1', 0xF7};
    EXPECT_EQ(CardRank(tenHearts), 5);
    EXPECT_EQ(CardPoints(tenHearts), 10);
    EXPECT_EQ(CardRank(EmptyCard), 99);
    EXPECT_EQ(CardPoints(EmptyCard), 99);
    EXPECT_EQ(toBytes(EmptyCard), "##");
    // A card with a suit but an unknown rank is no card at all.
    EXPECT_EQ(CardRank(Card{'X', kHearts}), 99);

    int total = 0;
    for (Card c : referenceDeck()) total += CardPoints(c);
    EXPECT_EQ(total, 120);
    EXPECT_EQ(MarriageValue(kHearts) + MarriageValue(kDiamonds) + MarriageValue(kClubs) +
                  MarriageValue(kSpades),
              280);
    EXPECT_EQ(MarriageValue(kNoSuit), 0);
}

TEST(Card, ReferenceDeckGoesByRankThenHeartsDiamondsClubsSpades) {
    auto deck = referenceDeck();
    EXPECT_EQ(toUtf8(deck[0]), "9ч");
    EXPECT_EQ(toUtf8(deck[1]), "9б");
    EXPECT_EQ(toUtf8(deck[3]), "9п");
    EXPECT_EQ(toUtf8(deck[4]), "Вч");
    EXPECT_EQ(toUtf8(deck[23]), "Тп");
    std::set<std::string> distinct;
    for (Card c : deck) distinct.insert(toBytes(c));
    EXPECT_EQ(distinct.size(), 24u);
}

TEST(Card, ThreeNotationsParseAndPrint) {
    for (Card c : referenceDeck()) {
        EXPECT_EQ(parseCard(toBytes(c)), c);
        EXPECT_EQ(parseCard(toUtf8(c)), c);
        EXPECT_EQ(parseCard(toLatin(c)), c);
    }
    EXPECT_EQ(toLatin(*parseCard("Тп")), "As");
    EXPECT_EQ(toLatin(*parseCard("1ч")), "Th");
    EXPECT_EQ(toLatin(*parseCard("qd")), "Qd");
    EXPECT_EQ(toLatin(*parseCard("10c")), "Tc");
    EXPECT_EQ(parseCard("##"), EmptyCard);
    EXPECT_EQ(toLatin(EmptyCard), "--");
    for (const char* bad : {"", "A", "Ax", "1s", "Zs", "Asx", "ТпТ", "\xD2", "\xD2\x23", "##x"})
        EXPECT_FALSE(parseCard(bad).has_value()) << bad;
}

}  // namespace
}  // namespace orvala
