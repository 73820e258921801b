#include "sound/sound_sink.h"

#include <QFileInfo>
#include <cstring>
#include <map>

#include "sound/audio_backend.h"

namespace orvala::sound {
namespace {

// Plays one clip at a time through a pushed stream per sample format. A new clip replaces the
// old one where it stands (what the stream has queued, a tenth of a second at most, still plays).
class DeviceSink final : public SoundSink {
  public:
    explicit DeviceSink(const AudioBackend& backend) : backend_(backend) {}

    void start(const QByteArray& bytes, const WaveData& wave) override {
        PcmFormat format;
        format.sampleRate = static_cast<int>(wave.sampleRate);
        format.channels = static_cast<int>(wave.channels);
        format.eightBit = wave.bitsPerSample == 8;
        stop();
        Output& out = outputs_[key(format)];
        out.samples =
            bytes.mid(static_cast<qsizetype>(wave.offset), static_cast<qsizetype>(wave.size));
        out.at = 0;
        if (!out.pump)
            out.pump.reset(backend_.openPcm(format, [&out](char* d, qint64 max) {
                const qint64 n = std::min(max, out.samples.size() - out.at);
                if (n <= 0) return qint64{0};
                std::memcpy(d, out.samples.constData() + out.at, static_cast<size_t>(n));
                out.at += n;
                return n;
            }));
        out.pump->kick();
    }
    void stop() override {
        for (auto& [k, out] : outputs_) out.samples.clear(), out.at = 0;
    }
    bool audible() const override { return true; }

  private:
    struct Output {
        QByteArray samples;
        qint64 at = 0;
        std::unique_ptr<PcmOutput> pump;
    };
    static int key(const PcmFormat& f) {
        return f.sampleRate * 8 + f.channels * 2 + (f.eightBit ? 1 : 0);
    }
    const AudioBackend& backend_;
    std::map<int, Output> outputs_;  // node-based: the pumps' sources keep their Output
};

}  // namespace

bool audioOutputReachable() {
    // Qt plays through PulseAudio (or PipeWire's stand-in for it): a server named in the
    // environment, or the user's socket, or the system-wide one.
    if (!qEnvironmentVariable("PULSE_SERVER").isEmpty()) return true;
    const QString pulse = qEnvironmentVariable("PULSE_RUNTIME_PATH");
    if (!pulse.isEmpty() && QFileInfo::exists(pulse + "/native")) return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo::exists(runtime + "/pulse/native")) return true;
    return QFileInfo::exists("/run/pulse/native") || QFileInfo::exists("/var/run/pulse/native");
}

std::unique_ptr<SoundSink> makeSoundSink() {
    if (!audioOutputReachable()) return std::make_unique<SilentSink>();
    const AudioBackend* backend = audioBackend();
    if (!backend || !backend->hasOutput()) return std::make_unique<SilentSink>();
    return std::make_unique<DeviceSink>(*backend);
}

}  // namespace orvala::sound
