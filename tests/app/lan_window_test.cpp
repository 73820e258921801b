// Two windows at one LAN table over loopback: the login form's network fields, the waiting form,
// the game kept in step, the chat line, and a player who leaves.

#include <gtest/gtest.h>

#include <QLabel>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <map>
#include <vector>

#include "app/lan/lan_feature.h"
#include "app/lan_chat_panel.h"
#include "core/game/autopilot.h"
#include "core/lan/net_seats.h"
#include "core/records/game_log_file.h"
#include "core/text/atomic_file.h"
#include "dialogs/contract_dialog.h"
#include "dialogs/message_window.h"
#include "dialogs/radio_group.h"
#include "dialogs/wait_dialog.h"
#include "window_helpers.h"

namespace orvala::app {
namespace {

quint16 freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// One machine: its window, in network mode, with quick computer players.
struct Machine {
    QTemporaryDir dir;
    QuickComputers quick;
    QuickComputers person;  // the person's own: the computer seat thinks on another thread
    AutoPilot pilot{person.players};
    TForm1 w{fastOptionsIn(dir)};

    Machine() {
        w.settings().NetworkMode = true;
        w.session().setPlayers(&quick.players);
        w.show();
        w.leaveTitle();
    }

    LanFeature& lan() { return *w.feature<LanFeature>(); }

    // "New Player", a name and password, the role, address and port, and "Ok".
    dialogs::TFormPassword* logIn(const QString& name, bool host, const QString& address,
                                  quint16 port) {
        QTest::mouseClick(w.Button6, Qt::LeftButton);
        auto* login = w.findChild<dialogs::TFormPassword*>();
        if (!login || !login->Lan) return nullptr;
        login->Edit1->setText(name);
        login->Edit2->setText("pw");
        login->Edit3->setText("pw");
        login->Lan->setHost(host);
        if (!host) login->Lan->EditIP->setText(address);
        login->Lan->EditPort->setText(QString::number(port));
        QTest::mouseClick(login->Button1, Qt::LeftButton);
        return login;
    }

    // The person's move, when the table is still and the rules wait for one.
    void act() {
        if (w.busy() || w.session().thinking()) return;
        if (auto* zakaz = w.findChild<dialogs::TFormZakaz*>(); zakaz && zakaz->isVisible()) {
            QTest::mouseClick(zakaz->Button1, Qt::LeftButton);
            return;
        }
        if (w.rules().pending || !w.rules().g.GameRunning) return;
        // The host opens the next round.
        if (w.rules().g.GameState == GameState::DealScored) {
            if (w.session().accepts(in::PressButton7{})) w.session().input(in::PressButton7{});
            return;
        }
        for (const Input& in : pilot.next(w.rules())) {
            if (!w.session().accepts(in)) break;
            w.session().input(in);
        }
    }

    dialogs::MessageWindow* message() {
        for (auto* m : w.findChildren<dialogs::MessageWindow*>())
            if (m->isVisible()) return m;
        return nullptr;
    }
};

// The three scores in the host's numbering: first joiner, second joiner or "PC", host.
std::array<int, 3> hostOrderScores(const TForm1& w) {
    const lan::LanPeer* peer = w.feature<LanFeature>()->peer();
    std::array<int, 3> out{};
    for (int h = 1; h <= 3; ++h)
        out[h - 1] = w.rules().g.Score[lan::localSeat(peer->session().role, h)];
    return out;
}

// Plays until every machine has scored `deals` deals that all of them saw scored, and checks each
// such deal's scores agree. False when the time ran out or the host's session ended.
bool playDealsInStep(const std::vector<Machine*>& table, std::size_t deals) {
    std::vector<std::map<int, std::array<int, 3>>> seen(table.size());
    auto common = [&] {
        std::size_t n = 0;
        for (const auto& [deal, scores] : seen[0]) {
            bool all = true;
            for (std::size_t i = 1; i < table.size(); ++i) all = all && seen[i].count(deal);
            n += all ? 1 : 0;
        }
        return n;
    };
    const bool played = runUntil(
        [&] {
            // A scored deal is noted before anybody opens the next one.
            for (std::size_t i = 0; i < table.size(); ++i) {
                const GameRecord& g = table[i]->w.rules().g;
                if (g.GameState == GameState::DealScored || g.GameState == GameState::GameOver)
                    seen[i].emplace(g.DealNumber, hostOrderScores(table[i]->w));
            }
            for (Machine* m : table) m->act();
            return common() >= deals || table[0]->lan().peer()->aborted();
        },
        120000);
    if (!played || table[0]->lan().peer()->aborted()) return false;
    for (const auto& [deal, scores] : seen[0])
        for (std::size_t i = 1; i < table.size(); ++i)
            if (seen[i].count(deal)) {
                EXPECT_EQ(scores, seen[i][deal]) << "deal " << deal << ", machine " << i;
            }
    return true;
}

TEST(LanWindow, HostAndJoinerPlayInStepChatAndALostJoinerComesBack) {
    const quint16 port = freePort();
    Machine host;
    auto joiner = std::make_unique<Machine>();

    auto* hostLogin = host.logIn("Anna", true, {}, port);
    ASSERT_NE(hostLogin, nullptr);
    auto* hostWait = host.w.findChild<dialogs::TFormWait*>();
    ASSERT_NE(hostWait, nullptr);
    EXPECT_FALSE(hostWait->Button1->isEnabled());
    EXPECT_EQ(hostWait->Label1->text(), "Expectation of connection of other players...");

    // A port check that opens and closes without a word, and a stranger's garbage, take no
    // seat: the joiner after them is answered.
    {
        QTcpSocket check, stranger;
        check.connectToHost("127.0.0.1", port);
        stranger.connectToHost("127.0.0.1", port);
        ASSERT_TRUE(runUntil(
            [&] {
                return check.state() == QAbstractSocket::ConnectedState &&
                       stranger.state() == QAbstractSocket::ConnectedState;
            },
            20000));
        check.disconnectFromHost();
        stranger.write("GET / HTTP/1.0\r\n\r\n");
        ASSERT_TRUE(
            runUntil([&] { return stranger.state() == QAbstractSocket::UnconnectedState; }, 20000));
    }
    ASSERT_NE(joiner->logIn("Boris", false, "127.0.0.1", port), nullptr);
    // The seat reply closes the joiner's forms and its game waits for the host's deal.
    ASSERT_TRUE(runUntil([&] { return joiner->w.screen() == TForm1::Screen::Game; }, 20000));
    EXPECT_TRUE(joiner->lan().expectation()->isVisible());
    EXPECT_FALSE(joiner->lan().chatPanel()->Edit->isEnabled());
    ASSERT_TRUE(runUntil([&] { return hostWait->Button1->isEnabled(); }, 20000));
    EXPECT_TRUE(hostWait->Lines[0]->isVisibleTo(hostWait));
    EXPECT_FALSE(hostWait->Button2->isEnabled());

    QTest::mouseClick(hostWait->Button1, Qt::LeftButton);
    ASSERT_EQ(host.w.screen(), TForm1::Screen::Game);
    EXPECT_EQ(host.w.rules().g.SeatNames[1].substr(0, 5), "Boris");
    EXPECT_EQ(host.w.rules().g.SeatNames[2].substr(0, 2), "PC");
    ASSERT_TRUE(runUntil([&] { return !joiner->lan().expectation()->isVisible(); }, 20000));

    // A chat line of the host reaches the joiner as the host's (maroon) line.
    QTest::keyClicks(host.lan().chatPanel()->Edit, "hello");
    QTest::keyClick(host.lan().chatPanel()->Edit, Qt::Key_Return);
    ASSERT_TRUE(runUntil([&] { return !joiner->lan().peer()->chatLines().empty(); }, 20000));
    EXPECT_EQ(joiner->lan().peer()->chatLines().back(), (lan::ChatLine{1, "hello"}));

    // Two deals, each scored alike on both machines.
    ASSERT_TRUE(playDealsInStep({&host, joiner.get()}, 2));

    // The joiner's window is closed: the game goes on, the host's computer playing the seat,
    // said in the chat and by the mark on the seat's name.
    joiner.reset();
    ASSERT_TRUE(runUntil([&] { return host.lan().peer()->standIn(1); }, 20000));
    EXPECT_EQ(host.lan().peer()->chatLines().back(),
              (lan::ChatLine{2, "Boris ", lan::ChatLine::Kind::Computer}));
    EXPECT_EQ(host.message(), nullptr);
    ASSERT_TRUE(playDealsInStep({&host}, 3));
    EXPECT_EQ(host.w.screen(), TForm1::Screen::Game);

    // Boris starts the program again and enters the same game under the same name: his table
    // is the host's as it stands, and both play on in step.
    auto back = std::make_unique<Machine>();
    ASSERT_NE(back->logIn("Boris", false, "127.0.0.1", port), nullptr);
    ASSERT_TRUE(runUntil([&] { return back->w.screen() == TForm1::Screen::Game; }, 20000));
    ASSERT_TRUE(back->lan().peer()->resumed());
    EXPECT_FALSE(host.lan().peer()->standIn(1));
    EXPECT_EQ(host.lan().peer()->chatLines().back().kind, lan::ChatLine::Kind::Back);
    EXPECT_EQ(hostOrderScores(back->w), hostOrderScores(host.w));
    EXPECT_GE(back->w.rules().g.DealNumber, 3);
    ASSERT_TRUE(playDealsInStep({&host, back.get()}, 1));
}

TEST(LanWindow, TheLoginFormChecksAddressAndPortAndAJoinerWithoutAHostSeesNoGames) {
    Machine m;
    QTest::mouseClick(m.w.Button6, Qt::LeftButton);
    auto* login = m.w.findChild<dialogs::TFormPassword*>();
    ASSERT_TRUE(login && login->Lan);
    login->Edit1->setText("Vera");
    login->Edit2->setText("pw");
    login->Edit3->setText("pw");
    login->Lan->setHost(false);
    EXPECT_EQ(login->Lan->EditIP->text(), "127.0.0.1");
    // A letter typed into the address puts the remembered address back.
    QTest::keyClicks(login->Lan->EditIP, "x");
    EXPECT_EQ(login->Lan->EditIP->text(), "127.0.0.1");

    for (const char* bad : {"1.2.3.4.5", "1.2.3.4444", "1.2.3."}) {
        login->Lan->EditIP->setText(bad);
        QTest::mouseClick(login->Button1, Qt::LeftButton);
        ASSERT_NE(m.message(), nullptr) << bad;
        EXPECT_EQ(m.message()->lines().front(), "Incorrect IP-address!");
        m.message()->close();
    }
    login->Lan->EditIP->setText("127.0.0.1");
    login->Lan->EditPort->clear();
    QTest::mouseClick(login->Button1, Qt::LeftButton);
    ASSERT_NE(m.message(), nullptr);
    EXPECT_EQ(m.message()->lines().front(), "Incorrect Port!");
    m.message()->close();

    // Nobody listens on this port: the waiting form says so at its next second, and "Cancel"
    // leaves the login form open.
    login->Lan->EditPort->setText(QString::number(freePort()));
    QTest::mouseClick(login->Button1, Qt::LeftButton);
    auto* wait = m.w.findChild<dialogs::TFormWait*>();
    ASSERT_NE(wait, nullptr);
    ASSERT_TRUE(runUntil(
        [&] {
            return m.lan().lanTable()->noGame() && !m.lan().lanTable()->link().connectedToHost();
        },
        20000));
    wait->secondTick();
    EXPECT_EQ(wait->Label1->text(), "There are no accessible games");
    QTest::mouseClick(wait->Button2, Qt::LeftButton);
    EXPECT_TRUE(login->isVisible());
    EXPECT_EQ(m.lan().peer(), nullptr);
    EXPECT_EQ(m.w.settings().ServerAddress, "127.0.0.1");
}

}  // namespace
}  // namespace orvala::app

namespace orvala::app {
namespace {

TEST(LanWindow, ThreeWindowsPlayInStepAndTheJoinersSeeTheHostLeave) {
    const quint16 port = freePort();
    auto host = std::make_unique<Machine>();
    Machine first, second;
    ASSERT_NE(host->logIn("Anna", true, {}, port), nullptr);
    auto* hostWait = host->w.findChild<dialogs::TFormWait*>();
    ASSERT_NE(first.logIn("Boris", false, "127.0.0.1", port), nullptr);
    ASSERT_TRUE(runUntil([&] { return first.w.screen() == TForm1::Screen::Game; }, 20000));
    ASSERT_NE(second.logIn("Clara", false, "127.0.0.1", port), nullptr);
    ASSERT_TRUE(runUntil([&] { return hostWait->Lines[1]->isVisibleTo(hostWait); }, 20000));
    ASSERT_TRUE(runUntil([&] { return second.w.screen() == TForm1::Screen::Game; }, 20000));
    QTest::mouseClick(hostWait->Button1, Qt::LeftButton);
    ASSERT_EQ(host->w.screen(), TForm1::Screen::Game);
    // Every machine sees itself as seat 3 and the others in the table's order.
    EXPECT_EQ(host->w.rules().g.SeatNames[2].substr(0, 5), "Clara");
    ASSERT_TRUE(runUntil([&] { return !second.lan().expectation()->isVisible(); }, 20000));
    EXPECT_EQ(first.w.rules().g.SeatNames[1].substr(0, 5), "Clara");
    EXPECT_EQ(second.w.rules().g.SeatNames[1].substr(0, 4), "Anna");

    // The second joiner's line reaches the first through the host, in the second's colour.
    QTest::keyClicks(second.lan().chatPanel()->Edit, "hi all");
    QTest::keyClick(second.lan().chatPanel()->Edit, Qt::Key_Return);
    ASSERT_TRUE(runUntil([&] { return !first.lan().peer()->chatLines().empty(); }, 20000));
    EXPECT_EQ(first.lan().peer()->chatLines().back(), (lan::ChatLine{3, "hi all"}));

    ASSERT_TRUE(playDealsInStep({host.get(), &first, &second}, 2));

    // Every machine keeps the game's log in the host's numbering: the three agree deal by deal
    // as far as each has come, and the rules replay each.
    std::vector<GameLogFile> logs(3);
    const std::vector<Machine*> table{host.get(), &first, &second};
    const auto readLogs = [&] {
        for (std::size_t i = 0; i < table.size(); ++i) {
            const QDir folder(QDir(table[i]->dir.path()).filePath("Orvala/Logs"));
            const QStringList files = folder.entryList({"*.log"}, QDir::Files);
            std::string bytes;
            if (files.size() != 1 || !readFileBytes(folder.filePath(files[0]).toStdString(), bytes))
                return false;
            const GameLogRead read = readGameLogText(bytes);
            if (!read.log || read.log->game.deals.size() < 2) return false;
            logs[i] = *read.log;
        }
        return true;
    };
    ASSERT_TRUE(runUntil(readLogs, 20000));
    for (const GameLogFile& log : logs) {
        EXPECT_EQ(log.kind, GameLogKind::Net);
        EXPECT_EQ(replayGameLog(log).error, "");
        EXPECT_EQ(log.game.names, logs[0].game.names);
        for (std::size_t d = 0; d < 2; ++d) {
            EXPECT_EQ(log.game.deals[d], logs[0].game.deals[d]) << d;
            EXPECT_EQ(log.scores[d], logs[0].scores[d]) << d;
        }
    }

    host.reset();
    for (Machine* m : {&first, &second}) {
        ASSERT_TRUE(runUntil([&] { return m->message() != nullptr; }, 20000));
        EXPECT_EQ(m->message()->lines().front(), "One of player has interrupted game!");
        QTest::mouseClick(m->message()->Button1, Qt::LeftButton);
        EXPECT_EQ(m->w.screen(), TForm1::Screen::Menu);
    }
}

}  // namespace
}  // namespace orvala::app
