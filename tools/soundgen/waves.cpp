#include "waves.h"

#include <functional>
#include <map>
#include <random>
#include <string>

#include "synth.h"

namespace orvala::soundgen {
namespace {

using Tone = Buffer::Tone;
using Partials = std::vector<std::pair<double, double>>;

// A struck bar or small bell: the partials of a free bar, which ring in every chime below.
const Partials kBell = {{1, 1}, {2.76, 0.35}, {5.4, 0.12}};
const Partials kWarm = {{1, 1}, {2, 0.3}, {3, 0.1}};

// A card on the cloth: a sharp crack of bright noise over a soft low knock.
void snap(Buffer& b, double at, double brightness, std::mt19937& r) {
    b.noise(at, 0.06, 2600 * brightness, 0.8, 1.0, 70, r);
    b.noise(at, 0.02, 6000 * brightness, 1.5, 0.5, 160, r);
    b.tone({.hz = 170, .start = at, .length = 0.07, .level = 0.5, .attack = 0.001, .decay = 40});
}

void chime(Buffer& b, const std::vector<int>& notes, double step, double length, double level,
           const Partials& partials = kBell, double decay = 5) {
    for (size_t i = 0; i < notes.size(); ++i)
        b.tone({.hz = noteHz(notes[i]),
                .start = step * static_cast<double>(i),
                .length = length,
                .level = level,
                .attack = 0.003,
                .decay = decay,
                .partials = partials});
}

std::vector<std::int16_t> make(const std::string& name) {
    std::mt19937 r(static_cast<unsigned>(std::hash<std::string>{}(name)&0xFFFF));
    if (name == "WHodsDo") {
        Buffer b(0.14);
        snap(b, 0, 1.0, r);
        return b.finish(0.0008, 0.02);
    }
    if (name == "WTasoKo") {
        // A riffle: the cards fall from two halves, quick in the middle, slower at the ends.
        Buffer b(0.58);
        double at = 0;
        for (int i = 0; i < 28; ++i) {
            const double middle = std::abs(i - 14) / 14.0;
            b.noise(at, 0.03, 3000 + 40.0 * (i % 5) * 20, 1.2, 0.5 + 0.5 * (1 - middle), 140, r);
            at += 0.012 + 0.012 * middle;
        }
        b.noise(at, 0.08, 900, 0.7, 0.8, 45, r);  // the deck squared on the table
        return b.finish(0.001, 0.03);
    }
    if (name == "WPrik_1" || name == "WPrik_2" || name == "WPrik_3") {
        // A card turned face up: a flick, a little brighter for each of the three.
        Buffer b(0.16);
        const double lift = 1.0 + 0.12 * (name.back() - '1');
        b.noise(0, 0.05, 1800 * lift, 1.0, 0.6, 60, r);
        snap(b, 0.045, lift, r);
        return b.finish(0.002, 0.02);
    }
    if (name == "WDiPlay") {
        Buffer b(0.32);
        chime(b, {76, 81}, 0.09, 0.23, 0.5, kWarm, 9);
        return b.finish();
    }
    if (name == "WDiPass") {
        Buffer b(0.34);
        b.tone({.hz = noteHz(67),
                .length = 0.34,
                .level = 0.6,
                .attack = 0.01,
                .decay = 7,
                .partials = kWarm,
                .glide = 0.75});
        return b.finish();
    }
    if (name == "WOpenFo") {
        Buffer b(0.16);
        b.tone({.hz = 700,
                .length = 0.16,
                .level = 0.5,
                .attack = 0.006,
                .decay = 18,
                .partials = kWarm,
                .glide = 1.8});
        b.noise(0, 0.1, 2500, 0.6, 0.15, 30, r);
        return b.finish(0.004, 0.02);
    }
    if (name == "WPlMore") {
        Buffer b(0.5);
        chime(b, {72, 76, 79}, 0.08, 0.34, 0.45, kWarm, 7);
        return b.finish();
    }
    if (name == "WDing_1") {
        Buffer b(0.55);
        chime(b, {84}, 0, 0.55, 0.6, kBell, 4.5);
        return b.finish();
    }
    if (name == "WKoGutX") {
        // A rising chime: the major chord upwards.
        Buffer b(0.6);
        chime(b, {84, 88, 91, 96}, 0.07, 0.39, 0.4, kBell, 5);
        return b.finish();
    }
    if (name == "WKoBadX") {
        // A dull thud: a low knock that sinks, with a little dark noise.
        Buffer b(0.4);
        b.tone({.hz = 95,
                .length = 0.4,
                .level = 1.0,
                .attack = 0.002,
                .decay = 9,
                .partials = {{1, 1}, {1.5, 0.3}},
                .glide = 0.6});
        b.noise(0, 0.12, 220, 0.7, 0.5, 35, r);
        return b.finish(0.001, 0.03);
    }
    if (name == "WSays40") {
        Buffer b(0.55);
        chime(b, {79, 84}, 0.1, 0.44, 0.45, kBell, 4);
        chime(b, {88}, 0.0, 0.55, 0.3, kWarm, 5);
        return b.finish();
    }
    if (name == "WSays20") {
        Buffer b(0.42);
        chime(b, {76, 79}, 0.09, 0.33, 0.5, kBell, 5);
        return b.finish();
    }
    if (name == "WKoloNo") {
        // A bolt: two low, hollow notes going down.
        Buffer b(0.45);
        b.tone({.hz = noteHz(50),
                .length = 0.2,
                .level = 0.6,
                .attack = 0.005,
                .decay = 6,
                .partials = {{1, 1}, {3, 0.33}, {5, 0.2}}});
        b.tone({.hz = noteHz(45),
                .start = 0.2,
                .length = 0.25,
                .level = 0.6,
                .attack = 0.005,
                .decay = 6,
                .partials = {{1, 1}, {3, 0.33}, {5, 0.2}}});
        return b.finish(0.002, 0.04);
    }
    if (name == "WKoGood") {
        Buffer b(1.0);
        const int notes[] = {67, 72, 76, 79};
        for (int i = 0; i < 4; ++i) b.brass(noteHz(notes[i]), 0.12 * i, i == 3 ? 0.64 : 0.14, 0.4);
        chime(b, {91}, 0.0, 1.0, 0.15, kBell, 3);
        return b.finish(0.003, 0.08);
    }
    if (name == "WKoBads") {
        Buffer b(0.9);
        const int notes[] = {67, 63, 60};
        for (int i = 0; i < 3; ++i)
            b.tone({.hz = noteHz(notes[i]),
                    .start = 0.22 * i,
                    .length = i == 2 ? 0.46 : 0.24,
                    .level = 0.5,
                    .attack = 0.01,
                    .decay = 3,
                    .partials = kWarm});
        return b.finish(0.003, 0.08);
    }
    if (name == "WFiBest") {
        // A short fanfare: a call of three, a held top note over a chord.
        Buffer b(1.1);
        const int notes[] = {67, 67, 72, 76};
        const double at[] = {0, 0.13, 0.26, 0.45};
        for (int i = 0; i < 4; ++i) b.brass(noteHz(notes[i]), at[i], i == 3 ? 0.62 : 0.11, 0.4);
        b.brass(noteHz(60), 0.45, 0.62, 0.25);
        b.brass(noteHz(64), 0.45, 0.62, 0.2);
        return b.finish(0.003, 0.08);
    }
    if (name == "WFiGood") {
        // Two chords, the second a step up, with a bell over it.
        Buffer b(0.75);
        chime(b, {72, 76, 79}, 0.0, 0.3, 0.3, kWarm, 4);
        b.tone({.hz = noteHz(74),
                .start = 0.28,
                .length = 0.47,
                .level = 0.3,
                .decay = 4,
                .partials = kWarm});
        b.tone({.hz = noteHz(79),
                .start = 0.28,
                .length = 0.47,
                .level = 0.3,
                .decay = 4,
                .partials = kWarm});
        b.tone({.hz = noteHz(84),
                .start = 0.3,
                .length = 0.45,
                .level = 0.4,
                .decay = 4,
                .partials = kBell});
        return b.finish(0.003, 0.06);
    }
    if (name == "WFiBads") {
        Buffer b(0.8);
        b.brass(noteHz(62), 0, 0.3, 0.4);
        Buffer::Tone slide{.hz = noteHz(61),
                           .start = 0.3,
                           .length = 0.5,
                           .level = 0.5,
                           .attack = 0.02,
                           .decay = 2.5,
                           .partials = kWarm,
                           .glide = 0.84};
        b.tone(slide);
        return b.finish(0.003, 0.08);
    }
    if (name == "WToMenK") {
        Buffer b(0.36);
        chime(b, {81, 88}, 0.1, 0.26, 0.45, kBell, 7);
        return b.finish();
    }
    if (name == "WWrongs") {
        // A refusal: two short low buzzes.
        Buffer b(0.26);
        for (int i = 0; i < 2; ++i)
            b.tone({.hz = 150,
                    .start = 0.13 * i,
                    .length = 0.1,
                    .level = 0.5,
                    .attack = 0.004,
                    .decay = 4,
                    .partials = {{1, 1}, {3, 0.4}, {5, 0.25}, {7, 0.15}}});
        return b.finish(0.003, 0.02);
    }
    if (name == "STimerA" || name == "STimerB") {
        // The clock: a dry tick, and for the last seconds a brighter, harder one.
        const bool last = name == "STimerB";
        Buffer b(last ? 0.07 : 0.05);
        b.noise(0, 0.03, last ? 3200 : 2000, 4, 1.0, 180, r);
        b.tone({.hz = last ? 1600.0 : 1100.0,
                .length = 0.03,
                .level = 0.4,
                .attack = 0.0005,
                .decay = 120});
        return b.finish(0.0005, 0.01);
    }
    return {};
}

}  // namespace

std::vector<std::int16_t> makeWave(std::string_view name) {
    return make(std::string(name));
}

}  // namespace orvala::soundgen
