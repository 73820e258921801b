#pragma once
// How much the Expert player thinks per decision. The counts make it deterministic for a seeded
// random source whatever the machine's load (tests, the match, the benchmarks); the optional
// wall-clock cap is for the window, where an answer must come in time.

#include <chrono>
#include <cstdint>
#include <functional>

namespace orvala {

struct ExpertBudget {
    // Card play: layouts are solved until this many search nodes are spent, at least minLayouts
    // and at most maxLayouts of them.
    std::int64_t playNodes = 400'000;
    int minLayouts = 3;
    int maxLayouts = 300;
    // The declarer's cards to give, contract and giving up: layouts of the defenders' hands, how
    // many pairs of cards to give are played out on them, and the search nodes after which no
    // further layout is begun (at least four are played out).
    int giveLayouts = 12;
    int giveCandidates = 2;
    std::int64_t giveNodes = 1'500'000;
    // The bid limit: layouts of the talon and the other hands, and the same node limit.
    int bidLayouts = 12;
    std::int64_t bidNodes = 1'500'000;
    // What a deal is worth to a seat that leaves the contract to another, in the declarer's
    // points a deal: the seat bids on while declaring is worth more. Defending is worth much:
    // the first bidder, held to open, often gives the deal up or fails.
    int defenceValue = 40;
    // A wall-clock cap per decision in milliseconds (0: none). Once passed, the decision is made
    // from the layouts solved so far.
    int timeCapMs = 0;
    std::function<std::chrono::steady_clock::time_point()> clock;  // empty: steady_clock
};

}  // namespace orvala
