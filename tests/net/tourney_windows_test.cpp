// Three windows at one tournament table: the lobby and the game server of a real service on
// loopback (the server in this process, on its own thread), the seats taken from the lobbies,
// the first deal closing them, a whole game kept in step through the refereeing server, its end
// with the server's results, the history line and the lobby again; a seat whose clock runs out,
// one who leaves after a deal (the loss is hers), the server going away, and a "Log off" while
// the table waits.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QToolButton>
#include <map>
#include <random>
#include <thread>

#include "app/lan_chat_panel.h"
#include "app/tourney/tourney_feature.h"
#include "core/lan/net_seats.h"
#include "core/records/game_end.h"
#include "core/records/game_log_file.h"
#include "core/text/atomic_file.h"
#include "dialogs/confirmation.h"
#include "dialogs/count_dialog.h"
#include "dialogs/message_window.h"
#include "person_player.h"
#include "service_in_qt_test.h"
#include "storage/storage.h"
#include "tourney/table_records.h"
#include "tourney/tournament_server.h"
#include "window_helpers.h"

namespace orvala::app {
namespace {

using namespace orvala::service::testing;
constexpr int kTable = 3;  // from 500, rounding to 5, no bolts, barrel or giving up

// Ten ports in a row that nothing listens on, below the ephemeral range (from 32768), so that
// no connection's own port and no other test's listener taken "on port 0" can land among them
// between this check and the game server's listening; the start is random, so that two tests
// running at once do not try the same rows.
int freeBase() {
    std::random_device seed;
    std::uniform_int_distribution<int> start(0, 1000);
    for (int attempt = 0, row = start(seed); attempt < 200; ++attempt, row = (row + 7) % 1100) {
        const int base = 20000 + row * 11;
        bool free = true;
        for (int t = 1; t <= 10 && free; ++t) {
            QTcpServer s;
            free = s.listen(QHostAddress::LocalHost, static_cast<quint16>(base + t));
        }
        if (free) return base;
    }
    return 0;
}

// The service with its game server: the lobby announces 127.0.0.1 and the tables' ports.
struct Tournament {
    int base = freeBase();
    TestService service{service::Engine::Sqlite, service::HttpLimits{},
                        [this](service::ServiceConfig& c) {
                            c.publicUrl.clear();
                            c.tourServerOn = true;
                            c.tourServerAddress = "127.0.0.1";
                            c.tourBasePort = base;
                        }};
    testing_qt::ServiceAt at{service.port()};
    std::unique_ptr<service::Storage> db =
        service::openStorage(service.config().database, service.config().dataDir, false);
    std::unique_ptr<service::TournamentServer> tables;
    std::thread thread;

    Tournament() {
        for (const char* nick : {"ann", "bob", "cid"})
            EXPECT_EQ(registerAccount(service, nick, "secret1"), "ok");
        service::TournamentOptions o;
        o.basePort = base;
        o.moveMs = 120'000;  // the windows' own clocks run out first
        o.lingerMs = 200;
        o.seed = 7;
        tables = std::make_unique<service::TournamentServer>(
            o, service::tableCallbacks(*db, [](std::string_view) {}));
        std::string error;
        EXPECT_TRUE(tables->listen(error)) << error;
        thread = std::thread([this] { tables->run(); });
    }
    void stopTables() {
        if (!tables) return;
        tables->stop();
        thread.join();
        tables.reset();
    }
    ~Tournament() { stopTables(); }
};

// One player's copy of the program, logged in, on the menu, with the move clock beaten by the
// test.
struct Copy {
    QTemporaryDir dir;
    LaunchOptions options = fastOptionsIn(dir);
    TForm1 w{options};
    Person person{w};
    std::string nick;

    explicit Copy(const std::string& n) : nick(n) {
        EXPECT_TRUE(runUntil([&] { return w.online().running() == 0; }, 10000));
        online::Account a;
        a.Nick = nick;
        a.Pw = "secret1";
        a.City = "Perm";
        w.account().set(a, online::AccountState::LoggedIn);
        w.show();
        w.leaveTitle();
        tour().table()->setWallClock(false);
    }
    TourneyFeature& tour() { return *w.feature<TourneyFeature>(); }
    TourneyLobby* openLobby() {
        tour().TourneyIcon->click();
        TourneyLobby* l = tour().lobby();
        if (!l) return nullptr;
        l->refreshTimer().stop();
        l->watchTimer().stop();
        runUntil([&] { return !l->busy(); }, 10000);
        return l;
    }
    // Takes `seat` once the lobby shows it can be taken.
    bool sit(int seat) {
        TourneyLobby* l = openLobby();
        if (!l) return false;
        auto* button = l->dialog()->seatButton(kTable, seat);
        if (!button->isEnabled()) {
            l->refresh();
            runUntil([&] { return !l->busy(); }, 10000);
        }
        if (!button->isEnabled()) return false;
        button->click();
        // The last seat taken starts the game, which closes and deletes the lobby at once.
        const QPointer<TourneyLobby> watched(l);
        return runUntil(
            [&] { return !watched ? atTable() : watched->link() == TourneyLink::Connected; },
            10000);
    }
    const tourney::TourneyPeer* peer() { return tour().peer(); }
    bool atTable() { return peer() && peer()->state().g.GameRunning; }
    // Tournament seat t's score as this copy shows it.
    int scoreOf(int t) {
        const int local = lan::localSeat(tourney::roleOfSeat(peer()->seat()), t);
        return w.rules().g.Score[static_cast<std::size_t>(local)];
    }
    QStringList message() {
        for (auto* m : w.findChildren<dialogs::MessageWindow*>())
            if (m->isVisible()) return m->lines();
        return {};
    }
};

// Three copies seated at the table, the game under way on all of them.
struct Table {
    Tournament t;
    Copy ann{"ann"}, bob{"bob"}, cid{"cid"};
    std::array<Copy*, 3> copies{&ann, &bob, &cid};

    bool seat() {
        return ann.sit(1) && bob.sit(2) && cid.sit(3) &&
               runUntil([&] { return ann.atTable() && bob.atTable() && cid.atTable(); }, 20000);
    }
    void act() {
        for (Copy* c : copies) c->person.act();
    }
};

// "Log off" while the table waits: the game server hears "disA" on a seat it has taken, the
// service goes on, and the seat can be taken again at once from the lobby and the table.
TEST(TourneyWindows, LoggingOffWhileWaitingLeavesTheServiceUpAndTheSeatFreeAtOnce) {
    Tournament t;
    Copy ann("ann");
    // The test's own connection: the game server's is its thread's alone.
    const auto connected = [&] {
        const auto row = t.service.db().queryOne(
            "SELECT connected FROM seats WHERE tbl = $1 AND seat = 1 AND "
            "nick = 'ann'",
            {std::int64_t{kTable}});
        return row && row->integer(0) == 1;
    };
    for (int round = 1; round <= 2; ++round) {
        ASSERT_TRUE(ann.sit(1)) << "round " << round;
        ASSERT_TRUE(runUntil(connected, 10000)) << "the game server took the seat, round " << round;
        TourneyLobby* l = ann.tour().lobby();
        l->dialog()->seatButton(kTable, 1)->click();
        ASSERT_TRUE(runUntil([&] { return !l->busy() && !l->seated().seated(); }, 10000));
        EXPECT_TRUE(runUntil(
            [&] {
                return !t.service.db().queryOne("SELECT 1 FROM seats WHERE tbl = $1",
                                                {std::int64_t{kTable}});
            },
            10000));
        EXPECT_EQ(
            t.service.post("/tour/info", form({{"serverinforead", "0"}, {"gid", "55"}})).status,
            200);
        ann.tour().lobby()->dialog()->BClose->click();
        runUntil([&] { return ann.tour().lobby() == nullptr; }, 5000);
    }
}

TEST(TourneyWindows, ThreeCopiesPlayAWholeGameInStepAndTheServersResultIsRecorded) {
    Table table;
    // Ann has played six tournament games before this one.
    table.t.db->execute(
        "INSERT INTO tour_players (nick, score, kon, rating, city, country) VALUES "
        "('ann', 120, 6, 20, 'Perm', 'Russia')",
        {});
    ASSERT_TRUE(table.seat());
    // "General score" shows the tournament's column: her games with this one, no cycle, her
    // tournament score and rating, and no rating yet for the game under way.
    {
        TForm1& w = table.ann.w;
        const QPoint corner(4, 4);
        QContextMenuEvent open(QContextMenuEvent::Mouse, corner, w.mapToGlobal(corner));
        QApplication::sendEvent(&w, &open);
        auto* menu = w.findChild<QMenu*>("PopupMenu1");
        ASSERT_NE(menu, nullptr);
        QAction* general = menu->actions().value(0);
        ASSERT_NE(general, nullptr);
        EXPECT_EQ(general->text(), "General score");
        ASSERT_TRUE(general->isEnabled());
        general->trigger();
        menu->close();
        auto* count = w.findChild<dialogs::TFormCount*>();
        ASSERT_NE(count, nullptr);
        const int now = resultSoFar(w.rules().g);
        EXPECT_EQ(count->values(), (QStringList{"7", "-", "120", QString::number(now),
                                                QString::number(120 + now), "20", "?"}));
        EXPECT_EQ(count->windowTitle(), "Player:  ann");
        count->accept();
    }
    // The first deal closed every lobby and put the nicks at the table.
    for (Copy* c : table.copies) {
        EXPECT_TRUE(!c->tour().lobby() || !c->tour().lobby()->dialog());
        EXPECT_EQ(c->w.rules().rules.RuleStartWith500, true);
    }
    EXPECT_EQ(table.ann.w.rules().g.SeatNames[lan::localSeat(lan::NetRole::FirstJoiner, 2)], "bob");
    EXPECT_EQ(table.cid.w.rules().g.SeatNames[lan::localSeat(lan::NetRole::Host, 1)], "ann");

    // Every scored deal shows the same three scores on every copy.
    std::map<int, std::map<std::size_t, std::array<int, 3>>> seen;
    const bool over = runUntil(
        [&] {
            for (std::size_t i = 0; i < 3; ++i) {
                Copy& c = *table.copies[i];
                const GameRecord& g = c.w.rules().g;
                if (g.GameState == GameState::DealScored || g.GameState == GameState::GameOver)
                    seen[g.DealNumber][i] = {c.scoreOf(1), c.scoreOf(2), c.scoreOf(3)};
            }
            table.act();
            bool all = true;
            for (Copy* c : table.copies) all = all && c->w.rules().g.GameOver;
            return all || table.ann.peer()->ending() == tourney::Ending::Aborted;
        },
        240000);
    ASSERT_TRUE(over);
    ASSERT_EQ(table.ann.peer()->ending(), tourney::Ending::GameOver);
    std::size_t common = 0;
    for (auto& [deal, rows] : seen) {
        if (rows.size() < 3) continue;
        ++common;
        EXPECT_EQ(rows[0], rows[1]) << "deal " << deal;
        EXPECT_EQ(rows[0], rows[2]) << "deal " << deal;
    }
    EXPECT_GE(common, 2u);
    const std::array<int, 4> finals{0, table.ann.scoreOf(1), table.ann.scoreOf(2),
                                    table.ann.scoreOf(3)};
    const std::array<int, 4> results = tourney::tableResults(finals);
    const int annsResult = table.ann.w.rules().g.GameResult;

    // Each leaves the finished game: the lobby comes back, and the history has a "T" line.
    for (Copy* c : table.copies) {
        ASSERT_TRUE(runUntil([&] { return !c->w.busy() && c->w.Button8->isEnabled(); }, 20000));
        QTest::mouseClick(c->w.Button8, Qt::LeftButton);
    }
    for (Copy* c : table.copies)
        ASSERT_TRUE(
            runUntil([&] { return c->tour().lobby() && !c->tour().lobby()->busy(); }, 20000))
            << c->nick;
    const auto ann =
        table.t.db->queryOne("SELECT score, kon FROM tour_players WHERE nick = 'ann'", {});
    ASSERT_TRUE(ann);
    EXPECT_EQ(ann->integer(0), 120 + results[1]);
    EXPECT_EQ(ann->integer(1), 7);
    const QDir history(QDir(table.ann.options.programFolder).filePath("History"));
    QFile file(history.filePath("Orvala_I0001.hst"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray line = file.readLine();
    EXPECT_TRUE(line.contains("ann")) << line.constData();
    EXPECT_TRUE(line.contains("T#########")) << line.constData();
    EXPECT_TRUE(line.contains(" " + QByteArray::number(annsResult) + " ")) << line.constData();
    EXPECT_EQ(line.mid(66, 3), "  1") << "one game, not the tournament's total";
    // Each copy kept the game's log in the seats' numbering: the same deals, which the rules
    // replay to the server's results.
    std::vector<GameLogFile> logs;
    for (Copy* c : table.copies) {
        const QDir folder(QDir(c->options.programFolder).filePath("Logs"));
        const QStringList files = folder.entryList({"*.log"}, QDir::Files);
        ASSERT_EQ(files.size(), 1) << c->nick;
        std::string bytes;
        ASSERT_TRUE(readFileBytes(folder.filePath(files[0]).toStdString(), bytes));
        const GameLogRead read = readGameLogText(bytes);
        ASSERT_TRUE(read.log) << read.error;
        EXPECT_EQ(read.log->kind, GameLogKind::Tourney);
        if (c == &table.ann) {
            // Its end is the history line's, written once the service answered.
            ASSERT_TRUE(read.log->finished);
            EXPECT_EQ(read.log->finished->time, line.mid(0, 5).trimmed().toStdString());
            EXPECT_EQ(read.log->finished->date, line.mid(5, 10).trimmed().toStdString());
        }
        const GameLogReplay replayed = replayGameLog(*read.log);
        ASSERT_EQ(replayed.error, "") << c->nick;
        const GameRecord& last = replayed.states.back().back().g;
        EXPECT_EQ(last.GameState, GameState::GameOver);
        for (int seat = 1; seat <= 3; ++seat) EXPECT_EQ(last.Score[seat], finals[seat]) << seat;
        logs.push_back(*read.log);
    }
    EXPECT_EQ(logs[1].game.deals, logs[0].game.deals);
    EXPECT_EQ(logs[2].game.deals, logs[0].game.deals);
    // The table is free again.
    EXPECT_FALSE(table.t.db->queryOne("SELECT 1 FROM seats WHERE tbl = 3", {}));
}

TEST(TourneyWindows, ASeatWhoseClockRunsOutLosesAndTheOthersAreToldTheyWon) {
    Table table;
    ASSERT_TRUE(table.seat());
    // Nobody moves: the seat to act has its clock running on its own copy only.
    Copy* late = nullptr;
    ASSERT_TRUE(runUntil(
        [&] {
            for (Copy* c : table.copies)
                if (!c->w.busy() && c->tour().table()->clock().seat() == 3) late = c;
            return late != nullptr;
        },
        10000));
    for (Copy* c : table.copies) {
        if (c == late) continue;
        EXPECT_NE(c->tour().table()->clock().seat(), 3);
    }
    for (int i = 0; i < 18; ++i) late->tour().table()->beat();
    EXPECT_EQ(late->tour().table()->clock().seconds(), 8);
    for (int i = 0; i < 8; ++i) late->tour().table()->beat();

    EXPECT_EQ(late->message(), (QStringList{"Your time is up!", "You lose!"}));
    EXPECT_FALSE(late->w.Button7->isEnabled());
    EXPECT_EQ(late->w.Button8->text(), "Exit to menu");
    EXPECT_TRUE(late->w.Button8->isEnabled());
    const QStringList told{"Player " + QString::fromStdString(late->nick) + " time is up!",
                           "You won!"};
    for (Copy* c : table.copies) {
        if (c == late) continue;
        ASSERT_TRUE(runUntil([&] { return !c->message().isEmpty(); }, 10000)) << c->nick;
        EXPECT_EQ(c->message(), told) << c->nick;
        // The game cut short is left as a finished one: the lobby again, and the history has
        // what the server counted, a first deal's forfeit too.
        ASSERT_TRUE(runUntil([&] { return c->w.Button8->isEnabled(); }, 10000));
        QTest::mouseClick(c->w.Button8, Qt::LeftButton);
        EXPECT_EQ(c->tour().peer(), nullptr);
        ASSERT_TRUE(runUntil([&] { return c->tour().lobby() != nullptr; }, 10000));
        EXPECT_TRUE(runUntil(
            [&] {
                return QFile::exists(
                    QDir(c->options.programFolder).filePath("History/Orvala_I0001.hst"));
            },
            10000));
    }
    // Running out of time in the first deal is not free: the late seat has the lowest result,
    // and the table is free again.
    const auto score = [&](const std::string& nick) {
        const auto row =
            table.t.db->queryOne("SELECT score FROM tour_players WHERE nick = '" + nick + "'", {});
        return row ? row->integer(0) : 0;
    };
    for (Copy* c : table.copies) {
        if (c == late) continue;
        EXPECT_LT(score(late->nick), score(c->nick)) << c->nick;
    }
    EXPECT_TRUE(runUntil(
        [&] { return !table.t.db->queryOne("SELECT 1 FROM seats WHERE tbl = 3", {}); }, 10000));
}

TEST(TourneyWindows, TheChatReachesTheOthersAndAPlayerWhoLeavesAfterADealTakesTheLoss) {
    Table table;
    ASSERT_TRUE(table.seat());
    // The first deal is played and scored on every copy.
    ASSERT_TRUE(runUntil(
        [&] {
            bool all = true;
            for (Copy* c : table.copies)
                if (c->w.rules().g.GameState != GameState::DealScored) {
                    c->person.act();
                    all = false;
                }
            return all;
        },
        60000));
    const std::array<int, 4> scores{0, table.ann.scoreOf(1), table.ann.scoreOf(2),
                                    table.ann.scoreOf(3)};
    auto* edit = table.bob.tour().chatPanel()->Edit;
    ASSERT_TRUE(runUntil([&] { return edit->isEnabled(); }, 10000));
    edit->setText("hi all");
    QTest::keyClick(edit, Qt::Key_Return);
    for (Copy* c : {&table.ann, &table.cid}) {
        ASSERT_TRUE(runUntil([&] { return !c->peer()->chatLines().empty(); }, 10000));
        EXPECT_EQ(c->peer()->chatLines().back(), (lan::ChatLine{2, "hi all"}));  // bob's colour
    }

    // Ann leaves from the window's menu: the table hears "disA", the others have won.
    table.ann.w.exitToMenuCommand();
    auto* question = table.ann.w.findChild<dialogs::Confirmation*>("confirmation");
    ASSERT_NE(question, nullptr);
    QTest::mouseClick(question->yesButton, Qt::LeftButton);
    EXPECT_EQ(table.ann.w.screen(), TForm1::Screen::Menu);
    EXPECT_EQ(table.ann.tour().peer(), nullptr);
    for (Copy* c : {&table.bob, &table.cid}) {
        ASSERT_TRUE(runUntil([&] { return !c->message().isEmpty(); }, 10000)) << c->nick;
        EXPECT_EQ(c->message(), (QStringList{"Player ann interrupted the game!", "You won!"}));
        EXPECT_FALSE(c->tour().chatPanel()->Edit->isEnabled());
    }
    // The server counts the standings, with the lowest result for her; Bob's history has what
    // the server counted for him.
    const std::array<int, 4> counted = tourney::forfeitResults(scores, 1);
    const auto row = [&](const char* nick) {
        return table.t.db->queryOne(
            std::string("SELECT score FROM tour_players WHERE nick = '") + nick + "'", {});
    };
    ASSERT_TRUE(row("ann"));
    EXPECT_EQ(row("ann")->integer(0), counted[1]);
    EXPECT_LE(counted[1], std::min(counted[2], counted[3]));
    QTest::mouseClick(table.bob.w.Button8, Qt::LeftButton);
    const QString history =
        QDir(table.bob.options.programFolder).filePath("History/Orvala_I0001.hst");
    ASSERT_TRUE(runUntil([&] { return QFile::exists(history); }, 10000));
    QFile file(history);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray line = file.readLine();
    EXPECT_TRUE(line.contains("bob")) << line.constData();
    EXPECT_TRUE(line.contains("T#########")) << line.constData();
    EXPECT_TRUE(line.contains(" " + QByteArray::number(counted[2]) + " ")) << line.constData();
}

TEST(TourneyWindows, ACopyWhoseLinkDropsConnectsAgainAndPlaysOnInStep) {
    Table table;
    ASSERT_TRUE(table.seat());
    for (Copy* c : table.copies) c->tour().table()->setReconnect(0, 5);
    const auto dealScored = [&](int deal) {
        return runUntil(
            [&] {
                bool all = true;
                for (Copy* c : table.copies) {
                    const GameRecord& g = c->w.rules().g;
                    if (g.DealNumber < deal ||
                        (g.DealNumber == deal && g.GameState != GameState::DealScored &&
                         g.GameState != GameState::GameOver)) {
                        c->person.act();
                        all = false;
                    }
                }
                return all;
            },
            60000);
    };
    ASSERT_TRUE(dealScored(1));
    // Bob's network drops without a word; his copy connects again and is sent the game.
    table.bob.tour().table()->dropLink();
    ASSERT_TRUE(runUntil([&] { return table.bob.peer()->resumed(); }, 20000));
    EXPECT_TRUE(table.bob.message().isEmpty());
    ASSERT_TRUE(dealScored(3));
    for (Copy* c : {&table.ann, &table.cid}) {
        for (int t = 1; t <= 3; ++t) EXPECT_EQ(c->scoreOf(t), table.bob.scoreOf(t)) << c->nick;
        // The others' chat said he was away, then back.
        std::vector<lan::ChatLine::Kind> told;
        for (const lan::ChatLine& l : c->peer()->chatLines())
            if (l.sender == 2 && l.text == "bob") told.push_back(l.kind);
        EXPECT_EQ(told, (std::vector<lan::ChatLine::Kind>{lan::ChatLine::Kind::Away,
                                                          lan::ChatLine::Kind::Back}))
            << c->nick;
    }
}

TEST(TourneyWindows, APlayerWhoStartsTheProgramAgainConnectsToTheSeatFromTheLobby) {
    Table table;
    ASSERT_TRUE(table.seat());
    // Bob's copy gives its link up at once, as a program that was closed.
    table.bob.tour().table()->setReconnect(0, 0);
    table.bob.tour().table()->dropLink();
    ASSERT_TRUE(runUntil([&] { return !table.bob.message().isEmpty(); }, 10000));
    // He starts again: his seat of the running game offers "Connect", and it gives him the game.
    Copy again("bob");
    TourneyLobby* l = again.openLobby();
    ASSERT_NE(l, nullptr);
    auto* button = l->dialog()->seatButton(kTable, 2);
    EXPECT_EQ(button->text(), "Connect");
    ASSERT_TRUE(button->isEnabled());
    button->click();
    ASSERT_TRUE(runUntil([&] { return again.peer() && again.peer()->resumed(); }, 20000));
    EXPECT_EQ(again.w.screen(), TForm1::Screen::Game);
    for (int t = 1; t <= 3; ++t) EXPECT_EQ(again.scoreOf(t), table.ann.scoreOf(t));
    EXPECT_EQ(again.w.rules().g.HandCount[3],
              table.ann.w.rules().g.HandCount[lan::localSeat(tourney::roleOfSeat(1), 2)]);
}

TEST(TourneyWindows, TheServerGoingAwayMidGameIsALostConnectionOnEveryCopy) {
    Table table;
    ASSERT_TRUE(table.seat());
    for (Copy* c : table.copies) c->tour().table()->setReconnect(0, 2);
    table.t.stopTables();
    for (Copy* c : table.copies) {
        ASSERT_TRUE(runUntil([&] { return !c->message().isEmpty(); }, 10000)) << c->nick;
        EXPECT_EQ(c->message(), QStringList{"Lost connection with the server!"});
        EXPECT_FALSE(c->w.Button7->isEnabled());
        EXPECT_TRUE(c->w.Button8->isEnabled());
        EXPECT_FALSE(c->tour().chatPanel()->Edit->isEnabled());
    }
}

}  // namespace
}  // namespace orvala::app
