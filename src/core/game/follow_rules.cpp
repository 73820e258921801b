#include "core/game/follow_rules.h"

namespace orvala {

bool IsIllegalPlay(const HandArray& hand, int count, Card card, SuitCode leadSuit, SuitCode trump) {
    if (leadSuit == kNoSuit) return false;
    const auto cards = hand.cards();
    if (card.suit == leadSuit) return false;
    const bool hasLead = HasSuit(count, cards, leadSuit);
    if (trump == kNoSuit || card.suit != trump) return hasLead || HasSuit(count, cards, trump);
    return hasLead;
}

int TrickWinnerPos(const std::array<Card, 4>& trick, SuitCode trump) {
    auto best = [&](SuitCode suit) {
        int pos = 0;
        for (int p = 1; p <= 3; ++p)
            if (trick[p].suit == suit && (pos == 0 || CardRank(trick[p]) > CardRank(trick[pos])))
                pos = p;
        return pos;
    };
    if (trump != kNoSuit)
        if (int p = best(trump)) return p;
    return best(trick[1].suit);
}

}  // namespace orvala
