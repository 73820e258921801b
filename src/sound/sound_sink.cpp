#include "sound/sound_sink.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QFileInfo>
#include <QMediaDevices>

namespace orvala::sound {
namespace {

class DeviceSink final : public SoundSink {
  public:
    explicit DeviceSink(QAudioDevice device) : device_(std::move(device)) {}
    ~DeviceSink() override { stop(); }

    void start(const QByteArray& bytes, const WaveData& wave) override {
        stop();
        QAudioFormat format;
        format.setSampleRate(wave.sampleRate);
        format.setChannelCount(wave.channels);
        format.setSampleFormat(wave.bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
        // One output stream for as long as the clips share a format: opening one costs more
        // than a sound may take to start.
        if (!sink_ || format != format_) {
            sink_ = std::make_unique<QAudioSink>(device_, format);
            format_ = format;
        }
        samples_.setData(
            bytes.mid(static_cast<qsizetype>(wave.offset), static_cast<qsizetype>(wave.size)));
        samples_.open(QIODevice::ReadOnly);
        sink_->start(&samples_);
    }
    void stop() override {
        if (sink_) sink_->stop();
        samples_.close();
    }
    bool audible() const override { return true; }

  private:
    QAudioDevice device_;
    QAudioFormat format_;
    std::unique_ptr<QAudioSink> sink_;
    QBuffer samples_;
};

}  // namespace

bool audioOutputReachable() {
    // Qt plays through PulseAudio (or PipeWire's stand-in for it): a server named in the
    // environment, or the user's socket, or the system-wide one.
    if (!qEnvironmentVariable("PULSE_SERVER").isEmpty()) return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo::exists(runtime + "/pulse/native")) return true;
    return QFileInfo::exists("/run/pulse/native") || QFileInfo::exists("/var/run/pulse/native");
}

std::unique_ptr<SoundSink> makeSoundSink() {
    if (!audioOutputReachable()) return std::make_unique<SilentSink>();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) return std::make_unique<SilentSink>();
    return std::make_unique<DeviceSink>(device);
}

}  // namespace orvala::sound
