#include "sound/music_player.h"

#include <fluidsynth.h>

#include <QAudioFormat>
#include <QAudioSink>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QMediaDevices>
#include <QSaveFile>

#include "core/sound/voice_names.h"
#include "sound/sound_player.h"
#include "sound/sound_sink.h"

namespace orvala::sound {
namespace {

constexpr int kRate = 44100;

// The synthesiser's output as a stream the audio sink pulls from: each read renders the next
// stretch of the tune, and the stream ends where the tune does.
class TuneStream final : public QIODevice {
  public:
    TuneStream(fluid_synth_t* synth, fluid_player_t* player) : synth_(synth), player_(player) {}
    bool isSequential() const override { return true; }
    bool ended() const { return fluid_player_get_status(player_) == FLUID_PLAYER_DONE; }
    qint64 bytesAvailable() const override { return ended() ? 0 : 4 * 4096; }

  protected:
    qint64 readData(char* data, qint64 maxSize) override {
        if (ended()) return 0;
        const int frames = static_cast<int>(std::min<qint64>(maxSize / 4, 4096));
        if (frames <= 0) return 0;
        fluid_synth_write_s16(synth_, frames, data, 0, 2, data, 1, 2);
        return qint64{frames} * 4;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

  private:
    fluid_synth_t* synth_;
    fluid_player_t* player_;
};

void quietLog(int, const char*, void*) {}

}  // namespace

QString findSoundfont() {
    for (const char* path :
         {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/default-GM.sf2",
          "/usr/share/sounds/sf2/FluidR3_GM.sf2", "/usr/share/soundfonts/default.sf2"})
        if (QFileInfo(path).isFile()) return path;
    return {};
}

struct MusicPlayer::Engine {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_player_t* player = nullptr;
    std::unique_ptr<TuneStream> stream;
    std::unique_ptr<QAudioSink> sink;

    ~Engine() {
        if (sink) sink->stop();
        sink.reset();
        stream.reset();
        if (player) delete_fluid_player(player);
        if (synth) delete_fluid_synth(synth);
        if (settings) delete_fluid_settings(settings);
    }
};

MusicPlayer::MusicPlayer(QString folder) : folder_(std::move(folder)) {}

MusicPlayer::~MusicPlayer() {
    close();
}

QString MusicPlayer::filePath() const {
    return QDir(folder_).absoluteFilePath(kMusicFileName);
}

bool MusicPlayer::PrepareMusic() {
    if (QFileInfo(filePath()).isFile()) {
        prepared_ = true;
        return true;
    }
    QSaveFile file(filePath());
    const QByteArray tune = SoundPlayer::builtInTune();
    prepared_ = !tune.isEmpty() && file.open(QIODevice::WriteOnly) &&
                file.write(tune) == tune.size() && file.commit();
    return prepared_;
}

void MusicPlayer::PlayMusic(bool on) {
    engine_.reset();
    on_ = on && prepared_ && QFileInfo(filePath()).isFile();
    if (!on_ || !audioOutputReachable()) return;
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    const QString soundfont = findSoundfont();
    if (device.isNull() || soundfont.isEmpty()) return;
    for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
        fluid_set_log_function(level, quietLog, nullptr);
    auto e = std::make_unique<Engine>();
    e->settings = new_fluid_settings();
    fluid_settings_setnum(e->settings, "synth.sample-rate", kRate);
    fluid_settings_setnum(e->settings, "synth.gain", 0.5);
    e->synth = new_fluid_synth(e->settings);
    if (!e->synth ||
        fluid_synth_sfload(e->synth, soundfont.toLocal8Bit().constData(), 1) == FLUID_FAILED)
        return;
    e->player = new_fluid_player(e->synth);
    if (!e->player ||
        fluid_player_add(e->player, filePath().toLocal8Bit().constData()) != FLUID_OK ||
        fluid_player_play(e->player) != FLUID_OK)
        return;
    QAudioFormat format;
    format.setSampleRate(kRate);
    format.setChannelCount(2);
    format.setSampleFormat(QAudioFormat::Int16);
    e->stream = std::make_unique<TuneStream>(e->synth, e->player);
    e->stream->open(QIODevice::ReadOnly);
    e->sink = std::make_unique<QAudioSink>(device, format);
    e->sink->start(e->stream.get());
    engine_ = std::move(e);
}

bool MusicPlayer::playing() const {
    if (!on_) return false;
    // Heard: until the tune's end has been rendered. Unheard: it never ends.
    return !engine_ || !engine_->stream->ended();
}

void MusicPlayer::close() {
    engine_.reset();
    on_ = false;
}

void MusicPlayer::deleteFile() const {
    QFile::remove(filePath());
}

}  // namespace orvala::sound
