// The auction: bids rise by 5 from a compulsory 100, a pass is final, and the last seat left in
// is the declarer.

#include "core/game/rule_steps.h"

namespace orvala {

bool raisesWithLimit(const GameRecord& g, int seat, int limit) {
    return (g.CurrentBid == 95 && g.FirstBidder == seat) || limit > g.CurrentBid;
}

int auctionWinner(const GameRecord& g) {
    for (int s = 1; s <= 3; ++s)
        if (g.InBid[s]) return s;
    return 0;
}

void RuleSteps::computerBid(int seat) {
    if (!g_.InBid[seat]) return;
    BidStep(seat, raisesWithLimit(g_, seat, g_.BidLimit[seat]));
}

void RuleSteps::BidStep(int seat, bool raise) {
    auto nextInAuction = [&](int s) {
        const int n = nextSeat(s);
        return g_.InBid[n] ? n : nextSeat(n);
    };
    if (raise) {
        g_.CurrentBid += 5;
        bubbleText(seat, WordRow::IPlayOn, std::to_string(g_.CurrentBid));
        sound(Wave::WDiPlay, ev::SoundTiming::Sync);
    } else {
        bubbleText(seat, WordRow::Pass);
        sound(Wave::WDiPass, ev::SoundTiming::Sync);
        g_.InBid[seat] = false;
        if (g_.InBid[1] + g_.InBid[2] + g_.InBid[3] == 1) {
            g_.GameState = GameState::AuctionOver;
            ShowAuctionWinner();
            return;
        }
    }
    g_.GameState = biddingState(nextInAuction(seat));
}

void RuleSteps::ShowAuctionWinner() {
    for (int s = 1; s <= 3; ++s)
        post(ev::ShowBid{s, g_.InBid[s] ? std::optional<int>(g_.CurrentBid) : std::nullopt});
}

}  // namespace orvala
