#include "core/radio/station_list.h"

#include <algorithm>

namespace orvala {
namespace {

std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> out;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = line.find('#', from);
        out.push_back(line.substr(from, at == std::string_view::npos ? line.npos : at - from));
        if (at == std::string_view::npos) return out;
        from = at + 1;
    }
}

bool hasControl(std::string_view s) {
    return std::any_of(s.begin(), s.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 0x20 || u == 0x7F;
    });
}

// The stream player takes the address as it stands, so only a plain web address passes: no
// blanks either, which no stream address holds and which would hide a second argument.
bool plainWebAddress(std::string_view url) {
    const bool scheme = url.starts_with("http://") || url.starts_with("https://");
    const std::size_t host = url.find("//") + 2;
    return scheme && url.size() > host && url.size() <= 1024 &&
           url.find(' ') == std::string_view::npos;
}

}  // namespace

std::optional<Station> parseStationLine(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#' || hasControl(line)) return std::nullopt;
    const auto f = splitFields(line);
    // Six fields, or five when the logo is left out; a stray "#" after the logo is harmless.
    if (f.size() < 5) return std::nullopt;
    if (f[0].size() != 3 || f[1].size() != 7 || f[2].empty() || f[3].empty()) return std::nullopt;
    if (!plainWebAddress(f[4])) return std::nullopt;
    Station s{std::string(f[0]), std::string(f[1]), std::string(f[2]),
              std::string(f[3]), std::string(f[4]), std::string(kDefaultStationLogo)};
    if (f.size() > 5 && !f[5].empty()) s.logo = std::string(f[5]);
    return s;
}

StationList readStationList(std::string_view bytes) {
    StationList list;
    if (bytes.size() > kStationListMaxBytes) {
        list.outcome = StationListOutcome::TooLarge;
        return list;
    }
    int number = 0;
    std::size_t from = 0;
    while (from < bytes.size()) {
        std::size_t end = bytes.find('\n', from);
        if (end == std::string_view::npos) end = bytes.size();
        const std::string_view line = bytes.substr(from, end - from);
        from = end + 1;
        ++number;
        if (auto s = parseStationLine(line)) {
            list.stations.push_back(std::move(*s));
            continue;
        }
        const std::string_view bare = line.ends_with('\r') ? line.substr(0, line.size() - 1) : line;
        if (!bare.empty() && bare.front() != '#') list.rejectedLines.push_back(number);
    }
    list.outcome =
        list.stations.empty() ? StationListOutcome::NoStations : StationListOutcome::Read;
    return list;
}

std::string formatStationLine(const Station& s) {
    return s.countryCode + "#" + s.id + "#" + s.name + "#" + s.country + "#" + s.url + "#" + s.logo;
}

const std::vector<std::string_view>& radioCountryCodes() {
    static const std::vector<std::string_view> codes = {
        "RUS", "UA0", "BEL", "MOL", "EST", "LAT", "LIT", "ARM", "GEO", "AZE",
        "KZ0", "UZ0", "USA", "CAN", "UK0", "AUS", "DE0", "FRA", "ITA", "NED",
        "SWE", "CZ0", "ESP", "BRA", "IND", "CHI", "JAP", "SK0"};
    return codes;
}

std::vector<Station> stationsOf(const std::vector<Station>& all, std::string_view countryCode) {
    std::vector<Station> out;
    for (const auto& s : all)
        if (s.countryCode == countryCode) out.push_back(s);
    return out;
}

std::optional<Station> findStation(const std::vector<Station>& all, std::string_view id) {
    for (const auto& s : all)
        if (s.id == id) return s;
    return std::nullopt;
}

}  // namespace orvala
