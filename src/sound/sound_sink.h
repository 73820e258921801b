#pragma once
// Where sounds go: the machine's default audio output, or a silent sink when there is none (a
// server, CI, a test). Both take the same calls, so the game runs the same with and without a
// device, and neither says anything when a sound cannot be heard.
//
// A sink plays one clip at a time: a new clip cuts off the one playing.

#include <QByteArray>
#include <memory>

#include "core/sound/wave_file.h"

class QObject;

namespace orvala::sound {

class SoundSink {
  public:
    virtual ~SoundSink() = default;
    // Plays the samples `wave` describes within `bytes` (a whole wave file), from the start.
    virtual void start(const QByteArray& bytes, const WaveData& wave) = 0;
    virtual void stop() = 0;
    virtual bool audible() const = 0;
};

class SilentSink final : public SoundSink {
  public:
    void start(const QByteArray&, const WaveData&) override {}
    void stop() override {}
    bool audible() const override { return false; }
};

// The default audio output when the machine has one, else a silent sink.
std::unique_ptr<SoundSink> makeSoundSink();

// Whether a sound server or device can be reached at all; asked before Qt's audio is touched,
// which would otherwise complain on a machine without one.
bool audioOutputReachable();

}  // namespace orvala::sound
