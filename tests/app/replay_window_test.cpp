// Every game kept in "Logs/" and shown again from the history: a whole member's game is logged
// as the rules play it, its log ties to its history line, the replay walks it forward and back
// read-only, saves a deal as a GIF drawn from the log, and the folder keeps at most 1,000 logs.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/open_hands.h"
#include "app/replay/replay_bar.h"
#include "app/replay/replay_feature.h"
#include "app/replay/replay_table.h"
#include "core/records/game_log_file.h"
#include "core/records/history_file.h"
#include "core/text/atomic_file.h"
#include "core/text/cp1251.h"
#include "dialogs/history_dialog.h"
#include "gif/gif_reader.h"
#include "person_player.h"
#include "window_helpers.h"

namespace orvala::app {
namespace {

TEST(ReplayWindow, AWholeGameIsLoggedAndShownAgainFromItsHistoryLine) {
    QTemporaryDir dir;
    const LaunchOptions o = fastOptionsIn(dir);
    const QString logs = QDir(o.programFolder).filePath("Logs");
    // A full folder of older logs: the new game's file takes the oldest one's place.
    QDir().mkpath(logs);
    for (int i = 0; i < static_cast<int>(kMaxGameLogFiles); ++i)
        ASSERT_TRUE(writeFileAtomically(
            QDir(logs)
                .filePath(QString("2001.01.01-00.%1.log").arg(i, 4, 10, QChar('0')))
                .toStdString(),
            "old"));

    TForm1 w(o);
    QuickComputers quick;
    w.session().setPlayers(&quick.players);
    w.show();
    QTest::keyClick(&w, Qt::Key_Space);
    clickNewPlayer(w);
    ASSERT_EQ(w.screen(), TForm1::Screen::Game);
    ASSERT_TRUE(playToGameOver(w, runUntil));
    const GameRecord played = w.rules().g;
    ASSERT_TRUE(runUntil([&] { return w.findChild<dialogs::TFormCount*>() != nullptr; }, 5000));
    QTest::mouseClick(w.Button8, Qt::LeftButton);
    ASSERT_TRUE(runUntil([&] { return !w.busy() && w.screen() == TForm1::Screen::Menu; }, 10000));

    // The folder still holds 1,000 logs: the oldest went, the game's own is there.
    const QStringList files = QDir(logs).entryList({"*.log"}, QDir::Files, QDir::Name);
    ASSERT_EQ(files.size(), static_cast<qsizetype>(kMaxGameLogFiles));
    EXPECT_EQ(files.front(), "2001.01.01-00.0001.log");
    const QString own = QDir(logs).filePath(files.back());
    std::string bytes;
    ASSERT_TRUE(readFileBytes(own.toStdString(), bytes));
    const GameLogRead read = readGameLogText(bytes);
    ASSERT_TRUE(read.log) << read.error;
    EXPECT_EQ(read.log->kind, GameLogKind::Local);
    EXPECT_EQ(static_cast<int>(read.log->game.deals.size()), played.DealNumber);
    const GameLogReplay replayed = replayGameLog(*read.log);
    ASSERT_TRUE(replayed.error.empty()) << replayed.error;
    const GameRecord& last = replayed.states.back().back().g;
    for (int seat = 1; seat <= 3; ++seat) EXPECT_EQ(last.Score[seat], played.Score[seat]) << seat;
    EXPECT_EQ(last.GameState, GameState::GameOver);

    // The log's end is the history line's: time, date and result.
    ASSERT_TRUE(read.log->finished);
    EXPECT_EQ(read.log->finished->result, played.GameResult);
    ASSERT_TRUE(
        readFileBytes(historyFilePath(historyFolder(o.programFolder.toStdString()), 1), bytes));
    const std::vector<std::string> lines = historyGameLines(bytes);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(QString::fromStdString(lines[0].substr(0, 5)).trimmed().toStdString(),
              read.log->finished->time);
    EXPECT_EQ(QString::fromStdString(lines[0].substr(5, 10)).trimmed().toStdString(),
              read.log->finished->date);

    // "Replay" in the history window shows the game at its first deal, every hand open.
    QTest::mouseClick(w.menu().BHistory, Qt::LeftButton);
    auto* history = w.findChild<dialogs::TFHistory*>();
    ASSERT_NE(history, nullptr);
    ASSERT_TRUE(history->ButtonReplay->isEnabled());
    QTest::mouseClick(history->ButtonReplay, Qt::LeftButton);
    ASSERT_EQ(w.screen(), TForm1::Screen::Game);
    ReplayFeature* feature = w.feature<ReplayFeature>();
    ReplayTable* table = feature->table();
    ASSERT_NE(table, nullptr);
    ASSERT_TRUE(runUntil([&] { return !w.busy(); }, 5000));
    EXPECT_TRUE(w.parts().openHands.on());
    EXPECT_EQ(table->deals(), played.DealNumber);
    const HandArray firstLeft = w.presenter().hand(1);
    EXPECT_EQ(w.presenter().handCount(1), 7);

    // Nothing the person presses or clicks changes a replay.
    const int stepsOfFirst = table->steps();
    QTest::mouseClick(w.Button7, Qt::LeftButton);
    w.session().input(in::ClickHand{1, MouseButton::Left});
    EXPECT_EQ(table->deal(), 0);
    EXPECT_EQ(table->step(), 0);

    // Forward to the game's end, then back: it ends where it began.
    int forward = 0;
    while (table->forward()) ++forward;
    EXPECT_EQ(table->deal(), played.DealNumber - 1);
    EXPECT_EQ(table->state().g.GameState, GameState::GameOver);
    int back = 0;
    while (table->back()) ++back;
    EXPECT_EQ(forward, back);
    EXPECT_GE(forward, played.DealNumber * 3);
    ASSERT_TRUE(runUntil([&] { return !w.busy(); }, 5000));
    EXPECT_EQ(w.presenter().hand(1), firstLeft);

    // The first deal as a GIF, one frame a step, drawn at the chosen window size.
    QTest::mouseClick(feature->bar().saveGif, Qt::LeftButton);
    const QString gif =
        QDir(o.programFolder)
            .filePath("GIFGame/" + QFileInfo(own).completeBaseName() + "-deal-1.gif");
    const GifInfo info = readGifInfo(gif.toStdString());
    ASSERT_TRUE(info.valid) << info.error;
    EXPECT_EQ(static_cast<int>(info.delaysMs.size()), stepsOfFirst);
    EXPECT_EQ(QSize(info.width, info.height), w.parts().view.windowSize());

    // "Exit to menu" ends the replay; the hands close again and nothing more was logged.
    ASSERT_TRUE(w.Button8->isEnabled());
    QTest::mouseClick(w.Button8, Qt::LeftButton);
    ASSERT_TRUE(runUntil([&] { return w.screen() == TForm1::Screen::Menu; }, 5000));
    EXPECT_EQ(feature->table(), nullptr);
    EXPECT_FALSE(w.parts().openHands.on());
    EXPECT_EQ(QDir(logs).entryList({"*.log"}, QDir::Files).size(),
              static_cast<qsizetype>(kMaxGameLogFiles));

    // A replay is no game to leave: the window closes without asking.
    feature->replay(own);
    ASSERT_EQ(w.screen(), TForm1::Screen::Game);
    EXPECT_TRUE(w.close());
}

}  // namespace
}  // namespace orvala::app
