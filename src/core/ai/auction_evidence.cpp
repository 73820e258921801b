#include "core/ai/auction_evidence.h"

#include "core/ai/bid_limit.h"

namespace orvala {

double AuctionWeight(const HandArray& seven, int seat, const GameRecord& g,
                     const RuleSettings& rules) {
    const int limit = ComputerBidLimit(seven, rules);
    const int bid = g.CurrentBid;
    if (seat == g.Declarer) return bid <= 100 || limit > bid - 5 ? 1.0 : kUnlikelyAuction;
    return limit <= bid ? 1.0 : kUnlikelyAuction;
}

bool DealtHand(const GameRecord& g, int seat, const HandArray& now, int count,
               const std::vector<Card>& played, HandArray& seven) {
    std::vector<Card> cards;
    for (int i = 1; i <= count && i <= kHandSlots; ++i)
        if (!now[i].isEmpty()) cards.push_back(now[i]);
    cards.insert(cards.end(), played.begin(), played.end());
    auto drop = [&](Card c) {
        for (auto it = cards.begin(); it != cards.end(); ++it)
            if (*it == c) {
                cards.erase(it);
                return true;
            }
        return false;
    };
    if (seat == g.Declarer) {
        cards.push_back(g.GivenCards[1]);
        cards.push_back(g.GivenCards[2]);
        for (int i = 1; i <= 3; ++i)
            if (!drop(g.Talon(i))) return false;
    } else if (g.Declarer >= 1 && g.Declarer <= 3) {
        const Card received = seat == nextSeat(g.Declarer) ? g.GivenCards[1] : g.GivenCards[2];
        if (!drop(received)) return false;
    }
    if (cards.size() != 7) return false;
    seven = HandArray{};
    for (int i = 0; i < 7; ++i) {
        if (!isValidCard(cards[static_cast<size_t>(i)])) return false;
        seven[i + 1] = cards[static_cast<size_t>(i)];
    }
    return true;
}

}  // namespace orvala
