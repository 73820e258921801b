#pragma once
// What the window's tests share: launch options in a temporary program folder, and running the
// event loop until something holds.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "app/tform1.h"
#include "core/online/operations.h"
#include "core/records/club_member.h"
#include "dialogs/chat_dialog.h"
#include "dialogs/count_dialog.h"
#include "dialogs/options_dialog.h"
#include "dialogs/radio_dialog.h"
#include "app/window_parts.h"
#include "core/ai/computer_players.h"
#include "core/lang/word_table.h"
#include "dialogs/password_dialog.h"

namespace orvala::app {

inline LaunchOptions optionsIn(const QTemporaryDir& dir, bool demo) {
    LaunchOptions o;
    // The program folder one down, so that the folder above it (where libraries are looked
    // for) is the test's own.
    o.programFolder = QDir(dir.path()).filePath("Orvala");
    QDir().mkpath(o.programFolder);
    o.demo = demo;
    o.seed = 42;
    o.musicFolder = dir.path();  // the tune's file stays with the test
    return o;
}

// The same on the fast table: no flights or pauses, the timer every millisecond.
inline LaunchOptions fastOptionsIn(const QTemporaryDir& dir, bool demo = false) {
    LaunchOptions o = optionsIn(dir, demo);
    o.fast = true;
    return o;
}

// The program folder inside a temporary folder that holds the built libraries, as `make run`
// installs them.
struct HomeWithLibraries {
    QTemporaryDir top;
    QString home;
    HomeWithLibraries() {
        home = QDir(top.path()).filePath("Orvala");
        QDir().mkpath(home);
        for (const QString& f : QDir(ORVALA_LIBRARY_DIR).entryList({"*.dll"}, QDir::Files))
            EXPECT_TRUE(
                QFile::copy(QDir(ORVALA_LIBRARY_DIR).filePath(f), QDir(top.path()).filePath(f)));
    }
};

// The fast launch options with the program folder of `libs`.
inline LaunchOptions fastOptionsWith(const HomeWithLibraries& libs) {
    LaunchOptions o;
    o.programFolder = libs.home;
    o.fast = true;
    return o;
}

// The process-wide language goes back to English whatever a test did.
struct EnglishAfterwards {
    ~EnglishAfterwards() { setCurrentLanguage(0); }
};

// Computer players that look at few layouts: the window's tests are about the window, and whole
// games then take seconds.
struct QuickComputers {
    SeededRandom random{11};
    ComputerPlayers players{random, [] {
                                CardChoiceOptions o;
                                o.sampleCounts = {0, 0, 6, 6, 6, 6, 6, 4, 0};
                                return o;
                            }()};
};

// Runs the event loop until `done` holds or the time is up.
inline bool runUntil(const std::function<bool()>& done, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms) return false;
        // Timers wake the loop: nothing here sleeps.
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
    }
    return true;
}

// Answers the open login as a new club member; the game starts for that member.
inline void logInNewPlayer(TForm1& w, const QString& name = "Tester") {
    auto* login = w.findChild<dialogs::TFormPassword*>();
    if (!login) return;
    login->Edit1->setText(name);
    login->Edit2->setText("pw");
    if (login->Edit3) login->Edit3->setText("pw");
    QTest::mouseClick(login->Button1, Qt::LeftButton);
}

// "New Player" of the menu, and the login answered.
inline void clickNewPlayer(TForm1& w) {
    QTest::mouseClick(w.Button6, Qt::LeftButton);
    logInNewPlayer(w);
}

}  // namespace orvala::app
