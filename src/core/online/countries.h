#pragma once
// The country table of the accounts and the passport: six continents ("Europe", "Asia", "North
// America", "South America", "Oceania", "Africa"), numbered 1..6, each with its countries
// numbered from 1 and number 0 "Unknown" in every one. A country's code is the continent digit,
// "-" and its number in three digits ("1-001"); the same numbers pick the flag pictures. Each
// country also has a short name without blanks, which the service's blank-separated records
// carry.

#include <optional>
#include <string>
#include <string_view>

namespace orvala::online {

inline constexpr int kContinents = 6;

struct Country {
    int continent = 1;
    int number = 0;
    std::string_view name;       // as the lists show it
    std::string_view shortName;  // as the service stores it
};

std::string_view continentName(int continent);  // empty outside 1..6
int countryCount(int continent);                // without "Unknown"; 0 outside 1..6
std::optional<Country> country(int continent, int number);
std::optional<Country> countryByCode(std::string_view code);
std::string countryCode(int continent, int number);

}  // namespace orvala::online
