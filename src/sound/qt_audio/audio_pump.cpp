#include "sound/qt_audio/audio_pump.h"

#include <QByteArray>

namespace orvala::sound {

AudioPump::AudioPump(const QAudioDevice& device, const QAudioFormat& format, Source source)
    : source_(std::move(source)), sink_(std::make_unique<QAudioSink>(device, format)) {
    // A tenth of a second queued at most: a new sound follows a cut-off one quickly.
    sink_->setBufferSize(format.bytesForDuration(100000));
    io_ = sink_->start();
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this] { feed(); });
}

AudioPump::~AudioPump() {
    timer_.stop();
    io_ = nullptr;
    sink_.reset();
}

void AudioPump::kick() {
    feed();
    if (!timer_.isActive()) timer_.start();
}

void AudioPump::feed() {
    if (!io_) return;
    const qint64 room = sink_->bytesFree();
    if (room <= 0) return;
    QByteArray chunk(room, Qt::Uninitialized);
    const qint64 n = source_(chunk.data(), room);
    if (n > 0)
        io_->write(chunk.constData(), n);
    else
        timer_.stop();  // dry until the next kick
}

}  // namespace orvala::sound
