// orvala-tool sounds: the game's wave sounds with their lengths, and the tune's size, as
// soundgen makes them for the build.
//
//   orvala-tool sounds

#include <iostream>

#include "commands.h"
#include "core/game/waves.h"
#include "synth.h"
#include "tune.h"
#include "waves.h"

namespace orvala::tool {

int runSounds(Args& args) {
    if (!args.positional().empty()) throw UsageError("sounds takes no arguments");
    for (int i = 0; i <= static_cast<int>(Wave::STimerB); ++i) {
        const auto name = waveName(static_cast<Wave>(i));
        const auto samples = soundgen::makeWave(name);
        const auto ms = (samples.size() * 1000 + soundgen::kRate - 1) / soundgen::kRate;
        std::cout << name << ' ' << ms << " ms\n";
    }
    std::cout << "MidiSong " << soundgen::composeTune().size() << " bytes\n";
    return 0;
}

}  // namespace orvala::tool
