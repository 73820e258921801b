#pragma once
// The reply shapes the game's readers take apart:
//  - a marker ("ok", "no", "is") found anywhere in the reply;
//  - a record: "$", the fields joined by one separator (a blank or "~"), "$";
//  - a list: each row "$", its fields joined by blanks, "*";
//  - a number: "$", the digits, "*" (the reader never takes the reply's last character);
//  - the statistics status "$ok#" (anything else is a failure, "$no#" by our choice).
// A field of a blank-separated reply never holds a blank, "$" or "*": `field` makes it so
// ("_" for each, "#" for an empty text).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/online/numbers.h"

namespace orvala::service {

std::string field(std::string_view text);
std::string recordReply(const std::vector<std::string>& fields, char separator = ' ');
std::string listRow(const std::vector<std::string>& fields);
std::string numberReply(std::int64_t n);
inline constexpr std::string_view kStatusOk = "$ok#";
inline constexpr std::string_view kStatusFailed = "$no#";
// A rating is written as the game writes it in its requests.
using online::formatReal;

}  // namespace orvala::service
