#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <initializer_list>

#include "core/ai/bid_limit.h"
#include "core/ai/suit_value_table.h"

namespace orvala {
namespace {

HandArray handOf(std::initializer_list<const char*> cards) {
    HandArray h;
    int i = 0;
    for (const char* text : cards) {
        const auto c = parseCard(text);
        EXPECT_TRUE(c.has_value()) << text;
        h[++i] = c.value_or(EmptyCard);
    }
    return h;
}

RankMask ranks(std::initializer_list<int> rankValues) {
    RankMask m = 0;
    for (int r : rankValues) m |= rankBit(r);
    return m;
}

const SuitValueRow& row(int index) {
    return SuitValueTable()[static_cast<size_t>(index)];
}

TEST(SuitValueTable, NumbersEveryHoldingOnceInItsGroup) {
    // Every holding has exactly one index, and the index maps back to it.
    for (int m = 0; m < 64; ++m) {
        const int index = holdingIndexOfMask(static_cast<RankMask>(m));
        ASSERT_GE(index, 1);
        ASSERT_LE(index, 64);
        EXPECT_EQ(row(index).holding, m) << "index " << index;
    }
    // Groups by size: six cards, five, four, three, two, one, none.
    auto size = [](int index) { return std::popcount(static_cast<unsigned>(row(index).holding)); };
    const int firstOfSize[] = {64, 58, 43, 23, 8, 2, 1};  // by card count 0..6
    for (int index = 1; index <= 64; ++index) {
        int expected = 6;
        while (expected > 0 && index >= firstOfSize[expected - 1]) --expected;
        EXPECT_EQ(size(index), expected) << "index " << index;
    }
    // The five-card holdings lack the ace, ten, king, queen, jack and nine in that order.
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(row(2 + k).holding, static_cast<RankMask>(0x3F & ~rankBit(6 - k)));
    EXPECT_EQ(holdingIndexOfMask(0), kEmptyHoldingIndex);
}

TEST(SuitValueTable, StructuralFactsOfTheValues) {
    int marriageRows = 0;
    for (int index = 1; index <= 64; ++index) {
        const SuitValueRow& r = row(index);
        const int cards = std::popcount(static_cast<unsigned>(r.holding));
        const bool queenAndKing = (r.holding & rankBit(3)) && (r.holding & rankBit(4));
        // A marriage value, and the marriage flag, only where king and queen are both held.
        if (r.Points1WithMarriage || r.Points2WithMarriage || r.MarriageRow == 1) {
            EXPECT_TRUE(queenAndKing) << "index " << index;
        }
        EXPECT_TRUE(r.MarriageRow == 0 || r.MarriageRow == 1);
        marriageRows += r.MarriageRow;
        EXPECT_LE(r.Tricks1, cards) << "index " << index;
        EXPECT_LE(r.Tricks2, r.Tricks1) << "index " << index;
        EXPECT_GE(r.Weight, 0.0);
        EXPECT_LE(r.Weight, 6.0);
        // Points without an ace come only from a marriage.
        if (!(r.holding & rankBit(6))) {
            EXPECT_EQ(r.Points2, 0) << "index " << index;
        }
    }
    EXPECT_EQ(marriageRows, 11);
}

TEST(SuitValueTable, RowsPickedByHand) {
    const SuitValueRow& full = row(1);
    EXPECT_EQ(full.holding, 0x3F);
    EXPECT_EQ(full.Tricks1, 6);
    EXPECT_EQ(full.points1(kHearts), 157);
    EXPECT_EQ(full.points2(kSpades), 97);
    EXPECT_EQ(full.MarriageRow, 0);
    EXPECT_DOUBLE_EQ(full.Weight, 6.0);

    // 9 J Q K 10: 4 tricks and m+28 with a queen or king everywhere, otherwise the bare marriage.
    const SuitValueRow& noAce = row(2);
    EXPECT_EQ(noAce.holding, ranks({1, 2, 3, 4, 5}));
    EXPECT_EQ(noAce.Tricks1, 4);
    EXPECT_EQ(noAce.points1(kDiamonds), 108);
    EXPECT_EQ(noAce.Tricks2, 0);
    EXPECT_EQ(noAce.points2(kClubs), 60);
    EXPECT_EQ(noAce.MarriageRow, 1);
    EXPECT_DOUBLE_EQ(noAce.Weight, 4.0);

    const SuitValueRow& r14 = row(14);  // 9 J K 10
    EXPECT_EQ(r14.holding, ranks({1, 2, 4, 5}));
    EXPECT_EQ(r14.points1(kHearts), 0);
    EXPECT_DOUBLE_EQ(r14.Weight, 3.4);

    const SuitValueRow& r18 = row(18);  // 9 Q K A
    EXPECT_EQ(r18.holding, ranks({1, 3, 4, 6}));
    EXPECT_EQ(r18.Tricks1, 3);
    EXPECT_EQ(r18.points1(kHearts), 121);
    EXPECT_EQ(r18.Tricks2, 1);
    EXPECT_EQ(r18.points2(kHearts), 113);
    EXPECT_EQ(r18.MarriageRow, 1);

    const SuitValueRow& r27 = row(27);  // Q K A
    EXPECT_EQ(r27.holding, ranks({3, 4, 6}));
    EXPECT_EQ(r27.points1(kSpades), 57);
    EXPECT_EQ(r27.points2(kSpades), 51);
    EXPECT_DOUBLE_EQ(r27.Weight, 2.7);

    const SuitValueRow& r40 = row(40);  // 9 Q K
    EXPECT_EQ(r40.Tricks1, 0);
    EXPECT_EQ(r40.points1(kDiamonds), 92);
    EXPECT_EQ(r40.points2(kDiamonds), 80);

    EXPECT_EQ(row(47).holding, ranks({5, 6}));
    EXPECT_EQ(row(47).Tricks2, 2);
    EXPECT_EQ(row(47).points2(kHearts), 23);
    EXPECT_EQ(row(52).holding, ranks({3, 4}));
    EXPECT_EQ(row(52).points2(kHearts), 100);
    EXPECT_EQ(row(52).MarriageRow, 1);
    EXPECT_DOUBLE_EQ(row(52).Weight, 0.1);
    EXPECT_EQ(row(57).holding, ranks({1, 2}));
    EXPECT_EQ(row(58).holding, ranks({6}));
    EXPECT_EQ(row(58).points2(kClubs), 11);
    EXPECT_DOUBLE_EQ(row(59).Weight, 0.0);
    EXPECT_DOUBLE_EQ(row(60).Weight, 0.05);
    EXPECT_DOUBLE_EQ(row(63).Weight, 0.15);
    EXPECT_EQ(row(64).holding, 0);
    EXPECT_DOUBLE_EQ(row(64).Weight, 0.0);
}

TEST(SuitValueTable, HoldingIndexLooksOnlyAtTheAskedSlots) {
    // Slots 9 and 10 hold the nine and ace of hearts: card play (slots 1..8) does not see them,
    // a table lookup does.
    HandArray h = handOf({"Qh", "Kh", "As", "Ts", "9d", "Jd", "Tc", "##", "9h", "Ah"});
    EXPECT_EQ(HoldingIndex(8, h.cards(), kHearts), 52);
    EXPECT_EQ(lookupSuitValue(h.cards(), kHearts).index, 18);
    EXPECT_EQ(lookupSuitValue(h.cards(), kSpades).index, 47);
    EXPECT_EQ(lookupSuitValue(h.cards(), kDiamonds).index, 57);
    EXPECT_EQ(lookupSuitValue(h.cards(), kClubs).index, 59);
    EXPECT_EQ(lookupSuitValue(h.cards(), kClubs).row, &row(59));
    // A 24-slot list is read to its end.
    CardList list;
    list[24] = *parseCard("Kc");
    EXPECT_EQ(lookupSuitValue(list.cards(), kClubs).index, 60);
    EXPECT_EQ(HoldingIndex(100, list.cards(), kClubs), 60);
    EXPECT_EQ(HoldingIndex(23, list.cards(), kClubs), kEmptyHoldingIndex);
}

TEST(ComputerBidLimit, WorkedHands) {
    const RuleSettings rules;
    // Only hearts holds a queen or king, so the second columns count: the hearts marriage (100)
    // and ace-ten of spades (23).
    EXPECT_EQ(ComputerBidLimit(handOf({"Kh", "Qh", "As", "Ts", "9d", "Jd", "Tc"}), rules), 123);
    // The slots' order does not matter.
    EXPECT_EQ(ComputerBidLimit(handOf({"Tc", "Jd", "Ts", "Qh", "9d", "As", "Kh"}), rules), 123);
    // Two unprotected marriages: only the larger (hearts) counts, not 100 + 80.
    EXPECT_EQ(ComputerBidLimit(handOf({"Kh", "Qh", "Kd", "Qd", "As", "Ts", "9c"}), rules), 123);
    EXPECT_EQ(ComputerBidLimit(handOf({"Kc", "Qc", "Kd", "Qd", "As", "Ts", "9h"}), rules), 103);
    // A queen or king in every suit switches to the first columns: 9 Q K A of hearts is worth
    // m+21 there and m+13 otherwise.
    EXPECT_EQ(ComputerBidLimit(handOf({"9h", "Qh", "Kh", "Ah", "Qd", "Kc", "Ks"}), rules), 121);
    EXPECT_EQ(ComputerBidLimit(handOf({"9h", "Qh", "Kh", "Ah", "9d", "Kc", "Ks"}), rules), 113);
    // 9 K 10 A of hearts (37) and the bare diamond marriage (80): the seat bids up to 120.
    EXPECT_EQ(ComputerBidLimit(handOf({"Qd", "Kd", "9h", "Kh", "Th", "Ah", "9c"}), rules), 117);
    // Slots behind the seventh are not part of the dealt hand.
    HandArray withTalon = handOf({"Kh", "Qh", "As", "Ts", "9d", "Jd", "Tc", "Ad", "Ac", "Ah"});
    EXPECT_EQ(ComputerBidLimit(withTalon, rules), 123);
}

TEST(ComputerBidLimit, NoAceIsWorthNothing) {
    const RuleSettings rules;
    EXPECT_EQ(ComputerBidLimit(handOf({"Kh", "Qh", "Jh", "9h", "Th", "Kd", "Qd"}), rules), 0);
    EXPECT_EQ(ComputerBidLimit(HandArray{}, rules), 0);
}

TEST(ComputerBidLimit, FourAcesWithoutTheGiveUpRuleStopAt100) {
    RuleSettings painting, noPainting;
    noPainting.RulePainting = false;
    // Q K 10 A of hearts (m+40, not a marriage row) and three more aces: 140 + 33.
    const HandArray fourAces = handOf({"Qh", "Kh", "Th", "Ah", "Ad", "Ac", "As"});
    EXPECT_EQ(ComputerBidLimit(fourAces, painting), 173);
    EXPECT_EQ(ComputerBidLimit(fourAces, noPainting), 100);
    // Under 100 the cap does not raise the limit.
    const HandArray weakAces = handOf({"Ah", "Ad", "Ac", "As", "Th", "Td", "Tc"});
    EXPECT_EQ(ComputerBidLimit(weakAces, noPainting), 80);
    // Three aces are not capped.
    const HandArray threeAces = handOf({"Qh", "Kh", "Th", "Ah", "Ad", "Ac", "9s"});
    EXPECT_EQ(ComputerBidLimit(threeAces, noPainting), 162);
}

TEST(ComputerBidLimit, PropertiesOverEveryHand) {
    // All 346104 seven-card hands.
    RuleSettings painting, noPainting;
    noPainting.RulePainting = false;
    const std::array<Card, 24> deck = referenceDeck();
    int pick[7] = {0, 1, 2, 3, 4, 5, 6};
    int hands = 0;
    while (true) {
        HandArray hand, reversed;
        int aces = 0;
        for (int i = 0; i < 7; ++i) {
            hand[i + 1] = reversed[7 - i] = deck[static_cast<size_t>(pick[i])];
            if (CardRank(hand[i + 1]) == 6) ++aces;
        }
        ++hands;
        const int limit = ComputerBidLimit(hand, painting);
        const int capped = ComputerBidLimit(hand, noPainting);
        ASSERT_GE(limit, 0);
        if (aces == 0) {
            ASSERT_EQ(limit, 0);
        }
        // An ace is worth its 11 at least, or stands beside a marriage worth more.
        if (aces > 0) {
            ASSERT_GE(limit, 11);
        }
        if (aces == 4) {
            ASSERT_EQ(capped, std::min(limit, 100));
        } else {
            ASSERT_EQ(capped, limit);
        }
        ASSERT_EQ(ComputerBidLimit(reversed, painting), limit);

        int k = 6;
        while (k >= 0 && pick[k] == 24 - 7 + k) --k;
        if (k < 0) break;
        ++pick[k];
        for (int j = k + 1; j < 7; ++j) pick[j] = pick[j - 1] + 1;
    }
    EXPECT_EQ(hands, 346104);
}

}  // namespace
}  // namespace orvala
