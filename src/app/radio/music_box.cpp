#include "app/radio/music_box.h"

#include "net/page_fetch.h"

namespace orvala::app {

MusicBox::MusicBox(StreamMaker makeStream, std::function<int(int)> pick, QObject* parent)
    : QObject(parent), makeStream_(std::move(makeStream)), pick_(std::move(pick)) {}

MusicBox::~MusicBox() {
    shutDown();
}

void MusicBox::loadPlaylist(const QUrl& service) {
    service_ = service;
    fetch_ = new net::PageFetch(net::serviceFile(service, "/radio/playlist.txt"),
                                qint64(kPlaylistMaxBytes), this);
    connect(fetch_, &net::PageFetch::finished, this, [this](bool ok, const QByteArray& bytes) {
        fetch_->deleteLater();
        if (ok) tracks_ = readPlaylist({bytes.constData(), size_t(bytes.size())});
        if (!tracks_.empty()) open(pick_(int(tracks_.size())));
        emit changed();
    });
}

std::optional<Track> MusicBox::current() const {
    if (index_ < 0 || index_ >= int(tracks_.size())) return std::nullopt;
    return tracks_[size_t(index_)];
}

void MusicBox::open(int index) {
    index_ = std::clamp(index, 0, int(tracks_.size()) - 1);
    if (!stream_) {
        stream_ = makeStream_();
        if (!stream_) return;
        connect(stream_.get(), &sound::AudioStream::finished, this, [this] {
            // At the end of a track another one follows.
            if (!playing_) return;
            pickAnother();
            stream_->play();
            emit changed();
        });
        connect(stream_.get(), &sound::AudioStream::failed, this, [this] {
            playing_ = false;
            emit changed();
        });
    }
    stream_->stop();
    stream_->create(
        net::serviceFile(service_, "/music/" + QString::fromStdString(tracks_[size_t(index_)].file))
            .toString());
    stream_->setVolume(volume_);
}

// Another track than the one before, where the list has another.
void MusicBox::pickAnother() {
    const int n = int(tracks_.size());
    int i = pick_(n);
    if (n > 1 && i == index_) i = (i + 1) % n;
    open(i);
}

void MusicBox::togglePlay() {
    if (!stream_ || tracks_.empty()) return;
    playing_ = !playing_;
    if (playing_) {
        if (stream_->ended()) pickAnother();
        stream_->play();
    } else {
        stream_->stop();
    }
    emit changed();
}

void MusicBox::next() {
    if (!stream_ || tracks_.empty()) return;
    stream_->stop();
    pickAnother();
    playing_ = true;
    stream_->play();
    emit changed();
}

void MusicBox::volumeClick(int y) {
    volume_ = steppedMusicVolume(volume_, musicVolumeDirection(y));
    if (stream_) stream_->setVolume(volume_);
    emit changed();
}

QString MusicBox::hint() const {
    const auto t = current();
    return t ? QString::fromStdString(trackHint(*t)) : QString();
}

void MusicBox::shutDown() {
    if (fetch_) fetch_->deleteLater();
    playing_ = false;
    if (stream_) stream_->stop();
    stream_.reset();
}

}  // namespace orvala::app
