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
    std::int64_t playNodes = 150'000;
    int minLayouts = 3;
    int maxLayouts = 300;
    // The declarer's cards to give, contract and giving up: layouts of the defenders' hands, how
    // many pairs of cards to give are played out on them, and the search nodes after which no
    // further layout is begun (at least four are played out).
    int giveLayouts = 24;
    int giveCandidates = 4;
    // A contract above the bid is counted as made on a layout only where the open play makes
    // this many points more: play with hidden cards makes less than play with open ones.
    int raiseMargin = 0;
    std::int64_t giveNodes = 4'000'000;
    // The bid limit: layouts of the talon and the other hands, and the same node limit.
    int bidLayouts = 12;
    std::int64_t bidNodes = 1'500'000;
    // What a deal is worth to a seat that leaves the contract to another, in the declarer's
    // points a deal: the seat bids on while declaring is worth more. Defending is worth much:
    // the first bidder, held to open, often gives the deal up or fails.
    int defenceValue = 40;
    // A wall-clock cap per decision in milliseconds (0: none). Once passed, no further layout is
    // begun and the decision is made from those solved so far (at least the first for a card,
    // four for a bid or the cards to give).
    int timeCapMs = 0;
    std::function<std::chrono::steady_clock::time_point()> clock;  // empty: steady_clock
};

}  // namespace orvala
