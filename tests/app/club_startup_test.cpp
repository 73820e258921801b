// The club files at the window's start: written on the first run, a damaged one told and the
// settings held back, a write-protected one told and never written.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>

#include "core/lang/word_table.h"
#include "core/records/club_file.h"
#include "core/text/atomic_file.h"
#include "dialogs/message_window.h"
#include "window_helpers.h"

namespace orvala::app {
namespace {

QStringList messagesOf(TForm1& w) {
    QStringList out;
    for (auto* m : w.findChildren<dialogs::MessageWindow*>()) out << m->lines();
    return out;
}

TEST(ClubStartup, TheFirstRunWritesBothClubFiles) {
    QTemporaryDir dir;
    const LaunchOptions o = fastOptionsIn(dir);
    TForm1 w(o);
    for (bool network : {false, true})
        EXPECT_TRUE(readClubFile(clubFilePath(o.programFolder.toStdString(), network)).ok());
    EXPECT_TRUE(w.records().usable());
    EXPECT_TRUE(messagesOf(w).isEmpty());
}

TEST(ClubStartup, ADamagedFileIsToldAndHoldsTheSettingsBack) {
    QTemporaryDir dir;
    const LaunchOptions o = fastOptionsIn(dir);
    const std::string net = clubFilePath(o.programFolder.toStdString(), true);
    std::string bytes = formatClubFile(newClubFile());
    bytes[200] = bytes[200] == 'x' ? 'y' : 'x';  // a top-ten name changed by hand
    ASSERT_TRUE(writeFileAtomically(net, bytes));
    {
        TForm1 w(o);
        EXPECT_EQ(messagesOf(w),
                  QStringList{"The incorrect file \"" + QString::fromStdString(net) + "\"!"});
        EXPECT_FALSE(w.records().usable());
        w.close();
    }
    EXPECT_FALSE(QFile::exists(o.programFolder + "/Orvala.ini"));
    std::string after;
    ASSERT_TRUE(readFileBytes(net, after));
    EXPECT_EQ(after, bytes);  // never replaced by the first run's club
}

TEST(ClubStartup, AWriteProtectedFileIsToldAndKeptAsItIs) {
    QTemporaryDir dir;
    const LaunchOptions o = fastOptionsIn(dir);
    const std::string local = clubFilePath(o.programFolder.toStdString(), false);
    ClubFile russian = newClubFile();
    russian.lines[16][0] = '1';
    ASSERT_TRUE(writeClubFile(local, russian));
    ::chmod(local.c_str(), 0444);
    TForm1 w(o);
    const QStringList told = messagesOf(w);
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].contains(QString::fromStdString(local)));
    EXPECT_EQ(w.settings().LanguageIndex, 1);  // line 17 asks for Russian
    EXPECT_TRUE(w.records().usable());
    ::chmod(local.c_str(), 0644);
    setCurrentLanguage(0);
}

}  // namespace
}  // namespace orvala::app
