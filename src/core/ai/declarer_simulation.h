#pragma once
// One deal played out from the declarer's eight cards, for judging bids, cards to give and
// contracts before the play: the first trick as the Classic players play it (a fixed table of
// leads and answers, no trump yet), the seven tricks after it solved exactly (PlaySearch) with
// every hand open.

#include <cstdint>

#include "core/ai/search_memo.h"
#include "core/cards/hand_helpers.h"

namespace orvala {

struct PlayOutcome {
    bool made = false;       // the declarer's points reached the contract
    int defenderPoints = 0;  // the two defenders' points together, marriages included
    std::int64_t nodes = 0;
};

// `declarer` leads; `first` is the defender after him, `second` the one after that; each holds
// eight cards in slots 1..8 (any order).
PlayOutcome PlayOut(const HandArray& declarer, const HandArray& first, const HandArray& second,
                    int contract, SearchMemo& memo);

// The declarer's value of a deal in points a deal, as the match counts it: his own gain less the
// mean of the defenders' gains (defenders gain their points; the declarer the contract, or
// loses it).
inline int DeclarerValue(const PlayOutcome& o, int contract) {
    return (o.made ? contract : -contract) - o.defenderPoints / 2;
}

}  // namespace orvala
