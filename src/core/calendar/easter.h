#pragma once
// The two Easters the movable feasts of the holiday table hang on.

#include <optional>

#include "core/calendar/civil_date.h"

namespace orvala::calendar {

// Orthodox Easter as a Gregorian date; nullopt outside kFirstYear..kLastYear.
std::optional<CivilDate> orthodoxEaster(int year);
// Catholic (Western) Easter; nullopt outside kFirstYear..kLastYear.
std::optional<CivilDate> catholicEaster(int year);

}  // namespace orvala::calendar
