#pragma once
// The character rules of the texts players send: nicks, cities, e-mail addresses, chat lines.
// All texts are Windows-1251 bytes.

#include <string>
#include <string_view>

namespace orvala::service {

// Latin and Cyrillic letters (Ё and ё included), digits and ! ( ) , - . @ _
bool isAllowedChar(unsigned char c);
bool isCyrillic(unsigned char c);
bool allAllowed(std::string_view s);
bool hasCyrillic(std::string_view s);
// Every character outside the allowed set becomes "_".
std::string toAllowed(std::string_view s);

// An account nick or password: 2..12 (nick) or 4..12 (password) allowed characters, no Cyrillic.
bool validAccountNick(std::string_view s);
bool validPassword(std::string_view s);
// A passport nick may hold Cyrillic letters; a city 2..15 allowed characters.
bool validPassportNick(std::string_view s);
bool validCity(std::string_view s);
// "@" at the second place or later and not last, up to 30 allowed characters, no Cyrillic.
bool validEmail(std::string_view s);
// A country code: the continent digit 1..6, "-" and three digits.
bool validCountryCode(std::string_view s);
// A short word of allowed characters (a country's short name, a version, a date), 1..max.
bool validWord(std::string_view s, std::size_t max);

// A whole decimal number, optionally signed, within [lo, hi]; false otherwise.
bool parseInteger(std::string_view s, long long lo, long long hi, long long& out);
// A finite decimal number with "." (or "," ) as the point, within [-limit, limit].
bool parseReal(std::string_view s, double limit, double& out);

}  // namespace orvala::service
