// Trick play: eight tricks, the follow rules, marriages declared by leading the queen, and the
// trick collected by its winner.

#include "core/game/follow_rules.h"
#include "core/game/knowledge.h"
#include "core/game/rule_steps.h"

namespace orvala {

bool isLegalSlot(const GameRecord& g, int seat, int slot) {
    if (slot < 1 || slot > g.HandCount[seat] || g.Hand[seat][slot].isEmpty()) return false;
    const SuitCode lead = g.TrickPos > 1 ? g.LeadSuit : kNoSuit;
    return !IsIllegalPlay(g.Hand[seat], g.HandCount[seat], g.Hand[seat][slot], lead, g.Trump);
}

int firstLegalSlot(const GameRecord& g, int seat) {
    for (int k = 1; k <= g.HandCount[seat]; ++k)
        if (isLegalSlot(g, seat, k)) return k;
    return 0;
}

void RuleSteps::PlayCard(int seat, int slot) {
    const Card card = g_.Hand[seat][slot];
    const int pos = g_.TrickPos;
    // Steps 1 and 2.
    g_.TrickCards[pos] = card;
    if (pos == 1) g_.LeadSuit = card.suit;
    g_.Hand[seat][slot] = EmptyCard;
    --g_.HandCount[seat];
    g_.MarriageDeclared = 0;

    // Step 3. Leading a queen with its king in hand, from the second trick on, declares the
    // marriage: its value is scored at once and its suit becomes trump.
    const bool marriage = pos == 1 && card.rank == kQueen && g_.TrickNumber != 1 &&
                          HasCard(8, g_.Hand[seat].cards(), Card{kKing, card.suit});
    if (marriage) {
        g_.DealPoints[seat] += MarriageValue(card.suit);
        g_.MarriageDeclared = suitIndex(card.suit);
        g_.Trump = card.suit;
        ResortAllHands();
    }

    // Step 4.
    bubbleName(seat);
    // The card leaves the hand as drawn: before this play, or re-sorted after a marriage.
    const int drawn = marriage ? g_.HandCount[seat] : g_.HandCount[seat] + 1;
    const int from = marriage ? 0 : slot;
    post(ev::MoveCard{card, Place{Place::Kind::Hand, seat, from, drawn},
                      Place{Place::Kind::Trick, seat}});
    if (!marriage) redrawHand(seat);

    // Step 5.
    if (!marriage) {
        sound(Wave::WHodsDo, ev::SoundTiming::Sync);
    } else {
        static constexpr WordRow kCalls[] = {WordRow::Hundred, WordRow::Eighty, WordRow::Sixty,
                                             WordRow::Forty};
        bubbleText(seat, kCalls[g_.MarriageDeclared - 1]);
        post(ev::ShowDealPoints{seat, g_.DealPoints[seat], false, true});  // the leader keeps the mark
        sound(g_.MarriageDeclared <= 2 ? Wave::WSays40 : Wave::WSays20, ev::SoundTiming::Sync);
    }

    // Step 6. The trick waits on the table for the Ok, whoever played its last card.
    g_.GameState = pos < 3 ? playingState(nextSeat(seat)) : GameState::TrickComplete;

    // Steps 7 to 9.
    NoteCardPlayed(g_, pos);
    for (int i = 1; i <= 3; ++i)
        if (g_.KnownCards[seat][i] == card) g_.KnownCards[seat][i] = EmptyCard;
    ++g_.TrickPos;
    if (g_.TrickPos == 4) ResolveTrick();
}

void RuleSteps::ResolveTrick() {
    const int winner = g_.seatAtTrickPos(TrickWinnerPos(g_.TrickCards, g_.Trump));
    g_.PrevLeader = g_.FirstBidder;
    g_.FirstBidder = winner;
    g_.DealPoints[winner] += g_.TrickPoints(1) + g_.TrickPoints(2) + g_.TrickPoints(3);
    for (int s = 1; s <= 3; ++s)
        post(ev::ShowDealPoints{s, g_.DealPoints[s], s == winner, s == winner});
}

void RuleSteps::CollectTrick() {
    // Step 1.
    post(ev::GatherTrick{g_.FirstBidder, g_.PrevLeader, g_.TrickCards});
    post(ev::Pause{200, true});
    g_.TableLeader = g_.FirstBidder;
    // Steps 2 to 5.
    for (int s = 1; s <= 3; ++s) bubbleName(s);
    g_.TrickPos = 1;
    g_.GameState = playingState(g_.FirstBidder);
    for (int p = 1; p <= 3; ++p) g_.PlayedList[g_.PlayedCount++] = g_.TrickCards[p];
    g_.TrickCards = {};
    g_.LeadSuit = kNoSuit;
    ++g_.TrickNumber;
    // Step 6. After the last trick the next tick scores the deal.
    if (g_.HandCount[1] == 0 && g_.HandCount[2] == 0 && g_.HandCount[3] == 0)
        g_.GameState = GameState::AllPlayed;
    g_.MarriageDeclared = 0;
}

void RuleSteps::ResortAllHands() {
    showRoundInfo();
    for (int s = 1; s <= 3; ++s) redrawHand(s);
}

}  // namespace orvala
