// The program's network streams: the address is checked here, and the audio module's player
// plays it (audio_backend.h). Without the module a stream fails as soon as it is played.

#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <memory>

#include "sound/audio_backend.h"
#include "sound/audio_stream.h"

namespace orvala::sound {
namespace {

class MediaStream final : public AudioStream {
  public:
    explicit MediaStream(std::function<void(const QString&)> onStarted)
        : onStarted_(std::move(onStarted)) {}

    bool create(const QString& url) override {
        // The player is made once and kept: create() may come from inside one of its events.
        if (player_) player_->close();
        url_.clear();
        const QUrl address(url, QUrl::StrictMode);
        if (!address.isValid() || (address.scheme() != "http" && address.scheme() != "https") ||
            address.host().isEmpty())
            return false;
        url_ = url;
        const AudioBackend* backend = audioBackend();
        if (!player_ && backend) {
            StreamPlayer::Events events;
            events.started = [this] {
                if (onStarted_) onStarted_(url_);
                emit started();
            };
            events.finished = [this] { emit finished(); };
            events.failed = [this] { emit failed(); };
            player_.reset(backend->makeStreamPlayer(std::move(events)));
        }
        if (player_) {
            player_->setVolume(volume_);
            player_->open(url);
        }
        return true;
    }

    void setVolume(int percent) override {
        volume_ = std::clamp(percent, 0, 100);
        if (player_) player_->setVolume(volume_);
    }

    void play() override {
        if (player_) return player_->play();
        // No audio module: nothing can sound.
        if (!url_.isEmpty()) QTimer::singleShot(0, this, [this] { emit failed(); });
    }

    void stop() override {
        if (player_) player_->stop();
    }

    bool ended() const override { return player_ && player_->ended(); }
    QString url() const override { return url_; }

  private:
    std::function<void(const QString&)> onStarted_;
    std::unique_ptr<StreamPlayer> player_;
    QString url_;
    int volume_ = 100;
};

}  // namespace

std::unique_ptr<AudioStream> makeMediaStream(std::function<void(const QString&)> onStarted) {
    return std::make_unique<MediaStream>(std::move(onStarted));
}

}  // namespace orvala::sound
