#include "core/online/numbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace orvala::online {

std::string formatReal(double value) {
    if (!std::isfinite(value) || std::fabs(value) < 0.00001) return "0";
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    return ec == std::errc() ? std::string(buf, end) : "0";
}

std::optional<double> readReal(std::string_view text) {
    std::string plain;
    bool point = false;
    bool digits = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            plain += c;
            digits = true;
        } else if (c == ' ') {
            continue;
        } else if (c == '-' && plain.empty()) {
            plain += c;
        } else if (!point && c != '-') {
            plain += '.';
            point = true;
        } else {
            break;
        }
    }
    if (!digits) return std::nullopt;
    double value = 0;
    const auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (ec != std::errc() || !std::isfinite(value)) return std::nullopt;
    (void)end;
    return value;
}

std::string ratingText(double value) {
    if (!std::isfinite(value)) value = 0;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.3f", value);
    std::string out(buf);
    if (out == "-0.000") out = "0.000";
    for (char& c : out)
        if (c == '.') c = ',';
    return out;
}

std::string abbreviatedCount(std::int64_t value) {
    const auto scaled = [value](double by, const char* letter) {
        return std::to_string(std::llround(static_cast<double>(value) / by)) + letter;
    };
    if (value <= 999) return std::to_string(value);
    if (value <= 999'999) return scaled(1e3, "K");
    if (value <= 999'999'999) return scaled(1e6, "M");
    return scaled(1e9, "G");
}

}  // namespace orvala::online
