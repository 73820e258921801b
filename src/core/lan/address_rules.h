#pragma once
// What the login form accepts as the host's address and port of a LAN table.
//
// The fields filter as they are typed: the address takes digits and dots (at most 20
// characters), the port digits (at most five); a change that brings anything else puts the last
// good value back. At the start the address must be four groups of one to three characters
// between three dots (a group's value is not limited: "300.1.1.1" passes), and the port a number
// that a socket can use.

#include <cstdint>
#include <optional>
#include <string_view>

namespace orvala::lan {

inline constexpr std::size_t kAddressFieldMax = 20;
inline constexpr std::size_t kPortFieldMax = 5;

// The field's text may stand as typed.
bool addressFieldAllows(std::string_view text);
bool portFieldAllows(std::string_view text);

// A joiner's address as the start requires it.
bool validServerAddress(std::string_view text);
// The port to listen on or connect to; none for an empty field, 0 or more than 65535.
std::optional<std::uint16_t> serverPort(std::string_view text);

}  // namespace orvala::lan
