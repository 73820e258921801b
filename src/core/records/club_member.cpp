#include "core/records/club_member.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace orvala {

namespace {

std::string rightAligned(std::string text, size_t width) {
    if (text.size() < width) text.insert(0, width - text.size(), ' ');
    return text;
}

std::string_view trimmed(std::string_view t) {
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
    return t;
}

// Millionths as text with `decimals` (2 or 6) digits after the comma.
std::string ratingText(int64_t millionths, int decimals) {
    int64_t scale = 1;
    for (int i = decimals; i < 6; ++i) scale *= 10;
    int64_t n = std::llabs(millionths);
    n = (n + scale / 2) / scale;  // half away from zero
    int64_t unit = 1;
    for (int i = 0; i < decimals; ++i) unit *= 10;
    std::string frac = std::to_string(n % unit);
    frac.insert(0, static_cast<size_t>(decimals) - frac.size(), '0');
    const bool negative = millionths < 0 && n != 0;
    return (negative ? "-" : "") + std::to_string(n / unit) + "," + frac;
}

}  // namespace

std::string emptyMemberLine() {
    return std::string(37, '#') + " " + std::string(21, '#');
}

bool isEmptyMemberLine(std::string_view line) {
    return line.size() >= 37 && line[36] == '#';
}

std::string padded(std::string_view text, size_t width) {
    std::string out(text.substr(0, width));
    out.resize(width, ' ');
    return out;
}

std::string trimmedName(std::string_view name) {
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    return std::string(name);
}

std::optional<int> parseColumnInt(std::string_view text) {
    text = trimmed(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<int64_t> parseRating(std::string_view text) {
    text = trimmed(text);
    bool negative = false;
    if (!text.empty() && text.front() == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    const size_t comma = text.find(',');
    const std::string_view whole = text.substr(0, comma);
    std::string_view frac = comma == std::string_view::npos ? "" : text.substr(comma + 1);
    if (whole.empty() || whole.size() > 6 || frac.size() > 6) return std::nullopt;
    const auto digits = [](std::string_view t) {
        return std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (!digits(whole) || !digits(frac)) return std::nullopt;
    int64_t value = 0;
    for (char c : whole) value = value * 10 + (c - '0');
    for (size_t i = 0; i < 6; ++i) value = value * 10 + (i < frac.size() ? frac[i] - '0' : 0);
    return negative ? -value : value;
}

std::string ratingText6(int64_t millionths) {
    return ratingText(millionths, 6);
}
std::string ratingText2(int64_t millionths) {
    return ratingText(millionths, 2);
}

int64_t ratingAfterGame(int64_t rating, int games, int result) {
    games = std::max(games, 0);
    // In millionths: result / 50 is result * 20000.
    const long double total =
        static_cast<long double>(games) * rating + static_cast<long double>(result) * 20000.0L;
    const int64_t next = std::llround(total / (games + 1));
    return std::clamp(next, -kRatingLimit, kRatingLimit);
}

std::optional<ClubMember> parseMemberLine(std::string_view line, int slot) {
    if (line.size() != 59 || isEmptyMemberLine(line)) return std::nullopt;
    const auto rating = parseRating(line.substr(20, 10));
    const auto games = parseColumnInt(line.substr(30, 7));
    const auto score = parseColumnInt(line.substr(38, 6));
    if (!rating || !games || !score || *games < 0) return std::nullopt;
    ClubMember m;
    m.name = std::string(line.substr(0, 20));
    m.rating = std::clamp(*rating, -kRatingLimit, kRatingLimit);
    m.games = *games;
    m.cycleScore = *score;
    m.password = std::string(line.substr(44, 15));
    m.slot = slot;
    return m;
}

std::string formatMemberLine(const ClubMember& m) {
    std::string line = padded(m.name, kMemberNameWidth);
    line += rightAligned(ratingText6(std::clamp(m.rating, -kRatingLimit, kRatingLimit)), 10);
    line += rightAligned(std::to_string(std::clamp(m.games, 0, kGamesMax)), 7);
    line += ' ';
    line +=
        rightAligned(std::to_string(std::clamp(m.cycleScore, kCycleScoreMin, kCycleScoreMax)), 6);
    line += padded(m.password, 15);
    return line;
}

}  // namespace orvala
