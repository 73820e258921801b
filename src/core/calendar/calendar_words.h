#pragma once
// The calendar's own ten-language texts, in the word table's language order (0 English,
// 1 Russian, 2 German, 3 French, 4 Spanish, 5 Chinese, 6 Italian, 7 Czech, 8 Japanese, 9 Korean).
// A language index outside 0..9 reads as English.

#include <string_view>

namespace orvala::calendar {

std::string_view monthName(int month, int language);        // month 1..12
std::string_view zodiacName(int zodiac, int language);      // 0 Aries .. 11 Pisces
std::string_view yearAnimalName(int animal, int language);  // 0 Monkey .. 11 Goat
// The kind of a holiday code ("RUS", "PRA", ...); empty for "ALL" and any unknown code.
std::string_view holidayKindName(std::string_view code, int language);
// Written straight after the number of years: "-th anniversary", "-я годовщина", "周年".
std::string_view anniversarySuffix(int language);

}  // namespace orvala::calendar
