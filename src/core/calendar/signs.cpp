#include "core/calendar/signs.h"

namespace orvala::calendar {

int zodiacIndex(int month, int day) {
    // The day of each month on which the sign changes; before it the month still has the sign
    // that began in the month before. Capricorn (9) begins on 22 December.
    static constexpr int kFirstDay[12] = {21, 21, 21, 21, 21, 22, 23, 24, 24, 24, 23, 22};
    static constexpr int kSignFrom[12] = {10, 11, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    if (month < 1 || month > 12) return 0;
    const int sign = kSignFrom[month - 1];
    return day >= kFirstDay[month - 1] ? sign : (sign + 11) % 12;
}

std::string_view zodiacPicture(int zodiac) {
    static constexpr std::string_view kPictures[12] = {"R_01", "R_02", "R_03", "R_04",
                                                       "R_05", "R_06", "R_07", "R_08",
                                                       "R_09", "R_10", "R_11", "R_12"};
    return kPictures[(zodiac % 12 + 12) % 12];
}

int yearAnimalIndex(int year) {
    return (year % 12 + 12) % 12;
}

std::string_view yearAnimalPicture(int animal) {
    static constexpr std::string_view kPictures[12] = {
        "R_VOSMONK", "R_VOSPETU", "R_VOSDOG0", "R_VOSPIG0", "R_VOSKRIS", "R_VOSBULL",
        "R_VOSTIGR", "R_VOSRABB", "R_VOSDRAG", "R_VOSSNAK", "R_VOSHORS", "R_VOSKOZA"};
    return kPictures[(animal % 12 + 12) % 12];
}

}  // namespace orvala::calendar
