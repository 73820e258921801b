#include "core/radio/radio_state.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "core/radio/station_list.h"
#include "core/text/atomic_file.h"

namespace orvala {
namespace {

// No line of this file is longer than a station's address.
constexpr std::size_t kLineKeep = 1024;
constexpr std::size_t kFileMax = 64u << 10;

std::optional<int> number(std::string_view s, int lo, int hi) {
    int v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || v < lo || v > hi) return std::nullopt;
    return v;
}

std::string oneLine(std::string_view s) {
    std::string out;
    for (char c : s.substr(0, kLineKeep))
        if (c != '\r' && c != '\n') out += c;
    return out;
}

}  // namespace

RadioState decodeRadioIni(std::string_view bytes) {
    RadioState state;
    if (bytes.size() > kFileMax) return state;
    std::vector<std::string_view> lines;
    std::size_t from = 0;
    while (from < bytes.size() && lines.size() < 7) {
        std::size_t end = bytes.find('\n', from);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(from, end - from);
        if (line.ends_with('\r')) line.remove_suffix(1);
        lines.push_back(line);
        from = end + 1;
    }
    lines.resize(7);
    // The station is taken whole or not at all: an address from one station and a name from
    // another would show one and play the other.
    const bool stationUsable = std::all_of(lines.begin(), lines.begin() + 4,
                                           [](std::string_view l) { return !l.empty(); });
    if (stationUsable) {
        Station probe{"RUS", "0000000", oneLine(lines[0]), oneLine(lines[2]), oneLine(lines[1]),
                      ""};
        if (parseStationLine(formatStationLine(probe))) {
            state.StationName = oneLine(lines[0]);
            state.StationUrl = oneLine(lines[1]);
            state.StationCountry = oneLine(lines[2]);
            state.StationLogo = oneLine(lines[3]);
        }
    }
    if (lines[4] == "1" || lines[4] == "0") state.RadioOn = lines[4] == "1";
    if (auto v = number(lines[5], 0, 100)) state.RadioVolume = *v;
    if (auto v = number(lines[6], 0, int(radioCountryCodes().size()) - 1)) state.CountryFilter = *v;
    return state;
}

RadioState normalizedRadioState(const RadioState& s) {
    if (s.StationName.empty() || s.StationUrl.empty() || s.StationCountry.empty() ||
        s.StationLogo.empty())
        return RadioState{};
    RadioState out = s;
    out.StationName = oneLine(s.StationName);
    out.StationUrl = oneLine(s.StationUrl);
    out.StationCountry = oneLine(s.StationCountry);
    out.StationLogo = oneLine(s.StationLogo);
    out.RadioVolume = std::clamp(s.RadioVolume, 0, 100);
    out.CountryFilter = std::clamp(s.CountryFilter, 0, int(radioCountryCodes().size()) - 1);
    return out;
}

std::string encodeRadioIni(const RadioState& state) {
    const RadioState s = normalizedRadioState(state);
    return s.StationName + "\r\n" + s.StationUrl + "\r\n" + s.StationCountry + "\r\n" +
           s.StationLogo + "\r\n" + (s.RadioOn ? "1" : "0") + "\r\n" +
           std::to_string(s.RadioVolume) + "\r\n" + std::to_string(s.CountryFilter) + "\r\n";
}

RadioState readRadioIni(const std::string& path) {
    std::string bytes;
    if (!readFileBytes(path, bytes, kFileMax)) return RadioState{};
    return decodeRadioIni(bytes);
}

bool writeRadioIni(const std::string& path, const RadioState& state) {
    return writeFileAtomically(path, encodeRadioIni(state));
}

int steppedRadioVolume(int volume, int direction) {
    return std::clamp(volume + (direction > 0 ? kRadioVolumeStep : -kRadioVolumeStep), 0, 100);
}

std::string radioUnavailableMessage(std::string_view cantFind) {
    return std::string(cantFind) + std::string(kRadioDiskListName) + " + " +
           std::string(kRadioLibraryName);
}

bool radioAvailable(const RadioSources& sources) {
    if (!sources.libraryFound) return false;
    const auto& list = sources.listFromServer ? sources.downloadedList : sources.diskList;
    return list && readStationList(*list).outcome == StationListOutcome::Read;
}

}  // namespace orvala
