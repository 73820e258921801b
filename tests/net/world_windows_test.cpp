// The world in the window against a real service on loopback: a club member's 25th game played
// for the global rating (the provisional loss at the start, the real result, the account's cycle
// record and its reward at the end), the world top ten showing it, the cycle entry of a player
// without an account, and a service that is down.

#include <gtest/gtest.h>

#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/online/account_startup.h"
#include "app/online/online_feature.h"
#include "app/online/world_panel.h"
#include "core/lang/word_table.h"
#include "core/online/account_rating.h"
#include "core/online/numbers.h"
#include "core/records/game_log_file.h"
#include "core/text/atomic_file.h"
#include "core/records/club_update.h"
#include "core/records/history_file.h"
#include "core/records/member_password.h"
#include "core/settings/settings_file.h"
#include "dialogs/confirmation.h"
#include "dialogs/count_dialog.h"
#include "dialogs/end_game_dialog.h"
#include "dialogs/message_window.h"
#include "dialogs/passport_dialog.h"
#include "dialogs/server_read_dialog.h"
#include "dialogs/server_write_dialog.h"
#include "person_player.h"
#include "service_in_qt_test.h"
#include "window_helpers.h"

namespace orvala::app {
namespace {

using namespace orvala::service::testing;

// The window's service is the one in ORVALA_SERVICE while the test runs.
struct ServiceAt : testing_qt::ServiceAt {
    using testing_qt::ServiceAt::ServiceAt;
    // The window has read the configuration page, which names the service's loopback address,
    // and sent what follows it.
    static void configured(TForm1& w) {
        ASSERT_TRUE(runUntil([&] { return w.online().running() == 0; }, 10000));
    }
};

// A service whose configuration page sends the game back to it.
std::unique_ptr<TestService> loopbackService() {
    return std::make_unique<TestService>(service::Engine::Sqlite, service::HttpLimits{},
                                         [](service::ServiceConfig& c) { c.publicUrl.clear(); });
}

// A club member one game before the end of a cycle, as the only member of the local club.
void clubWithVera(const LaunchOptions& o) {
    ClubFile club = newClubFile();
    ClubMember vera{padded("Vera", 20), 1'000'000, 24, 900, scramblePassword("pw"), kNewMemberSlot};
    updateClubFile(club, vera, false);
    ASSERT_TRUE(writeClubFile(clubFilePath(o.programFolder.toStdString(), false), club));
}

// The local club file as it lies on the disk.
QByteArray clubBytes(const LaunchOptions& o) {
    QFile f(QString::fromStdString(clubFilePath(o.programFolder.toStdString(), false)));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Game line `n` (from 1) of the first history file, without its line end; empty when none.
QByteArray historyLine(const LaunchOptions& o, int n) {
    QFile f(QString::fromStdString(historyFilePath(historyFolder(o.programFolder.toStdString()), 1)));
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QList<QByteArray> lines = f.readAll().split('\n');
    return n <= lines.size() && !lines[n - 1].startsWith('$') ? lines[n - 1].trimmed() : QByteArray();
}

// Logs Vera in from the menu; the game starts when the window says so.
void logInVera(TForm1& w) {
    QTest::mouseClick(w.menu().members[0], Qt::LeftButton);
    auto* login = w.findChild<dialogs::TFormPassword*>();
    ASSERT_NE(login, nullptr);
    login->Edit2->setText("pw");
    QTest::mouseClick(login->Button1, Qt::LeftButton);
}

// Plays the game on the table to its end, then leaves it for the menu with the summary seen.
int playToTheEnd(TForm1& w, QStringList* summary = nullptr) {
    Person person(w);
    QTimer hand;
    QObject::connect(&hand, &QTimer::timeout, [&] { person.act(); });
    hand.start(1);
    const bool over =
        runUntil([&] { return w.rules().g.GameState == GameState::GameOver && !w.busy(); }, 280000);
    hand.stop();
    EXPECT_TRUE(over);
    EXPECT_TRUE(runUntil([&] { return w.findChild<dialogs::TFormCount*>() != nullptr; }, 5000));
    if (auto* count = w.findChild<dialogs::TFormCount*>(); count && summary)
        *summary = count->values();
    QTest::mouseClick(w.Button8, Qt::LeftButton);
    return w.rules().g.GameResult;
}

TEST(WorldWindow, AGlobalRatingGameEndsTheAccountsCycleAndTheTopTenShowsIt) {
    auto owned = loopbackService();
    TestService& service = *owned;
    ASSERT_EQ(registerAccount(service, "ann", "secret1"), "ok");
    // 24 games of the cycle played, 300 points in it, a rating of 20.
    service.db().execute(
        "UPDATE accounts SET kon = 40, konl = 24, score = 300, rating = 20, sessions = 1, "
        "best = 100 WHERE nick = 'ann'");
    ServiceAt at(service.port());
    QTemporaryDir dir;
    const LaunchOptions o = fastOptionsIn(dir);
    clubWithVera(o);
    TForm1 w(o);
    auto* web = w.feature<OnlineFeature>();
    ASSERT_NE(web, nullptr);
    ServiceAt::configured(w);
    // A first run counted: one more start and one more installation.
    const auto starts = service.db().queryOne("SELECT stat1, stat2 FROM stats WHERE gid = 55");
    ASSERT_TRUE(starts);
    EXPECT_EQ(starts->integer(0), 1);
    EXPECT_EQ(starts->integer(1), 1);
    EXPECT_TRUE(w.settings().FirstRunReported);
    Settings written;
    ASSERT_TRUE(LoadSettings(o.programFolder.toStdString(), written).complete());
    EXPECT_TRUE(written.FirstRunReported) << "the settings file is written at once";
    QuickComputers quick;
    w.session().setPlayers(&quick.players);
    w.settings().Rules.RuleStartWith500 = true;
    const std::string file = dir.filePath("ZorUser.zor").toStdString();
    ASSERT_TRUE(online::writeAccountFile(file, "ann", "secret1"));
    std::optional<std::optional<online::Account>> login;
    startupLogin(w.online(), file, [&](std::optional<online::Account> a) { login = a; });
    ASSERT_TRUE(runUntil([&] { return login.has_value(); }, 10000));
    ASSERT_TRUE(*login);
    w.account().set(*login, online::AccountState::GlobalRating);
    w.show();
    QTest::keyClick(&w, Qt::Key_Space);

    const QByteArray clubBefore = clubBytes(o);
    logInVera(w);
    // The game starts once the service holds one more game with the provisional loss.
    ASSERT_TRUE(runUntil([&] { return w.screen() == TForm1::Screen::Game; }, 10000));
    online::GameResults before;
    before.Kon = 40;
    before.KonL = 24;
    before.Score = 300;
    before.Rating = 20;
    before.Sessions = 1;
    before.Best = 100;
    auto stored =
        service.db().queryOne("SELECT kon, rating, konl, score FROM accounts WHERE nick = 'ann'");
    EXPECT_EQ(stored->integer(0), 41);
    EXPECT_NEAR(stored->real(1), online::startedGame(before).Rating, 1e-9);
    EXPECT_EQ(stored->integer(2), 0);

    QStringList summary;
    service.clock += 600;  // the service times the game on its own clock
    const int result = playToTheEnd(w, &summary);
    // The account's column: its games with this one, its rating before, no rating yet.
    EXPECT_EQ(summary.value(1), "41");
    EXPECT_EQ(summary.value(5), "20");
    EXPECT_EQ(summary.value(6), "?");
    ASSERT_TRUE(runUntil([&] { return w.findChild<dialogs::TFormEndGame*>() != nullptr; }, 10000));
    EXPECT_EQ(w.account().state(), online::AccountState::LoggedIn);
    // The account's cycle window: the account table's first place, its title and its Zors.
    EXPECT_EQ(w.findChild<dialogs::TFormEndGame*>()->lines(),
              QStringList({"CONGRATULATIONS!!!", "Your result - the best!",
                           QString("Result: %1").arg(300 + result),
                           "You become the Vice-President of the order!", "You get 25 Zors!!!"}));

    const online::GameResults expected =
        online::finishedGame(online::startedGame(before), before, result);
    stored = service.db().queryOne(
        "SELECT kon, rating, konl, score, sessions, best, balance FROM accounts WHERE nick = "
        "'ann'");
    EXPECT_EQ(stored->integer(0), 41);
    EXPECT_NEAR(stored->real(1), expected.Rating, 1e-6);
    EXPECT_EQ(stored->integer(2), 0);
    EXPECT_EQ(stored->integer(3), 0);
    EXPECT_EQ(stored->integer(4), 2);
    EXPECT_EQ(stored->integer(5), std::max<std::int64_t>(100, 300 + result));
    EXPECT_EQ(stored->integer(6), 25) << "the first place of the account table";
    EXPECT_EQ(w.account().account()->R04, 25) << "the balance read back";
    const auto record =
        service.db().queryOne("SELECT score, nick, country, city FROM records WHERE gid = 355");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->integer(0), 300 + result);
    EXPECT_EQ(record->text(2), "Russia");
    ASSERT_TRUE(runUntil([&] { return w.online().running() == 0; }, 10000));  // the game report
    const auto report = service.db().queryOne("SELECT x1, x2 FROM stats WHERE gid = 55");
    ASSERT_TRUE(report);
    EXPECT_EQ(report->integer(0), 1);
    EXPECT_EQ(report->integer(1), 1) << "the account's cycle ended";
    // The history has an account line with the account's new rating, and the club's member and
    // top ten are as they were: the game was the account's, not the club's.
    const QByteArray line = historyLine(o, 1);
    EXPECT_EQ(line.mid(15, 4), "Vera");
    EXPECT_EQ(line.mid(69, 10).trimmed(), QByteArray::number(result));
    EXPECT_EQ(line.mid(79, 10).trimmed().toStdString(), historyRatingText(expected.Rating));
    EXPECT_EQ(line.mid(89, 10), "A#########");
    EXPECT_EQ(clubBytes(o), clubBefore);
    // The game's log is the account's too, and ends at its history line.
    const QDir logs(QDir(o.programFolder).filePath("Logs"));
    const QStringList files = logs.entryList({"*.log"}, QDir::Files);
    ASSERT_EQ(files.size(), 1);
    std::string logBytes;
    ASSERT_TRUE(readFileBytes(logs.filePath(files[0]).toStdString(), logBytes));
    const GameLogRead log = readGameLogText(logBytes);
    ASSERT_TRUE(log.log && log.log->finished) << log.error;
    EXPECT_EQ(log.log->kind, GameLogKind::Account);
    EXPECT_EQ(log.log->finished->time, line.mid(0, 5).trimmed().toStdString());
    EXPECT_EQ(log.log->finished->result, result);

    // A game for the global rating offers no entry to the Windows table.
    w.findChild<dialogs::TFormEndGame*>()->accept();
    QCoreApplication::processEvents();
    EXPECT_EQ(w.findChild<dialogs::TFormServerWrite*>(), nullptr);

    web->ShowWorldTopTen();
    auto* top = w.findChild<dialogs::TFormServerRead*>();
    ASSERT_NE(top, nullptr);
    const QString rating = QString::fromStdString(online::ratingText(expected.Rating));
    ASSERT_TRUE(runUntil([&] { return !top->pageList->texts().isEmpty(); }, 10000));
    ASSERT_EQ(top->pageList->texts().size(), 10);  // the empty places shown as such
    EXPECT_EQ(top->pageList->texts()[0], "1. ann Moscow " + rating);
    EXPECT_EQ(top->pageList->texts()[9], "10.");
    top->tableButtons[2]->click();
    ASSERT_TRUE(runUntil([&] { return !top->nearList->texts().isEmpty(); }, 10000));
    const QString row = QString("1. ann Moscow, Russia %1").arg(300 + result);
    EXPECT_EQ(top->topList->texts().value(0), row);
    EXPECT_EQ(top->nearList->texts(), QStringList{row});
    EXPECT_EQ(top->countLabel->text(), "Number of games: 1");
    top->pageButtons[4]->click();  // the tournament's: nobody has played there yet
    ASSERT_TRUE(runUntil([&] { return top->pageList->texts().value(0) == "1."; }, 10000));
    EXPECT_EQ(top->pageList->texts().size(), 10);
    top->pageButtons[5]->click();  // the local club's top ten
    ASSERT_EQ(top->pageList->texts().size(), 10);
    const ClubRead club = readClubFile(clubFilePath(o.programFolder.toStdString(), false));
    ASSERT_TRUE(club.ok());
    const std::string first = club.file.topTenLine(1);
    EXPECT_EQ(top->pageList->texts().value(0).toStdString(),
              "1. " + trimmedName(first.substr(0, 20)) + " " +
                  QString::fromStdString(first.substr(20, 6)).trimmed().toStdString());

    // The menu's world panel: the account's best player and the balance among its hints.
    ASSERT_TRUE(runUntil([&] { return web->worldPanel().pending() == 0; }, 10000));
    const QStringList hints = web->worldPanel().hints();
    EXPECT_TRUE(hints.contains("The best player of games from under the account: ann"))
        << hints.join('|').toStdString();
    EXPECT_TRUE(hints.contains("Zors: 25")) << hints.join('|').toStdString();
    EXPECT_TRUE(hints.contains("Club members: 1")) << hints.join('|').toStdString();
}

TEST(WorldWindow, ANewInstallationIsCountedOnceAndItsLikeCanBeSent) {
    auto owned = loopbackService();
    TestService& service = *owned;
    ServiceAt at(service.port());
    QTemporaryDir dir;
    const LaunchOptions o = fastOptionsIn(dir);
    clubWithVera(o);
    auto startOnce = [&] {
        TForm1 w(o);
        ServiceAt::configured(w);
        return w.settings();
    };
    const Settings first = startOnce();
    EXPECT_TRUE(first.FirstRunReported);
    EXPECT_FALSE(first.StatisticsSent) << "a new installation's like button is enabled";
    startOnce();
    startOnce();
    const auto starts = service.db().queryOne("SELECT stat1, stat2 FROM stats WHERE gid = 55");
    ASSERT_TRUE(starts);
    EXPECT_EQ(starts->integer(0), 3);
    EXPECT_EQ(starts->integer(1), 1) << "three starts of one installation count it once";
}

// The service goes away during a game for the global rating: its end asks to repeat, and "No"
// keeps the account's line in the history with the provisional loss the service still holds;
// the club is not touched.
TEST(WorldWindow, AGlobalRatingGameWhoseServiceWentAwayAsksToRepeatAndGoesOn) {
    auto service = loopbackService();
    ASSERT_EQ(registerAccount(*service, "ann", "secret1"), "ok");
    ServiceAt at(service->port());
    QTemporaryDir dir;
    const LaunchOptions o = fastOptionsIn(dir);
    clubWithVera(o);
    TForm1 w(o);
    ServiceAt::configured(w);
    QuickComputers quick;
    w.session().setPlayers(&quick.players);
    w.settings().Rules.RuleStartWith500 = true;
    online::Account ann;
    ann.Nick = "ann";
    ann.Pw = "secret1";
    w.account().set(ann, online::AccountState::GlobalRating);
    w.show();
    QTest::keyClick(&w, Qt::Key_Space);
    const QByteArray clubBefore = clubBytes(o);
    logInVera(w);
    ASSERT_TRUE(runUntil([&] { return w.screen() == TForm1::Screen::Game; }, 10000));
    service.reset();

    playToTheEnd(w);
    const auto question = [&] { return w.findChild<dialogs::Confirmation*>("confirmation"); };
    ASSERT_TRUE(runUntil([&] { return question() != nullptr; }, 10000));
    const auto* label = question()->findChild<QLabel*>();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "Could not connect to server!\nRepeat?");
    QTest::mouseClick(question()->yesButton, Qt::LeftButton);  // still down: asked again
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(runUntil([&] { return question() != nullptr; }, 10000));
    QTest::mouseClick(question()->noButton, Qt::LeftButton);
    ASSERT_TRUE(runUntil([&] { return !historyLine(o, 1).isEmpty(); }, 10000));
    EXPECT_EQ(w.account().state(), online::AccountState::LoggedIn);
    const QByteArray line = historyLine(o, 1);
    EXPECT_EQ(line.mid(89, 10), "A#########");
    EXPECT_EQ(line.mid(79, 10).trimmed(), "-1999,96") << "no games before: the provisional loss";
    EXPECT_EQ(w.findChild<dialogs::TFormEndGame*>(), nullptr) << "no cycle was closed";
    EXPECT_EQ(clubBytes(o), clubBefore);
}

TEST(WorldWindow, ACycleWithoutAnAccountGoesToTheWindowsTableByThePassport) {
    auto owned = loopbackService();
    TestService& service = *owned;
    ServiceAt at(service.port());
    QTemporaryDir dir;
    const LaunchOptions o = fastOptionsIn(dir);
    clubWithVera(o);
    TForm1 w(o);
    ServiceAt::configured(w);
    QuickComputers quick;
    w.session().setPlayers(&quick.players);
    w.settings().Rules.RuleStartWith500 = true;
    w.settings().OnlineNick = "Vera";
    w.settings().OnlineCity = "Tver";
    w.settings().OnlineLocation = "1-016";
    w.settings().OnlineGender = "W";
    w.show();
    QTest::keyClick(&w, Qt::Key_Space);
    logInVera(w);
    ASSERT_EQ(w.screen(), TForm1::Screen::Game);
    const int result = playToTheEnd(w);
    ASSERT_TRUE(runUntil([&] { return w.findChild<dialogs::TFormEndGame*>() != nullptr; }, 10000));
    w.findChild<dialogs::TFormEndGame*>()->accept();
    ASSERT_TRUE(
        runUntil([&] { return w.findChild<dialogs::TFormServerWrite*>() != nullptr; }, 5000));
    auto* entry = w.findChild<dialogs::TFormServerWrite*>();
    const QString score = QString::number(900 + result);
    EXPECT_EQ(entry->values(), (QStringList{"Vera", "Germany", "Tver", score, ""}));
    // "Passport" opens the passport window, whose changes the entry shows at once.
    entry->ButtonPassport->click();
    auto* passport = w.findChild<dialogs::TFormServerInfo*>();
    ASSERT_NE(passport, nullptr);
    dialogs::Passport changed{"Vika", "Tver", "1-016", "W"};
    emit passport->changed(changed);
    EXPECT_EQ(entry->values()[0], "Vika");
    passport->close();
    entry->ButtonSend->click();
    ASSERT_TRUE(runUntil([&] { return !entry->values()[4].isEmpty(); }, 10000));
    EXPECT_EQ(entry->values()[4], "1");
    EXPECT_FALSE(entry->ButtonSend->isEnabled());
    const auto row = service.db().queryOne(
        "SELECT score, nick, country, city, r07, r09, r10 FROM records WHERE gid = 55");
    ASSERT_TRUE(row);
    EXPECT_EQ(row->integer(0), 900 + result);
    EXPECT_EQ(row->text(1), "Vika");
    EXPECT_EQ(row->text(2), "1-016");
    EXPECT_EQ(row->text(4), "W");
    EXPECT_EQ(row->text(5), "#");
}

TEST(WorldWindow, AServiceThatIsDownSaysNoConnectAndTheGameGoesOn) {
    unsigned short port;
    {
        TestService gone(service::Engine::Sqlite);
        port = gone.port();
    }
    ServiceAt at(port);
    QTemporaryDir dir;
    const LaunchOptions o = fastOptionsIn(dir);
    clubWithVera(o);
    TForm1 w(o);
    auto* web = w.feature<OnlineFeature>();
    ASSERT_NE(web, nullptr);
    online::Account ann;
    ann.Nick = "ann";
    ann.Pw = "secret1";
    w.account().set(ann, online::AccountState::GlobalRating);
    w.show();
    QTest::keyClick(&w, Qt::Key_Space);

    // Three tries, then the message, and the account is logged out.
    logInVera(w);
    ASSERT_TRUE(runUntil([&] { return w.findChild<dialogs::MessageWindow*>() != nullptr; }, 20000));
    EXPECT_EQ(w.findChild<dialogs::MessageWindow*>()->lines(),
              QStringList{"Could not connect to server!"});
    EXPECT_EQ(w.screen(), TForm1::Screen::Menu);
    EXPECT_EQ(w.account().state(), online::AccountState::LoggedOut);
    w.findChild<dialogs::MessageWindow*>()->accept();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // Without the account the game starts at once.
    logInVera(w);
    EXPECT_EQ(w.screen(), TForm1::Screen::Game);

    web->ShowWorldTopTen();
    auto* top = w.findChild<dialogs::TFormServerRead*>();
    ASSERT_NE(top, nullptr);
    ASSERT_TRUE(runUntil([&] { return w.online().running() == 0; }, 10000));
    EXPECT_EQ(top->topList->texts(), QStringList{"No Connect"});
    EXPECT_EQ(top->nearList->texts(), QStringList{"No Connect"});
    EXPECT_EQ(top->pageList->texts(), QStringList{"No Connect"});
    EXPECT_EQ(top->countLabel->text(), "Number of games: No Connect");
    top->pageButtons[6]->click();  // the network club reads from its file all the same
    EXPECT_EQ(top->pageList->texts().size(), 10);
    EXPECT_EQ(web->worldPanel().hints().value(0), "Dynamic IQ for Windows (percent): NO CONNECT");
}

// A hint longer than the panel is never cut at its ends: in Spanish, with the service away, every
// hint fits the panel's width, on one line or broken into two that fit its height.
TEST(WorldWindow, EveryHintFitsThePanelInEveryLanguage) {
    unsigned short port;
    {
        TestService gone(service::Engine::Sqlite);
        port = gone.port();
    }
    QWidget window;
    window.resize(760, 500);
    WorldPanel panel(&window);
    panel.setGeometry(QRect(180, 198, 400, 24));
    net::OnlineClient client(online::addressesAt("http://127.0.0.1:" + std::to_string(port)));
    online::Account ann;
    ann.Nick = "ann";
    panel.refresh(client, ann);
    ASSERT_TRUE(runUntil([&] { return panel.pending() == 0; }, 20000));
    ASSERT_GE(panel.hints().size(), 5);
    const int full = 24 * 3 / 5;
    bool fitted = false;  // some hint is too long for the panel at its full size
    for (int language : {0, 4, 1}) {
        setCurrentLanguage(language);
        panel.applyLanguage();
        for (int i = 0; i < panel.hints().size(); ++i, panel.next()) {
            QLabel* l = panel.label();
            const QRect box = l->contentsRect();
            const QFontMetrics m(l->font());
            const QRect drawn = m.boundingRect(
                box, Qt::AlignCenter | (l->wordWrap() ? Qt::TextWordWrap : 0), l->text());
            EXPECT_LE(drawn.width(), box.width()) << l->text().toStdString();
            EXPECT_LE(drawn.height(), box.height()) << l->text().toStdString();
            EXPECT_GE(l->font().pixelSize(), 7) << l->text().toStdString();
            fitted |= l->font().pixelSize() < full || l->wordWrap();
        }
    }
    EXPECT_TRUE(fitted);
    setCurrentLanguage(0);
}

}  // namespace
}  // namespace orvala::app
