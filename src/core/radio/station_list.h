#pragma once
// The radio's station list ("ZorRadio.ser" as downloaded, "ZorRadio.rad" on disk): Windows-1251
// text, one station a line, its fields separated by "#":
//
//   RUS#VGTRK01#Radio Mayak#Russian Federation#http://host/stream#RRADIO_LOGO_MAYAK
//
// the country code (three characters), the station's identifier (seven characters, so that it
// stands in columns 5..11), the name, the country's name, the stream address and the logo's
// picture name in the radio library. A line that begins with "#" is a remark; blank lines are
// skipped too.
//
// The list comes from the network or from a file anybody may edit, so the reader trusts
// nothing: a line it cannot use (a field missing or of the wrong length, an address that is not
// http or https, a control character) is left out and its number reported, and the rest of the
// list still plays. A list larger than kStationListMaxBytes, or one without a single usable
// station, is refused whole.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvala {

inline constexpr std::size_t kStationListMaxBytes = 1u << 20;
inline constexpr std::string_view kDefaultStationLogo = "RRADIO_LOGO_RADIOUN";

struct Station {
    std::string countryCode;  // "RUS", "UA0", ...
    std::string id;           // seven characters
    std::string name;
    std::string country;
    std::string url;
    std::string logo;  // kDefaultStationLogo when the line names none
    bool operator==(const Station&) const = default;
};

enum class StationListOutcome {
    Read,        // at least one station
    NoStations,  // nothing usable in it
    TooLarge,
};

struct StationList {
    StationListOutcome outcome = StationListOutcome::NoStations;
    std::vector<Station> stations;   // in the file's order
    std::vector<int> rejectedLines;  // 1-based numbers of the lines left out
};

StationList readStationList(std::string_view bytes);

// One line as the reader takes it; nullopt when the line is a remark, blank or unusable.
std::optional<Station> parseStationLine(std::string_view line);

// The line a station is written as (the reader gives the same station back).
std::string formatStationLine(const Station& s);

// The country codes of the radio window's country list, in its order.
const std::vector<std::string_view>& radioCountryCodes();

// The stations of one country, in the list's order.
std::vector<Station> stationsOf(const std::vector<Station>& all, std::string_view countryCode);

// The station with this identifier, if the list has it.
std::optional<Station> findStation(const std::vector<Station>& all, std::string_view id);

}  // namespace orvala
