// The window's sounds: what the events name is what plays, in order and in its mode; sound off
// plays nothing and holds nothing; synchronous sounds hold the table on the player's clock; a
// right click speaks the card in the language of the moment. Everything goes through the silent
// sink and the sound log, so no loudspeaker is needed.

#include <gtest/gtest.h>

#include <QFile>
#include <QTest>

#include "app/event_player.h"
#include "core/lang/word_table.h"
#include "core/sound/voice_names.h"
#include "dialogs/confirmation.h"
#include "dialogs/message_window.h"
#include "window_helpers.h"

namespace orvala::app {
namespace {

QStringList linesOf(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
}

LaunchOptions loggedOptions(const QTemporaryDir& dir, bool demo, bool fast = true) {
    LaunchOptions o = fast ? fastOptionsIn(dir, demo) : optionsIn(dir, demo);
    o.soundLog = QDir(dir.path()).filePath("sounds.log");
    return o;
}

TEST(Sound, ADemoPlaysExactlyTheSoundsTheEventsNameInOrderWithTheirModes) {
    QTemporaryDir dir;
    TForm1 w(loggedOptions(dir, true));
    // The demo chooses silence for itself; the first events wait in the player meanwhile.
    w.settings().SoundOn = true;
    QStringList named;
    QObject::connect(&w.session(), &GameSession::events, [&](const std::vector<TableEvent>& es) {
        for (const auto& e : es)
            if (auto* s = std::get_if<ev::Sound>(&e))
                // The fast table has no flights: the talon's sounds hold it too.
                named << QString::fromLatin1(waveName(s->wave).data()) +
                             (s->timing == ev::SoundTiming::Async ? " async" : " sync");
    });
    w.show();
    // Once the player is idle, everything emitted has been played.
    ASSERT_TRUE(runUntil([&] { return w.dealsPlayed() >= 2 && !w.busy(); }, 120000));
    const QStringList log = linesOf(loggedOptions(dir, true).soundLog);
    // The first deal's opening came before the test listened; all after it must match.
    ASSERT_GT(log.size(), named.size());
    EXPECT_EQ(log.first(), "WTasoKo async");
    EXPECT_EQ(log.mid(log.size() - named.size()), named);
    EXPECT_GE(log.filter("WTasoKo").size(), 2);
    // Each deal's talon is turned with its three sounds in order, holding the fast table.
    EXPECT_EQ(log.filter("WPrik_").size() % 3, 0);
    EXPECT_EQ(log.mid(log.indexOf("WPrik_1 sync"), 3),
              QStringList({"WPrik_1 sync", "WPrik_2 sync", "WPrik_3 sync"}));
}

TEST(Sound, SoundOffPlaysNothingAndHoldsNothing) {
    QTemporaryDir dir;
    TForm1 w(loggedOptions(dir, true));
    w.show();
    ASSERT_FALSE(w.settings().SoundOn);
    ASSERT_TRUE(runUntil([&] { return w.dealsPlayed() >= 1; }, 120000));
    EXPECT_TRUE(linesOf(loggedOptions(dir, true).soundLog).isEmpty());

    // On the table at its real pace: a synchronous sound holds the table (and so the next
    // input) only when sound is on, an asynchronous one never.
    QTemporaryDir paced;
    TForm1 v(loggedOptions(paced, false, false));
    v.settings().SoundOn = false;
    v.PlaySoundEvent(Wave::WDiPlay, true);
    EXPECT_FALSE(v.busy());
    v.settings().SoundOn = true;
    v.PlaySoundEvent(Wave::WKoGood, false);
    EXPECT_FALSE(v.busy());
    v.PlaySoundEvent(Wave::WDiPlay, true);
    EXPECT_TRUE(v.busy());
    EXPECT_EQ(linesOf(loggedOptions(paced, false).soundLog),
              QStringList({"WKoGood async", "WDiPlay sync"}));
}

TEST(Sound, SynchronousSoundsHoldThePlayerUntilTheyEndOnItsClock) {
    PictureStore pictures;
    TableView view(pictures);
    Settings settings;
    view.applyWindowSize(settings, {1920, 1080});
    OpenHandsToggle open;
    TablePresenter presenter(view, open);
    EventPlayer player(presenter, view);
    qint64 now = 0;
    player.setClock([&] { return now; });
    QStringList started;
    player.setSoundOutput(
        [&](Wave w, bool sync) {
            started << QString::fromLatin1(waveName(w).data()) + (sync ? " sync" : " async");
            return 300;
        },
        {});
    player.setPace(3, true);
    const std::vector<TableEvent> events = {
        ev::Sound{Wave::WDiPlay, ev::SoundTiming::Sync},
        ev::Sound{Wave::WHodsDo, ev::SoundTiming::Async},
        ev::Sound{Wave::WPrik_1, ev::SoundTiming::SyncUnlessFlying},
        ev::Sound{Wave::WKoloNo, ev::SoundTiming::Sync}};
    player.play(events);
    player.step();
    EXPECT_EQ(started, QStringList({"WDiPlay sync"}));
    now = 299;
    player.step();
    EXPECT_TRUE(player.busy());
    EXPECT_EQ(started.size(), 1);
    // Its end lets the next ones start: an asynchronous sound and a talon sound that goes with
    // the flights do not hold, the next synchronous one does.
    now = 300;
    player.step();
    EXPECT_EQ(started,
              QStringList({"WDiPlay sync", "WHodsDo async", "WPrik_1 async", "WKoloNo sync"}));
    EXPECT_TRUE(player.busy());
    now = 600;
    player.step();
    EXPECT_FALSE(player.busy());

    // Without flights the talon's sound holds the table; a hold from outside the events adds
    // to what is waited for.
    player.setPace(7, true);
    player.play({ev::Sound{Wave::WPrik_2, ev::SoundTiming::SyncUnlessFlying}});
    player.step();
    EXPECT_EQ(started.last(), "WPrik_2 sync");
    player.holdFor(100);
    now = 899;
    player.step();
    EXPECT_TRUE(player.busy());
    now = 1000;
    player.step();
    EXPECT_FALSE(player.busy());
}

TEST(Sound, AFaceUpCardOnTheTableIsFoundUnderThePointer) {
    PictureStore pictures;
    TableView view(pictures);
    Settings settings;
    view.applyWindowSize(settings, {1920, 1080});
    OpenHandsToggle open;
    TablePresenter presenter(view, open);
    const Place lead{Place::Kind::Trick, 1}, talon{Place::Kind::Talon, 2};
    presenter.putCard(lead, Card{kKing, kSpades});
    presenter.putCard(talon, Card{kNine, kHearts});
    const QPoint inside(view.cardSize().width() / 2, view.cardSize().height() / 2);
    EXPECT_EQ(presenter.cardOnTableAt(view.placePoint(lead) + inside), (Card{kKing, kSpades}));
    EXPECT_EQ(presenter.cardOnTableAt(view.placePoint(talon) + inside), (Card{kNine, kHearts}));
    EXPECT_EQ(presenter.cardOnTableAt({1, 1}), std::nullopt);
    presenter.takeCard(lead);
    EXPECT_EQ(presenter.cardOnTableAt(view.placePoint(lead) + inside), std::nullopt);
}

TEST(Sound, ARightClickSpeaksTheCardInTheLanguageOfTheMomentWithSoundOff) {
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy(QString(ORVALA_LIBRARY_DIR) + "/" + kVoiceLibraryFile,
                            QDir(dir.path()).filePath(kVoiceLibraryFile)));
    TForm1 w(loggedOptions(dir, false));
    w.settings().SoundOn = false;
    w.SetLanguage(9);
    w.show();
    w.leaveTitle();
    w.startGame();
    ASSERT_TRUE(runUntil([&] { return w.presenter().handCount(3) >= 7 && !w.busy(); }, 60000));
    const Card card = w.presenter().hand(3)[4];
    QTest::mouseClick(&w, Qt::RightButton, {}, w.view().slotPoint(4));
    const QString log = loggedOptions(dir, false).soundLog;
    ASSERT_TRUE(runUntil([&] { return !linesOf(log).isEmpty(); }, 10000));
    EXPECT_EQ(linesOf(log),
              QStringList({QString::fromStdString(voiceResourceName(card, 9)) + " async"}));
    EXPECT_TRUE(linesOf(log).first().endsWith("VoiceKor async"));
    w.SetLanguage(0);
}

// "Mode" sounds like a window opening from the menu, as "Top Ten" and "History" do.
TEST(Sound, TheMenusModeButtonSoundsAsItSwitchesTheClubPanel) {
    QTemporaryDir dir;
    TForm1 w(loggedOptions(dir, false));
    w.settings().SoundOn = true;
    w.show();
    w.leaveTitle();
    const QString log = loggedOptions(dir, false).soundLog;
    QTest::mouseClick(w.menu().BMode, Qt::LeftButton);
    ASSERT_TRUE(runUntil([&] { return !linesOf(log).isEmpty(); }, 10000));
    EXPECT_EQ(linesOf(log), QStringList({"WOpenFo async"}));
    EXPECT_EQ(w.settings().TopTenMode, 2);
}

QByteArray contentOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(Sound, TheTunesFileIsWrittenOnceReusedAndRemovedAtANormalEnd) {
    QTemporaryDir dir;
    const QString tune = QDir(dir.path()).filePath("temp55_25.mid");
    {
        TForm1 w(fastOptionsIn(dir));
        EXPECT_TRUE(contentOf(tune).startsWith("MThd"));
        EXPECT_EQ(w.parts().music.filePath(), tune);
        EXPECT_TRUE(w.close());
        EXPECT_FALSE(QFile::exists(tune));
    }
    // A file left by a run that ended abnormally is used as it is, and goes at the end.
    {
        QFile left(tune);
        ASSERT_TRUE(left.open(QIODevice::WriteOnly));
        left.write("MThd left over");
    }
    {
        TForm1 w(fastOptionsIn(dir));
        EXPECT_EQ(contentOf(tune), "MThd left over");
        EXPECT_TRUE(w.close());
        EXPECT_FALSE(QFile::exists(tune));
    }
    // A folder where nothing can be written: told once, and the program goes on.
    LaunchOptions o = fastOptionsIn(dir);
    o.musicFolder = QDir(dir.path()).filePath("no/such/folder");
    TForm1 w(o);
    auto* message = w.findChild<dialogs::MessageWindow*>("message");
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->lines(), QStringList{"Can`t create music file!"});
    EXPECT_FALSE(w.parts().music.playing());
}

// One tick of the window's 55 ms music timer, delivered at once.
void tickMusic(TForm1& w) {
    auto* timer = w.findChild<QTimer*>("Timer55");
    ASSERT_NE(timer, nullptr);
    QTimerEvent tick(timer->timerId());
    QCoreApplication::sendEvent(timer, &tick);
}

TEST(Sound, TheTuneStartsAgainOnTheTitleAndTheMenuButNotDuringAGame) {
    QTemporaryDir dir;
    TForm1 w(fastOptionsIn(dir));
    ASSERT_TRUE(w.settings().MusicOn);
    EXPECT_FALSE(w.parts().music.playing());  // the title comes first
    tickMusic(w);
    EXPECT_TRUE(w.parts().music.playing());
    w.leaveTitle();
    w.startGame();
    w.PlayMusic(false);
    tickMusic(w);
    EXPECT_FALSE(w.parts().music.playing());
    w.PlayMusic(true);  // the options' "Music" during a game
    EXPECT_TRUE(w.parts().music.playing());
    w.PlayMusic(false);
    w.exitToMenuCommand();
    auto* question = w.findChild<dialogs::Confirmation*>();
    ASSERT_NE(question, nullptr);
    QTest::mouseClick(question->yesButton, Qt::LeftButton);
    ASSERT_EQ(w.screen(), TForm1::Screen::Menu);
    tickMusic(w);
    EXPECT_TRUE(w.parts().music.playing());
    w.PlayMusic(false);
    w.settings().MusicOn = false;
    tickMusic(w);
    EXPECT_FALSE(w.parts().music.playing());
}

}  // namespace
}  // namespace orvala::app
