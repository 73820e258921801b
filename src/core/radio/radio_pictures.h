#pragma once
// The pictures of the radio library "ZorRadio02.dll", by name, shared by artgen (which draws
// them) and the radio window (which shows them). Station logos are named by the station list;
// a station without one shows kDefaultStationLogo (station_list.h).

#include <string>

namespace orvala::radio_art {

inline constexpr const char* kIconOn = "RRADIO_ICON_ON";  // the main window's radio icon, 32 x 32
inline constexpr const char* kIconOff = "RRADIO_ICON_OFF";
inline constexpr const char* kButtonOn = "RRADIO_BUTTON_ON";  // the radio window's switch, 64 x 64
inline constexpr const char* kButtonOff = "RRADIO_BUTTON_OFF";
inline constexpr const char* kGround = "RRADIO_GROUND";  // the radio window's ground, 360 x 220
inline constexpr int kLogoWidth = 120, kLogoHeight = 80;
inline constexpr int kVolumeWidth = 110, kVolumeHeight = 24;

// The volume scale at 0..100, by tens: "RRADIO_VOLUME00" .. "RRADIO_VOLUME10".
inline std::string volumePicture(int volume) {
    const int tens = volume < 0 ? 0 : volume > 100 ? 10 : volume / 10;
    return std::string("RRADIO_VOLUME") + char('0' + tens / 10) + char('0' + tens % 10);
}

}  // namespace orvala::radio_art
