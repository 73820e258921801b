#pragma once
// The main menu's world panel: one hint at a time, in turn, from what the service told us. Each
// hint is a caption from the word table and a value; a hint whose read failed keeps its caption
// and gets ": NO CONNECT" instead of the value.
//
// The hints, in their order: the players' "Dynamic IQ for Windows (percent)" (the share of won
// games among the won and lost games against the computer, rounded; 0 before any), "Games played
// with PC" (abbreviated), the best Windows, Android and account players (the first rows of the
// three record tables), the Zors balance (only while an account is logged in) and "Club
// members: " with the number of accounts.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/lang/word_table.h"
#include "core/online/operations.h"

namespace orvala::online {

// What the panel's reads answered; nothing where a read failed.
struct WorldFacts {
    std::optional<Statistics> statistics;
    std::optional<std::string> bestWindows, bestMobile, bestAccount;  // "#": nobody yet
    bool loggedIn = false;
    std::optional<std::int64_t> balance;
    std::optional<std::int64_t> members;
};

struct WorldHint {
    WordRow caption;
    std::string value;  // empty when the read failed
    bool failed = false;
};

// The rounded percentage of wins among wins and losses; 0 when there are neither.
int dynamicIq(const Statistics& s);

std::vector<WorldHint> worldHints(const WorldFacts& facts);

// A hint as the panel shows it, with `caption` the caption's words in the current language: a
// caption that ends in ": " is followed by the value as it is, any other one by ": " first.
std::string hintText(std::string_view caption, const WorldHint& hint,
                     std::string_view noConnectSuffix);

}  // namespace orvala::online
