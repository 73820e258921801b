// The built-in sounds as soundgen made them, and what the player does with them.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>

#include "core/sound/wave_file.h"
#include "sound/sound_player.h"

namespace orvala::sound {
namespace {

std::span<const std::uint8_t> view(const QByteArray& b) {
    return {reinterpret_cast<const std::uint8_t*>(b.constData()), static_cast<size_t>(b.size())};
}

QStringList linesOf(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
}

TEST(Sounds, EveryWaveIsShortLevelAndStartsAndEndsInSilence) {
    int underSixTenths = 0;
    for (int i = 0; i <= static_cast<int>(Wave::STimerB); ++i) {
        const auto name = QString::fromLatin1(waveName(static_cast<Wave>(i)).data());
        const QByteArray bytes = SoundPlayer::builtInWave(name);
        const auto wave = readWave(view(bytes));
        ASSERT_TRUE(wave) << name.toStdString();
        EXPECT_EQ(wave->sampleRate, 22050);
        EXPECT_LE(wave->durationMs(), 1200) << name.toStdString();
        underSixTenths += wave->durationMs() < 600;
        const auto* s = reinterpret_cast<const std::int16_t*>(bytes.constData() + wave->offset);
        const size_t n = wave->size / 2;
        // No click: the first and last samples are near zero; normalised to one peak level.
        EXPECT_LT(std::abs(s[0]), 500) << name.toStdString();
        EXPECT_LT(std::abs(s[n - 1]), 500) << name.toStdString();
        const int peak = std::abs(
            *std::max_element(s, s + n, [](auto a, auto b) { return std::abs(a) < std::abs(b); }));
        EXPECT_NEAR(peak, 29163, 2) << name.toStdString();
    }
    EXPECT_GE(underSixTenths, 18);
    EXPECT_TRUE(SoundPlayer::builtInWave("MidiSong").isEmpty());  // the tune is not a wave
    EXPECT_TRUE(SoundPlayer::builtInTune().startsWith("MThd"));
}

TEST(Sounds, ThePlayerAnswersLengthsAndLogsWhatStarted) {
    QTemporaryDir dir;
    const QString log = dir.filePath("sounds.log");
    SoundPlayer player(std::make_unique<SilentSink>());
    player.setLog(log);
    const auto snap = readWave(view(SoundPlayer::builtInWave("WHodsDo")));
    EXPECT_EQ(player.play(Wave::WHodsDo, true), snap->durationMs());
    EXPECT_GT(player.play(Wave::WTasoKo, false), 0);
    EXPECT_EQ(player.playClip("Broken", QByteArray("RIFF----WAVE"), true), 0);
    EXPECT_EQ(linesOf(log), QStringList({"WHodsDo sync", "WTasoKo async"}));
    // A second run appends.
    SoundPlayer again(std::make_unique<SilentSink>());
    again.setLog(log);
    again.play(Wave::STimerB, false);
    EXPECT_EQ(linesOf(log).size(), 3);
}

}  // namespace
}  // namespace orvala::sound
