#include "core/online/world_hints.h"

#include <cmath>

#include "core/online/numbers.h"

namespace orvala::online {

int dynamicIq(const Statistics& s) {
    // StatX[3] counts the won games against the computer, StatX[4] the lost ones.
    const double won = static_cast<double>(s.StatX[2]);
    const double lost = static_cast<double>(s.StatX[3]);
    if (won + lost <= 0) return 0;
    return static_cast<int>(std::lround(100 * won / (won + lost)));
}

std::vector<WorldHint> worldHints(const WorldFacts& f) {
    std::vector<WorldHint> out;
    const auto add = [&out](WordRow caption, const std::optional<std::string>& value) {
        out.push_back({caption, value.value_or(""), !value.has_value()});
    };
    const auto& s = f.statistics;
    add(WordRow::DynamicIq, s ? std::optional(std::to_string(dynamicIq(*s))) : std::nullopt);
    add(WordRow::GamesPlayedWithPc,
        s ? std::optional(abbreviatedCount(s->StatX[0])) : std::nullopt);
    add(WordRow::BestWindowsPlayer, f.bestWindows);
    add(WordRow::BestAndroidPlayer, f.bestMobile);
    add(WordRow::BestAccountPlayer, f.bestAccount);
    if (f.loggedIn)
        add(WordRow::Zors, f.balance ? std::optional(std::to_string(*f.balance)) : std::nullopt);
    add(WordRow::ClubMembers, f.members ? std::optional(std::to_string(*f.members)) : std::nullopt);
    return out;
}

std::string hintText(std::string_view caption, const WorldHint& hint,
                     std::string_view noConnectSuffix) {
    std::string out(caption);
    const bool open = out.ends_with(": ");
    if (hint.failed) {
        // The suffix brings its own ": ".
        if (open) out.resize(out.size() - 2);
        return out + std::string(noConnectSuffix);
    }
    return out + (open ? "" : ": ") + hint.value;
}

}  // namespace orvala::online
