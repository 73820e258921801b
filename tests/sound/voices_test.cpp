// The voice library as the build makes it, and SpeakCard with it, without it and with a damaged
// one.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/sound/voice_names.h"
#include "core/sound/wave_file.h"
#include "sound/speak_card.h"
#include "table/resource_library.h"

namespace orvala::sound {
namespace {

const QString kBuilt = QString(ORVALA_LIBRARY_DIR) + "/" + kVoiceLibraryFile;

QStringList linesOf(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
}

TEST(Voices, TheLibraryHoldsEveryCardInEveryLanguageAsAWave) {
    const auto library = table::ResourceLibrary::open(kBuilt);
    ASSERT_TRUE(library);
    for (const std::string& name : allVoiceNames()) {
        const QByteArray clip = library->data(QString::fromStdString(name));
        const auto wave = readWave(
            {reinterpret_cast<const std::uint8_t*>(clip.constData()), size_t(clip.size())});
        ASSERT_TRUE(wave) << name;
        // A spoken name, not a moment's noise nor a sentence.
        EXPECT_GT(wave->durationMs(), 200) << name;
        EXPECT_LT(wave->durationMs(), 2500) << name;
    }
}

// A program folder one down in a temporary folder, where the library may lie in either.
struct Folders {
    QTemporaryDir dir;
    QString program = QDir(dir.path()).filePath("Orvala");
    QString log = QDir(dir.path()).filePath("sounds.log");
    Folders() { QDir().mkpath(program); }
    QStringList both() const { return {program, QDir(program).absoluteFilePath("..")}; }
};

TEST(Voices, SpeakCardFindsTheLibraryInEitherFolderAndSpeaksTheLanguage) {
    Folders f;
    SoundPlayer player(std::make_unique<SilentSink>());
    player.setLog(f.log);
    const Card queenOfHearts{kQueen, kHearts};
    EXPECT_FALSE(SpeakCard(player, f.both(), queenOfHearts, 9, false));  // no library yet
    ASSERT_TRUE(QFile::copy(kBuilt, QDir(f.dir.path()).filePath(kVoiceLibraryFile)));
    EXPECT_TRUE(SpeakCard(player, f.both(), queenOfHearts, 9, false));
    EXPECT_TRUE(SpeakCard(player, f.both(), Card{kAce, kSpades}, 2, true));
    EXPECT_FALSE(SpeakCard(player, f.both(), EmptyCard, 2, false));
    EXPECT_EQ(linesOf(f.log), QStringList({"Ch3QVoiceKor async", "Pi5AVoiceDeu sync"}));
}

TEST(Voices, ADamagedLibraryIsSilent) {
    Folders f;
    QFile built(kBuilt);
    ASSERT_TRUE(built.open(QIODevice::ReadOnly));
    QByteArray bytes = built.readAll();
    QFile damaged(QDir(f.program).filePath(kVoiceLibraryFile));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(bytes.left(bytes.size() / 2));  // cut in the middle of its clips
    damaged.close();
    SoundPlayer player(std::make_unique<SilentSink>());
    player.setLog(f.log);
    EXPECT_FALSE(SpeakCard(player, f.both(), Card{kKing, kClubs}, 0, false));
    // Garbage where the library should be.
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray(5000, 'x'));
    damaged.close();
    EXPECT_FALSE(SpeakCard(player, f.both(), Card{kKing, kClubs}, 0, false));
    EXPECT_TRUE(linesOf(f.log).isEmpty());
}

}  // namespace
}  // namespace orvala::sound
