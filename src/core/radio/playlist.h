#pragma once
// The music player's playlist, a page of the service: UTF-8 text, one track a line written as
// the title, "~" and the file name ("Evening_Waltz~evening_waltz.ogg"). Underscores in the title
// stand for blanks. A track's address is the service's music folder followed by the file name,
// so the file name must be one plain name (letters, digits, ".", "-", "_", not starting with
// "."); a line that is not so is left out. A page larger than kPlaylistMaxBytes is refused.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orvala {

inline constexpr std::size_t kPlaylistMaxBytes = 256u << 10;

struct Track {
    std::string title;  // blanks in place of underscores
    std::string file;
    bool operator==(const Track&) const = default;
};

std::vector<Track> readPlaylist(std::string_view bytes);

// The player button's hint: title and file joined by "  :  ".
std::string trackHint(const Track& t);

// The volume after a click on the player's volume button: +1 louder, -1 softer, by 5 in 0..100.
int steppedMusicVolume(int volume, int direction);

// Which way a click at `y` pixels below the volume button's top goes: more than 34 louder,
// within the top 25 softer, between them nothing (0).
int musicVolumeDirection(int y);

}  // namespace orvala
