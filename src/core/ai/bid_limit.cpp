#include "core/ai/bid_limit.h"

#include <span>

#include "core/ai/suit_value_table.h"

namespace orvala {
namespace {

constexpr int kDealtCards = 7;
// The largest unprotected-marriage value looked for; no row comes near it.
constexpr int kTopMarriagePoints = 220;
constexpr int kFourAcesCap = 100;

}  // namespace

int ComputerBidLimit(const HandArray& hand, const RuleSettings& rules) {
    const std::span<const Card> dealt = hand.cards().first(kDealtCards + 1);
    const RankMask queenOrKing = rankBit(3) | rankBit(4);
    const RankMask ace = rankBit(6);

    RankMask held[5] = {};
    int suitsWithHonour = 0, aces = 0;
    for (int s = 1; s <= 4; ++s) {
        held[s] = suitMask(kDealtCards, dealt, kSuitCodes[s]);
        if (held[s] & queenOrKing) ++suitsWithHonour;
        if (held[s] & ace) ++aces;
    }
    const bool firstColumns = suitsWithHonour == 4;

    int limit = 0, bestMarriage = 0;
    for (int s = 1; s <= 4; ++s) {
        const SuitValueRow& row = SuitValueTable()[holdingIndexOfMask(held[s])];
        const int points = firstColumns ? row.points1(kSuitCodes[s]) : row.points2(kSuitCodes[s]);
        if (row.MarriageRow == 0) {
            limit += points;
        } else if (points <= kTopMarriagePoints && points > bestMarriage) {
            // Strictly greater: on equal values the earlier suit is the one counted.
            bestMarriage = points;
        }
    }
    limit += bestMarriage;

    if (aces == 0) return 0;
    if (aces == 4 && !rules.RulePainting && limit >= kFourAcesCap) return kFourAcesCap;
    return limit;
}

}  // namespace orvala
