#pragma once
// The date field of a holiday entry: a fixed "DD.MM.YYYY" (year "0000" when the holiday has none),
// a day counted from an Easter ("pasha.p+40", "pasha.k000"), or the w-th weekday of a month
// ("****3.2.01" the third Monday of January, "****l.1.05" the last Sunday of May).

#include <optional>
#include <string_view>

#include "core/calendar/civil_date.h"

namespace orvala::calendar {

struct DateRule {
    enum class Kind { Fixed, OrthodoxEaster, CatholicEaster, Weekday };
    Kind kind = Kind::Fixed;
    int day = 0;      // Fixed
    int month = 0;    // Fixed, Weekday
    int year = 0;     // Fixed: the founding year, 0 when there is none
    int offset = 0;   // Easter: days after (negative: before) Easter
    int week = 0;     // Weekday: 1..4, or 0 for the last in the month
    int weekday = 0;  // Weekday: 1 Sunday .. 7 Saturday
};

// nullopt for a field that is none of the three forms.
std::optional<DateRule> parseDateRule(std::string_view field);

// Whether the rule names this date. A fixed date matches every year (its year is the founding
// year, not a condition).
bool ruleFallsOn(const DateRule& rule, const CivilDate& date);

}  // namespace orvala::calendar
