#pragma once
// A hand given on the command line as cards in the Latin notation (or the other notations that
// parseCard reads): exactly `count` of them, none repeated, placed in slots 1..count.

#include <set>
#include <string>
#include <vector>

#include "args.h"
#include "core/cards/hand_helpers.h"

namespace orvala::tool {

inline HandArray parseHandArgs(const std::vector<std::string>& words, int count) {
    if (static_cast<int>(words.size()) != count)
        throw UsageError("needs exactly " + std::to_string(count) + " cards, got " +
                         std::to_string(words.size()));
    HandArray hand;
    std::set<std::string> seen;
    for (int i = 1; i <= count; ++i) {
        const Card c = parseCardArg(words[static_cast<size_t>(i - 1)]);
        if (!seen.insert(toLatin(c)).second)
            throw UsageError("card " + toLatin(c) + " is given twice");
        hand[i] = c;
    }
    return hand;
}

}  // namespace orvala::tool
