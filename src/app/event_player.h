#pragma once
// The event player: plays the rules' events in order. Flights of cards are animated at the
// speed of the settings, fixed pauses and synchronous sounds are waited out, a refused card is
// shaken, sounds and spoken cards go to the sound output; everything else the table presenter
// draws at once. While it is busy no input reaches
// the rules: it is the window's one "busy" gate. The window stays responsive throughout: every
// wait is a timer, never a blocking call.
//
// With `fast` on (tests of whole games, the demo's quick runs) events play without flights,
// pauses or shakes, in the same order; sounds still start, but none is waited for.

#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <deque>
#include <functional>
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
    // Milliseconds from any fixed start; the waits are measured on it. A steady clock unless a
    // test sets its own.
    using Clock = std::function<qint64()>;
    void setClock(Clock clock) { clock_ = std::move(clock); }
    // Where sounds go: `play` starts a wave and answers how long the player must hold for it (0
    // for none, or when nothing played); `speak` says a card's name.
    void setSoundOutput(std::function<int(Wave, bool synchronous)> play,
                        std::function<void(Card)> speak) {
        playSound_ = std::move(play);
        speak_ = std::move(speak);
    }
    // Holds the table for `ms` after what is playing now: a synchronous sound played outside
    // the events.
    void holdFor(int ms);

    void play(const std::vector<TableEvent>& events);
    bool busy() const { return !queue_.empty() || !flights_.empty() || waitMs_ > 0 || shake_ > 0; }
    // Everything queued or under way is dropped where it is (leaving the game).
    void stop();
    // Plays what is due now. The frame timer calls it every millisecond; a test with its own
    // clock may call it too.
    void step() { onFrame(); }

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
    Clock clock_;
    qint64 waitFrom_ = 0;
    qint64 shakeAt_ = -1;  // when the shake last moved; -1 before its first frame
    int waitMs_ = 0;
    double stepBudget_ = 0;
    int shake_ = 0;  // frames of the shake still to show
    int shakeSlot_ = 0;
    int speed_ = 3;
    bool flying_ = true;
    bool fast_ = false;
    bool inFrame_ = false;
    std::function<int(Wave, bool)> playSound_;
    std::function<void(Card)> speak_;
};

}  // namespace orvala::app
