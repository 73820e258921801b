#pragma once
// The owner-drawn table as a screen reader sees it. The main window's accessible object gets,
// after its widgets, the table's own objects while a game is on the table: a list "Your hand"
// with one item per card, a list "Table" with the cards lying there, a label per seat panel and
// a status bar that carries the last announcement. None of them is a widget: each asks the
// `TableItemsSource` what it is now (its name, place and state), so nothing is kept twice.

#include <QAccessible>
#include <QRect>
#include <QString>
#include <functional>
#include <vector>

class QWidget;

namespace orvala::app {

class TableItem;

enum class ItemKind { HandList, HandCard, TableList, TableCard, Seat, Status };

// An item as it is now.
struct ItemView {
    QString name;
    QString description;
    QRect rect;  // in window pixels
    bool enabled = true;
    bool focused = false;
    bool selected = false;
};

class TableItemsSource {
  public:
    virtual ~TableItemsSource() = default;
    // The table's objects exist only while a game is on the table.
    virtual bool tableShown() const = 0;
    // How many cards the hand (HandList) or the table (TableList) holds.
    virtual int countOf(ItemKind list) const = 0;
    virtual ItemView view(ItemKind kind, int index) const = 0;
    // The item's default action (a card of the hand is played or chosen).
    virtual void activate(ItemKind kind, int index) = 0;
    // The hand card that has the keyboard focus (1-based), 0 when none.
    virtual int focusedCard() const = 0;
};

// The table's objects for `window`, asked of `source`; they live as long as this does.
class TableAccessibility {
  public:
    TableAccessibility(QWidget& window, TableItemsSource& source);
    ~TableAccessibility();
    TableAccessibility(const TableAccessibility&) = delete;
    TableAccessibility& operator=(const TableAccessibility&) = delete;

    // Screen readers are told: the keyboard's card, a new announcement, a changed hand or table.
    void focusMoved();
    void announced();
    void changed();
    // Hears every notification too, whether or not a screen reader listens (for tests).
    using Observer = std::function<void(QAccessible::Event, QAccessibleInterface*)>;
    void observe(Observer observer) { observer_ = std::move(observer); }

    // For the window's accessible object and the items.
    QWidget& window() const { return window_; }
    TableItemsSource& source() const { return source_; }
    // The top objects (the two lists, the seats, the status bar) while the table is shown.
    int topCount() const;
    QAccessibleInterface* top(int i) const;
    QAccessibleInterface* item(ItemKind kind, int index) const;

  private:
    void notify(QAccessibleInterface* item, QAccessible::Event type);

    QWidget& window_;
    TableItemsSource& source_;
    std::vector<TableItem*> hand_, table_, seats_;
    TableItem *handList_ = nullptr, *tableList_ = nullptr, *status_ = nullptr;
    std::vector<QAccessible::Id> ids_;
    Observer observer_;
};

}  // namespace orvala::app
