#include "tracks.h"

#include <algorithm>
#include <array>
#include <random>

#include "synth.h"

namespace orvala::soundgen {
namespace {

struct Recipe {
    const char* title;
    const char* file;
    unsigned seed;
    int root;     // MIDI note of the key
    double beat;  // seconds per beat
    bool minor;
};

constexpr Recipe kRecipes[] = {
    {"Evening_on_the_Terrace", "evening_terrace.wav", 1101, 60, 0.42, false},
    {"Cards_by_Candlelight", "cards_candlelight.wav", 2203, 57, 0.50, true},
    {"The_Third_Hand", "third_hand.wav", 3307, 62, 0.36, false},
};

// Four bars of four beats, repeated with a varied melody: about twenty to thirty seconds.
std::vector<std::int16_t> play(const Recipe& r) {
    const std::array<int, 5> major = {0, 2, 4, 7, 9};
    const std::array<int, 5> minor = {0, 3, 5, 7, 10};
    const auto& scale = r.minor ? minor : major;
    const std::array<int, 4> chords =
        r.minor ? std::array<int, 4>{0, 5, 3, 7} : std::array<int, 4>{0, 9, 5, 7};
    std::mt19937 random(r.seed);
    const int bars = 12;
    Buffer b(bars * 4 * r.beat + 1.5);
    int degree = 2;
    for (int bar = 0; bar < bars; ++bar) {
        const double t0 = bar * 4 * r.beat;
        const int chord = chords[size_t(bar % 4)];
        // The bass on beats one and three, the pulse on every beat.
        for (int beat : {0, 2})
            b.tone({noteHz(r.root - 24 + chord),
                    t0 + beat * r.beat,
                    r.beat * 1.8,
                    0.5,
                    0.01,
                    2.5,
                    {{1, 1}, {2, 0.35}, {3, 0.1}}});
        for (int beat = 0; beat < 4; ++beat)
            b.tone({noteHz(r.root + chord + (beat % 2 ? 7 : 4)),
                    t0 + beat * r.beat,
                    r.beat * 0.6,
                    0.12,
                    0.005,
                    9,
                    {{1, 1}, {4, 0.2}}});
        // The melody walks the scale in small steps, in eighths and quarters.
        double t = t0;
        while (t < t0 + 4 * r.beat - 1e-9) {
            degree = std::clamp(degree + int(random() % 5) - 2, 0, 9);
            const int note = r.root + 12 * (degree / 5) + scale[size_t(degree % 5)];
            const double len = (random() % 3 == 0 ? 1.0 : 0.5) * r.beat;
            if (random() % 6 != 0)
                b.tone({noteHz(note),
                        t,
                        len * 1.6,
                        0.32,
                        0.006,
                        3.5,
                        {{1, 1}, {2, 0.3}, {3, 0.12}, {5, 0.04}}});
            t += len;
        }
    }
    // The last chord rings out.
    const double end = bars * 4 * r.beat;
    for (int step : {0, 4, 7, 12})
        b.tone({noteHz(r.root - 12 + step), end, 1.4, 0.25, 0.01, 2, {{1, 1}, {2, 0.3}}});
    return b.finish(0.01, 0.3);
}

}  // namespace

std::vector<MusicTrack> composeTracks() {
    std::vector<MusicTrack> out;
    for (const Recipe& r : kRecipes) out.push_back({r.title, r.file, play(r)});
    return out;
}

}  // namespace orvala::soundgen
