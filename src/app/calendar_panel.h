#pragma once
// The holiday calendar of the main menu: two cards at design (150, 95) and (550, 95), each
// 60 x 100. The left one shows the date card; the right one turns, at every tick of the
// ten-second timer TimerCalTimer, through the year card and the day's holidays, wrapping back to
// the year. Each card's hint is its tooltip.
//
// The cards are built when the menu is laid out, when the language or the table background
// changes (rebuild()), and at a tick that finds the date changed since they were built (which is
// the first tick after midnight). Without the calendar library "ZorCalendar01.dll" in the
// program's folder or the folder above, no card is shown and the timer does not run.
//
// The timer's tick is also the beat of the chat and news watch: ticked() is emitted at every one.
// Off the menu the timer rests, unless the watch asks it to keep beating (keepBeating), which it
// does while the player wants the chat to open by itself during a game; the cards then stay
// hidden and do not turn.

#include <QDateTime>
#include <QLabel>
#include <QObject>
#include <QTimer>
#include <functional>
#include <vector>

#include "core/calendar/civil_date.h"
#include "core/settings/settings.h"
#include "table/calendar_cards.h"
#include "table/picture_store.h"
#include "table/table_view.h"

namespace orvala::app {

class CalendarPanel final : public QObject {
    Q_OBJECT
  public:
    static constexpr int kTickMilliseconds = 10'000;
    // The local date and time; tests give a clock of their own.
    using Clock = std::function<QDateTime()>;

    CalendarPanel(QWidget* window, const table::TableView& view,
                  const table::PictureStore& pictures, const Settings& settings, Clock clock = {});

    QLabel* ImageCal1 = nullptr;  // the date card
    QLabel* ImageCal2 = nullptr;  // the turning card
    QTimer TimerCalTimer;

    // Positions from the view's scales, then the cards built again at that size.
    void layout();
    // BuildCalendar for today in the current language, showing card 1 and card 2.
    void rebuild();
    void show();
    void hide();
    // One tick of TimerCalTimer: a new day rebuilds, otherwise the right card turns.
    void tick();
    void keepBeating(bool on);

    bool available() const { return built_.ok; }
    int cardCount() const { return static_cast<int>(built_.cards.size()); }
    // 2 .. cardCount(), the card on the right.
    int rightCard() const { return right_ + 1; }

  signals:
    void ticked();

  private:
    void showRight();

    const table::TableView& view_;
    const table::PictureStore& pictures_;
    const Settings& settings_;
    Clock clock_;
    table::BuiltCalendar built_;
    calendar::CivilDate builtFor_;
    size_t right_ = 1;  // index into built_.cards
    bool shown_ = false;
    bool keepBeating_ = false;
};

}  // namespace orvala::app
