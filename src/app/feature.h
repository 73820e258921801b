#pragma once
// A feature of the main window: one class that owns its state, widgets, timers, sockets and
// dialogs, and talks to the window (the shell) through these hooks and through `Shell`. The
// window calls every hook on every feature, in the order of the list in features.cpp; a hook a
// feature does not need stays empty. A feature never includes another feature's header: what two
// of them share lives beside the shell (account_holder.h, member_games.h, passport.h, ...).

#include <QObject>
#include <functional>
#include <map>
#include <vector>

#include "core/game/table_events.h"
#include "core/lang/word_row.h"

class QKeyEvent;
class QMenu;
class QPainter;
class QWidget;

namespace orvala::dialogs {
enum class OptionChange;
class TFormPassword;
}  // namespace orvala::dialogs

namespace orvala::app {

// The window's three screens.
enum class Screen { Title, Menu, Game };

// The right-button menu while features fill it in: each offers items by their word-table row,
// and the window shows them in its own order (rows nobody offers are shown disabled).
class ContextMenu {
  public:
    struct Item {
        bool enabled = false;
        std::function<void()> run;
    };
    void offer(WordRow row, bool enabled, std::function<void()> run) {
        items_[row] = {enabled, std::move(run)};
    }
    const Item* find(WordRow row) const {
        const auto it = items_.find(row);
        return it == items_.end() ? nullptr : &it->second;
    }
    // The menu in its order ("General score", "Exit to menu", "To change a name", "Speed",
    // "Help", "About", "Statistics", "Radio", "Chat"), deleted when it closes.
    QMenu* build(QWidget* parent) const;

  private:
    std::map<WordRow, Item> items_;
};

class Feature : public QObject {
  public:
    using QObject::QObject;
    ~Feature() override = default;

    // The screen shown now (the title left, the menu shown, the game's table entered): the
    // feature shows or hides its widgets.
    virtual void screenShown(Screen) {}
    // Its items of the right-button menu, built at each opening.
    virtual void contextMenu(ContextMenu&) {}
    // Its captions and hints in the language of the moment.
    virtual void applyLanguage() {}
    // Its widgets placed for the window's size (the view's scales are set).
    virtual void layout() {}
    // One change of the options dialog, applied at once.
    virtual void optionChanged(dialogs::OptionChange) {}

    // The game. `gameEvents`: what the rules showed (every feature hears it). `gameFinished`:
    // the rules' end of the game, told only to the feature that started it (`Shell::gameOwner`).
    virtual void gameEvents(const std::vector<TableEvent>&) {}
    virtual void gameFinished(int /*result*/) {}
    // The table is still: a step received from elsewhere may be applied now (before a computer's
    // answer is delivered), and, after it, what waits for a still table may happen.
    virtual void tableReady() {}
    virtual void tableStill() {}
    // The action buttons show the rules' state now; the feature shows its part of the table.
    virtual void controlsShown() {}
    // The game this feature runs was cut short: only leaving is left, by "Exit to menu" on the
    // right action button (`leaveCutShort`).
    virtual bool cutShort() const { return false; }
    virtual void leaveCutShort() {}
    // The game is left for the menu: the deal on the table is kept (`keepDeal`) or dropped.
    virtual void leavingGame(bool /*keepDeal*/) {}
    // The club's login form opened: a feature may take part in it (the LAN table's fields).
    virtual void loginOpened(dialogs::TFormPassword&) {}

    // A key pressed on the window (not in one of its dialogs): true when the feature used it.
    virtual bool keyPressed(QKeyEvent&) { return false; }
    // Painted over the table and the menu, in window pixels.
    virtual void paintOver(QPainter&) {}
    // The window closes (the person agreed): the last word, before the settings are saved.
    virtual void windowClosing() {}
    // The window is going away: streams, sockets and threads stop while every feature is still
    // there (the audio output may let the event loop run meanwhile).
    virtual void shutDown() {}
};

}  // namespace orvala::app
