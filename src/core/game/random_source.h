#pragma once
// Every random draw of the game goes through a RandomSource, so that tests, self-play and
// benchmarks repeat exactly when they seed it.

#include <cstdint>
#include <random>

namespace orvala {

class RandomSource {
  public:
    virtual ~RandomSource() = default;
    // A uniform draw from lo..hi inclusive.
    virtual int uniform(int lo, int hi) = 0;
    // Called once before every shuffle; a clock-seeded source reseeds here.
    virtual void reseed() {}
};

// A fixed seed: the same sequence every run.
class SeededRandom final : public RandomSource {
  public:
    explicit SeededRandom(std::uint64_t seed) : engine_(seed) {}
    int uniform(int lo, int hi) override;

  private:
    std::mt19937_64 engine_;
};

// The game's default: seeded from the clock at every shuffle.
class ClockRandom final : public RandomSource {
  public:
    ClockRandom();
    int uniform(int lo, int hi) override;
    void reseed() override;

  private:
    std::mt19937_64 engine_;
};

}  // namespace orvala
