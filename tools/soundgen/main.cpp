// soundgen: makes the game's built-in sounds at build time.
//
//   soundgen OUT_DIR
//   soundgen --tracks MUSIC_DIR PLAYLIST
//
// The first writes every wave sound as OUT_DIR/NAME.wav, the tune as OUT_DIR/MidiSong.mid, and
// OUT_DIR/sounds.qrc, which compiles them into the game as ":/sounds/NAME". The second writes
// the music player's tracks into MUSIC_DIR and their playlist ("Title~file", one a line) as
// PLAYLIST, for the service to offer. Everything is synthesised or composed here; nothing is
// recorded.

#include <cstdio>
#include <fstream>
#include <string>

#include "core/game/waves.h"
#include "core/sound/wave_file.h"
#include "synth.h"
#include "tracks.h"
#include "tune.h"
#include "waves.h"

namespace {

bool writeFile(const std::string& path, const std::string& bytes) {
    // Written beside and renamed, so that a build stopped halfway leaves no half file.
    const std::string fresh = path + ".new";
    {
        std::ofstream out(fresh, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) return false;
    }
    return std::rename(fresh.c_str(), path.c_str()) == 0;
}

}  // namespace

int writeTracks(const std::string& folder, const std::string& playlistPath) {
    std::string playlist;
    for (const auto& t : orvala::soundgen::composeTracks()) {
        if (!writeFile(folder + "/" + t.file,
                       orvala::writeWave(t.samples, orvala::soundgen::kRate))) {
            std::fprintf(stderr, "soundgen: cannot write %s\n", t.file.c_str());
            return 1;
        }
        playlist += t.title + "~" + t.file + "\r\n";
    }
    if (!writeFile(playlistPath, playlist)) {
        std::fprintf(stderr, "soundgen: cannot write the playlist\n");
        return 1;
    }
    return 0;
}

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--tracks") return writeTracks(argv[2], argv[3]);
    if (argc != 2) {
        std::fprintf(stderr, "usage: soundgen OUT_DIR | soundgen --tracks MUSIC_DIR PLAYLIST\n");
        return 2;
    }
    const std::string out = argv[1];
    std::string qrc = "<RCC>\n  <qresource prefix=\"/sounds\">\n";
    for (int i = 0; i <= static_cast<int>(orvala::Wave::STimerB); ++i) {
        const std::string name(orvala::waveName(static_cast<orvala::Wave>(i)));
        const auto pcm = orvala::soundgen::makeWave(name);
        if (pcm.empty()) {
            std::fprintf(stderr, "soundgen: no recipe for %s\n", name.c_str());
            return 1;
        }
        if (!writeFile(out + "/" + name + ".wav",
                       orvala::writeWave(pcm, orvala::soundgen::kRate))) {
            std::fprintf(stderr, "soundgen: cannot write %s.wav\n", name.c_str());
            return 1;
        }
        qrc += "    <file alias=\"" + name + "\">" + name + ".wav</file>\n";
    }
    if (!writeFile(out + "/MidiSong.mid", orvala::soundgen::composeTune())) {
        std::fprintf(stderr, "soundgen: cannot write MidiSong.mid\n");
        return 1;
    }
    qrc += "    <file alias=\"MidiSong\">MidiSong.mid</file>\n  </qresource>\n</RCC>\n";
    if (!writeFile(out + "/sounds.qrc", qrc)) {
        std::fprintf(stderr, "soundgen: cannot write sounds.qrc\n");
        return 1;
    }
    return 0;
}
