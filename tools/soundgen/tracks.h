#pragma once
// The music player's tracks that the local service offers: short original pieces composed and
// played here (a melody of decaying partials over a bass and a soft pulse, from a fixed seed per
// track), so every build writes the same bytes. Each is written as a wave file, with the
// playlist line that names it.

#include <cstdint>
#include <string>
#include <vector>

namespace orvala::soundgen {

struct MusicTrack {
    std::string title;  // underscores for blanks, as the playlist writes it
    std::string file;
    std::vector<std::int16_t> samples;  // at kRate
};

std::vector<MusicTrack> composeTracks();

}  // namespace orvala::soundgen
