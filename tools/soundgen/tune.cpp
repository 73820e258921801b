#include "tune.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <vector>

namespace orvala::soundgen {
namespace {

constexpr int kQuarter = 480;
constexpr int kBar = 4 * kQuarter;
constexpr int kEighth = kQuarter / 2;

struct Event {
    int tick;
    int order;  // at one tick, note-offs go before note-ons
    std::vector<std::uint8_t> bytes;
};

class Track {
  public:
    explicit Track(int channel) : channel_(channel) {}
    void program(int number) {
        add(0, 0, {static_cast<std::uint8_t>(0xC0 | channel_), static_cast<std::uint8_t>(number)});
    }
    void note(int tick, int length, int key, int velocity) {
        add(tick, 1,
            {static_cast<std::uint8_t>(0x90 | channel_), static_cast<std::uint8_t>(key),
             static_cast<std::uint8_t>(velocity)});
        add(tick + length, 0,
            {static_cast<std::uint8_t>(0x80 | channel_), static_cast<std::uint8_t>(key), 0});
    }
    void meta(int tick, std::vector<std::uint8_t> bytes) { add(tick, 0, std::move(bytes)); }

    // The track chunk: events in time order, each after its delta time.
    std::string chunk() {
        std::stable_sort(events_.begin(), events_.end(), [](const Event& a, const Event& b) {
            return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
        });
        std::string body;
        int last = 0;
        for (const Event& e : events_) {
            putVarLength(body, static_cast<std::uint32_t>(e.tick - last));
            last = e.tick;
            body.append(e.bytes.begin(), e.bytes.end());
        }
        body += std::string("\x00\xFF\x2F\x00", 4);
        std::string out = "MTrk";
        putBig32(out, static_cast<std::uint32_t>(body.size()));
        return out + body;
    }

    static void putBig32(std::string& s, std::uint32_t v) {
        for (int i = 3; i >= 0; --i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    }

  private:
    void add(int tick, int order, std::vector<std::uint8_t> bytes) {
        events_.push_back({tick, order, std::move(bytes)});
    }
    static void putVarLength(std::string& s, std::uint32_t v) {
        std::array<char, 5> groups{};
        int n = 0;
        do {
            groups[static_cast<size_t>(n++)] = static_cast<char>(v & 0x7F);
            v >>= 7;
        } while (v != 0);
        while (n-- > 0)
            s.push_back(static_cast<char>(groups[static_cast<size_t>(n)] | (n > 0 ? 0x80 : 0)));
    }
    int channel_;
    std::vector<Event> events_;
};

// A chord by its root (a MIDI note in the octave under middle C) and whether it is minor.
struct Chord {
    int root;
    bool minor;
    std::array<int, 3> tones() const { return {root, root + (minor ? 3 : 4), root + 7}; }
};
constexpr Chord C{48, false}, Dm{50, true}, Em{52, true}, F{53, false}, G{55, false}, Am{57, true};

// The form: a verse twice (the second ending on the way home), a middle part, the verse again.
const std::vector<Chord> kVerse = {C, Am, F, G, C, Am, Dm, G};
const std::vector<Chord> kMiddle = {F, G, Em, Am, F, G, C, C};

constexpr std::array<int, 7> kScale = {0, 2, 4, 5, 7, 9, 11};

bool inScale(int key) {
    return std::find(kScale.begin(), kScale.end(), key % 12) != kScale.end();
}

// The nearest key to `from` that sounds in `chord`, within the melody's range.
int nearestChordTone(const Chord& chord, int from) {
    int best = from, distance = 99;
    for (int octave = 60; octave <= 84; octave += 12)
        for (int t : chord.tones()) {
            const int key = t % 12 + octave;
            if (key < 64 || key > 84) continue;
            if (std::abs(key - from) < distance) distance = std::abs(key - from), best = key;
        }
    return best;
}

// One bar of melody: rhythms in eighths, chord tones on the beats, steps of the scale between.
std::vector<std::pair<int, int>> melodyBar(const Chord& chord, int& last, bool closing,
                                           std::mt19937& random) {
    static const std::vector<std::vector<int>> kRhythms = {
        {2, 2, 2, 2}, {3, 1, 2, 2}, {4, 2, 2}, {2, 2, 4}, {1, 1, 2, 4}, {2, 1, 1, 4}, {6, 2}};
    if (closing) {
        last = nearestChordTone(chord, last);
        return {{last, 8}};
    }
    const auto& rhythm = kRhythms[random() % kRhythms.size()];
    std::vector<std::pair<int, int>> notes;
    int at = 0;
    for (int eighths : rhythm) {
        if (at % 2 == 0) {
            last = nearestChordTone(chord, last + static_cast<int>(random() % 7) - 3);
        } else {
            int step = random() % 2 ? 1 : -1;
            int key = last + step;
            while (!inScale(key)) key += step;
            last = std::clamp(key, 64, 84);
        }
        notes.push_back({last, eighths});
        at += eighths;
    }
    return notes;
}

}  // namespace

std::string composeTune() {
    std::mt19937 random(55);
    Track conductor(0), melody(0), strings(1), guitar(2), bass(3), shaker(9);
    // 92 beats a minute, 4/4.
    const std::uint32_t microseconds = 60000000 / 92;
    conductor.meta(
        0, {0xFF, 0x51, 0x03, static_cast<std::uint8_t>(microseconds >> 16),
            static_cast<std::uint8_t>(microseconds >> 8), static_cast<std::uint8_t>(microseconds)});
    conductor.meta(0, {0xFF, 0x58, 0x04, 4, 2, 24, 8});
    melody.program(11);  // vibraphone
    strings.program(48);
    guitar.program(24);
    bass.program(32);

    std::vector<Chord> chords = {C, C};  // two bars of accompaniment lead in
    std::vector<bool> sung = {false, false};
    for (const auto* part : {&kVerse, &kVerse, &kMiddle, &kVerse})
        for (const Chord& c : *part) chords.push_back(c), sung.push_back(true);

    // The verse's melody is made once and sung three times, so the tune has a tune.
    std::vector<std::vector<std::pair<int, int>>> verse, middle;
    int last = 72;
    for (size_t i = 0; i < kVerse.size(); ++i)
        verse.push_back(melodyBar(kVerse[i], last, i + 1 == kVerse.size(), random));
    for (size_t i = 0; i < kMiddle.size(); ++i)
        middle.push_back(melodyBar(kMiddle[i], last, i + 1 == kMiddle.size(), random));

    for (size_t bar = 0; bar < chords.size(); ++bar) {
        const int start = static_cast<int>(bar) * kBar;
        const Chord& chord = chords[bar];
        const auto tones = chord.tones();
        for (int t : tones) strings.note(start, kBar - 20, t + 12, 46);
        bass.note(start, kQuarter * 2 - 40, chord.root - 12, 80);
        bass.note(start + 2 * kQuarter, kQuarter * 2 - 40, chord.root - 5, 70);
        static constexpr int kPattern[8] = {0, 1, 2, 1, 0, 1, 2, 1};
        for (int e = 0; e < 8; ++e)
            guitar.note(start + e * kEighth, kEighth - 10, tones[kPattern[e]] + 12 + (e == 2) * 12,
                        e % 2 ? 44 : 56);
        for (int e = 0; e < 8; ++e) shaker.note(start + e * kEighth, 60, 70, e % 2 ? 36 : 24);
        if (!sung[bar]) continue;
        const size_t inForm = bar - 2;
        const bool isMiddle = inForm >= 16 && inForm < 24;
        const auto& bars = isMiddle ? middle : verse;
        int at = start;
        for (const auto& [key, eighths] : bars[inForm % 8]) {
            melody.note(at, eighths * kEighth * 9 / 10, key, 88);
            at += eighths * kEighth;
        }
    }
    conductor.meta(static_cast<int>(chords.size()) * kBar, {0xFF, 0x01, 0x00});

    std::string smf = "MThd";
    Track::putBig32(smf, 6);
    smf += std::string("\x00\x01\x00\x06", 4);  // format 1, six tracks
    smf.push_back(static_cast<char>(kQuarter >> 8));
    smf.push_back(static_cast<char>(kQuarter & 0xFF));
    for (Track* t : {&conductor, &melody, &strings, &guitar, &bass, &shaker}) smf += t->chunk();
    return smf;
}

}  // namespace orvala::soundgen
