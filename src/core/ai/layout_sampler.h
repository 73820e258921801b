#pragma once
// Random layouts of the cards a computer seat cannot see, dealt to its two opponents in a way
// that agrees with everything the seat knows.
//
// What is known (LayoutKnowledge) is gathered once per decision: the cards known to be in each
// opponent's hand (KnownCards, first three entries), the cards an opponent cannot hold
// (ExcludedCards, less the seat's own cards) and, from these, the cards forced into the other
// opponent's hand. The rest forms the pool, in deck order. A layout gives the next opponent his
// known cards and enough distinct pool cards drawn uniformly; the previous opponent gets his
// known cards and all other pool cards.
//
// When the record's knowledge does not add up (it always does in a real game), the knowledge
// falls back to every unseen card in the pool and nothing known, so a layout is still dealt.

#include <array>

#include "core/game/game_record.h"
#include "core/game/random_source.h"

namespace orvala {

struct LayoutKnowledge {
    int seat = 0;
    int next = 0;
    int previous = 0;
    int nextCount = 0;  // HandCount of each opponent
    int previousCount = 0;
    std::array<Card, 24> knownNext{};  // known and forced cards of the next opponent
    int knownNextCount = 0;
    std::array<Card, 24> knownPrevious{};
    int knownPreviousCount = 0;
    std::array<Card, 24> pool{};  // the cards either opponent may hold, in deck order
    int poolSize = 0;
    bool consistent = true;  // false when the fallback was taken
};

LayoutKnowledge BuildLayoutKnowledge(const GameRecord& g, int seat);

struct Layout {
    HandArray next;  // sorted as the game sorts hands for `trump`
    HandArray previous;
};

// One random layout: draws from random.uniform(0, poolSize - 1) until enough distinct pool
// cards are taken for the next opponent.
Layout SampleLayout(const LayoutKnowledge& k, RandomSource& random, SuitCode trump);

}  // namespace orvala
