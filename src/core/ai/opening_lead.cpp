#include "core/ai/opening_lead.h"

#include <string>

namespace orvala {
namespace {

constexpr SuitCode kSuitsInOrder[4] = {kHearts, kDiamonds, kClubs, kSpades};

// The rank letters held in a suit, lowest first ("9JQKTA" order).
std::string holding(const HandArray& hand, int count, SuitCode suit) {
    std::string out;
    for (int r = 1; r <= 6; ++r)
        if (HasCard(count, hand.cards(), makeCard(r, suitIndex(suit)))) out += "9JQKTA"[r - 1];
    return out;
}

int slotOf(const HandArray& hand, int count, RankCode rank, SuitCode suit) {
    return IndexOfCard(count, Card{rank, suit}, hand.cards());
}

}  // namespace

int LowLeadPreference(const HandArray& hand, int count) {
    // Short and weak holdings first: a low lead from them gives the least away.
    static constexpr const char* kPreference[] = {
        "9",     "J",     "Q",     "K",     "9J",    "9Q",    "JQ",   "9K",
        "JK",    "9JQ",   "9JA",   "9QA",   "JQA",   "9KA",   "JKA",  "9TA",
        "QTA",   "9QTA",  "9JKA",  "9JKT",  "9JQT",  "9KTA",  "9JTA", "9JQA",
        "9JQKT", "9JQKA", "9JQTA", "9JKTA", "9QKTA", "JQKTA", "JKTA", "JQTA"};
    for (const char* entry : kPreference)
        for (SuitCode suit : kSuitsInOrder)
            if (holding(hand, count, suit) == entry) return LowestOfSuit(count, hand.cards(), suit);
    int best = 0;
    for (int i = 1; i <= count; ++i)
        if (!hand[i].isEmpty() && (best == 0 || hand.rank(i) < hand.rank(best))) best = i;
    return best == 0 ? 1 : best;
}

int OpeningLeadChoice(const HandArray& hand, int count, const std::array<Card, 4>& trick,
                      int position) {
    const auto cards = hand.cards();
    // 1. Leading: the first ace in slot order.
    if (position <= 1) {
        for (int i = 1; i <= count; ++i)
            if (hand[i].rank == kAce) return i;
        return LowLeadPreference(hand, count);
    }
    const Card led = trick[1];
    const SuitCode lead = led.suit;
    // 2. Nothing of the led suit.
    if (!HasSuit(count, cards, lead)) return LowLeadPreference(hand, count);
    const int lowest = LowestOfSuit(count, cards, lead);
    const int highest = HighestOfSuit(count, cards, lead);
    const int ace = slotOf(hand, count, kAce, lead);
    const int ten = slotOf(hand, count, kTen, lead);
    const int king = slotOf(hand, count, kKing, lead);

    // 3. An ace led: the ten from queen-king-ten when another ace may take a later trick.
    if (led.rank == kAce) {
        if (holding(hand, count, lead) == "QKT") {
            bool anyAce = false;
            for (int i = 1; i <= count; ++i) anyAce = anyAce || hand[i].rank == kAce;
            return anyAce ? ten : lowest;
        }
        return lowest;
    }

    // 4. Second to play.
    if (position == 2) {
        if (led.rank == kTen) return ace != 0 ? ace : lowest;
        if (led.rank == kKing) return ace != 0 ? ace : ten != 0 ? ten : lowest;
        if (led.rank == kQueen) {
            bool marriage = false;
            for (SuitCode s : kSuitsInOrder) marriage = marriage || HasMarriage(count, cards, s);
            if (ace != 0 && (ten != 0 || king == 0 || marriage)) return ace;
            if (ace != 0 && king != 0 && ten == 0) return king;
            if (ten != 0 && king != 0) return king;
            if (ten != 0) return ten;
            if (king != 0) return king;
            return lowest;
        }
        return highest;  // a jack or a nine led
    }

    // 5. Third to play: win the trick only if the seat's highest beats what lies there.
    int bestOnTable = 0;
    for (int p = 1; p <= 2; ++p)
        if (trick[p].suit == lead && CardRank(trick[p]) > bestOnTable)
            bestOnTable = CardRank(trick[p]);
    return hand.rank(highest) > bestOnTable ? highest : lowest;
}

}  // namespace orvala
