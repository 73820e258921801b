#pragma once
// The few building blocks the game's sounds are made of: a mono buffer of floating samples at
// one rate, tones with decaying partials, filtered noise bursts, and the finishing that every
// sound gets (short fades so that nothing clicks, the peak set to one level).

#include <cstdint>
#include <random>
#include <vector>

namespace orvala::soundgen {

inline constexpr int kRate = 22050;

class Buffer {
  public:
    explicit Buffer(double seconds) : s_(static_cast<size_t>(seconds * kRate), 0.0) {}
    size_t size() const { return s_.size(); }
    double& at(size_t i) { return s_[i]; }

    // A tone from `start` seconds: partials at the given multiples of `hz` with their levels,
    // each decaying at `decay` per second times its multiple, after an attack of `attack`
    // seconds; `glide` bends the pitch by that factor over the tone's length.
    struct Tone {
        double hz = 440, start = 0, length = 0.3, level = 0.5, attack = 0.004, decay = 6;
        std::vector<std::pair<double, double>> partials = {{1, 1}};
        double glide = 1.0;
    };
    void tone(const Tone& t);
    // A brass-like note: a band-limited sawtooth through a low-pass whose opening follows the
    // swell of the note.
    void brass(double hz, double start, double length, double level);
    // A burst of noise through a resonant band-pass at `hz` with quality `q`, decaying at
    // `decay` per second.
    void noise(double start, double length, double hz, double q, double level, double decay,
               std::mt19937& random);

    // Fades in over `in` and out over `out` seconds and scales the peak to 0.89 (-1 dBFS).
    std::vector<std::int16_t> finish(double in = 0.002, double out = 0.012);

  private:
    std::vector<double> s_;
};

// Equal temperament from MIDI note numbers: 69 is 440 Hz.
double noteHz(int midiNote);

}  // namespace orvala::soundgen
