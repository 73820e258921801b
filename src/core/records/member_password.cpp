#include "core/records/member_password.h"

namespace orvala {

namespace {

// Three alphabets of sixteen characters: the high half of a byte, the low half, and a check
// digit that ties both to their place.
constexpr std::string_view kHigh = "QkZ3mWx7PbRt9VhC";
constexpr std::string_view kLow = "aN4fYs8GdJ2uLe6K";
constexpr std::string_view kCheck = "oTq5iXc1EvBn0HgM";

unsigned mixed(unsigned char byte, size_t place) {
    return (byte + 37u * static_cast<unsigned>(place) + 91u) & 0xFFu;
}

unsigned checkOf(unsigned high, unsigned low, size_t place) {
    return (high + 7u * low + 3u * static_cast<unsigned>(place)) & 0xFu;
}

}  // namespace

std::string scramblePassword(std::string_view password) {
    std::string plain(password.substr(0, 5));
    plain.resize(5, ' ');
    std::string out;
    for (size_t i = 0; i < plain.size(); ++i) {
        const unsigned x = mixed(static_cast<unsigned char>(plain[i]), i);
        out += kHigh[x >> 4];
        out += kLow[x & 0xFu];
        out += kCheck[checkOf(x >> 4, x & 0xFu, i)];
    }
    return out;
}

std::optional<std::string> unscramblePassword(std::string_view scrambled) {
    if (scrambled.size() != kScrambledPasswordWidth) return std::nullopt;
    std::string plain;
    for (size_t i = 0; i < 5; ++i) {
        const size_t high = kHigh.find(scrambled[3 * i]);
        const size_t low = kLow.find(scrambled[3 * i + 1]);
        const size_t check = kCheck.find(scrambled[3 * i + 2]);
        if (high == std::string_view::npos || low == std::string_view::npos ||
            check != checkOf(static_cast<unsigned>(high), static_cast<unsigned>(low), i))
            return std::nullopt;
        const unsigned x = static_cast<unsigned>(high << 4 | low);
        plain += static_cast<char>((x + 256u * 2 - 37u * static_cast<unsigned>(i) - 91u) & 0xFFu);
    }
    return plain;
}

}  // namespace orvala
