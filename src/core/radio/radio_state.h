#pragma once
// The radio's remembered state and its file "ZorRadio.ini": seven lines of Windows-1251 text,
// each ended by CR LF: the station's name, stream address, country and logo picture, "1" or "0"
// for the radio being on, the volume (0..100) and the chosen item of the country list.
//
// Reading starts from the defaults and takes each line that it can use: a file that is missing,
// short or damaged still gives a whole state. A volume or country line that is not a number, or
// lies outside its range, keeps its default; so does an on/off line other than "1" or "0". The
// four station lines are one unit: when the address is not a plain web address the station is
// the default one, so that nothing else ever reaches the stream player.
//
// Writing (the program's end) resets all seven lines to the defaults when any of the first four
// is empty, and replaces the file atomically.

#include <optional>
#include <string>
#include <string_view>

namespace orvala {

inline constexpr std::string_view kRadioIniName = "ZorRadio.ini";
inline constexpr std::string_view kRadioServerListName = "ZorRadio.ser";
inline constexpr std::string_view kRadioDiskListName = "ZorRadio.rad";
inline constexpr std::string_view kRadioLibraryName = "ZorRadio02.dll";
inline constexpr int kRadioVolumeStep = 10;

struct RadioState {
    std::string StationName = "Radio Mayak";
    std::string StationUrl = "http://icecast.vgtrk.cdnvideo.ru/mayakfm_mp3_192kbps";
    std::string StationCountry = "Russian Federation";
    std::string StationLogo = "RRADIO_LOGO_MAYAK";
    bool RadioOn = false;
    int RadioVolume = 30;   // 0..100
    int CountryFilter = 0;  // item of the radio window's country list
    bool operator==(const RadioState&) const = default;
};

RadioState decodeRadioIni(std::string_view bytes);
std::string encodeRadioIni(const RadioState& state);

// Missing or unreadable files give the defaults.
RadioState readRadioIni(const std::string& path);
// The reset rule applied, then written atomically; false when the file could not be written.
bool writeRadioIni(const std::string& path, const RadioState& state);

// The state as it is written: the defaults when a station line is empty, the numbers in range.
RadioState normalizedRadioState(const RadioState& state);

// The volume after a press of the radio window's plus (+1) or minus (-1) button.
int steppedRadioVolume(int volume, int direction);

// What the radio's controls say when it is missing: `cantFind` (the word table's "Can`t find ")
// followed by "ZorRadio.rad + ZorRadio02.dll".
std::string radioUnavailableMessage(std::string_view cantFind);

// Whether the radio can be used at start: its picture library is there, and its station list:
// downloaded from the service when the settings say so (a failed download leaves the radio
// unavailable, whatever lies on the disk), otherwise read from the disk. A list counts only when
// it holds a station.
struct RadioSources {
    bool libraryFound = false;
    bool listFromServer = true;
    std::optional<std::string> downloadedList;  // the service's answer, when it came
    std::optional<std::string> diskList;        // "ZorRadio.rad", when it was found
};
bool radioAvailable(const RadioSources& sources);

}  // namespace orvala
