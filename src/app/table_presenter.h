#pragma once
// The table presenter: draws the events of the rules onto the table view. It never sees the
// rules state; what it must draw again (after a change of window size or of language, or when
// the hidden open-hands number is typed) it remembers from the events themselves.

#include <QObject>
#include <array>
#include <map>
#include <optional>
#include <vector>

#include "app/open_hands.h"
#include "core/game/table_events.h"
#include "table/table_view.h"

namespace orvala::app {

class TablePresenter final : public QObject {
    Q_OBJECT
  public:
    TablePresenter(table::TableView& view, OpenHandsToggle& openHands, QObject* parent = nullptr);

    // Draws an event that takes no time (flights and pauses are the event player's).
    void show(const TableEvent& e);
    // A card lands on the table or leaves it (the event player's flights end here).
    void putCard(const Place& p, Card c);
    void takeCard(const Place& p);
    // The person's hand with one card pushed sideways by dx pixels (0: in place).
    void shakeCard(int slot, int dx);

    // Everything shown, drawn again on a cleared table.
    void redrawAll();
    // The computer seats' hands, face up or down as the open-hands toggle says.
    void redrawComputerHands();
    // The hand a seat shows now (for tests and the cursor).
    const HandArray& hand(int seat) const { return hands_[static_cast<size_t>(seat)]; }
    int handCount(int seat) const { return counts_[static_cast<size_t>(seat)]; }
    void forget();  // a new game: nothing remembered
    // The face-up card lying on the table (the talon or the trick) under a window point.
    std::optional<Card> cardOnTableAt(QPoint p) const;
    // The person's new name in its bubble, when the bubble shows the name now.
    void renamePerson(const std::string& name);
    // A seat's name shown with the computer's mark while the computer plays it for a lost
    // machine.
    void markComputer(int seat, bool on);

    // What a seat's panel shows now.
    struct Panel {
        int score = 0;
        int dealPoints = 0;
        std::optional<int> figure;  // the bid or the contract
        bool turnMark = false;
        bool barrel = false;
        int bolts = 0;
        bool finalColours = false;
        bool shown = false;
    };
    const Panel& panel(int seat) const { return panels_[static_cast<size_t>(seat)]; }
    // The face-up cards lying on the table (the open talon, the trick, given cards), in the
    // order they were put there.
    std::vector<Card> cardsOnTable() const;

  signals:
    void returnToMenu();
    void changed();

  private:
    // A bubble keeps its word-table text rather than the words, so that it is drawn again in
    // the language of the moment.
    struct Speech {
        std::optional<Caption> caption;
        QString name;  // a seat's name, when there is no caption
        char colour = 'y';
        QString text() const;
    };
    void drawHand(int seat);
    QString speechText(int seat) const;
    void drawPanel(int seat, bool whole);

    table::TableView& view_;
    OpenHandsToggle& openHands_;
    std::array<HandArray, 4> hands_{};
    std::array<int, 4> counts_{};
    std::array<Panel, 4> panels_{};
    std::array<Speech, 4> speech_{};
    std::array<bool, 4> computerMark_{};
    bool dealOpen_ = false;  // the hands lie open at the end of a given-up deal
    int dealNumber_ = 0;
    SuitCode trump_ = kNoSuit;
    std::vector<std::pair<Place, Card>> onTable_;
};

}  // namespace orvala::app
