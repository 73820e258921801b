#include "core/ai/discard.h"

#include <algorithm>

#include "core/ai/suit_value_table.h"

namespace orvala {
namespace {

constexpr int kDeclarerCards = 10;
constexpr RankMask kQueenBit = rankBit(3);
constexpr RankMask kKingBit = rankBit(4);
constexpr RankMask kAceBit = rankBit(6);
// Bounds of the search for the largest unprotected-marriage value; no row comes near the top.
constexpr int kTopMarriagePoints = 400;
// A hand that wins every trick, or all but one, announces its marriages on top of these.
constexpr int kAllTricksValue = 120;
constexpr int kSevenTricksValue = 94;
constexpr int kHonourPenalty = 10;
constexpr int kHopelessContractValue = 100;
constexpr double kHopelessWeight = 7.0;
constexpr int kNearBest = 4;

bool isQueenOrKing(Card c) {
    const int r = CardRank(c);
    return r == 3 || r == 4;
}

PairValue evaluatePair(const HandArray& hand, int i, int j) {
    PairValue v;
    const Card a = hand[i], b = hand[j];
    const bool pairIsMarriage =
        isQueenOrKing(a) && isQueenOrKing(b) && a.suit == b.suit && CardRank(a) != CardRank(b);
    const int honoursGiven = int{isQueenOrKing(a)} + int{isQueenOrKing(b)};

    // The eight cards left: their order does not matter to a holding.
    RankMask held[5] = {};
    for (int k = 1; k <= kDeclarerCards; ++k) {
        if (k == i || k == j || !isValidCard(hand[k])) continue;
        held[suitIndex(hand[k].suit)] |= rankBit(CardRank(hand[k]));
    }

    int index[5] = {};
    int suitsWithHonour = 0;
    bool anyAce = false;
    for (int s = 1; s <= 4; ++s) {
        index[s] = holdingIndexOfMask(held[s]);
        if (held[s] & (kQueenBit | kKingBit)) ++suitsWithHonour;
        if (held[s] & kAceBit) anyAce = true;
    }
    const bool firstColumns = suitsWithHonour == 4 && !pairIsMarriage;

    int points = 0, bestMarriage = 0, bestMarriageSuit = 0;
    int chosen[5] = {};
    for (int s = 1; s <= 4; ++s) {
        const SuitValueRow& row = SuitValueTable()[static_cast<size_t>(index[s])];
        const SuitCode suit = kSuitCodes[s];
        v.tricks += firstColumns ? row.Tricks1 : row.Tricks2;
        chosen[s] = firstColumns ? row.points1(suit) : row.points2(suit);
        if ((held[s] & kQueenBit) && (held[s] & kKingBit)) v.marriageBonus += MarriageValue(suit);
        v.weight += row.Weight;
        if (row.MarriageRow == 0) {
            points += chosen[s];
        } else if (chosen[s] <= kTopMarriagePoints && chosen[s] > bestMarriage) {
            // Strictly greater: on equal values the earlier suit is the one counted.
            bestMarriage = chosen[s];
            bestMarriageSuit = s;
        }
    }
    if (bestMarriageSuit != 0) {
        points += bestMarriage;
        // The other unprotected marriages still bring in their aces.
        for (int s = 1; s <= 4; ++s) {
            if (s == bestMarriageSuit) continue;
            if (SuitValueTable()[static_cast<size_t>(index[s])].MarriageRow == 1 &&
                (held[s] & kAceBit))
                points += kRankPoints[6];
        }
    }
    if (!anyAce) points = 0;

    v.contractValue = v.choiceValue = points;
    if (v.tricks == 8) v.contractValue = v.choiceValue = v.marriageBonus + kAllTricksValue;
    if (v.tricks == 7) v.contractValue = v.choiceValue = v.marriageBonus + kSevenTricksValue;

    // Giving away a queen or king costs choice value, unless what stays behind is one of the
    // strong marriage holdings that make up for it.
    bool exempt = false;
    for (int s = 1; s <= 4; ++s) {
        if (v.tricks == 5 && (index[s] == 18 || index[s] == 19)) exempt = true;
        if (v.tricks == 6 && index[s] == 27) exempt = true;
    }
    if (!exempt && ((v.marriageBonus != 0 && v.tricks <= 6) || v.tricks <= 5))
        v.choiceValue -= kHonourPenalty * honoursGiven;
    return v;
}

bool holdsAnyMarriage(const HandArray& hand) {
    for (int s = 1; s <= 4; ++s)
        if (HasMarriage(kDeclarerCards, hand.cards(), kSuitCodes[s])) return true;
    return false;
}

bool holdsAnyAce(const HandArray& hand) {
    for (int k = 1; k <= kDeclarerCards; ++k)
        if (isValidCard(hand[k]) && CardRank(hand[k]) == 6) return true;
    return false;
}

}  // namespace

SlotPair pairSlots(int pairIndex) {
    int k = 0;
    for (int i = 1; i < kDeclarerCards; ++i)
        for (int j = i + 1; j <= kDeclarerCards; ++j)
            if (++k == pairIndex) return {i, j};
    return {};
}

std::array<PairValue, kPairCount + 1> evaluatePairs(const HandArray& hand) {
    std::array<PairValue, kPairCount + 1> values{};
    int k = 0;
    for (int i = 1; i < kDeclarerCards; ++i)
        for (int j = i + 1; j <= kDeclarerCards; ++j)
            values[static_cast<size_t>(++k)] = evaluatePair(hand, i, j);
    return values;
}

GiveChoice ChooseCardsToGive(const HandArray& hand, int bid, const RuleSettings& rules) {
    const std::array<PairValue, kPairCount + 1> values = evaluatePairs(hand);
    auto at = [&](int k) -> const PairValue& { return values[static_cast<size_t>(k)]; };

    bool anyAbove100 = false;
    for (int k = 1; k <= kPairCount; ++k)
        if (at(k).contractValue > kHopelessContractValue) anyAbove100 = true;

    GiveChoice choice;
    choice.contract = bid;
    // Pair 1 stands in only if no pair qualifies below, which the values never allow.
    int chosen = 1;
    if (!holdsAnyMarriage(hand) && !anyAbove100) {
        double best = -1.0;
        for (int k = 1; k <= kPairCount; ++k) {
            if (at(k).weight > best) {
                best = at(k).weight;
                chosen = k;
            }
        }
        if (best <= kHopelessWeight && rules.RulePainting) choice.painting = true;
    } else {
        int bestChoice = -1;
        for (int k = 1; k <= kPairCount; ++k) {
            if (at(k).choiceValue > bestChoice) {
                bestChoice = at(k).choiceValue;
                chosen = k;
            }
        }
        double bestWeight = 0.0;
        int byWeight = 0;
        for (int k = 1; k <= kPairCount; ++k) {
            const int diff = at(k).choiceValue - bestChoice;
            if (diff < -kNearBest || diff > kNearBest) continue;
            if (at(k).weight > bestWeight) {
                bestWeight = at(k).weight;
                byWeight = k;
            }
        }
        if (byWeight != 0) chosen = byWeight;
        if (at(chosen).contractValue > choice.contract) choice.contract = at(chosen).contractValue;
        if (!holdsAnyAce(hand) && rules.RulePainting) choice.painting = true;
    }

    if (rules.RuleRoundToFive) {
        // A bid that is itself no multiple of 5 is never undercut.
        choice.contract = std::max(bid, choice.contract - choice.contract % 5);
    }
    const SlotPair slots = pairSlots(chosen);
    choice.slot1 = slots.first;
    choice.slot2 = slots.second;
    return choice;
}

}  // namespace orvala
