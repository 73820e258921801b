// The window's settings file under the offscreen platform: what closing the window writes, and
// what it leaves alone.

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "app/tform1.h"
#include "core/settings/settings_file.h"
#include "core/text/atomic_file.h"

namespace orvala::app {
namespace {

std::string settingsPath(const QTemporaryDir& dir) {
    return QDir(dir.path()).filePath("Orvala.ini").toStdString();
}

LaunchOptions optionsIn(const QTemporaryDir& dir, bool demo) {
    LaunchOptions o;
    o.programFolder = dir.path();
    o.demo = demo;
    o.seed = 5;
    return o;
}

// A file it could not read may hold settings it never saw: closing leaves it as it is.
TEST(WindowSettings, AFileItCouldNotReadIsLeftAsItIs) {
    QTemporaryDir dir;
    const std::string damaged =
        std::string(kSettingsLineMax + 1, '#') + "\r\n" + formatSettingsFile(Settings{});
    ASSERT_TRUE(writeFileAtomically(settingsPath(dir), damaged));
    {
        TForm1 w(optionsIn(dir, false));
        w.show();
        w.settings().Speed = 2;
        w.close();
    }
    std::string bytes;
    ASSERT_TRUE(readFileBytes(settingsPath(dir), bytes, 4u << 20));
    EXPECT_TRUE(bytes == damaged);
}

// The demo's fast and silent play is its own: closing it keeps the user's speed and sound.
TEST(WindowSettings, TheDemoDoesNotSaveItsOwnChoices) {
    QTemporaryDir dir;
    Settings user;
    user.Speed = 2;
    user.SoundOn = true;
    ASSERT_EQ(SaveSettings(dir.path().toStdString(), user), SettingsSaveResult::Written);
    {
        TForm1 w(optionsIn(dir, true));
        w.show();
        EXPECT_EQ(w.settings().Speed, 6);
        EXPECT_FALSE(w.settings().SoundOn);
        w.close();
    }
    Settings back;
    ASSERT_TRUE(LoadSettings(dir.path().toStdString(), back).complete());
    EXPECT_EQ(back.Speed, 2);
    EXPECT_TRUE(back.SoundOn);
}

}  // namespace
}  // namespace orvala::app
