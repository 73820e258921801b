#include "service/replies.h"

#include <charconv>
#include <cmath>

namespace orvala::service {

std::string field(std::string_view text) {
    if (text.empty()) return "#";
    std::string out(text);
    for (char& c : out)
        if (c == ' ' || c == '$' || c == '*' || c == '~' || static_cast<unsigned char>(c) < 0x20)
            c = '_';
    return out;
}

std::string recordReply(const std::vector<std::string>& fields, char separator) {
    std::string out = "$";
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i) out += separator;
        out += fields[i];
    }
    out += '$';
    return out;
}

std::string listRow(const std::vector<std::string>& fields) {
    std::string out = "$";
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i) out += ' ';
        out += fields[i];
    }
    out += '*';
    return out;
}

std::string numberReply(std::int64_t n) {
    return "$" + std::to_string(n) + "*";
}

std::string formatReal(double v) {
    if (!std::isfinite(v) || std::fabs(v) < 0.00001) return "0";
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    return ec == std::errc() ? std::string(buf, end) : "0";
}

}  // namespace orvala::service
