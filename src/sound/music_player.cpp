#include "sound/music_player.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "core/sound/voice_names.h"
#include "sound/audio_backend.h"
#include "sound/fluidsynth_library.h"
#include "sound/sound_player.h"
#include "sound/sound_sink.h"

namespace orvala::sound {

QString fluidSynthVersion() {
    return QStringLiteral(FLUIDSYNTH_VERSION);
}

namespace {

constexpr int kRate = 44100;

void quietLog(int, const char*, void*) {}

}  // namespace

QString findSoundfont() {
    for (const char* path :
         {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/default-GM.sf2",
          "/usr/share/sounds/sf2/FluidR3_GM.sf2", "/usr/share/soundfonts/default.sf2"})
        if (QFileInfo(path).isFile()) return path;
    return {};
}

// The synthesiser and the output stream are made at the first PlayMusic(true) and kept until
// close() (see qt_audio/audio_pump.h). A stop only ends the MIDI player, and the stream runs dry.
struct MusicPlayer::Engine {
    explicit Engine(const FluidSynth& library) : fs(library) {}
    const FluidSynth& fs;
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_player_t* player = nullptr;
    std::unique_ptr<PcmOutput> pump;

    bool tunePlaying() const {
        return player && fs.fluid_player_get_status(player) == FLUID_PLAYER_PLAYING;
    }
    // The next stretch of the tune, rendered as the stream takes it.
    qint64 render(char* data, qint64 max) {
        if (!tunePlaying()) return 0;
        const int frames = static_cast<int>(std::min<qint64>(max / 4, 4096));
        if (frames <= 0) return 0;
        fs.fluid_synth_write_s16(synth, frames, data, 0, 2, data, 1, 2);
        return qint64{frames} * 4;
    }
    void endTune() {
        if (player) {
            fs.fluid_player_stop(player);
            fs.delete_fluid_player(player);
            player = nullptr;
        }
        if (synth) fs.fluid_synth_system_reset(synth);
    }
    ~Engine() {
        pump.reset();
        endTune();
        if (synth) fs.delete_fluid_synth(synth);
        if (settings) fs.delete_fluid_settings(settings);
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
    if (closed_) return;
    if (engine_) engine_->endTune();
    on_ = on && prepared_ && QFileInfo(filePath()).isFile();
    if (!on_ || noOutput_) return;
    if (!engine_ && !(engine_ = startEngine())) {
        noOutput_ = true;  // tried once: no device, soundfont or FluidSynth; the tune stays unheard
        return;
    }
    Engine& e = *engine_;
    e.player = e.fs.new_fluid_player(e.synth);
    if (!e.player ||
        e.fs.fluid_player_add(e.player, filePath().toLocal8Bit().constData()) != FLUID_OK ||
        e.fs.fluid_player_play(e.player) != FLUID_OK) {
        e.endTune();
        return;
    }
    e.pump->kick();
}

std::unique_ptr<MusicPlayer::Engine> MusicPlayer::startEngine() {
    if (!audioOutputReachable()) return nullptr;
    const AudioBackend* backend = audioBackend();
    const QString soundfont = findSoundfont();
    if (!backend || !backend->hasOutput() || soundfont.isEmpty()) return nullptr;
    // Opened only now, when there is something to hear it with.
    const FluidSynth* fs = fluidSynth();
    if (!fs) return nullptr;
    for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
        fs->fluid_set_log_function(level, quietLog, nullptr);
    auto e = std::make_unique<Engine>(*fs);
    e->settings = fs->new_fluid_settings();
    fs->fluid_settings_setnum(e->settings, "synth.sample-rate", kRate);
    fs->fluid_settings_setnum(e->settings, "synth.gain", 0.5);
    e->synth = fs->new_fluid_synth(e->settings);
    if (!e->synth ||
        fs->fluid_synth_sfload(e->synth, soundfont.toLocal8Bit().constData(), 1) == FLUID_FAILED)
        return nullptr;
    const PcmFormat format{kRate, 2, false};
    Engine* engine = e.get();
    e->pump.reset(backend->openPcm(
        format, [engine](char* d, qint64 max) { return engine->render(d, max); }));
    return e;
}

bool MusicPlayer::playing() const {
    if (!on_) return false;
    // Heard: until the tune's end has been rendered. Unheard: it never ends.
    return !engine_ || engine_->tunePlaying();
}

void MusicPlayer::close() {
    // Closed first: the event loop may run while the stream closes, and nothing may start the
    // tune again meanwhile.
    closed_ = true;
    on_ = false;
    auto engine = std::move(engine_);
    engine.reset();
}

void MusicPlayer::deleteFile() const {
    QFile::remove(filePath());
}

}  // namespace orvala::sound
