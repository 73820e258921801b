// Fuzz target of the wave reader (the voice library's clips are untrusted). Any bytes must give
// an answer; an accepted wave's samples lie inside the bytes in whole frames. The ordinary test
// build feeds it damaged copies of good waves (tests/core/sound).

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/sound/wave_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto wave = orvala::readWave({data, size});
    if (!wave) return 0;
    if (wave->offset > size || wave->size > size - wave->offset ||
        wave->size % static_cast<std::size_t>(wave->frameBytes()) != 0 || wave->durationMs() < 0)
        std::abort();
    return 0;
}
