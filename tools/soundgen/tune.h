#pragma once
// The background tune, "MidiSong": a Standard MIDI File composed here from a fixed seed, so every
// build writes the same bytes. A minute and a half in C major for vibraphone, strings, nylon
// guitar, bass and a soft shaker; it ends on the dominant, which leads back into its first bar
// when the player starts it again.

#include <string>

namespace orvala::soundgen {

std::string composeTune();

}  // namespace orvala::soundgen
