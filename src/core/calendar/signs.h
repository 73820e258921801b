#pragma once
// The two signs the calendar cards show besides the day: the zodiac sign of the date and the
// animal of the year in the twelve-year Chinese cycle.

#include <string_view>

#include "core/calendar/civil_date.h"

namespace orvala::calendar {

// 0 Aries .. 11 Pisces.
int zodiacIndex(int month, int day);
// "R_01" .. "R_12".
std::string_view zodiacPicture(int zodiac);

// year mod 12: 0 Monkey, 1 Rooster, 2 Dog, 3 Pig, 4 Rat, 5 Ox, 6 Tiger, 7 Rabbit, 8 Dragon,
// 9 Snake, 10 Horse, 11 Goat. The card changes the animal on 1 January, not at the lunar new
// year: it names the year the calendar is in for most of its days.
int yearAnimalIndex(int year);
std::string_view yearAnimalPicture(int animal);

}  // namespace orvala::calendar
