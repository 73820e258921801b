#pragma once
// What both levels of computer players share at a card decision: the first legal slot (the
// answer when nothing was searched), the search's root position seen from the seat to play, and
// the values of each slot summed over the layouts searched, with the best slot among them.

#include <array>

#include "core/ai/layout_sampler.h"
#include "core/ai/play_search.h"
#include "core/game/game_record.h"

namespace orvala {

int FirstLegalSlot(const GameRecord& g, int seat);

// The position at the decision: the seat's hand, the trick so far, the trump, the contract, the
// deal points in the seat's order (the seat, next, previous) and which of them declared. The
// opponents' hands are each layout's.
SearchPosition CardSearchRoot(const GameRecord& g, int seat, int position,
                              const LayoutKnowledge& knowledge);

struct SlotTotals {
    std::array<long long, 9> total{};
    unsigned explored = 0;  // bit i: slot i was valued in some layout

    void add(const SearchResult& r);
    // The slot with the highest total (the first of equals), 0 when none was valued.
    int best() const;
};

}  // namespace orvala
