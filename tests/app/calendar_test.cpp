// The holiday calendar of the main menu: the cards drawn from the built calendar library, the
// panel's turning and its new day on a virtual clock, and the two cards in the window.

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "app/calendar_panel.h"
#include "app/tform1.h"
#include "app/window_parts.h"
#include "core/online/operations.h"
#include "core/records/club_member.h"
#include "dialogs/chat_dialog.h"
#include "dialogs/count_dialog.h"
#include "dialogs/options_dialog.h"
#include "dialogs/password_dialog.h"
#include "dialogs/radio_dialog.h"
#include "core/calendar/calendar_day.h"
#include "core/lang/word_table.h"
#include "table/art_names.h"
#include "table/calendar_cards.h"
#include "table/picture_names.h"
#include "table/table_geometry.h"
#include "window_helpers.h"

namespace orvala::app {
namespace {

using calendar::CivilDate;

const QString kLibrary = QDir(ORVALA_LIBRARY_DIR).filePath(table::kCalendarLibrary);

table::BuiltCalendar cardsOf(CivilDate date, int language = 0, const QString& lib = kLibrary) {
    return table::BuildCalendar(lib, "Comic Sans MS", 12, 8, language, date, QSize(120, 200));
}

// Pixels of the day number's line (design y 22..40 of the 60 x 100 card) that are plainly red.
int redPixelsOfDayNumber(const QImage& card) {
    int red = 0;
    for (int y = 44; y < 80; ++y)
        for (int x = 0; x < card.width(); ++x) {
            const QColor c = card.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 80 && c.blue() < 80) ++red;
        }
    return red;
}

TEST(CalendarCards, TheDayTheYearAndTheHolidaysWithTheirHints) {
    // 9 May 2022, a Monday: the date, the Tiger, and Victory day with its anniversary.
    const auto monday = cardsOf({2022, 5, 9});
    ASSERT_TRUE(monday.ok);
    ASSERT_EQ(monday.cards.size(), 3u);
    EXPECT_EQ(monday.cards[0].hint, "Taurus");
    EXPECT_EQ(monday.cards[1].hint, "Year Of The Tiger");
    EXPECT_EQ(monday.cards[2].hint,
              "Victory day in Great Patriotic war (77-th anniversary, Russian Festival)");
    for (const auto& c : monday.cards) EXPECT_EQ(c.image.size(), QSize(120, 200));
    // The holiday's picture stands on the leaf: the card differs from the year's.
    EXPECT_NE(monday.cards[1].image, monday.cards[2].image);
    EXPECT_EQ(redPixelsOfDayNumber(monday.cards[0].image), 0);

    // The Sunday before, French Victory day: its number is red.
    const auto sunday = cardsOf({2022, 5, 8});
    ASSERT_TRUE(sunday.ok);
    EXPECT_EQ(sunday.cards.size(), 3u);
    EXPECT_GT(redPixelsOfDayNumber(sunday.cards[0].image), 20);

    // Another language names the same cards in its own words.
    const auto russian = cardsOf({2022, 5, 9}, 1);
    ASSERT_TRUE(russian.ok);
    const auto expected = calendar::calendarDay({2022, 5, 9}, 1);
    EXPECT_EQ(russian.cards[2].hint.toStdString(), expected->holidays[0].hint);
}

TEST(CalendarCards, NoCardsWithoutAGoodLibraryOrForADateBeyondTheCalendar) {
    EXPECT_FALSE(cardsOf({2022, 5, 9}, 0, "").ok);
    EXPECT_FALSE(cardsOf({2022, 5, 9}, 0, "/nonexistent/ZorCalendar01.dll").ok);
    QTemporaryDir dir;
    const QString damaged = QDir(dir.path()).filePath(table::kCalendarLibrary);
    QFile f(damaged);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'q'));
    f.close();
    EXPECT_FALSE(cardsOf({2022, 5, 9}, 0, damaged).ok);
    EXPECT_FALSE(cardsOf({2101, 1, 1}).ok);
    EXPECT_TRUE(cardsOf({2100, 12, 31}).ok);
}

// A panel over a window of its own, libraries in the build folder, the time set by the test.
struct PanelOnAClock {
    QDateTime now;
    Settings settings;
    PictureStore pictures{QStringList{ORVALA_LIBRARY_DIR}};
    TableView view{pictures};
    QWidget window;
    CalendarPanel panel{&window, view, pictures, settings, [this] { return now; }};
    explicit PanelOnAClock(QDateTime start) : now(std::move(start)) {
        view.applyWindowSize(settings, QSize(1920, 1080));
        panel.layout();
        panel.show();
    }
};

TEST(CalendarPanel, TheRightCardTurnsEveryTickAndANewDayBringsItsOwnCards) {
    // 2022-08-21 23:59:40, a Sunday: the date and the year only.
    PanelOnAClock p(QDateTime(QDate(2022, 8, 21), QTime(23, 59, 40)));
    QSignalSpy ticks(&p.panel, &CalendarPanel::ticked);
    ASSERT_TRUE(p.panel.available());
    EXPECT_TRUE(p.panel.TimerCalTimer.isActive());
    EXPECT_EQ(p.panel.TimerCalTimer.interval(), 10'000);
    EXPECT_EQ(p.panel.cardCount(), 2);
    EXPECT_EQ(p.panel.ImageCal1->toolTip(), "Leo");
    EXPECT_EQ(p.panel.ImageCal2->toolTip(), "Year Of The Tiger");
    const auto r = table::mapRect(p.view.scales(), 550, 95, 60, 100);
    EXPECT_EQ(p.panel.ImageCal2->geometry(), QRect(r.left, r.top, r.width, r.height));
    p.panel.tick();  // one card only on the right: it stays
    EXPECT_EQ(p.panel.rightCard(), 2);

    // Midnight: the next tick shows Monday with the flag day, which the ticks then turn to and
    // from.
    p.now = QDateTime(QDate(2022, 8, 22), QTime(0, 0, 5));
    p.panel.tick();
    EXPECT_EQ(p.panel.cardCount(), 3);
    EXPECT_EQ(p.panel.rightCard(), 2);
    p.panel.tick();
    EXPECT_EQ(p.panel.rightCard(), 3);
    EXPECT_TRUE(p.panel.ImageCal2->toolTip().startsWith("The day of the national flag"));
    p.panel.tick();
    EXPECT_EQ(p.panel.rightCard(), 2);
    EXPECT_EQ(ticks.count(), 4);

    // Off the menu the cards hide and the timer rests.
    p.panel.hide();
    EXPECT_FALSE(p.panel.TimerCalTimer.isActive());
    EXPECT_FALSE(p.panel.ImageCal1->isVisibleTo(&p.window));
}

TEST(CalendarPanel, TheWindowShowsTheCardsOnTheMenuOnlyWithTheLibrary) {
    EnglishAfterwards english;
    HomeWithLibraries libs;
    TForm1 w(fastOptionsWith(libs));
    w.applyWindowSize();
    w.show();
    QTest::keyClick(&w, Qt::Key_Space);
    ASSERT_EQ(w.screen(), TForm1::Screen::Menu);
    CalendarPanel& cal = w.calendar();
    ASSERT_TRUE(cal.available());
    EXPECT_TRUE(cal.ImageCal1->isVisible());
    EXPECT_TRUE(cal.ImageCal2->isVisible());
    const QDate today = QDate::currentDate();
    const auto day = calendar::calendarDay({today.year(), today.month(), today.day()}, 3);
    w.SetLanguage(3);  // French: the cards are built again in it
    EXPECT_EQ(cal.ImageCal1->toolTip().toStdString(), day->date.zodiac.hint);
    // The cards are drawn into the window over its background.
    const QImage shot = w.grab().toImage();
    const QImage card = shot.copy(cal.ImageCal1->geometry());
    EXPECT_NE(card.pixelColor(card.width() / 2, card.height() / 2),
              w.view().background().pixelColor(cal.ImageCal1->geometry().center()));

    clickNewPlayer(w);
    ASSERT_EQ(w.screen(), TForm1::Screen::Game);
    EXPECT_FALSE(cal.ImageCal1->isVisible());
    EXPECT_FALSE(cal.TimerCalTimer.isActive());

    // Without the library there is no calendar at all.
    QTemporaryDir bare;
    TForm1 plain(fastOptionsIn(bare));
    plain.applyWindowSize();
    plain.show();
    QTest::keyClick(&plain, Qt::Key_Space);
    ASSERT_EQ(plain.screen(), TForm1::Screen::Menu);
    EXPECT_FALSE(plain.calendar().available());
    EXPECT_FALSE(plain.calendar().ImageCal1->isVisible());
    EXPECT_FALSE(plain.calendar().TimerCalTimer.isActive());
}

}  // namespace
}  // namespace orvala::app
