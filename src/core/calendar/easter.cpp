#include "core/calendar/easter.h"

namespace orvala::calendar {

namespace {

bool inRange(int year) {
    return year >= kFirstYear && year <= kLastYear;
}

}  // namespace

std::optional<CivilDate> orthodoxEaster(int year) {
    if (!inRange(year)) return std::nullopt;
    // Gauss's method in the Julian calendar: Easter is a + b days after 22 March (Julian).
    const int a = (19 * (year % 19) + 15) % 30;
    const int b = (2 * (year % 4) + 4 * (year % 7) + 6 * a + 6) % 7;
    // The Julian calendar runs 13 days behind from March 1900 to February 2100 and 14 days
    // behind after; a fixed 13 would put Easter 2100 a day early.
    const int julianLag = year / 100 - year / 400 - 2;
    return dateOfDayNumber(year, 81 + (isLeapYear(year) ? 1 : 0) + a + b + julianLag);
}

std::optional<CivilDate> catholicEaster(int year) {
    if (!inRange(year)) return std::nullopt;
    // The Gregorian computus: the Paschal full moon from the golden number G with the solar and
    // lunar corrections X and Z, then the Sunday after it.
    const int g = year % 19 + 1;
    const int c = year / 100 + 1;
    const int x = 3 * c / 4 - 12;
    const int z = (8 * c + 5) / 25 - 5;
    const int d = 5 * year / 4 - x - 10;
    int e = ((11 * g + 20 + z - x) % 30 + 30) % 30;
    if ((e == 25 && g > 11) || e == 24) ++e;
    int n = 44 - e;
    if (n < 21) n += 30;
    n = n + 7 - (d + n) % 7;
    return dateOfDayNumber(year, 59 + (isLeapYear(year) ? 1 : 0) + n);
}

}  // namespace orvala::calendar
