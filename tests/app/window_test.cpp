// The main window under the offscreen platform: the computer plays a demo, and a person plays
// whole deals with simulated clicks on the buttons and the cards.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <condition_variable>
#include <mutex>

#include "app/salute.h"
#include "app/tform1.h"
#include "app/window_parts.h"
#include "core/online/operations.h"
#include "core/records/club_member.h"
#include "dialogs/chat_dialog.h"
#include "dialogs/options_dialog.h"
#include "dialogs/password_dialog.h"
#include "dialogs/radio_dialog.h"
#include "core/ai/computer_players.h"
#include "core/game/random_players.h"
#include "core/lang/word_table.h"
#include "core/records/club_update.h"
#include "core/records/history_file.h"
#include "core/records/member_login.h"
#include "core/records/member_password.h"
#include "dialogs/confirmation.h"
#include "dialogs/contract_dialog.h"
#include "dialogs/count_dialog.h"
#include "dialogs/end_game_dialog.h"
#include "dialogs/message_window.h"
#include "person_player.h"
#include "slow_players.h"
#include "window_helpers.h"

namespace orvala::app {
namespace {

// The program's window comes up with its title alone, at the size it keeps once built, and builds
// the rest when it has been shown; then it is the whole window.
TEST(Window, TheTitleComesFirstAndTheRestIsBuiltOnceItIsShown) {
    QTemporaryDir dir;
    LaunchOptions o = fastOptionsIn(dir);
    o.titleFirst = true;
    TForm1 w(o);
    EXPECT_EQ(w.feature<Feature>(), nullptr) << "nothing but the title before it is shown";
    const QSize titleSize = w.size();
    w.show();
    ASSERT_TRUE(runUntil([&] { return w.feature<Feature>() != nullptr; }, 10000));
    EXPECT_EQ(w.size(), titleSize);
    EXPECT_EQ(w.screen(), TForm1::Screen::Title);
    // The parts made after the window was shown show as they do in a window built at once.
    TForm1 whole(fastOptionsIn(dir));
    whole.show();
    for (auto* part : whole.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (part->isWindow() || part->objectName().isEmpty()) continue;
        const auto* same = w.findChild<QWidget*>(part->objectName());
        ASSERT_NE(same, nullptr) << part->objectName().toStdString();
        EXPECT_EQ(same->isVisible(), part->isVisible()) << part->objectName().toStdString();
    }
    // A key pressed on the title goes to the window, not to a button shown on it since.
    QWidget* keys = w.focusWidget();
    ASSERT_NE(keys, nullptr);
    QTest::keyClick(keys, Qt::Key_Space);
    EXPECT_EQ(w.screen(), TForm1::Screen::Menu);
    EXPECT_TRUE(w.Button6->isVisible());
}

TEST(Window, TheDemoPlaysWholeDealsAndTheTableShowsThem) {
    QTemporaryDir dir;
    TForm1 w(optionsIn(dir, true));
    w.show();
    EXPECT_EQ(w.screen(), TForm1::Screen::Game);
    ASSERT_TRUE(runUntil([&] { return w.dealsPlayed() >= 2; }, 120000));
    EXPECT_EQ(checkConsistency(w.rules().g), std::nullopt);
    // The canvas is the window, and the person's hand stands where the layout puts it.
    EXPECT_EQ(w.view().canvas().size(), w.size());
    EXPECT_EQ(w.size(), QSize(760, 500));
}

TEST(Window, APersonPlaysDealsWithTheMouse) {
    QTemporaryDir dir;
    TForm1 w(fastOptionsIn(dir));
    QuickComputers quick;
    w.session().setPlayers(&quick.players);
    w.show();
    EXPECT_EQ(w.screen(), TForm1::Screen::Title);
    QTest::keyClick(&w, Qt::Key_Space);
    EXPECT_EQ(w.screen(), TForm1::Screen::Menu);
    ASSERT_TRUE(w.Button6->isVisible());
    clickNewPlayer(w);
    ASSERT_EQ(w.screen(), TForm1::Screen::Game);
    // Computer moves come on the timer at their own pace; a person answers in between.
    Person person(w);
    QTimer hand;
    QObject::connect(&hand, &QTimer::timeout, [&] { person.act(); });
    hand.start(2);
    const bool played = runUntil([&] { return w.dealsPlayed() >= 3; }, 240000);
    hand.stop();
    ASSERT_TRUE(played) << "state " << w.rules().g.GameState;
    EXPECT_GT(person.illegalClicks + person.contractDialogs, 0);
    EXPECT_EQ(checkConsistency(w.rules().g), std::nullopt);
}

// A whole game from the menu to its end and back, every move of the person a click; the short
// game (starting at 500) and the fast table keep it to seconds.
TEST(Window, APersonPlaysWholeGamesWithTheMouseAtTwoSizesAndInTwoLanguages) {
    for (auto [size, language] : {std::pair{1, 0}, std::pair{4, 5}}) {
        QTemporaryDir dir;
        TForm1 w(fastOptionsIn(dir));
        QuickComputers quick;
        w.session().setPlayers(&quick.players);
        w.settings().Rules.RuleStartWith500 = true;
        w.settings().WindowSize = size;
        w.settings().LanguageIndex = language;
        setCurrentLanguage(language);
        w.applyWindowSize();
        w.show();
        QTest::keyClick(&w, Qt::Key_Space);
        clickNewPlayer(w);
        ASSERT_EQ(w.screen(), TForm1::Screen::Game);
        Person person(w);
        QTimer hand;
        QObject::connect(&hand, &QTimer::timeout, [&] { person.act(); });
        hand.start(1);
        const bool over = runUntil(
            [&] { return w.rules().g.GameState == GameState::GameOver && !w.busy(); }, 280000);
        hand.stop();
        const GameRecord& g = w.rules().g;
        ASSERT_TRUE(over) << "deal " << g.DealNumber << " state " << g.GameState;
        EXPECT_TRUE(g.GameOver);
        EXPECT_EQ(checkConsistency(g), std::nullopt);
        EXPECT_GE(std::max({g.Score[1], g.Score[2], g.Score[3]}), 1000);
        EXPECT_GT(w.dealsPlayed(), 1);
        // The game's end offers only the way back to the menu.
        EXPECT_FALSE(w.Button7->isEnabled());
        ASSERT_TRUE(w.Button8->isEnabled());
        EXPECT_EQ(w.Button8->text(),
                  QString::fromUtf8(std::string(Word(WordRow::ExitToMenu, language)).c_str()));
        QTest::mouseClick(w.Button8, Qt::LeftButton);
        ASSERT_TRUE(runUntil([&] { return !w.busy(); }, 10000));
        EXPECT_EQ(w.screen(), TForm1::Screen::Menu);
        EXPECT_TRUE(w.Button6->isVisible());
    }
    setCurrentLanguage(0);
}

// A club member at the 24th game of a cycle logs in (a wrong password first), plays a whole
// game to its end and comes back: the summary, the end-of-cycle window, the club file with its
// top ten and the history all show the 25th game.
TEST(Window, AClubMembersTwentyFifthGameEndsTheCycle) {
    QTemporaryDir dir;
    const LaunchOptions o = fastOptionsIn(dir);
    const std::string folder = o.programFolder.toStdString();
    ClubFile club = newClubFile();
    ClubMember vera{padded("Vera", 20), 1'000'000, 24, 900, scramblePassword("pw"), kNewMemberSlot};
    updateClubFile(club, vera, false);
    ASSERT_TRUE(writeClubFile(clubFilePath(folder, false), club));

    TForm1 w(o);
    QuickComputers quick;
    w.session().setPlayers(&quick.players);
    w.settings().Rules.RuleStartWith500 = true;
    w.show();
    QTest::keyClick(&w, Qt::Key_Space);
    auto* first = w.menu().members[0];
    EXPECT_TRUE(first->text().startsWith("Vera"));
    EXPECT_TRUE(first->text().simplified().endsWith("24 900")) << first->text().toStdString();
    EXPECT_FALSE(w.menu().members[1]->isEnabled());
    QTest::mouseClick(w.menu().BMode, Qt::LeftButton);  // all games and the rating
    EXPECT_TRUE(first->text().simplified().endsWith("24 1,00")) << first->text().toStdString();
    QTest::mouseClick(w.menu().BMode, Qt::LeftButton);
    QTest::mouseClick(first, Qt::LeftButton);
    auto* login = w.findChild<dialogs::TFormPassword*>();
    ASSERT_NE(login, nullptr);
    EXPECT_EQ(login->Edit1->text(), "Vera");
    login->Edit2->setText("px");
    QTest::mouseClick(login->Button1, Qt::LeftButton);
    auto* refusal = login->findChild<dialogs::MessageWindow*>();
    ASSERT_NE(refusal, nullptr);
    EXPECT_EQ(refusal->lines(), QStringList{"The incorrect password!"});
    EXPECT_EQ(w.screen(), TForm1::Screen::Menu);
    login->Edit2->setText("pw");
    QTest::mouseClick(login->Button1, Qt::LeftButton);
    ASSERT_EQ(w.screen(), TForm1::Screen::Game);
    EXPECT_EQ(w.rules().g.KonNumber, 25);

    Person person(w);
    QTimer hand;
    QObject::connect(&hand, &QTimer::timeout, [&] { person.act(); });
    hand.start(1);
    ASSERT_TRUE(runUntil([&] { return w.rules().g.GameState == GameState::GameOver && !w.busy(); },
                         280000));
    hand.stop();
    const int result = w.rules().g.GameResult;
    ASSERT_TRUE(runUntil([&] { return w.findChild<dialogs::TFormCount*>() != nullptr; }, 5000));
    const QStringList summary = w.findChild<dialogs::TFormCount*>()->values();
    EXPECT_EQ(summary.mid(0, 5), QStringList({"25", "25", "900", QString::number(result),
                                              QString::number(900 + result)}));
    QTest::mouseClick(w.Button8, Qt::LeftButton);
    ASSERT_TRUE(runUntil([&] { return !w.busy() && w.screen() == TForm1::Screen::Menu; }, 10000));

    const ClubRead after = readClubFile(clubFilePath(folder, false));
    ASSERT_TRUE(after.ok());
    const auto stored = findMember(after.file, "Vera");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->games, 25);
    EXPECT_EQ(stored->cycleScore, 0);
    EXPECT_EQ(stored->rating, ratingAfterGame(1'000'000, 24, result));
    auto* end = w.findChild<dialogs::TFormEndGame*>();
    ASSERT_NE(end, nullptr);
    EXPECT_EQ(end->lines()[2], "Result: " + QString::number(900 + result));
    const bool inTopTen = 900 + result >= 100;  // the new club's tenth place
    EXPECT_EQ(end->lines()[0], inTopTen ? "CONGRATULATIONS!!!" : "Our regrets...");
    bool listed = false;
    for (int place = 1; place <= kTopTenPlaces; ++place)
        listed = listed || after.file.topTenLine(place).starts_with("Vera ");
    EXPECT_EQ(listed, inTopTen);
    EXPECT_EQ(CheckHistoryFile(historyFilePath(historyFolder(folder), 1)).games, 1);
    EXPECT_TRUE(w.menu().members[0]->text().simplified().endsWith("0 0"));
}

// The fixed number typed on the table turns the computer seats' hands face up; the next deal
// closes them again.
TEST(Window, TheOpenHandsNumberShowsTheComputerHandsUntilTheNextDeal) {
    QTemporaryDir dir;
    TForm1 w(fastOptionsIn(dir));
    w.show();
    QTest::keyClick(&w, Qt::Key_Space);
    clickNewPlayer(w);
    // The deal is on the table once the game's first button has been pressed.
    ASSERT_TRUE(runUntil([&] { return !w.busy(); }, 20000));
    if (w.Button7->isEnabled()) QTest::mouseClick(w.Button7, Qt::LeftButton);
    ASSERT_TRUE(runUntil(
        [&] { return !w.busy() && w.rules().g.GameState == GameState::PersonBids; }, 20000))
        << w.rules().g.GameState;
    const GameRecord& g = w.rules().g;
    // The last card of seat 1 (the one no other covers): its back before, its face after.
    // Bitmap cards have open corners, so their insides are compared.
    const int last = g.HandCount[1];
    const QRect inside = w.view().cardRect(1, last).adjusted(2, 2, -2, -2);
    const QRect picture = inside.translated(-w.view().cardRect(1, last).topLeft());
    auto cardAt = [&] {
        return w.view().canvas().copy(inside).convertToFormat(QImage::Format_RGB32);
    };
    auto drawn = [&](bool faceUp) {
        return w.view()
            .cardImage(g.Hand[1][last], faceUp)
            .copy(picture)
            .convertToFormat(QImage::Format_RGB32);
    };
    const QImage closed = cardAt();
    EXPECT_EQ(closed, drawn(false));
    QTest::keyClicks(&w, OpenHandsToggle::kNumber);
    EXPECT_TRUE(w.parts().openHands.on());
    const QImage open = cardAt();
    EXPECT_NE(open, closed);
    EXPECT_EQ(open, drawn(true));
    // Play on to the next deal: the toggle is off and the hands closed.
    Person person(w);
    QTimer hand;
    QObject::connect(&hand, &QTimer::timeout, [&] { person.act(); });
    hand.start(1);
    ASSERT_TRUE(runUntil([&] { return w.rules().g.DealNumber >= 2 && !w.busy(); }, 60000));
    hand.stop();
    EXPECT_FALSE(w.parts().openHands.on());
}

TEST(Window, ThePurpleDesignWithoutItsLibrarySaysSoAndFallsBackToTheCustomizableOne) {
    QTemporaryDir dir;
    TForm1 w(optionsIn(dir, false));
    w.settings().MainMenuDesign = 1;
    w.settings().TableDesign = 1;
    w.settings().AuxDesignPurple = true;
    w.applyWindowSize();
    // The message is open over the window, and nothing waited for it.
    auto* message = w.findChild<dialogs::MessageWindow*>("message");
    ASSERT_NE(message, nullptr);
    EXPECT_TRUE(message->isVisible());
    EXPECT_EQ(message->lines(), QStringList{"Can`t find the file ZorCGraph1.dll"});
    QTest::mouseClick(message->Button1, Qt::LeftButton);
    EXPECT_EQ(w.settings().MainMenuDesign, 0);
    EXPECT_EQ(w.settings().TableDesign, 0);
    EXPECT_FALSE(w.settings().AuxDesignPurple);
    EXPECT_EQ(w.view().background(),
              PictureStore().picture("FonG").convertToFormat(QImage::Format_RGB32));
    EXPECT_TRUE(w.saluteStrip().isNull());  // no library, no salute
}

TEST(Window, ThePurpleDesignTheSaluteAndTheOwnDrawnButtonsWithTheLibraries) {
    HomeWithLibraries libs;
    LaunchOptions o;
    o.programFolder = libs.home;
    o.seed = 3;
    o.fast = true;
    TForm1 w(o);
    w.settings().MainMenuDesign = 1;  // the menu is purple, the table customizable
    w.settings().SaluteOnButtons = true;
    w.settings().NewButtonsOn = true;
    w.applyWindowSize();
    w.show();
    QTest::keyClick(&w, Qt::Key_Space);
    ASSERT_EQ(w.screen(), TForm1::Screen::Menu);
    EXPECT_EQ(w.settings().MainMenuDesign, 1);
    const QImage purple = w.view().background();
    const QColor c = purple.pixelColor(purple.width() / 2, purple.height() / 2);
    EXPECT_GT(c.blue(), c.green());
    EXPECT_EQ(w.Button6->ColorSB(), TColorSB::DViolet);
    // Every push button of the window is drawn by the program, in the new look.
    const auto buttons = w.findChildren<QPushButton*>();
    EXPECT_GE(buttons.size(), 13);
    for (QPushButton* b : buttons) {
        auto* own = qobject_cast<TZorCardsButton*>(b);
        ASSERT_NE(own, nullptr) << b->objectName().toStdString();
        EXPECT_TRUE(own->Nata());
    }
    // Pressing a menu button shows the salute at the pointer; it goes by itself.
    ASSERT_FALSE(w.saluteStrip().isNull());
    QTest::mousePress(w.Button6, Qt::LeftButton);
    auto* salute = w.findChild<Salute*>();
    ASSERT_NE(salute, nullptr);
    EXPECT_EQ(salute->size(), QSize(100, 100));
    QTest::mouseRelease(w.Button6, Qt::LeftButton);
    logInNewPlayer(w);
    ASSERT_EQ(w.screen(), TForm1::Screen::Game);
    EXPECT_TRUE(runUntil([&] { return w.findChild<Salute*>() == nullptr; }, 3000));
    // The table takes its own (customizable) design: the green cloth.
    const QImage cloth = w.view().background();
    const QColor t = cloth.pixelColor(cloth.width() / 2, cloth.height() / 2);
    EXPECT_GT(t.green(), t.blue());
    EXPECT_GT(t.green(), t.red());
    EXPECT_EQ(w.Button7->ColorSB(), TColorSB::DRed);
    // Back in the menu, the purple picture again.
    w.exitToMenuCommand();
    auto* question = w.findChild<dialogs::Confirmation*>("confirmation");
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(w.screen(), TForm1::Screen::Game);
    QTest::mouseClick(question->yesButton, Qt::LeftButton);
    ASSERT_EQ(w.screen(), TForm1::Screen::Menu);
    EXPECT_EQ(w.view().background(), purple);
}

// Closing the window during a game asks first; "No" keeps the game, "Yes" closes the window and
// writes the settings.
TEST(Window, ClosingDuringAGameAsksWithoutWaiting) {
    QTemporaryDir dir;
    TForm1 w(fastOptionsIn(dir));
    w.show();
    QTest::keyClick(&w, Qt::Key_Space);
    clickNewPlayer(w);
    ASSERT_EQ(w.screen(), TForm1::Screen::Game);
    const QString ini = QDir(dir.path()).filePath("Orvala/Orvala.ini");
    auto question = [&] {
        for (auto* c : w.findChildren<dialogs::Confirmation*>())
            if (c->isVisible()) return c;
        return static_cast<dialogs::Confirmation*>(nullptr);
    };
    w.close();
    ASSERT_NE(question(), nullptr);
    w.close();  // a second close while it asks opens no second question
    EXPECT_EQ(w.findChildren<dialogs::Confirmation*>().size(), 1);
    QTest::mouseClick(question()->noButton, Qt::LeftButton);
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(QFile::exists(ini));
    // A game left meanwhile another way (a LAN player leaving) takes the question with it: it
    // no longer asks, and so cannot close the program from the menu.
    w.close();
    ASSERT_NE(question(), nullptr);
    w.leaveGame(false);
    EXPECT_EQ(question(), nullptr);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.screen(), TForm1::Screen::Menu);
    clickNewPlayer(w);
    ASSERT_EQ(w.screen(), TForm1::Screen::Game);
    w.close();
    QTest::mouseClick(question()->yesButton, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(QFile::exists(ini));
}

TEST(Window, TheFullScreenSizeIsMaximisedAndTheOthersAreCentredOnTheScreen) {
    QTemporaryDir dir;
    TForm1 w(optionsIn(dir, false));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    w.settings().WindowSize = 2;
    w.applyWindowSize();
    EXPECT_TRUE(w.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(w.view().windowSize(), screen.size());
    for (int size : {3, 1}) {
        w.settings().WindowSize = size;
        w.applyWindowSize();
        EXPECT_FALSE(w.windowState() & Qt::WindowMaximized) << size;
        EXPECT_EQ(w.size(), w.view().windowSize()) << size;
        EXPECT_EQ(w.minimumSize(), w.maximumSize()) << size;
        EXPECT_LE((w.frameGeometry().center() - screen.center()).manhattanLength(), 1) << size;
    }
}

// The maximised window's client area is smaller than the screen's available area by its frame
// (the offscreen platform's too, as a window manager's title bar): once the window is shown
// maximised, the table is laid out again for the client area, so the menu's foot shows whole.
TEST(Window, TheFullScreenTableIsLaidOutForTheRealClientArea) {
    QTemporaryDir dir;
    TForm1 w(optionsIn(dir, false));
    w.settings().WindowSize = 2;
    w.applyWindowSize();
    w.show();
    QTest::keyClick(&w, Qt::Key_Space);
    ASSERT_EQ(w.screen(), TForm1::Screen::Menu);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.isMaximized(); }, 5000));
    const QSize available = QGuiApplication::primaryScreen()->availableGeometry().size();
    // The platform settles the frame after the window is shown, as a window manager does.
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.size() != available; }, 5000))
        << "the platform gives the window no frame to test with";
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.view().windowSize() == w.size(); }, 5000));
    EXPECT_TRUE(w.rect().contains(w.Button11->geometry()));
    EXPECT_TRUE(w.rect().contains(w.menu().titleRect()));
    // Laying out again changes nothing once it fits.
    w.applyWindowSize();
    EXPECT_EQ(w.view().windowSize(), w.size());
}

TEST(Window, EverySizeLaysOutInsideTheWindowAndCardsShowWhereTheLayoutSays) {
    QTemporaryDir dir;
    for (int size : {1, 3, 4, 5}) {
        LaunchOptions o = optionsIn(dir, false);
        TForm1 w(o);
        w.settings().WindowSize = size;
        w.applyWindowSize();
        w.show();
        QTest::keyClick(&w, Qt::Key_Space);
        clickNewPlayer(w);
        ASSERT_TRUE(runUntil([&] { return !w.busy(); }, 20000));
        const QImage& canvas = w.view().canvas();
        EXPECT_EQ(canvas.size(), w.size()) << size;
        if (qEnvironmentVariableIsSet("ORVALA_SNAPSHOT_DIR"))
            w.grab().save(qEnvironmentVariable("ORVALA_SNAPSHOT_DIR") +
                          QString("/table%1.png").arg(size));
        // Every button lies inside the window.
        for (QPushButton* b : {w.Button7, w.Button8})
            EXPECT_TRUE(QRect(QPoint(0, 0), w.size()).contains(b->geometry())) << size;
        // The person's cards are face up where the layout puts them: the pixel at a card's
        // centre is not the table's background.
        const GameRecord& g = w.rules().g;
        for (int k = 1; k <= g.HandCount[3]; ++k) {
            const QPoint p = w.view().slotPoint(k);
            EXPECT_NE(canvas.pixel(p), w.view().background().pixel(p))
                << "size " << size << " slot " << k;
        }
    }
}

// While a computer thinks, however long, the window paints, refuses input and closes.
TEST(Window, AComputerThinkingLeavesTheWindowPaintingAndClosable) {
    QTemporaryDir dir;
    LaunchOptions o = optionsIn(dir, false);
    o.fast = true;
    SeededRandom random(3);
    SlowPlayers slow(random);
    auto w = std::make_unique<TForm1>(o);
    w->session().setPlayers(&slow);
    w->show();
    QTest::keyClick(w.get(), Qt::Key_Space);
    clickNewPlayer(*w);
    ASSERT_TRUE(runUntil([&] { return !w->busy() && w->Button7->isEnabled(); }, 20000));
    QTest::mouseClick(w->Button7, Qt::LeftButton);  // "To Begin": the computers judge their cards
    ASSERT_TRUE(runUntil([&] { return slow.thinking.load() == 1; }, 20000));
    EXPECT_TRUE(w->session().thinking());

    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) ++paints;
            return false;
        }
    } counter;
    w->installEventFilter(&counter);
    const GameRecord before = w->rules().g;
    for (int i = 0; i < 3; ++i) {
        w->update();
        QCoreApplication::processEvents();
    }
    EXPECT_GT(counter.paints, 0);
    EXPECT_FALSE(w->Button7->isEnabled());
    EXPECT_FALSE(w->Button8->isEnabled());
    QTest::mouseClick(w.get(), Qt::LeftButton, {}, w->view().slotPoint(1));
    EXPECT_EQ(w->rules().g, before);

    // Closing asks, and closes at once on yes; the thinking ends with the window.
    w->close();
    auto* question = w->findChild<dialogs::Confirmation*>("confirmation");
    ASSERT_NE(question, nullptr);
    QTest::mouseClick(question->yesButton, Qt::LeftButton);
    EXPECT_FALSE(w->isVisible());
    slow.release();
    w.reset();
}

}  // namespace
}  // namespace orvala::app
