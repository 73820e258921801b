// Fuzz target of the radio's station list reader and the "ZorRadio.ini" reader (both read bytes
// from the network or from files anybody may edit). Any bytes must give an answer; every station
// taken has fields the stream player may use, and writes back as a line the reader takes again.
// The ordinary test build feeds it the checked-in corpus and mutated lists (tests/core/radio).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/radio/playlist.h"
#include "core/radio/radio_state.h"
#include "core/radio/station_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto list = orvala::readStationList(bytes);
    if ((list.outcome == orvala::StationListOutcome::Read) == list.stations.empty()) std::abort();
    for (const auto& s : list.stations) {
        if (s.countryCode.size() != 3 || s.id.size() != 7 || s.logo.empty()) std::abort();
        if (!s.url.starts_with("http://") && !s.url.starts_with("https://")) std::abort();
        if (orvala::parseStationLine(orvala::formatStationLine(s)) != s) std::abort();
    }
    const auto state = orvala::decodeRadioIni(bytes);
    if (state.RadioVolume < 0 || state.RadioVolume > 100) std::abort();
    if (orvala::decodeRadioIni(orvala::encodeRadioIni(state)) != state) std::abort();
    for (const auto& t : orvala::readPlaylist(bytes))
        if (t.file.empty() || t.file.find('/') != std::string::npos) std::abort();
    return 0;
}
