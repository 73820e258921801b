#pragma once
// Plays the game's sounds: the built-in wave sounds by name, compiled in from what soundgen
// made, and clips such as the spoken card names. One sound at a time: each new one, synchronous
// or not, cuts off the one playing.
//
// The player never waits. It answers a sound's length, and whoever plays a synchronous sound
// waits that long on its own clock (the event player holds the table, not the event loop), so
// the game keeps the same pace with a silent sink as with loudspeakers.

#include <QByteArray>
#include <QString>
#include <memory>

#include "core/game/waves.h"
#include "sound/sound_log.h"
#include "sound/sound_sink.h"

namespace orvala::sound {

class SoundPlayer {
  public:
    explicit SoundPlayer(std::unique_ptr<SoundSink> sink = makeSoundSink());

    // Appends a line per sound started to `path`; empty: no log.
    void setLog(const QString& path) { log_.open(path); }
    // A stream from the network (radio, music) that began to sound: "Stream " and its address.
    void logStream(const QString& url) { log_.write("Stream " + url, false); }

    // Starts a wave sound; answers its length in milliseconds, 0 when there is no such sound
    // (then nothing plays and nothing is logged).
    int play(Wave wave, bool synchronous);
    // Starts a clip given as a whole wave file, logged under `name`; 0 for bytes that are not a
    // wave the player can play.
    int playClip(const QString& name, const QByteArray& bytes, bool synchronous);
    void stop() { sink_->stop(); }
    // Lets go of the audio output; the player goes on silently.
    void closeOutput() { sink_ = std::make_unique<SilentSink>(); }

    const SoundSink& sink() const { return *sink_; }

    // The built-in wave file of a sound ("WHodsDo"); empty for a name the game has no sound for.
    static QByteArray builtInWave(const QString& name);
    // The built-in tune, a Standard MIDI File.
    static QByteArray builtInTune();

  private:
    std::unique_ptr<SoundSink> sink_;
    SoundLog log_;
};

}  // namespace orvala::sound
