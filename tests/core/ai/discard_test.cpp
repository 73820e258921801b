#include "core/ai/discard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <set>
#include <string>
#include <utility>

#include "core/cards/hand_sort.h"
#include "core/game/random_source.h"
#include "core/game/shuffle.h"

namespace orvala {
namespace {

// Ten cards in the order the game keeps them before the declarer gives.
HandArray declarerHand(std::initializer_list<const char*> cards) {
    HandArray h;
    int i = 0;
    for (const char* text : cards) {
        const auto c = parseCard(text);
        EXPECT_TRUE(c.has_value()) << text;
        h[++i] = c.value_or(EmptyCard);
    }
    EXPECT_EQ(SortHand(h, kNoSuit), 10);
    return h;
}

RuleSettings rulesWith(bool painting, bool roundToFive) {
    RuleSettings r;
    r.RulePainting = painting;
    r.RuleRoundToFive = roundToFive;
    return r;
}

std::pair<std::string, std::string> given(const HandArray& h, const GiveChoice& c) {
    return {toLatin(h[c.slot1]), toLatin(h[c.slot2])};
}

using Given = std::pair<std::string, std::string>;

int pairIndexOf(int first, int second) {
    for (int k = 1; k <= kPairCount; ++k) {
        const SlotPair p = pairSlots(k);
        if (p.first == first && p.second == second) return k;
    }
    return 0;
}

int slotOf(const HandArray& h, const char* card) {
    return IndexOfCard(kHandSlots, *parseCard(card), h.cards());
}

const PairValue& valueOfGiving(const std::array<PairValue, kPairCount + 1>& values,
                               const HandArray& h, const char* a, const char* b) {
    const int i = slotOf(h, a), j = slotOf(h, b);
    const int k = pairIndexOf(std::min(i, j), std::max(i, j));
    EXPECT_NE(k, 0) << a << " " << b;
    return values[static_cast<size_t>(k)];
}

TEST(PairIndex, NumbersTheSlotPairsInOrder) {
    EXPECT_EQ(pairSlots(1).first, 1);
    EXPECT_EQ(pairSlots(1).second, 2);
    EXPECT_EQ(pairSlots(9).second, 10);
    EXPECT_EQ(pairSlots(10).first, 2);
    EXPECT_EQ(pairSlots(10).second, 3);
    EXPECT_EQ(pairSlots(17).second, 10);
    EXPECT_EQ(pairSlots(18).first, 3);
    EXPECT_EQ(pairSlots(18).second, 4);
    EXPECT_EQ(pairSlots(45).first, 9);
    EXPECT_EQ(pairSlots(45).second, 10);
    std::set<std::pair<int, int>> seen;
    for (int k = 1; k <= kPairCount; ++k) {
        const SlotPair p = pairSlots(k);
        EXPECT_GE(p.first, 1);
        EXPECT_LT(p.first, p.second);
        EXPECT_LE(p.second, 10);
        seen.insert({p.first, p.second});
    }
    EXPECT_EQ(seen.size(), 45u);
    EXPECT_EQ(pairSlots(0).first, 0);
    EXPECT_EQ(pairSlots(46).first, 0);
}

TEST(ChooseCardsToGive, AllEightTricksAnnounceTheMarriagesPlus120) {
    // Hearts from the nine to the ace and ace-ten of diamonds: giving the two black nines keeps
    // every trick, so the contract is the hearts marriage + 120 whatever the bid.
    const HandArray h = declarerHand({"9h", "Jh", "Qh", "Kh", "Th", "Ah", "Ad", "Td", "9c", "9s"});
    const GiveChoice c = ChooseCardsToGive(h, 100, rulesWith(true, true));
    EXPECT_EQ(given(h, c), Given("9c", "9s"));
    EXPECT_LT(c.slot1, c.slot2);
    EXPECT_EQ(c.contract, 220);
    EXPECT_FALSE(c.painting);
    EXPECT_EQ(ChooseCardsToGive(h, 100, rulesWith(false, false)).contract, 220);
    // A higher bid stands.
    EXPECT_EQ(ChooseCardsToGive(h, 250, rulesWith(true, true)).contract, 250);
}

TEST(ChooseCardsToGive, SevenTricksAnnounceTheMarriagesPlus94) {
    // J Q K 10 A of hearts and ace-ten of diamonds make seven tricks: 100 + 94 = 194. Three pairs
    // of small cards reach it; keeping a nine (0.15) weighs more than keeping the jack (0.1), and
    // the lower pair index wins the tie between the two nines.
    const HandArray h = declarerHand({"Jh", "Qh", "Kh", "Th", "Ah", "Td", "Ad", "9c", "9s", "Js"});
    const GiveChoice round5 = ChooseCardsToGive(h, 100, rulesWith(true, true));
    EXPECT_EQ(given(h, round5), Given("9c", "Js"));
    EXPECT_EQ(round5.contract, 190);
    const GiveChoice exact = ChooseCardsToGive(h, 100, rulesWith(true, false));
    EXPECT_EQ(given(h, exact), Given("9c", "Js"));
    EXPECT_EQ(exact.contract, 194);
    // Rounding never goes below the bid, even one that is no multiple of 5.
    EXPECT_EQ(ChooseCardsToGive(h, 193, rulesWith(true, true)).contract, 193);
}

TEST(ChooseCardsToGive, NearBestPairsAreDecidedByWeightAndTheContractRoundsDown) {
    // The hearts marriage (100) and 9 K 10 A of diamonds (37): 137 whichever two of the black
    // nines and jacks are given; keeping both nines weighs the most.
    const HandArray h = declarerHand({"Qh", "Kh", "9d", "Kd", "Td", "Ad", "9c", "Jc", "9s", "Js"});
    const auto values = evaluatePairs(h);
    const PairValue& jacks = valueOfGiving(values, h, "Jc", "Js");
    const PairValue& clubs = valueOfGiving(values, h, "9c", "Jc");
    EXPECT_EQ(jacks.contractValue, 137);
    EXPECT_EQ(jacks.choiceValue, 137);
    EXPECT_EQ(jacks.tricks, 4);
    EXPECT_EQ(jacks.marriageBonus, 100);
    EXPECT_DOUBLE_EQ(jacks.weight, 4.4);
    EXPECT_EQ(clubs.contractValue, 137);
    EXPECT_DOUBLE_EQ(clubs.weight, 4.2);
    // Giving the nine of diamonds leaves K 10 A (32): 5 below the best, outside the window.
    EXPECT_EQ(valueOfGiving(values, h, "9d", "9c").choiceValue, 132);

    const GiveChoice c = ChooseCardsToGive(h, 120, rulesWith(true, true));
    EXPECT_EQ(given(h, c), Given("Jc", "Js"));
    EXPECT_EQ(c.contract, 135);
    EXPECT_FALSE(c.painting);
    EXPECT_EQ(ChooseCardsToGive(h, 120, rulesWith(true, false)).contract, 137);
    EXPECT_EQ(ChooseCardsToGive(h, 150, rulesWith(true, false)).contract, 150);
}

TEST(ChooseCardsToGive, WithinFourTheHeavierPairWinsOverTheHigherValue) {
    // Giving the jack and ten of clubs keeps the club marriage, 9 10 A of diamonds, ace-ten of
    // spades and the ace of hearts: 60 + 26 + 23 + 11 = 120, weight 5.9. Giving the jack of
    // clubs and the nine of diamonds keeps Q K 10 of clubs and ace-ten of diamonds instead:
    // 60 + 23 + 23 + 11 = 117, only 3 less, but weight 7.0, so that pair is given.
    const HandArray h = declarerHand({"Ah", "Jc", "Qc", "Kc", "Tc", "9d", "Td", "Ad", "Ts", "As"});
    const auto values = evaluatePairs(h);
    const PairValue& best = valueOfGiving(values, h, "Jc", "Tc");
    EXPECT_EQ(best.choiceValue, 120);
    EXPECT_EQ(best.tricks, 5);
    EXPECT_DOUBLE_EQ(best.weight, 5.9);
    const PairValue& heavier = valueOfGiving(values, h, "Jc", "9d");
    EXPECT_EQ(heavier.choiceValue, 117);
    EXPECT_DOUBLE_EQ(heavier.weight, 7.0);
    for (int k = 1; k <= kPairCount; ++k)
        EXPECT_LE(values[static_cast<size_t>(k)].choiceValue, 120) << "pair " << k;

    const GiveChoice c = ChooseCardsToGive(h, 100, rulesWith(true, false));
    EXPECT_EQ(given(h, c), Given("Jc", "9d"));
    EXPECT_EQ(c.contract, 117);
    EXPECT_EQ(ChooseCardsToGive(h, 100, rulesWith(true, true)).contract, 115);
}

TEST(ChooseCardsToGive, GivingHonoursCostsChoiceValue) {
    const HandArray h = declarerHand({"Qh", "Kh", "9d", "Kd", "Td", "Ad", "9c", "Jc", "9s", "Js"});
    const auto values = evaluatePairs(h);
    // 4 tricks left: 10 off per queen or king given, the contract value untouched.
    const PairValue& queen = valueOfGiving(values, h, "Qh", "9c");
    EXPECT_EQ(queen.contractValue, 37);
    EXPECT_EQ(queen.choiceValue, 27);
    const PairValue& marriage = valueOfGiving(values, h, "Qh", "Kh");
    EXPECT_EQ(marriage.contractValue, 37);
    EXPECT_EQ(marriage.choiceValue, 17);
    EXPECT_EQ(marriage.marriageBonus, 0);
}

TEST(ChooseCardsToGive, StrongMarriageHoldingsWaiveTheHonourCost) {
    // Five tricks with 9 Q K A of hearts left: the king of spades goes for nothing.
    const HandArray five =
        declarerHand({"9h", "Qh", "Kh", "Ah", "Td", "Ad", "Tc", "Ac", "Ks", "9s"});
    const auto v5 = evaluatePairs(five);
    const PairValue& kept = valueOfGiving(v5, five, "9s", "Ks");
    EXPECT_EQ(kept.tricks, 5);
    EXPECT_EQ(kept.contractValue, 159);
    EXPECT_EQ(kept.choiceValue, 159);
    // Four tricks: the cost applies.
    const PairValue& four = valueOfGiving(v5, five, "Td", "Ks");
    EXPECT_EQ(four.tricks, 4);
    EXPECT_EQ(four.contractValue, 147);
    EXPECT_EQ(four.choiceValue, 137);

    // Six tricks with Q K A of hearts left.
    const HandArray six =
        declarerHand({"Qh", "Kh", "Ah", "Td", "Ad", "Tc", "Ac", "As", "Ks", "9s"});
    const auto v6 = evaluatePairs(six);
    const PairValue& q6 = valueOfGiving(v6, six, "9s", "Ks");
    EXPECT_EQ(q6.tricks, 6);
    EXPECT_EQ(q6.contractValue, 168);
    EXPECT_EQ(q6.choiceValue, 168);
    // Five tricks without 9 Q K A or J Q K A, and a marriage held: the cost applies.
    const PairValue& k5 = valueOfGiving(v6, six, "Tc", "Ks");
    EXPECT_EQ(k5.tricks, 5);
    EXPECT_EQ(k5.contractValue, 158);
    EXPECT_EQ(k5.choiceValue, 148);
}

TEST(ChooseCardsToGive, OtherBareMarriagesBringTheirAces) {
    // The hearts marriage (100) counts; Q K A of spades counts only its ace; ace-ten of
    // diamonds 23.
    const HandArray h = declarerHand({"Qh", "Kh", "Qs", "Ks", "As", "Td", "Ad", "9c", "Jc", "Jd"});
    const auto values = evaluatePairs(h);
    const PairValue& v = valueOfGiving(values, h, "Jc", "Jd");
    EXPECT_EQ(v.contractValue, 134);
    EXPECT_EQ(v.marriageBonus, 140);
    EXPECT_EQ(v.tricks, 3);
}

TEST(ChooseCardsToGive, WithoutAnAceTheDeclarerGivesUpUnderTheRule) {
    const HandArray h = declarerHand({"Kh", "Qh", "Jh", "9h", "Th", "Kd", "Qd", "Jd", "9c", "9s"});
    const GiveChoice on = ChooseCardsToGive(h, 105, rulesWith(true, true));
    EXPECT_TRUE(on.painting);
    EXPECT_EQ(on.contract, 105);
    const GiveChoice off = ChooseCardsToGive(h, 105, rulesWith(false, true));
    EXPECT_FALSE(off.painting);
    EXPECT_EQ(off.slot1, on.slot1);
    EXPECT_EQ(off.slot2, on.slot2);
}

TEST(ChooseCardsToGive, HopelessHandsPlayAtTheBidAndGiveTheHeaviestPair) {
    // No marriage and nothing above 100: the pair of the largest weight is the queen of clubs
    // and the king of diamonds (4.25), far below 7.0.
    const HandArray weak =
        declarerHand({"9h", "Jh", "Ah", "Kd", "Jd", "Qc", "9c", "Ts", "Js", "9s"});
    const GiveChoice c = ChooseCardsToGive(weak, 115, rulesWith(true, true));
    EXPECT_EQ(given(weak, c), Given("Qc", "Kd"));
    EXPECT_EQ(c.contract, 115);
    EXPECT_TRUE(c.painting);
    EXPECT_FALSE(ChooseCardsToGive(weak, 115, rulesWith(false, true)).painting);

    // Q 10 A, 9 10 A and 10 A make 7.6: the hand is still played at the bid.
    const HandArray heavy =
        declarerHand({"Qh", "Th", "Ah", "9d", "Td", "Ad", "Tc", "Ac", "9s", "Js"});
    const GiveChoice d = ChooseCardsToGive(heavy, 120, rulesWith(true, true));
    EXPECT_EQ(given(heavy, d), Given("9s", "Js"));
    EXPECT_EQ(d.contract, 120);
    EXPECT_FALSE(d.painting);
    EXPECT_EQ(valueOfGiving(evaluatePairs(heavy), heavy, "9s", "Js").contractValue, 72);
}

TEST(ChooseCardsToGive, PropertiesOverRandomHands) {
    SeededRandom random(9122026);
    for (int n = 0; n < 3000; ++n) {
        const std::array<Card, 25> deck = Shuffle(random);
        HandArray h;
        for (int i = 1; i <= 10; ++i) h[i] = deck[static_cast<size_t>(i)];
        SortHand(h, kNoSuit);
        const int bid = 100 + 5 * random.uniform(0, 30);
        const RuleSettings rules = rulesWith(random.uniform(0, 1) == 1, random.uniform(0, 1) == 1);
        const GiveChoice c = ChooseCardsToGive(h, bid, rules);

        ASSERT_GE(c.slot1, 1);
        ASSERT_LT(c.slot1, c.slot2);
        ASSERT_LE(c.slot2, 10);
        ASSERT_GE(c.contract, bid);
        if (rules.RuleRoundToFive) {
            ASSERT_EQ(c.contract % 5, 0);
        }
        if (c.painting) {
            ASSERT_TRUE(rules.RulePainting);
        }
        bool anyAce = false, anyMarriage = false;
        for (int i = 1; i <= 10; ++i) anyAce = anyAce || CardRank(h[i]) == 6;
        for (int s = 1; s <= 4; ++s)
            anyMarriage = anyMarriage || HasMarriage(10, h.cards(), kSuitCodes[s]);
        if (!anyAce && rules.RulePainting) {
            ASSERT_TRUE(c.painting);
        }

        // The contract is the bid or what the pair given away leaves.
        const auto values = evaluatePairs(h);
        const PairValue& chosen = values[static_cast<size_t>(pairIndexOf(c.slot1, c.slot2))];
        int value = chosen.contractValue;
        if (rules.RuleRoundToFive) value -= value % 5;
        ASSERT_TRUE(c.contract == bid || c.contract == value) << c.contract;
        int bestContract = 0, bestChoice = -1;
        for (int k = 1; k <= kPairCount; ++k) {
            bestContract = std::max(bestContract, values[static_cast<size_t>(k)].contractValue);
            bestChoice = std::max(bestChoice, values[static_cast<size_t>(k)].choiceValue);
        }
        if (anyMarriage || bestContract > 100) {
            ASSERT_GE(chosen.choiceValue, bestChoice - 4);
        } else {
            ASSERT_EQ(c.contract, bid);
        }

        // The bid and the rules change the contract and the give-up, never the cards given.
        const GiveChoice other = ChooseCardsToGive(h, 100, rulesWith(false, false));
        ASSERT_EQ(other.slot1, c.slot1);
        ASSERT_EQ(other.slot2, c.slot2);
        ASSERT_FALSE(other.painting);
    }
}

}  // namespace
}  // namespace orvala
