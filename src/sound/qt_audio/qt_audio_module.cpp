// The audio module on Qt Multimedia: the default output as pushed PCM streams (AudioPump), and
// network streams on QMediaPlayer, which opens, buffers and decodes on threads of its own
// (GStreamer on Linux) and reports by signals, so no call here waits on the network.

#include <QAudioOutput>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>
#include <algorithm>

#include "sound/audio_backend.h"
#include "sound/qt_audio/audio_pump.h"

namespace orvala::sound {
namespace {

class PumpOutput final : public PcmOutput {
  public:
    PumpOutput(const QAudioFormat& format, PcmSource source)
        : pump_(QMediaDevices::defaultAudioOutput(), format, std::move(source)) {}
    void kick() override { pump_.kick(); }

  private:
    AudioPump pump_;
};

class QtStreamPlayer final : public QObject, public StreamPlayer {
  public:
    explicit QtStreamPlayer(Events events) : events_(std::move(events)) {}

    void open(const QString& url) override {
        drop();
        player_ = new QMediaPlayer(this);
        output_ = new QAudioOutput(player_);
        output_->setVolume(float(volume_) / 100.0f);
        player_->setAudioOutput(output_);
        connect(player_, &QMediaPlayer::mediaStatusChanged, this,
                [this](QMediaPlayer::MediaStatus s) { statusChanged(s); });
        connect(player_, &QMediaPlayer::errorOccurred, this, [this] {
            // A broken stream is silent, not an error shown to the player.
            if (player_) player_->stop();
            wanted_ = false;
            events_.failed();
        });
        player_->setSource(QUrl(url, QUrl::StrictMode));
    }

    void close() override { drop(); }

    void setVolume(int percent) override {
        volume_ = std::clamp(percent, 0, 100);
        if (output_) output_->setVolume(float(volume_) / 100.0f);
    }

    void play() override {
        if (!player_) return;
        wanted_ = true;
        ended_ = false;
        announced_ = false;
        player_->play();
        statusChanged(player_->mediaStatus());
    }

    void stop() override {
        wanted_ = false;
        if (player_) player_->stop();
    }

    bool ended() const override { return ended_; }

  private:
    void statusChanged(QMediaPlayer::MediaStatus s) {
        if (!player_) return;
        if (s == QMediaPlayer::EndOfMedia) {
            ended_ = true;
            wanted_ = false;
            events_.finished();
            return;
        }
        if (s == QMediaPlayer::InvalidMedia) {
            wanted_ = false;
            events_.failed();
            return;
        }
        const bool sounding = s == QMediaPlayer::BufferedMedia ||
                              (s == QMediaPlayer::BufferingMedia && player_->bufferProgress() > 0);
        if (wanted_ && sounding && !announced_ &&
            player_->playbackState() == QMediaPlayer::PlayingState) {
            announced_ = true;
            events_.started();
        }
    }

    // The old player goes later: deleting it inside one of its own signals would pull the
    // ground from under GStreamer's callbacks.
    void drop() {
        if (player_) {
            player_->disconnect(this);
            player_->stop();
            player_->deleteLater();
        }
        player_ = nullptr;
        output_ = nullptr;
        wanted_ = ended_ = announced_ = false;
    }

    Events events_;
    QMediaPlayer* player_ = nullptr;
    QAudioOutput* output_ = nullptr;
    int volume_ = 100;
    bool wanted_ = false;
    bool ended_ = false;
    bool announced_ = false;
};

bool hasOutput() {
    return !QMediaDevices::defaultAudioOutput().isNull();
}

PcmOutput* openPcm(const PcmFormat& f, PcmSource source) {
    QAudioFormat format;
    format.setSampleRate(f.sampleRate);
    format.setChannelCount(f.channels);
    format.setSampleFormat(f.eightBit ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    return new PumpOutput(format, std::move(source));
}

StreamPlayer* makeStreamPlayer(StreamPlayer::Events events) {
    return new QtStreamPlayer(std::move(events));
}

constexpr AudioBackend kBackend{hasOutput, openPcm, makeStreamPlayer};

}  // namespace
}  // namespace orvala::sound

extern "C" Q_DECL_EXPORT const orvala::sound::AudioBackend* orvala_audio_backend() {
    return &orvala::sound::kBackend;
}
