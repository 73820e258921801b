#pragma once
// The six house rules. They are read when a rule applies, so a change takes effect at its next use.

#include <optional>
#include <string>
#include <string_view>

namespace orvala {

struct RuleSettings {
    bool RuleStartWith500 = false;
    bool RuleRoundToFive = true;
    bool RuleBolts = true;
    int RuleBoltPenaltyMode = 1;  // 1: three bolts in a row, 2: every 3rd bolt, 3: every 5th bolt
    bool RuleBarrel = true;
    bool RulePainting = true;

    friend bool operator==(const RuleSettings&, const RuleSettings&) = default;
};

// The six-character rule line of the settings file: start-with-500, round-to-five, bolts, penalty
// mode digit, barrel, painting. Every default gives "011111".
std::string formatRuleLine(const RuleSettings& rules);

// Strict reading for command lines and network messages: exactly six characters, flags "0"/"1",
// the mode "1".."3". Anything else is nullopt.
std::optional<RuleSettings> parseRuleLine(std::string_view line);

// The settings file's own lenient reading: each position the file's reader understands changes
// its rule ("1" turns start-with-500 on, "0" turns each other flag off, a mode digit 1..3 sets the
// mode); missing or odd positions keep the value of `base`.
RuleSettings decodeRuleLine(std::string_view line, RuleSettings base = {});

}  // namespace orvala
