// The deal: a new game's reset, the shuffle, seven cards a seat and the talon, the first bidder,
// and the press that starts the auction.

#include "core/game/round_driver.h"
#include "core/game/shuffle.h"

namespace orvala {

void RoundDriver::NewDeal(bool continueGame) {
    // Step 1. The table is laid out for a deal.
    button7_.visible = button8_.visible = true;
    setButton(button8_, WordRow::Pass, false);
    post(ev::ResetTable{});
    for (int s = 1; s <= 3; ++s) post(ev::Bubble{ev::Bubble::Kind::Clear, s, {}});

    // Step 2. A new game resets the scores; KonNumber and PlayerTotal were set by the caller.
    if (!continueGame) {
        const int start = rules_.RuleStartWith500 ? 500 : 1000;
        for (int s = 1; s <= 3; ++s) {
            g_.Score[s] = start;
            g_.BoltCount[s] = 0;
        }
        g_.DealNumber = 0;
        g_.GameResult = 0;
        g_.NewTotal = 0;
    }

    // Steps 3 and 4.
    ++g_.DealNumber;
    if (kind_ == GameKind::VsComputer) g_.SeatNames[1] = g_.SeatNames[2] = "PC";

    // Step 5. Shuffle and give seven cards to each seat; positions 22..24 are the talon.
    for (int s = 1; s <= 3; ++s) g_.Hand[s] = HandArray{};
    g_.PlayedList.clear();
    g_.Deck = Shuffle(random_);
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

    // Step 7. Against the computer the first bidder rotates with the player's game counter and
    // the deal number; a LAN host rotates by the deal number alone, in its own seat numbering
    // (the joiners translate it into theirs).
    const int r = kind_ == GameKind::Lan ? g_.DealNumber % 3 : (g_.KonNumber + g_.DealNumber) % 3;
    g_.FirstBidder = r == 0 ? 3 : r;
    g_.GameState = g_.FirstBidder;

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
    setButton(button7_, WordRow::ToBegin, kind_ == GameKind::VsComputer);
    button8_.enabled = false;
    post(ev::MarkFirstBidder{g_.FirstBidder});

    // Step 10.
    for (int s = 1; s <= 3; ++s) redrawHand(s);
    for (int s = 1; s <= 3; ++s) bubbleName(s);
    sound("WTasoKo", ev::SoundTiming::Async);
    timer_ = TimerState{200, false};
    help_ = HelpTopic::Deal;
}

void RoundDriver::startBidding() {
    g_.DealStartPending = 2;
    if (g_.GameState == 3) {
        // The person bids first and must open at 100: Pass stays disabled on this turn.
        setButton(button7_, WordRow::IPlayOn, true, "100");
    } else {
        setButton(button7_, WordRow::IPlayOn, false, "...");
    }
    timer_.enabled = true;
    if (kind_ == GameKind::VsComputer)
        for (int s = 1; s <= 2; ++s) g_.BidLimit[s] = players_.ComputerBidLimit(g_, rules_, s);
    button7_.enabled = g_.GameState == 3;
    help_ = HelpTopic::Bidding;
}

}  // namespace orvala
