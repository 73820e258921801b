#include "sound/sound_player.h"

#include <QFile>
#include <array>

static void initSoundResources() {
    Q_INIT_RESOURCE(sounds);
}

namespace orvala::sound {
namespace {

QByteArray readResource(const QString& name) {
    static const bool ready = (initSoundResources(), true);
    (void)ready;
    QFile f(":/sounds/" + name);
    if (name.isEmpty() || name.contains('/') || !f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

std::span<const std::uint8_t> view(const QByteArray& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
            static_cast<std::size_t>(bytes.size())};
}

}  // namespace

SoundPlayer::SoundPlayer(std::unique_ptr<SoundSink> sink) : sink_(std::move(sink)) {
    if (!sink_) sink_ = std::make_unique<SilentSink>();
}

QByteArray SoundPlayer::builtInWave(const QString& name) {
    return waveNamed(name.toStdString()) ? readResource(name) : QByteArray();
}

QByteArray SoundPlayer::builtInTune() {
    return readResource("MidiSong");
}

int SoundPlayer::play(Wave wave, bool synchronous) {
    // The sounds are read once; they are small and every game plays most of them.
    static std::array<QByteArray, static_cast<size_t>(Wave::STimerB) + 1> cache;
    QByteArray& bytes = cache[static_cast<size_t>(wave)];
    const QString name =
        QString::fromLatin1(waveName(wave).data(), static_cast<qsizetype>(waveName(wave).size()));
    if (bytes.isEmpty()) bytes = builtInWave(name);
    return playClip(name, bytes, synchronous);
}

int SoundPlayer::playClip(const QString& name, const QByteArray& bytes, bool synchronous) {
    const auto wave = readWave(view(bytes));
    if (!wave || wave->size == 0) return 0;
    sink_->start(bytes, *wave);
    log_.write(name, synchronous);
    return wave->durationMs();
}

}  // namespace orvala::sound
