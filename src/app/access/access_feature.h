#pragma once
// Play by keyboard alone, and with a screen reader. At the table, Left and Right move the
// keyboard's focus over the hand (over the cards that may be played, when the rules allow only
// some), Enter or Space plays the focused card or chooses it to give, F7 and F8 press the two
// action buttons, and Shift+F10 opens the right-button menu (as the menu key does). The focus
// is drawn around the card in the table's design once keys are used. For a screen reader the
// table's cards, seat panels and announcements are accessible objects (table_accessible.h)
// whose words come from the word table (spoken_table.h).

#include <QStringList>
#include <memory>

#include "app/access/spoken_table.h"
#include "app/access/table_accessible.h"
#include "app/shell.h"

namespace orvala::app {

class AccessFeature final : public Feature, private TableItemsSource {
  public:
    explicit AccessFeature(Shell& shell);
    ~AccessFeature() override;

    void screenShown(Screen screen) override;
    void applyLanguage() override;
    void gameEvents(const std::vector<TableEvent>& events) override;
    void tableStill() override;
    void controlsShown() override;
    bool keyPressed(QKeyEvent& e) override;
    void paintOver(QPainter& p) override;

    // What a screen reader was told so far, in order: one announcement for each batch of events
    // that says something.
    const QStringList& announcements() const { return announced_; }
    // The hand card (1-based) the keyboard's focus is on, 0 when none.
    int focusedCard() const override;
    TableAccessibility& accessibility() { return *access_; }

  private:
    // TableItemsSource
    bool tableShown() const override;
    int countOf(ItemKind list) const override;
    ItemView view(ItemKind kind, int index) const override;
    void activate(ItemKind kind, int index) override;

    int handCount() const;
    // The rules let the card of hand slot `slot` be played or chosen now (a key pressed while
    // the table still moves is dropped, as a click is).
    bool playable(int slot) const;
    // Moves the focus by `step` cards (or to the first or last, with `toEnd`), over the cards
    // that may be played when only some may.
    void moveFocus(int step, bool toEnd);
    void playFocused();
    // The focus follows its card when the hand changes, or stays at its place when the card
    // left.
    void followHand();
    void focusOn(int slot);

    Shell& shell_;
    Announcer announcer_;
    QStringList announced_;
    Card focus_ = EmptyCard;
    int focusSlot_ = 0;
    bool keyboard_ = false;      // keys were used at the table: the focus is drawn
    bool pressWaiting_ = false;  // Enter on a card while the table moved: played once still
    std::unique_ptr<TableAccessibility> access_;
};

}  // namespace orvala::app
