#pragma once
// The card-play search written as plainly as its rules read: hands as card slots, one node per
// card played, a fresh copy of everything for every child, and no memo. It is the reference the
// fast search (play_search.h) is tested against and the baseline of its benchmarks; the game
// itself never calls it.
//
// Same inputs and outputs as PlaySearch; the same layout and pruning flag give the same values,
// slot for slot, and the same chosen slot.

#include "core/ai/play_search.h"

namespace orvala {

SearchResult OraclePlaySearch(const SearchPosition& root, bool prune);

}  // namespace orvala
