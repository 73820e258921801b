#include "core/game/rule_settings.h"

namespace orvala {

std::string formatRuleLine(const RuleSettings& r) {
    std::string line(6, '0');
    line[0] = r.RuleStartWith500 ? '1' : '0';
    line[1] = r.RuleRoundToFive ? '1' : '0';
    line[2] = r.RuleBolts ? '1' : '0';
    line[3] = static_cast<char>('0' + r.RuleBoltPenaltyMode);
    line[4] = r.RuleBarrel ? '1' : '0';
    line[5] = r.RulePainting ? '1' : '0';
    return line;
}

std::optional<RuleSettings> parseRuleLine(std::string_view line) {
    if (line.size() != 6) return std::nullopt;
    auto flag = [](char c) { return c == '0' || c == '1'; };
    for (int i : {0, 1, 2, 4, 5})
        if (!flag(line[i])) return std::nullopt;
    if (line[3] < '1' || line[3] > '3') return std::nullopt;
    return decodeRuleLine(line);
}

RuleSettings decodeRuleLine(std::string_view line, RuleSettings r) {
    auto at = [&](size_t i) { return i < line.size() ? line[i] : '\0'; };
    if (at(0) == '1') r.RuleStartWith500 = true;
    if (at(0) == '0') r.RuleStartWith500 = false;
    if (at(1) == '0') r.RuleRoundToFive = false;
    if (at(1) == '1') r.RuleRoundToFive = true;
    if (at(2) == '0') r.RuleBolts = false;
    if (at(2) == '1') r.RuleBolts = true;
    if (at(3) >= '1' && at(3) <= '3') r.RuleBoltPenaltyMode = at(3) - '0';
    if (at(4) == '0') r.RuleBarrel = false;
    if (at(4) == '1') r.RuleBarrel = true;
    if (at(5) == '0') r.RulePainting = false;
    if (at(5) == '1') r.RulePainting = true;
    return r;
}

}  // namespace orvala
