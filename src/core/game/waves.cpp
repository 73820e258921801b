#include "core/game/waves.h"

#include <array>

namespace orvala {
namespace {

constexpr std::array<std::string_view, 24> kNames = {
    "WTasoKo", "WDiPlay", "WDiPass", "WPrik_1", "WPrik_2", "WPrik_3", "WHodsDo", "WOpenFo",
    "WPlMore", "WDing_1", "WKoBadX", "WKoGutX", "WSays40", "WSays20", "WKoloNo", "WKoGood",
    "WKoBads", "WWrongs", "WFiGood", "WFiBest", "WFiBads", "WToMenK", "STimerA", "STimerB"};
static_assert(kNames.size() == static_cast<size_t>(Wave::STimerB) + 1);

}  // namespace

std::string_view waveName(Wave w) {
    return kNames[static_cast<size_t>(w)];
}

std::optional<Wave> waveNamed(std::string_view name) {
    for (size_t i = 0; i < kNames.size(); ++i)
        if (kNames[i] == name) return static_cast<Wave>(i);
    return std::nullopt;
}

}  // namespace orvala
