#include "app/calendar_panel.h"

#include "table/picture_names.h"
#include "table/table_geometry.h"

namespace orvala::app {
namespace {

// The cards' font and sizes: the informal hand of the menu, day 12 points, month 8.
constexpr const char* kCardFont = "Comic Sans MS";
constexpr int kDaySize = 12, kMonthSize = 8;
constexpr double kLeftX = 150, kRightX = 550, kTop = 95, kWidth = 60, kHeight = 100;

calendar::CivilDate civilDateOf(const QDate& d) {
    return {d.year(), d.month(), d.day()};
}

QLabel* cardLabel(QWidget* window, const char* name) {
    auto* label = new QLabel(window);
    label->setObjectName(name);
    // Transparent: the window's background shows around the leaf's rounded corners.
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setScaledContents(false);
    // Tab reaches a card, which then says its hint to a screen reader, framed in gold.
    label->setFocusPolicy(Qt::TabFocus);
    label->setStyleSheet("QLabel:focus { border: 2px solid #ffd640; border-radius: 6px; }");
    label->hide();
    return label;
}

}  // namespace

CalendarPanel::CalendarPanel(QWidget* window, const table::TableView& view,
                             const table::PictureStore& pictures, const Settings& settings,
                             Clock clock)
    : view_(view), pictures_(pictures), settings_(settings), clock_(std::move(clock)) {
    if (!clock_) clock_ = [] { return QDateTime::currentDateTime(); };
    ImageCal1 = cardLabel(window, "ImageCal1");
    ImageCal2 = cardLabel(window, "ImageCal2");
    TimerCalTimer.setInterval(kTickMilliseconds);
    connect(&TimerCalTimer, &QTimer::timeout, this, &CalendarPanel::tick);
}

void CalendarPanel::layout() {
    const auto place = [&](QLabel* label, double x) {
        const auto r = table::mapRect(view_.scales(), x, kTop, kWidth, kHeight);
        label->setGeometry(r.left, r.top, r.width, r.height);
    };
    place(ImageCal1, kLeftX);
    place(ImageCal2, kRightX);
    rebuild();
}

void CalendarPanel::rebuild() {
    builtFor_ = civilDateOf(clock_().date());
    built_ =
        table::BuildCalendar(pictures_.findLibrary(table::kCalendarLibrary), kCardFont, kDaySize,
                             kMonthSize, settings_.LanguageIndex, builtFor_, ImageCal1->size());
    right_ = 1;
    if (!built_.ok) {
        ImageCal1->hide();
        ImageCal2->hide();
        TimerCalTimer.stop();
        return;
    }
    ImageCal1->setPixmap(QPixmap::fromImage(built_.cards[0].image));
    ImageCal1->setToolTip(built_.cards[0].hint);
    ImageCal1->setAccessibleName(built_.cards[0].hint);
    showRight();
    if (shown_) show();
}

void CalendarPanel::showRight() {
    ImageCal2->setPixmap(QPixmap::fromImage(built_.cards[right_].image));
    ImageCal2->setToolTip(built_.cards[right_].hint);
    ImageCal2->setAccessibleName(built_.cards[right_].hint);
}

void CalendarPanel::show() {
    shown_ = true;
    if (!built_.ok) return;
    ImageCal1->show();
    ImageCal2->show();
    if (!TimerCalTimer.isActive()) TimerCalTimer.start();
}

void CalendarPanel::hide() {
    shown_ = false;
    ImageCal1->hide();
    ImageCal2->hide();
    if (!keepBeating_) TimerCalTimer.stop();
}

void CalendarPanel::keepBeating(bool on) {
    keepBeating_ = on;
    if (on && built_.ok && !TimerCalTimer.isActive()) TimerCalTimer.start();
    if (!on && !shown_) TimerCalTimer.stop();
}

void CalendarPanel::tick() {
    if (!built_.ok) return;
    if (!shown_) {
        if (keepBeating_) emit ticked();
        return;
    }
    // Just after midnight the cards show the new day. Comparing dates rather than watching the
    // first half-minute of the day also catches a machine that slept through it.
    if (civilDateOf(clock_().date()) != builtFor_) {
        rebuild();
    } else {
        right_ = right_ + 1 < built_.cards.size() ? right_ + 1 : 1;
        showRight();
    }
    emit ticked();
}

}  // namespace orvala::app
