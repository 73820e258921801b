// The club files at the window's start (written on the first run, a damaged one told and the
// settings held back, a write-protected one told and never written) and a member's change of
// name and password.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QFile>
#include <QHelpEvent>
#include <QToolTip>
#include <QTemporaryDir>
#include <QTest>

#include "app/club_records.h"
#include "app/records/records_feature.h"
#include "app/short_date.h"
#include "core/lang/word_table.h"
#include "core/records/club_update.h"
#include "core/records/member_login.h"
#include "core/records/member_password.h"
#include "core/text/atomic_file.h"
#include "dialogs/count_dialog.h"
#include "dialogs/message_window.h"
#include "dialogs/server_read_dialog.h"
#include "dialogs/top_ten_dialog.h"
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
    EXPECT_TRUE(w.club().usable());
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
        EXPECT_FALSE(w.club().usable());
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
    EXPECT_TRUE(w.club().usable());
    ::chmod(local.c_str(), 0644);
    setCurrentLanguage(0);
}

TEST(ClubWindow, ToChangeANameRewritesTheMembersLineAndKeepsItsNumbers) {
    QTemporaryDir dir;
    const LaunchOptions o = fastOptionsIn(dir);
    const std::string path = clubFilePath(o.programFolder.toStdString(), false);
    ClubFile club = newClubFile();
    for (const char* name : {"Anna", "Vera"}) {
        ClubMember m{padded(name, 20),
                     name[0] == 'V' ? 3'000'000 : 1'000'000,
                     24,
                     900,
                     scramblePassword("pw"),
                     kNewMemberSlot};
        updateClubFile(club, m, false);
    }
    ASSERT_TRUE(writeClubFile(path, club));
    TForm1 w(o);
    w.show();
    QTest::keyClick(&w, Qt::Key_Space);
    QTest::mouseClick(w.menu().members[0], Qt::LeftButton);  // Vera, the better rating
    auto* login = w.findChild<dialogs::TFormPassword*>();
    ASSERT_NE(login, nullptr);
    login->Edit2->setText("pw");
    QTest::mouseClick(login->Button1, Qt::LeftButton);
    ASSERT_EQ(w.screen(), TForm1::Screen::Game);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the login is gone
    // "General score" before the first deal is scored: the member's numbers as they stand.
    w.feature<RecordsFeature>()->showScoreSummary(true);
    auto* count = w.findChild<dialogs::TFormCount*>();
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count->windowTitle(), "Player:  Vera");
    EXPECT_EQ(count->values(), QStringList({"25", "25", "900", "0", "900", "3,00", "2,88"}));
    count->close();

    w.feature<RecordsFeature>()->changeNameCommand();
    auto* rename = w.findChild<dialogs::TFormPassword*>();
    ASSERT_NE(rename, nullptr);
    ASSERT_NE(rename->Edit3, nullptr);
    rename->Edit1->setText("Viktoria");
    rename->Edit2->setText("new");
    rename->Edit3->setText("new");
    QTest::mouseClick(rename->Button1, Qt::LeftButton);
    EXPECT_EQ(messagesOf(w),
              QStringList{"Your name and/or the password were successfully changed!\n\rNew "
                          "name: Viktoria"});
    const ClubRead after = readClubFile(path);
    ASSERT_TRUE(after.ok());
    const auto m = parseMemberLine(after.file.memberLine(1), 1);
    ASSERT_TRUE(m);
    EXPECT_EQ(trimmedName(m->name), "Viktoria");
    EXPECT_EQ(unscramblePassword(m->password), "new  ");
    EXPECT_EQ(m->games, 24);
    EXPECT_EQ(m->cycleScore, 900);
    EXPECT_EQ(trimmedName(after.file.memberLine(2).substr(0, 20)), "Anna");
    EXPECT_FALSE(findMember(after.file, "Vera"));
    EXPECT_EQ(w.settings().PlayerName, "Viktoria");
}

// A game another feature runs (the tournament's) is the account's: the member of the last game
// is forgotten, and "General score" is not offered for it.
TEST(ClubWindow, AGameAnotherFeatureRunsIsNoMembersGame) {
    QTemporaryDir dir;
    const LaunchOptions o = fastOptionsIn(dir);
    ClubFile club = newClubFile();
    ClubMember vera{padded("Vera", 20), 1'000'000, 24, 900, scramblePassword("pw"), kNewMemberSlot};
    updateClubFile(club, vera, false);
    ASSERT_TRUE(writeClubFile(clubFilePath(o.programFolder.toStdString(), false), club));
    TForm1 w(o);
    auto* records = w.feature<RecordsFeature>();
    ASSERT_NE(records, nullptr);
    const auto generalScore = [&] {
        ContextMenu items;
        records->contextMenu(items);
        const ContextMenu::Item* item = items.find(WordRow::GeneralScore);
        return item && item->enabled;
    };
    w.show();
    QTest::keyClick(&w, Qt::Key_Space);
    EXPECT_FALSE(generalScore()) << "the menu has no game";
    QTest::mouseClick(w.menu().members[0], Qt::LeftButton);
    auto* login = w.findChild<dialogs::TFormPassword*>();
    ASSERT_NE(login, nullptr);
    login->Edit2->setText("pw");
    QTest::mouseClick(login->Button1, Qt::LeftButton);
    ASSERT_EQ(w.screen(), TForm1::Screen::Game);
    EXPECT_EQ(w.gameOwner(), records);
    ASSERT_TRUE(records->member());
    EXPECT_EQ(records->member()->games, 24);
    EXPECT_TRUE(generalScore());
    // Pointing at the deal panel shows the member's counters in a balloon, this game counted.
    const table::IRect d = w.parts().view.layout().dealInfo;
    // What a balloon shows after the pointer rests there; "-" was shown before.
    const auto hintAt = [&](QPoint at) {
        QToolTip::showText(w.mapToGlobal(QPoint(1, 1)), "-", &w);
        QHelpEvent help(QEvent::ToolTip, at, w.mapToGlobal(at));
        QApplication::sendEvent(&w, &help);
        return QToolTip::text();
    };
    const QPoint dealPanel(d.left + d.width / 2, d.top + d.height / 2);
    EXPECT_EQ(hintAt(dealPanel), "Current game\nGeneral number of game: 25\n"
                                 "Number of round in a current cycle: 25");

    w.leaveGame(false);
    ASSERT_EQ(w.screen(), TForm1::Screen::Menu);
    Feature other;
    PlayerStart player;
    player.name = "ann";
    w.startGame(player, &other);
    ASSERT_EQ(w.screen(), TForm1::Screen::Game);
    EXPECT_FALSE(records->member());
    EXPECT_FALSE(generalScore());
    EXPECT_EQ(hintAt(dealPanel), "-") << "no member's counters for another feature's game";
    w.leaveGame(false);
}

// A history line's date fits its ten columns whole under any locale: the short date when it is
// digits and marks, else day, month and four-digit year.
TEST(ClubWindow, TheHistoryDateIsNeverCut) {
    const QDate day(2026, 12, 10);
    EXPECT_EQ(shortDate(day, QLocale::c()), "10.12.2026");  // the C locale says "10 Dec 2026"
    EXPECT_EQ(shortDate(day, QLocale(QLocale::German, QLocale::Germany)), "10.12.26");
    EXPECT_EQ(shortDate(day, QLocale(QLocale::English, QLocale::UnitedStates)), "12/10/26");
    const QLocale before;
    QLocale::setDefault(QLocale::c());
    const HistoryStamp stamp = localHistoryStamp();
    QLocale::setDefault(before);
    EXPECT_EQ(stamp.date, shortDate(QDate::currentDate(), QLocale::c()).toStdString());
    EXPECT_EQ(stamp.date.size(), 10u);
}

// "Top Ten" on the menu: the club's own top ten in the grey designs, the world's in the purple.
TEST(ClubWindow, TopTenIsTheWorldsInThePurpleDesign) {
    QTemporaryDir dir;
    TForm1 w(fastOptionsIn(dir));
    w.show();
    QTest::keyClick(&w, Qt::Key_Space);
    ASSERT_EQ(w.screen(), TForm1::Screen::Menu);
    w.settings().AuxDesignPurple = true;
    QTest::mouseClick(w.menu().Button9, Qt::LeftButton);
    EXPECT_NE(w.findChild<dialogs::TFormServerRead*>(), nullptr);
    EXPECT_EQ(w.findChild<dialogs::TFormTopTen*>(), nullptr);
    delete w.findChild<dialogs::TFormServerRead*>();
    w.settings().AuxDesignPurple = false;
    QTest::mouseClick(w.menu().Button9, Qt::LeftButton);
    EXPECT_NE(w.findChild<dialogs::TFormTopTen*>(), nullptr);
    EXPECT_EQ(w.findChild<dialogs::TFormServerRead*>(), nullptr);
}

}  // namespace
}  // namespace orvala::app
