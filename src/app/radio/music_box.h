#pragma once
// The music player of the main window: the service's playlist ("/radio/playlist.txt", title "~"
// file a line) and its tracks ("/music/" + file), played one at a time in random order.
//
// Once the playlist has come, a random track is opened at volume 50 without playing. Play and
// pause start and stop it; next stops it and plays another random track; a track that played to
// its end is followed by another. The volume moves by 5 within 0..100. Without a playlist (the
// service is down, or its page holds no track) the player stays empty and does nothing.

#include <QObject>
#include <QPointer>
#include <QUrl>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/radio/playlist.h"
#include "sound/audio_stream.h"

namespace orvala::net {
class PageFetch;
}

namespace orvala::app {

class MusicBox final : public QObject {
    Q_OBJECT
  public:
    using StreamMaker = std::function<std::unique_ptr<sound::AudioStream>()>;
    // `pick(n)`: a random number in 0..n-1 (seedable, for tests).
    MusicBox(StreamMaker makeStream, std::function<int(int)> pick, QObject* parent = nullptr);
    ~MusicBox() override;

    // Fetches the playlist from the service; `changed` follows when it came or failed.
    void loadPlaylist(const QUrl& service);
    const std::vector<Track>& tracks() const { return tracks_; }
    std::optional<Track> current() const;
    bool playing() const { return playing_; }
    int volume() const { return volume_; }

    // "MP_Play" / "MP_Pause".
    void togglePlay();
    // "MP_Next".
    void next();
    // A click on "MP_Volume", `y` pixels below its top.
    void volumeClick(int y);
    // The buttons' hint: the track's title and file joined by "  :  "; empty without a track.
    QString hint() const;
    void shutDown();

  signals:
    void changed();

  private:
    void open(int index);
    void pickAnother();

    StreamMaker makeStream_;
    std::function<int(int)> pick_;
    std::unique_ptr<sound::AudioStream> stream_;
    QPointer<net::PageFetch> fetch_;
    QUrl service_;
    std::vector<Track> tracks_;
    int index_ = -1;
    int volume_ = 50;
    bool playing_ = false;
};

}  // namespace orvala::app
