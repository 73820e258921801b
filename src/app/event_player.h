#pragma once
// The event player: plays the rules' events in order. Flights of cards are animated at the
// speed of the settings, fixed pauses and synchronous sounds are waited out, a refused card is
// shaken; everything else the table presenter draws at once. While it is busy no input reaches
// the rules: it is the window's one "busy" gate. The window stays responsive throughout: every
// wait is a timer, never a blocking call.
//
// With `fast` on (tests of whole games, the demo's quick runs) events play without flights,
// pauses or shakes, in the same order.

#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <deque>
#include <vector>

#include "app/table_presenter.h"
#include "table/table_geometry.h"

namespace orvala::app {

class EventPlayer final : public QObject {
    Q_OBJECT
  public:
    EventPlayer(TablePresenter& presenter, table::TableView& view, QObject* parent = nullptr);

    // speed: the settings' Speed (1 slowest .. 7 no flights); flying: FlyingCardsOn.
    void setPace(int speed, bool flying) {
        speed_ = speed;
        flying_ = flying;
    }
    void setFast(bool fast) { fast_ = fast; }

    void play(const std::vector<TableEvent>& events);
    bool busy() const { return !queue_.empty() || !flights_.empty() || waitMs_ > 0 || shake_ > 0; }
    // Everything queued or under way is dropped where it is (leaving the game).
    void stop();

    struct Flight {
        QImage picture;
        std::vector<QPoint> path;
        size_t at = 0;
        Place to;
        Card card;
        bool leaveOnTable = false;
    };
    const std::vector<Flight>& flights() const { return flights_; }

  signals:
    void changed();  // the table or a flight moved: repaint
    void idle();     // everything has been played

  private:
    void onFrame();
    bool playOne();  // false when the event needs time
    void startFlight(const Card& c, const Place& from, const Place& to, bool faceUp, bool land);
    void landFlights();

    TablePresenter& presenter_;
    table::TableView& view_;
    QTimer frame_;
    std::deque<TableEvent> queue_;
    std::vector<Flight> flights_;
    table::FlightPacer pacer_;
    QElapsedTimer waitClock_;
    int waitMs_ = 0;
    double stepBudget_ = 0;
    int shake_ = 0;  // frames of the shake still to show
    int shakeSlot_ = 0;
    int speed_ = 3;
    bool flying_ = true;
    bool fast_ = false;
};

}  // namespace orvala::app
