#pragma once
// The music player's three picture buttons on the main window, built into the program: their
// names and sizes in design units. The volume button is tall: a click in its upper part (25
// units) turns the music down, one in its lower part (below 34) up.

namespace orvala::player_art {

inline constexpr const char* kPlay = "MP_Play";
inline constexpr const char* kPause = "MP_Pause";
inline constexpr const char* kNext = "MP_Next";
inline constexpr const char* kVolume = "MP_Volume";
inline constexpr int kButtonSize = 30;
inline constexpr int kVolumeWidth = 30, kVolumeHeight = 60;

}  // namespace orvala::player_art
