#include "core/calendar/civil_date.h"

#include <chrono>

namespace orvala::calendar {

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return kDays[month - 1] + (month == 2 && isLeapYear(year) ? 1 : 0);
}

bool isSupportedDate(const CivilDate& date) {
    return date.year >= kFirstYear && date.year <= kLastYear && date.day >= 1 &&
           date.day <= daysInMonth(date.year, date.month);
}

int dayOfYear(const CivilDate& date) {
    int number = date.day;
    for (int m = 1; m < date.month; ++m) number += daysInMonth(date.year, m);
    return number;
}

std::optional<CivilDate> dateOfDayNumber(int year, int dayNumber) {
    if (dayNumber < 1) return std::nullopt;
    for (int m = 1; m <= 12; ++m) {
        const int length = daysInMonth(year, m);
        if (dayNumber <= length) return CivilDate{year, m, dayNumber};
        dayNumber -= length;
    }
    return std::nullopt;
}

int weekdayOf(const CivilDate& date) {
    using namespace std::chrono;
    const sys_days days{std::chrono::year{date.year} / date.month / date.day};
    return static_cast<int>(weekday{days}.c_encoding()) + 1;
}

std::optional<CivilDate> parseIsoDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    auto number = [&](size_t from, size_t count) {
        int value = 0;
        for (size_t i = from; i < from + count; ++i) {
            if (text[i] < '0' || text[i] > '9') return -1;
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    const CivilDate date{number(0, 4), number(5, 2), number(8, 2)};
    if (!isSupportedDate(date)) return std::nullopt;
    return date;
}

}  // namespace orvala::calendar
