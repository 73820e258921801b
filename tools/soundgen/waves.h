#pragma once
// The recipes of the game's wave sounds, one per name, each made from the synth's blocks.

#include <cstdint>
#include <string_view>
#include <vector>

namespace orvala::soundgen {

// The finished 16-bit samples of the named sound; empty for a name without a recipe.
std::vector<std::int16_t> makeWave(std::string_view name);

}  // namespace orvala::soundgen
