#pragma once
// The dated holidays and anniversaries the calendar knows, in the order their cards are shown.

#include <array>
#include <span>
#include <string_view>

namespace orvala::calendar {

struct CalendarEntry {
    std::string_view date;     // a date field as date_rules.h reads it
    std::string_view kind;     // "ALL" (no kind shown), "RUS", "USA", ..., "PRA", "KAT"
    std::string_view picture;  // the card's picture in the calendar library, nine characters
    // In the word table's language order, English first.
    std::array<std::string_view, 10> names;
    // Kept on the 256th day of the year, which is 12 September in a leap year.
    bool dayOfYear256 = false;
};

std::span<const CalendarEntry> holidayTable();

}  // namespace orvala::calendar
