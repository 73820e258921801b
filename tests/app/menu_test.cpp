// The main menu and the change of language, in the window under the offscreen platform.

#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <map>
#include <set>

#include "app/online/online_feature.h"
#include "app/online/world_panel.h"
#include "app/table_presenter.h"
#include "app/tform1.h"
#include "app/window_parts.h"
#include "core/online/operations.h"
#include "core/records/club_member.h"
#include "dialogs/chat_dialog.h"
#include "dialogs/count_dialog.h"
#include "dialogs/options_dialog.h"
#include "dialogs/password_dialog.h"
#include "dialogs/radio_dialog.h"
#include "core/lang/word_table.h"
#include "window_helpers.h"

namespace orvala::app {
namespace {

QString row(WordRow r, int language) {
    const std::string_view w = Word(r, language);
    return QString::fromUtf8(w.data(), static_cast<qsizetype>(w.size()));
}

QString caption(const orvala::ButtonState& b, int language) {
    return row(b.caption.row, language) + QString::fromStdString(b.caption.suffix);
}

// Every visible button of the window shows the row it stands for, in that language; the club
// members' buttons of the new club show their empty slots as "#".
void expectCaptions(TForm1& w, int language) {
    std::map<QString, QString> expected;
    if (w.screen() == TForm1::Screen::Menu) {
        expected = {{"Button6", row(WordRow::NewPlayer, language)},
                    {"Button9", row(WordRow::TopTen, language)},
                    {"Button10", row(WordRow::Options, language)},
                    {"BHistory", row(WordRow::History, language)},
                    {"BMode", row(WordRow::Mode, language)},
                    {"Button11", row(WordRow::Exit, language)}};
        for (int k = 1; k <= 5; ++k) expected[QString("Button%1").arg(k)] = "#";
    } else {
        expected = {{"Button7", caption(button7(w.rules()), language)},
                    {"Button8", caption(button8(w.rules()), language)}};
    }
    size_t seen = 0;
    for (auto* b : w.findChildren<TZorCardsButton*>()) {
        if (!b->isVisible()) continue;
        const auto it = expected.find(b->objectName());
        if (it == expected.end()) {
            EXPECT_TRUE(b->text().isEmpty()) << b->objectName().toStdString();
            continue;
        }
        ++seen;
        EXPECT_EQ(b->text(), it->second) << b->objectName().toStdString() << " in " << language;
    }
    EXPECT_GE(seen, w.screen() == TForm1::Screen::Menu ? expected.size() : 1);
    EXPECT_EQ(w.windowTitle(), row(WordRow::Orvala, language));
    EXPECT_EQ(w.settings().LanguageIndex, language);
}

// The right-button menu in the language of the moment: every item there; "To change a name",
// "Speed", "Help", "About", "Radio", "Statistics" and "Chat" enabled, "Exit to menu" and "General
// score" only during a game.
void expectRightButtonMenu(TForm1& w, int language) {
    const QPoint at(4, 4);  // the corner: over no hand
    QContextMenuEvent open(QContextMenuEvent::Mouse, at, w.mapToGlobal(at));
    QApplication::sendEvent(&w, &open);
    auto* menu = w.findChild<QMenu*>("PopupMenu1");
    ASSERT_NE(menu, nullptr);
    const WordRow items[] = {WordRow::GeneralScore, WordRow::ExitToMenu, WordRow::ToChangeAName,
                             WordRow::Speed,        WordRow::Help,       WordRow::About,
                             WordRow::Statistics,   WordRow::Radio,      WordRow::Chat};
    const auto actions = menu->actions();
    ASSERT_EQ(actions.size(), std::size(items));
    for (size_t k = 0; k < std::size(items); ++k) {
        EXPECT_EQ(actions[static_cast<qsizetype>(k)]->text(), row(items[k], language));
        EXPECT_EQ(actions[static_cast<qsizetype>(k)]->isEnabled(),
                  items[k] == WordRow::ToChangeAName || items[k] == WordRow::Speed ||
                      items[k] == WordRow::Help || items[k] == WordRow::About ||
                      items[k] == WordRow::Radio || items[k] == WordRow::Statistics ||
                      items[k] == WordRow::Chat ||
                      ((items[k] == WordRow::ExitToMenu || items[k] == WordRow::GeneralScore) &&
                       w.screen() == TForm1::Screen::Game));
    }
    menu->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(w.findChild<QMenu*>("PopupMenu1"), nullptr);
}

TEST(Menu, SetLanguageCaptionsEveryButtonAtOnceOnTheMenuAndDuringAGame) {
    EnglishAfterwards restore;
    QTemporaryDir dir;
    TForm1 w(fastOptionsIn(dir));
    w.show();
    QTest::keyClick(&w, Qt::Key_Space);
    ASSERT_EQ(w.screen(), TForm1::Screen::Menu);
    auto* heading = w.findChild<QLabel*>("Panel4");
    ASSERT_NE(heading, nullptr);
    for (int language : {1, 8}) {
        w.SetLanguage(language);
        expectCaptions(w, language);
        expectRightButtonMenu(w, language);
        EXPECT_EQ(heading->text(), row(WordRow::TopTenHeaderScore, language));
        // The menu's picture buttons explain themselves in the language of the moment.
        const auto tip = [&](const char* name) {
            const auto* b = w.findChild<QWidget*>(name);
            return b ? b->toolTip() : QString("(missing)");
        };
        EXPECT_EQ(tip("AccountIcon"),
                  row(WordRow::MyAccount, language) + "\n" + row(WordRow::NotLoggedIn, language));
        EXPECT_EQ(tip("TourneyIcon"), row(WordRow::WorldOnlineTournament, language));
        EXPECT_EQ(tip("ImageNews"), row(WordRow::ZorNews, language));
        EXPECT_EQ(tip("ImageChat"), row(WordRow::ZorChat, language));
        EXPECT_TRUE(tip("RadioIcon").startsWith(row(WordRow::ZorInternetRadio, language)))
            << tip("RadioIcon").toStdString();
    }
    // "Mode" shows the ratings' heading, in the language shown, and back.
    QTest::mouseClick(w.menu().BMode, Qt::LeftButton);
    EXPECT_EQ(w.settings().TopTenMode, 2);
    EXPECT_EQ(heading->text(), row(WordRow::TopTenHeaderRating, 8));
    w.SetLanguage(0);
    EXPECT_EQ(heading->text(), " The members of club    Games   Rating ");
    QTest::mouseClick(w.menu().BMode, Qt::LeftButton);
    EXPECT_EQ(heading->text(), " The members of club    Games    Score ");

    // During a game: the action buttons and the table's own texts follow at once.
    clickNewPlayer(w);
    ASSERT_TRUE(runUntil([&] { return !w.busy() && w.Button7->isVisible(); }, 20000));
    const QImage inEnglish = w.view().canvas().copy();
    for (int language : {1, 8}) {
        w.SetLanguage(language);
        EXPECT_NE(w.view().canvas(), inEnglish) << language;
        expectCaptions(w, language);
        expectRightButtonMenu(w, language);
    }
    w.SetLanguage(0);
    expectCaptions(w, 0);
    EXPECT_EQ(w.view().canvas(), inEnglish);
    // An index outside the table is English.
    w.SetLanguage(12);
    expectCaptions(w, 0);
}

// A bubble keeps its text as a word-table row: drawn again, it speaks the language of the moment.
TEST(Menu, TheTablesBubblesAreDrawnAgainInTheLanguageOfTheMoment) {
    EnglishAfterwards restore;
    Settings settings;
    PictureStore pictures;
    TableView view(pictures), direct(pictures);
    view.applyWindowSize(settings, {1920, 1080});
    direct.applyWindowSize(settings, {1920, 1080});
    OpenHandsToggle open;
    TablePresenter presenter(view, open);
    presenter.show(ev::Bubble{ev::Bubble::Kind::Text, 1, Caption{WordRow::Pass, ""}, {}});
    presenter.show(ev::Bubble{ev::Bubble::Kind::Name, 2, {}, "Mr.X"});
    setCurrentLanguage(1);
    presenter.redrawAll();
    direct.speech(1, row(WordRow::Pass, 1), 'g');
    direct.speech(2, "Mr.X", 'y');
    EXPECT_EQ(view.canvas(), direct.canvas());
}

// Paints of a widget, by the region each one painted.
struct PaintRecorder : QObject {
    QRegion painted;
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) {
            ++paints;
            painted += static_cast<QPaintEvent*>(e)->region();
        }
        return false;
    }
};

struct TickCounter : QObject {
    int ticks = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Timer) ++ticks;
        return false;
    }
};

TEST(Menu, TheDecorationsTurnOnTimer1RepaintingOnlyThemselvesAndRestWithoutAnimation) {
    QTemporaryDir dir;
    TForm1 w(fastOptionsIn(dir));
    w.show();
    QTest::keyClick(&w, Qt::Key_Space);
    ASSERT_EQ(w.screen(), TForm1::Screen::Menu);
    const QRect rects[2] = {w.menu().decorationRect(0), w.menu().decorationRect(1)};
    ASSERT_FALSE(rects[0].intersects(rects[1]));
    for (auto* b : w.menu().buttons()) {
        EXPECT_FALSE(b->geometry().intersects(rects[0])) << b->objectName().toStdString();
        EXPECT_FALSE(b->geometry().intersects(rects[1])) << b->objectName().toStdString();
    }
    auto shown = [&](int k) { return w.view().canvas().copy(rects[k]); };
    const QImage resting[2] = {shown(0), shown(1)};
    // The title picture stands where the menu puts it.
    EXPECT_NE(w.view().canvas().copy(w.menu().titleRect()),
              w.view().background().copy(w.menu().titleRect()));

    // The whole menu's first painting, with the world panel's first hints.
    auto* web = w.feature<OnlineFeature>();
    ASSERT_NE(web, nullptr);
    ASSERT_TRUE(runUntil([&] { return web->worldPanel().pending() == 0; }, 10000));
    QCoreApplication::processEvents();
    PaintRecorder recorder;
    w.installEventFilter(&recorder);
    std::set<int> frames;
    ASSERT_TRUE(runUntil(
        [&] {
            frames.insert(w.menu().frame(0));
            return frames.size() >= 4;
        },
        20000));
    QCoreApplication::processEvents();
    EXPECT_GT(recorder.paints, 0);
    EXPECT_TRUE((recorder.painted - QRegion(rects[0]) - QRegion(rects[1])).isEmpty());
    EXPECT_NE(w.menu().frame(0), 0);
    EXPECT_NE(shown(0), resting[0]);

    // Without animation both go back to their resting frame, and then nothing is painted.
    w.settings().GifAnimationOn = false;
    ASSERT_TRUE(runUntil([&] { return w.menu().frame(0) == 0 && w.menu().frame(1) == 0; }, 20000));
    EXPECT_EQ(shown(0), resting[0]);
    EXPECT_EQ(shown(1), resting[1]);
    QCoreApplication::processEvents();
    recorder.paints = 0;
    auto* timer1 = w.findChild<QTimer*>("Timer1");
    ASSERT_NE(timer1, nullptr);
    TickCounter counter;
    timer1->installEventFilter(&counter);
    ASSERT_TRUE(runUntil([&] { return counter.ticks >= 3 * MenuScreen::kTicksPerFrame; }, 20000));
    EXPECT_EQ(recorder.paints, 0);
}

// The title is left with a key while the pointer already rests where "New Player" appears: the
// button knows the pointer is over it, and the first click, found by the window under the
// pointer as the platform's own clicks are, starts the game.
TEST(Menu, OneClickOnNewPlayerUnderTheRestingPointerStartsTheGame) {
    QTemporaryDir dir;
    TForm1 w(fastOptionsIn(dir));
    w.show();
    const QPoint at = w.Button6->geometry().center();
    QTest::mouseMove(&w, at);
    ASSERT_EQ(w.screen(), TForm1::Screen::Title);
    QTest::keyClick(&w, Qt::Key_Space);
    ASSERT_EQ(w.screen(), TForm1::Screen::Menu);
    EXPECT_TRUE(w.Button6->mouseOver());
    QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, at);
    logInNewPlayer(w);
    EXPECT_EQ(w.screen(), TForm1::Screen::Game);
    QCursor::setPos(0, 0);
}

// The title's colour key turns the title through its seven colours and back, kept in the
// settings; the link keys open the club's pages at the web client's service. All three stand on
// the menu only, clear of its buttons and the title.
TEST(Menu, TheTitleColourKeyAndTheWebLinks) {
    QTemporaryDir dir;
    TForm1 w(fastOptionsIn(dir));
    w.show();
    QTest::keyClick(&w, Qt::Key_Space);
    ASSERT_EQ(w.screen(), TForm1::Screen::Menu);
    MenuKeys& keys = w.menu().keys;
    for (QToolButton* k : {keys.TitleColour, keys.LinkSite, keys.LinkZors}) {
        EXPECT_TRUE(k->isVisible()) << k->objectName().toStdString();
        EXPECT_FALSE(k->toolTip().isEmpty());
        EXPECT_FALSE(k->geometry().intersects(w.menu().titleRect()));
        for (auto* b : w.menu().buttons())
            EXPECT_FALSE(k->geometry().intersects(b->geometry())) << b->objectName().toStdString();
    }
    const QImage first = w.view().canvas().copy(w.menu().titleRect());
    ASSERT_EQ(w.settings().TitleColour, 1);
    QTest::mouseClick(keys.TitleColour, Qt::LeftButton);
    EXPECT_EQ(w.settings().TitleColour, 2);
    EXPECT_NE(w.view().canvas().copy(w.menu().titleRect()), first);
    for (int i = 0; i < 6; ++i) QTest::mouseClick(keys.TitleColour, Qt::LeftButton);
    EXPECT_EQ(w.settings().TitleColour, 1);
    EXPECT_EQ(w.view().canvas().copy(w.menu().titleRect()), first);

    QList<QUrl> opened;
    keys.setUrlOpener([&](const QUrl& u) { opened << u; });
    QTest::mouseClick(keys.LinkSite, Qt::LeftButton);
    QTest::mouseClick(keys.LinkZors, Qt::LeftButton);
    const QString root = QString::fromStdString(w.online().addresses().tourney);
    EXPECT_EQ(opened, (QList<QUrl>{QUrl(root + "/index.html"), QUrl(root + "/zors.html")}));

    clickNewPlayer(w);
    ASSERT_EQ(w.screen(), TForm1::Screen::Game);
    EXPECT_FALSE(keys.TitleColour->isVisible());
}

}  // namespace
}  // namespace orvala::app
