#pragma once
// The number texts of the online views and requests.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvala::online {

// A rating as the requests carry it: "." as the point, the shortest form that reads back the
// same; 0 when its magnitude is below 0.00001 (and for a value that is not a number at all).
std::string formatReal(double value);

// A rating as a reply holds it: digits and "-" are kept, blanks skipped, and the first other
// character is taken as the point ("12,5" and "12.5" are both 12.5); the number ends at the
// next character that is not a digit. Nothing readable gives nothing.
std::optional<double> readReal(std::string_view text);

// A rating as the windows show it: rounded to three decimals, a comma, exactly three decimals
// ("12,500", "-1999,960").
std::string ratingText(double value);

// A large counter in at most three digits and a letter: up to 999 as is, then thousands "K",
// millions "M" and thousand millions "G", each rounded (1234567 is "1M").
std::string abbreviatedCount(std::int64_t value);

}  // namespace orvala::online
