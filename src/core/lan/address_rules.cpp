#include "core/lan/address_rules.h"

#include <algorithm>

namespace orvala::lan {
namespace {

bool digit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

bool addressFieldAllows(std::string_view text) {
    return text.size() <= kAddressFieldMax &&
           std::all_of(text.begin(), text.end(), [](char c) { return digit(c) || c == '.'; });
}

bool portFieldAllows(std::string_view text) {
    return text.size() <= kPortFieldMax && std::all_of(text.begin(), text.end(), digit);
}

bool validServerAddress(std::string_view text) {
    if (!addressFieldAllows(text)) return false;
    int groups = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t dot = text.find('.', start);
        const std::size_t length = (dot == std::string_view::npos ? text.size() : dot) - start;
        if (length < 1 || length > 3) return false;
        ++groups;
        if (dot == std::string_view::npos) break;
        start = dot + 1;
    }
    return groups == 4;
}

std::optional<std::uint16_t> serverPort(std::string_view text) {
    if (text.empty() || !portFieldAllows(text)) return std::nullopt;
    unsigned value = 0;
    for (char c : text) value = value * 10 + static_cast<unsigned>(c - '0');
    // A socket has no port 0 to connect to, nor one beyond 65535.
    if (value == 0 || value > 65535) return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

}  // namespace orvala::lan
