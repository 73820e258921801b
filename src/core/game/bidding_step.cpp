// The auction: bids rise by 5 from a compulsory 100, a pass is final, and the last seat left in
// is the declarer.

#include "core/game/round_driver.h"

namespace orvala {

void RoundDriver::computerBid(int seat) {
    if (!g_.InBid[seat]) return;
    // The first bidder opens at 100 whatever its limit; after that a seat raises while the bid
    // is below its limit.
    const bool raise = (g_.CurrentBid == 95 && g_.FirstBidder == seat) ||
                       g_.BidLimit[seat] > g_.CurrentBid;
    BidStep(seat, raise);
}

void RoundDriver::BidStep(int seat, bool raise) {
    auto nextInAuction = [&](int s) {
        const int n = nextSeat(s);
        return g_.InBid[n] ? n : nextSeat(n);
    };
    if (raise) {
        g_.CurrentBid += 5;
        bubbleText(seat, WordRow::IPlayOn, std::to_string(g_.CurrentBid));
        sound("WDiPlay", ev::SoundTiming::Sync);
        g_.GameState = nextInAuction(seat);
    } else {
        bubbleText(seat, WordRow::Pass);
        sound("WDiPass", ev::SoundTiming::Sync);
        g_.InBid[seat] = false;
        const int left = g_.InBid[1] + g_.InBid[2] + g_.InBid[3];
        if (left == 1) {
            g_.GameState = 4;
            setButton(button7_, WordRow::ToOpenCards, true);
            button8_.enabled = false;
            ShowAuctionWinner();
            return;
        }
        g_.GameState = nextInAuction(seat);
    }
    if (g_.GameState == 3) {
        setButton(button7_, WordRow::IPlayOn, true, std::to_string(g_.CurrentBid + 5));
        button8_.enabled = true;
    } else if (seat == 3) {
        button7_.enabled = false;
        button8_.enabled = false;
    }
}

void RoundDriver::ShowAuctionWinner() {
    for (int s = 1; s <= 3; ++s) post(ev::ShowBid{s, g_.InBid[s] ? g_.CurrentBid : 0});
}

}  // namespace orvala
