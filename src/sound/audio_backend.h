#pragma once
// What the audio module gives the program: the machine's audio output as pushed PCM streams, and
// players of network streams. The module ("orvala-audio", on Qt Multimedia) is a library of its
// own that the program opens the first time it needs sound, so that neither it nor the sound
// libraries below it are loaded while the window comes up. Without it every sound is silent and
// every network stream fails, as on a machine without an audio output.
//
// The interfaces are plain classes, shared by the program and the module through this header.

#include <QString>
#include <QtGlobal>
#include <functional>

namespace orvala::sound {

struct PcmFormat {
    int sampleRate = 44100;
    int channels = 2;
    bool eightBit = false;  // unsigned 8-bit samples; else signed 16-bit
};

// Fills up to `max` bytes; answers how many it wrote, 0 when it has nothing now.
using PcmSource = std::function<qint64(char* data, qint64 max)>;

// One output stream of the default audio device, fed from its source by pushing (see
// qt_audio/audio_pump.h). kick(): the source has something new.
class PcmOutput {
  public:
    virtual ~PcmOutput() = default;
    virtual void kick() = 0;
};

// A network stream's player (see audio_stream.h for what each call does). Its events come from
// the event loop.
class StreamPlayer {
  public:
    struct Events {
        std::function<void()> started, finished, failed;
    };
    virtual ~StreamPlayer() = default;
    // `url` is an http or https address already checked by the caller; what played before is
    // dropped (later, never inside one of its own events).
    virtual void open(const QString& url) = 0;
    virtual void close() = 0;
    virtual void setVolume(int percent) = 0;
    virtual void play() = 0;
    virtual void stop() = 0;
    virtual bool ended() const = 0;
};

struct AudioBackend {
    // The machine has a default audio output.
    bool (*hasOutput)();
    PcmOutput* (*openPcm)(const PcmFormat& format, PcmSource source);
    StreamPlayer* (*makeStreamPlayer)(StreamPlayer::Events events);
};

// The module, opened once (beside the program, or in ../lib/orvala); null when it is missing.
const AudioBackend* audioBackend();

}  // namespace orvala::sound

// The one symbol the module exports.
extern "C" const orvala::sound::AudioBackend* orvala_audio_backend();
