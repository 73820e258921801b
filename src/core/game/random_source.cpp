#include "core/game/random_source.h"

#include <chrono>

namespace orvala {

int SeededRandom::uniform(int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(engine_);
}

ClockRandom::ClockRandom() {
    reseed();
}

int ClockRandom::uniform(int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(engine_);
}

void ClockRandom::reseed() {
    // The clock mixed with the engine's own last output, so two reseeds in one clock tick differ.
    auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::uint64_t carry = engine_();
    std::seed_seq seq{static_cast<std::uint32_t>(now), static_cast<std::uint32_t>(now >> 32),
                      static_cast<std::uint32_t>(carry), static_cast<std::uint32_t>(carry >> 32)};
    engine_.seed(seq);
}

}  // namespace orvala
