#pragma once
// Seeded random layouts for the search: the tests compare the fast search with the oracle on
// them, the benchmarks time both, and `orvala-tool bench` solves a fixed set of them as the
// behaviour signature of the card-play search.
//
// A layout is what a real deal could show at a decision: three hands of one size (the players
// who already played to the trick hold one card fewer), the cards played so far in the trick
// (legal for their players), a trump or none, scores that are sometimes all 0 and sometimes
// carry marriages, a contract, and the declarer.

#include <cstdint>
#include <vector>

#include "core/ai/play_search.h"
#include "core/game/random_source.h"

namespace orvala {

// `cards` (1..8) is the mover's hand size; `position` 0 picks one of 1..3 at random.
SearchPosition RandomSearchPosition(RandomSource& random, int cards, int position = 0);

struct SignatureFigures {
    int layouts = 0;
    std::int64_t nodes = 0;
    std::uint64_t hash = 0;  // FNV-1a over the chosen slots, in order
};

// The behaviour signature: a fixed list of seeded layouts of 2..7 cards, solved with a fresh
// memo and pruning as the card choice uses it (on with five or more cards).
SignatureFigures SearchSignature();

}  // namespace orvala
