#include "core/game/knowledge.h"

namespace orvala {

void NoteCardPlayed(GameRecord& g, int pos) {
    const Card card = g.TrickCards[pos];
    for (int s = 1; s <= 3; ++s) AddUnique(card, g.ExcludedCards[s]);
    if (pos == 1) return;
    const int seat = g.seatAtTrickPos(pos);
    const SuitCode led = g.TrickCards[1].suit;
    if (card.suit == led) return;
    auto excludeSuit = [&](SuitCode suit) {
        for (int r = 1; r <= 6; ++r) AddUnique(Card{kRankCodes[r], suit}, g.ExcludedCards[seat]);
    };
    excludeSuit(led);
    if (g.Trump != kNoSuit && led != g.Trump && card.suit != g.Trump) excludeSuit(g.Trump);
}

}  // namespace orvala
