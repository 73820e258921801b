#pragma once
// A day of the Gregorian calendar as the calendar cards see it, limited to the years 1900..2100
// that the holiday rules are known to hold for.

#include <optional>
#include <string_view>

namespace orvala::calendar {

inline constexpr int kFirstYear = 1900;
inline constexpr int kLastYear = 2100;

struct CivilDate {
    int year = kFirstYear;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    bool operator==(const CivilDate&) const = default;
};

bool isLeapYear(int year);
int daysInMonth(int year, int month);
// True when the date exists and its year is within kFirstYear..kLastYear.
bool isSupportedDate(const CivilDate& date);
// 1 for 1 January.
int dayOfYear(const CivilDate& date);
// The date of a day number of the year; nullopt when the number lies outside the year.
std::optional<CivilDate> dateOfDayNumber(int year, int dayNumber);
// 1 Sunday .. 7 Saturday, the numbering the weekday rules of the holiday table use.
int weekdayOf(const CivilDate& date);
// "YYYY-MM-DD"; nullopt for anything else or an unsupported date.
std::optional<CivilDate> parseIsoDate(std::string_view text);

}  // namespace orvala::calendar
