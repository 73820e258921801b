#pragma once
// The background tune: the built-in "MidiSong" written once to the temporary folder as
// "temp55_25.mid", and played from that file by FluidSynth with a General MIDI soundfont from the
// system, rendered into the machine's audio output.
//
// PrepareMusic writes the file when it is not there; a file left by a run that ended abnormally
// is used as it is. PlayMusic starts the tune from its beginning or stops it. The tune plays
// once to its end; the window starts it again where it wants it looped. Without an audio output,
// a soundfont or the FluidSynth library (opened on first use, see fluidsynth_library.h) nothing
// is rendered and the tune counts as playing, so that nobody restarts it.

#include <QString>
#include <memory>

namespace orvala::sound {

// The version of FluidSynth the program was built for ("2.3.1"), for the about box.
QString fluidSynthVersion();

class MusicPlayer {
  public:
    // `folder`: where the tune's file goes (the system's temporary folder).
    explicit MusicPlayer(QString folder);
    ~MusicPlayer();
    MusicPlayer(const MusicPlayer&) = delete;
    MusicPlayer& operator=(const MusicPlayer&) = delete;

    QString filePath() const;
    // False when the file is not there and cannot be written.
    bool PrepareMusic();
    // On: from the start, when the file was prepared. Off: stops.
    void PlayMusic(bool on);
    // True from PlayMusic(true) until the tune has ended or is stopped.
    bool playing() const;
    // Stops for good, and lets go of the synthesiser and the output.
    void close();
    // Removes the tune's file (the settings writer does, at the end of a normal run).
    void deleteFile() const;

  private:
    struct Engine;
    std::unique_ptr<Engine> startEngine();
    QString folder_;
    bool prepared_ = false;
    bool on_ = false;
    bool closed_ = false;
    bool noOutput_ = false;
    std::unique_ptr<Engine> engine_;
};

// The General MIDI soundfont the tune is played with; empty when the system has none.
QString findSoundfont();

}  // namespace orvala::sound
