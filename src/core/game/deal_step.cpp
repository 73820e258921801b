// The deal: a new game's reset, the shuffle, seven cards a seat and the talon, the first bidder,
// and the press that starts the auction.

#include "core/game/rule_steps.h"

namespace orvala {

void RuleSteps::NewDeal(bool continueGame, const PlayerStart* player) {
    // Step 1. The table is laid out for a deal.
    post(ev::ResetTable{});
    for (int s = 1; s <= 3; ++s) post(ev::Bubble::cleared(s));

    // Step 2. A new game resets the scores and takes the player's name and counters (a guest
    // has no stored counter and so starts at game 1 with nothing accumulated).
    if (!continueGame) {
        if (player) {
            g_.SeatNames[3] = player->name;
            g_.KonNumber = player->storedGameCounter + 1;
            g_.PlayerTotal = player->playerTotal;
        }
        const int start = rules_.RuleStartWith500 ? 500 : 1000;
        for (int s = 1; s <= 3; ++s) {
            g_.Score[s] = start;
            g_.BoltCount[s] = 0;
        }
        g_.DealNumber = 0;
        g_.GameResult = 0;
        g_.NewTotal = 0;
    }

    // Steps 3 and 4. Computer seats are called "PC"; other names come with their seats.
    ++g_.DealNumber;
    for (int s = 1; s <= 2; ++s)
        if (s_.roles.sitter[s] == Sitter::Computer) g_.SeatNames[s] = "PC";

    // Step 5 waits for the deck: shuffled here, or received from the machine that deals.
    g_.GameRunning = true;
    ask(Question::Kind::Deck, 0);
}

void RuleSteps::DealCards(const std::array<Card, 25>& deck) {
    // Step 5. Seven cards to each seat; positions 22..24 are the talon.
    for (int s = 1; s <= 3; ++s) g_.Hand[s] = HandArray{};
    g_.PlayedList.clear();
    g_.Deck = deck;
    for (int s = 1; s <= 3; ++s) {
        for (int i = 1; i <= 7; ++i) g_.Hand[s][i] = g_.Deck[static_cast<size_t>((s - 1) * 7 + i)];
        g_.HandCount[s] = 7;
    }

    // Step 6. An empty trick and no trump.
    g_.TrickCards = {};
    g_.LeadSuit = g_.Trump = kNoSuit;
    for (int s = 1; s <= 3; ++s) g_.DealPoints[s] = 0;
    g_.TrickNumber = g_.TrickPos = g_.PlayedCount = 1;
    g_.MarriageDeclared = 0;
    g_.PaintingChosen = false;
    g_.GameOver = false;
    g_.GivenCards = {};

    // Step 7. The first bidder, by the seat roles' rotation.
    g_.FirstBidder = firstBidderOf(s_.roles, g_.KonNumber, g_.DealNumber);
    g_.GameState = biddingState(g_.FirstBidder);

    // Step 8.
    g_.DealStartPending = 1;
    g_.CurrentBid = 95;
    for (int s = 1; s <= 3; ++s) {
        g_.InBid[s] = true;
        g_.BidLimit[s] = 0;
        g_.KnownCards[s].clear();
        g_.ExcludedCards[s].clear();
    }
    g_.GameRunning = true;
    g_.GiveSlot1 = g_.GiveSlot2 = 0;

    // Step 9.
    showRoundInfo();
    for (int s = 1; s <= 3; ++s) showScore(s);
    post(ev::MarkFirstBidder{g_.FirstBidder});

    // Step 10.
    for (int s = 1; s <= 3; ++s) redrawHand(s);
    for (int s = 1; s <= 3; ++s) bubbleName(s);
    sound(Wave::WTasoKo, ev::SoundTiming::Async);
}

void RuleSteps::startBidding() {
    g_.DealStartPending = 2;
    // The computer seats moved here judge their cards once, before the first bid.
    for (int s = 1; s <= 2; ++s) {
        if (s_.roles.sitter[s] == Sitter::Computer && s_.roles.timerMoves) {
            ask(Question::Kind::BidLimit, s);
            return;
        }
    }
}

void RuleSteps::takeBidLimit(int seat, int limit) {
    g_.BidLimit[seat] = limit;
    s_.pending.reset();
    for (int s = seat + 1; s <= 2; ++s) {
        if (s_.roles.sitter[s] == Sitter::Computer && s_.roles.timerMoves) {
            ask(Question::Kind::BidLimit, s);
            return;
        }
    }
}

}  // namespace orvala
