// The window's settings file under the offscreen platform: what closing the window writes, and
// what it leaves alone.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "app/tform1.h"
#include "app/window_parts.h"
#include "core/online/operations.h"
#include "core/records/club_member.h"
#include "dialogs/chat_dialog.h"
#include "dialogs/count_dialog.h"
#include "dialogs/options_dialog.h"
#include "dialogs/password_dialog.h"
#include "dialogs/radio_dialog.h"
#include "core/settings/settings_file.h"
#include "core/text/atomic_file.h"
#include "dialogs/message_window.h"

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

// Runs `action` and answers the message window that it shows; gives the message, empty when
// none came.
QString messageShownBy(const std::function<void()>& action) {
    QString message;
    action();
    QCoreApplication::processEvents();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<dialogs::MessageWindow*>(w); box && box->isVisible()) {
            message = box->lines().join("\n");
            QTest::mouseClick(box->Button1, Qt::LeftButton);
        }
    return message;
}

// A failed save is told, and the window closes all the same.
TEST(WindowSettings, AFailedSaveSaysSo) {
    QTemporaryDir dir;
    TForm1 w(optionsIn(dir, false));
    w.show();
    // A folder where the file should be: no writer can replace it.
    ASSERT_TRUE(QDir(dir.path()).mkdir("Orvala.ini"));
    EXPECT_EQ(messageShownBy([&] { w.close(); }), "Can`t save options!");
    EXPECT_FALSE(w.isVisible());
}

// A FIFO in place of the file neither holds the start nor is replaced; the user is told that the
// options are not saved.
TEST(WindowSettings, AFifoForTheFileIsLeftAndTold) {
    QTemporaryDir dir;
    ASSERT_EQ(::mkfifo(settingsPath(dir).c_str(), 0644), 0);
    TForm1 w(optionsIn(dir, false));
    w.show();
    EXPECT_EQ(w.settings(), Settings{});
    EXPECT_EQ(messageShownBy([&] { w.close(); }), "Can`t save options!");
    EXPECT_TRUE(std::filesystem::is_fifo(settingsPath(dir)));
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
        EXPECT_EQ(messageShownBy([&] { w.close(); }), "Can`t save options!");
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
        EXPECT_EQ(messageShownBy([&] { w.close(); }), "");
    }
    Settings back;
    ASSERT_TRUE(LoadSettings(dir.path().toStdString(), back).complete());
    EXPECT_EQ(back.Speed, 2);
    EXPECT_TRUE(back.SoundOn);
}

}  // namespace
}  // namespace orvala::app
