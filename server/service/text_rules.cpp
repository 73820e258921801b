#include "service/text_rules.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace orvala::service {

bool isCyrillic(unsigned char c) {
    return c >= 0xC0 || c == 0xA8 || c == 0xB8;
}

bool isAllowedChar(unsigned char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
    if (isCyrillic(c)) return true;
    switch (c) {
        case '!':
        case '(':
        case ')':
        case ',':
        case '-':
        case '.':
        case '@':
        case '_':
            return true;
        default:
            return false;
    }
}

bool allAllowed(std::string_view s) {
    for (unsigned char c : s)
        if (!isAllowedChar(c)) return false;
    return true;
}

bool hasCyrillic(std::string_view s) {
    for (unsigned char c : s)
        if (isCyrillic(c)) return true;
    return false;
}

std::string toAllowed(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (!isAllowedChar(static_cast<unsigned char>(c))) c = '_';
    return out;
}

namespace {
bool latinWord(std::string_view s, std::size_t lo, std::size_t hi) {
    return s.size() >= lo && s.size() <= hi && allAllowed(s) && !hasCyrillic(s);
}
}  // namespace

bool validAccountNick(std::string_view s) {
    return latinWord(s, 2, 12);
}
bool validPassword(std::string_view s) {
    return latinWord(s, 4, 12);
}
bool validPassportNick(std::string_view s) {
    return s.size() >= 2 && s.size() <= 12 && allAllowed(s);
}
bool validCity(std::string_view s) {
    return s.size() >= 2 && s.size() <= 15 && allAllowed(s);
}

bool validEmail(std::string_view s) {
    const auto at = s.find('@');
    return latinWord(s, 2, 30) && at != std::string_view::npos && at >= 1 && at + 1 < s.size();
}

bool validCountryCode(std::string_view s) {
    return s.size() == 5 && s[0] >= '1' && s[0] <= '6' && s[1] == '-' &&
           std::isdigit(static_cast<unsigned char>(s[2])) &&
           std::isdigit(static_cast<unsigned char>(s[3])) &&
           std::isdigit(static_cast<unsigned char>(s[4]));
}

bool validWord(std::string_view s, std::size_t max) {
    return !s.empty() && s.size() <= max && allAllowed(s);
}

bool parseInteger(std::string_view s, long long lo, long long hi, long long& out) {
    if (!s.empty() && s[0] == '+') s.remove_prefix(1);
    long long v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size() || v < lo || v > hi)
        return false;
    out = v;
    return true;
}

bool parseReal(std::string_view s, double limit, double& out) {
    std::string t(s);
    for (char& c : t)
        if (c == ',') c = '.';
    double v = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (t.empty() || ec != std::errc() || end != t.data() + t.size() || !std::isfinite(v) ||
        std::fabs(v) > limit)
        return false;
    out = v;
    return true;
}

}  // namespace orvala::service
