#pragma once
// What the calendar cards of one day show, in one language: the date card, the year card and a
// card for every holiday of the day, each with its picture name and hint.

#include <optional>
#include <string>
#include <vector>

#include "core/calendar/civil_date.h"
#include "core/calendar/holiday_table.h"

namespace orvala::calendar {

struct CalendarCard {
    std::string picture;  // in the calendar library
    std::string hint;
};

struct DateCard {
    int day = 1;
    std::string month;
    bool sunday = false;  // the day number is drawn red
    CalendarCard zodiac;
};

struct CalendarDay {
    DateCard date;
    CalendarCard year;
    std::vector<CalendarCard> holidays;  // in table order
};

// nullopt for a date that does not exist or lies outside kFirstYear..kLastYear.
std::optional<CalendarDay> calendarDay(const CivilDate& date, int language);

// The entry's name, then in brackets the years since its founding year and its kind, each only
// where it has one: "Victory day in Great Patriotic war (77-th anniversary, Russian Festival)".
std::string holidayHint(const CalendarEntry& entry, int year, int language);

}  // namespace orvala::calendar
