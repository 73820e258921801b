// The streaming engine on QMediaPlayer. Qt's player opens, buffers and decodes on threads of its
// own (GStreamer on Linux) and reports by signals, so no call here waits on the network.

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QUrl>
#include <algorithm>

#include "sound/audio_stream.h"

namespace orvala::sound {
namespace {

class MediaStream final : public AudioStream {
  public:
    explicit MediaStream(std::function<void(const QString&)> onStarted)
        : onStarted_(std::move(onStarted)) {}

    bool create(const QString& url) override {
        drop();
        const QUrl address(url, QUrl::StrictMode);
        if (!address.isValid() || (address.scheme() != "http" && address.scheme() != "https") ||
            address.host().isEmpty())
            return false;
        url_ = url;
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
            emit failed();
        });
        player_->setSource(address);
        return true;
    }

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
    QString url() const override { return url_; }

  private:
    void statusChanged(QMediaPlayer::MediaStatus s) {
        if (!player_) return;
        if (s == QMediaPlayer::EndOfMedia) {
            ended_ = true;
            wanted_ = false;
            emit finished();
            return;
        }
        if (s == QMediaPlayer::InvalidMedia) {
            wanted_ = false;
            emit failed();
            return;
        }
        const bool sounding = s == QMediaPlayer::BufferedMedia ||
                              (s == QMediaPlayer::BufferingMedia && player_->bufferProgress() > 0);
        if (wanted_ && sounding && !announced_ &&
            player_->playbackState() == QMediaPlayer::PlayingState) {
            announced_ = true;
            if (onStarted_) onStarted_(url_);
            emit started();
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
        url_.clear();
        wanted_ = ended_ = announced_ = false;
    }

    std::function<void(const QString&)> onStarted_;
    QMediaPlayer* player_ = nullptr;
    QAudioOutput* output_ = nullptr;
    QString url_;
    int volume_ = 100;
    bool wanted_ = false;
    bool ended_ = false;
    bool announced_ = false;
};

}  // namespace

std::unique_ptr<AudioStream> makeMediaStream(std::function<void(const QString&)> onStarted) {
    return std::make_unique<MediaStream>(std::move(onStarted));
}

}  // namespace orvala::sound
