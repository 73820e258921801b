// voicegen: speaks the game's 24 cards in the ten languages with espeak-ng, at build time.
//
//   voicegen OUT_DIR
//
// writes OUT_DIR/NAME.wav for every voice name ("Pi5AVoiceDeu") and OUT_DIR/library.qrc, which
// rcc packs into the voice library "ZorCVoice3.dll" with the clips at its root under their bare
// names, as the picture libraries hold their pictures.

#include <espeak-ng/speak_lib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "card_words.h"
#include "core/lang/language.h"
#include "core/sound/voice_names.h"
#include "core/sound/wave_file.h"

namespace {

std::vector<short> heard;

int collect(short* samples, int count, espeak_EVENT*) {
    if (samples) heard.insert(heard.end(), samples, samples + count);
    return 0;
}

// The synthesiser leaves silence around the word: it is cut, so that the name follows the
// click at once, and the clip gets short fades and one level with the game's other sounds.
std::vector<std::int16_t> tidy(const std::vector<short>& in, int rate) {
    constexpr int kQuiet = 200;
    auto loud = [](short v) { return std::abs(static_cast<int>(v)) > kQuiet; };
    auto first = std::find_if(in.begin(), in.end(), loud);
    auto last = std::find_if(in.rbegin(), in.rend(), loud).base();
    if (first >= last) return {};
    std::vector<double> s(first, last);
    const size_t fade = std::min(s.size() / 2, static_cast<size_t>(rate / 200));
    for (size_t i = 0; i < fade; ++i) {
        const double k = static_cast<double>(i) / static_cast<double>(fade);
        s[i] *= k;
        s[s.size() - 1 - i] *= k;
    }
    double peak = 1;
    for (double v : s) peak = std::max(peak, std::abs(v));
    std::vector<std::int16_t> out(s.size());
    for (size_t i = 0; i < s.size(); ++i)
        out[i] = static_cast<std::int16_t>(std::lround(s[i] * 0.89 * 32767 / peak));
    return out;
}

bool writeFile(const std::string& path, const std::string& bytes) {
    const std::string fresh = path + ".new";
    {
        std::ofstream out(fresh, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) return false;
    }
    return std::rename(fresh.c_str(), path.c_str()) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace orvala;
    if (argc != 2) {
        std::fprintf(stderr, "usage: voicegen OUT_DIR\n");
        return 2;
    }
    const std::string out = argv[1];
    const int rate =
        espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
    if (rate <= 0) {
        std::fprintf(stderr, "voicegen: espeak-ng did not start (is espeak-ng-data there?)\n");
        return 1;
    }
    espeak_SetSynthCallback(collect);
    std::string qrc = "<RCC>\n  <qresource prefix=\"/\">\n";
    for (int language = 0; language < kLanguageCount; ++language) {
        espeak_VOICE wanted{};
        wanted.languages = voicegen::espeakVoice(language);
        if (espeak_SetVoiceByProperties(&wanted) != EE_OK) {
            std::fprintf(stderr, "voicegen: espeak-ng has no voice %s\n",
                         voicegen::espeakVoice(language));
            return 1;
        }
        espeak_SetParameter(espeakRATE, 150, 0);
        for (int s = 1; s <= 4; ++s)
            for (int r = 1; r <= 6; ++r) {
                const Card card{kRankCodes[r], kSuitCodes[s]};
                const std::string text = voicegen::spokenCard(card, language);
                heard.clear();
                espeak_Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8,
                             nullptr, nullptr);
                espeak_Synchronize();
                const auto clip = tidy(heard, rate);
                const std::string name = voiceResourceName(card, language);
                if (clip.empty()) {
                    std::fprintf(stderr, "voicegen: espeak-ng said nothing for %s\n", name.c_str());
                    return 1;
                }
                if (!writeFile(out + "/" + name + ".wav", writeWave(clip, rate))) {
                    std::fprintf(stderr, "voicegen: cannot write %s.wav\n", name.c_str());
                    return 1;
                }
                qrc += "    <file alias=\"" + name + "\">" + name + ".wav</file>\n";
            }
    }
    espeak_Terminate();
    qrc += "  </qresource>\n</RCC>\n";
    if (!writeFile(out + "/library.qrc", qrc)) {
        std::fprintf(stderr, "voicegen: cannot write library.qrc\n");
        return 1;
    }
    return 0;
}
