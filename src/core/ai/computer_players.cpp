#include "core/ai/computer_players.h"

#include "core/ai/bid_limit.h"
#include "core/ai/discard.h"

namespace orvala {

ComputerPlayers::ComputerPlayers(RandomSource& random, CardChoiceOptions options,
                                 int memoLog2Entries)
    : random_(random), options_(std::move(options)), memo_(memoLog2Entries) {}

int ComputerPlayers::ComputerBidLimit(const GameRecord& g, const RuleSettings& rules, int seat) {
    // The seven dealt cards only.
    HandArray hand;
    for (int i = 1; i <= 7; ++i) hand[i] = g.Hand[seat][i];
    return ::orvala::ComputerBidLimit(hand, rules);
}

GiveChoice ComputerPlayers::ChooseCardsToGive(const GameRecord& g, const RuleSettings& rules,
                                              int seat) {
    // The slots answered are the record's own: its hand is sorted, as the game keeps it.
    return ::orvala::ChooseCardsToGive(g.Hand[seat], g.CurrentBid, rules);
}

int ComputerPlayers::ChooseComputerCard(const GameRecord& g, const RuleSettings&, int seat) {
    return ::orvala::ChooseComputerCard(g, seat, random_, memo_, options_, &last_);
}

int ComputerPlayers::AskContract(const GameRecord& g, const RuleSettings&) {
    return g.Contract;
}

}  // namespace orvala
