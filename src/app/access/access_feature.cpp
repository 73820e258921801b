#include "app/access/access_feature.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <utility>

#include "app/game_session.h"
#include "app/table_presenter.h"
#include "core/settings/settings.h"
#include "table/table_view.h"
#include "table/word_text.h"

namespace orvala::app {

using table::word;

AccessFeature::AccessFeature(Shell& shell)
    : shell_(shell),
      access_(std::make_unique<TableAccessibility>(shell.window(),
                                                   static_cast<TableItemsSource&>(*this))) {}

AccessFeature::~AccessFeature() = default;

void AccessFeature::screenShown(Screen screen) {
    if (screen != Screen::Game) return;
    announcer_.reset();
    focus_ = EmptyCard;
    focusSlot_ = 1;
    pressWaiting_ = false;
    // A game started from a key of the menu or a dialog: the keys are the table's once the
    // dialog has closed.
    QTimer::singleShot(0, this, [this] {
        if (shell_.screen() != Screen::Game || QApplication::activeModalWidget()) return;
        shell_.window().activateWindow();
        shell_.window().setFocus();
    });
    access_->changed();
}

void AccessFeature::applyLanguage() {
    // Enter presses the window's focused key (the menu's, the action buttons), as Space does.
    for (auto* b : shell_.window().findChildren<QPushButton*>(Qt::FindDirectChildrenOnly))
        b->setAutoDefault(true);
    for (auto [name, key] : {std::pair{"Button7", "F7"}, std::pair{"Button8", "F8"}})
        if (auto* b = shell_.window().findChild<QPushButton*>(name)) {
            b->setToolTip(word(WordRow::KeyHint).arg(key));
            b->setAccessibleDescription(b->toolTip());
        }
    // A picture key is named by its hint.
    for (auto* b : shell_.window().findChildren<QToolButton*>())
        if (b->text().isEmpty() &&
            (b->accessibleName().isEmpty() || b->property("namedByHint").toBool())) {
            b->setAccessibleName(b->toolTip());
            b->setProperty("namedByHint", true);
        }
}

void AccessFeature::gameEvents(const std::vector<TableEvent>& events) {
    // What one batch of events says is one announcement: a screen reader reads the status bar's
    // name when it hears of the change, by which time a second change would have replaced the
    // first.
    const QStringList said = announcer_.announce(events, shell_.session().state());
    if (!said.isEmpty()) {
        announced_ << said.join("; ");
        access_->announced();
    }
    access_->changed();
}

void AccessFeature::tableStill() {
    // A key that waited for the table plays its card, if the rules still take it.
    if (!std::exchange(pressWaiting_, false)) return;
    if (const int slot = focusedCard(); slot > 0 && playable(slot)) playFocused();
}

void AccessFeature::controlsShown() {
    followHand();
    if (keyboard_) shell_.window().update();
}

int AccessFeature::handCount() const {
    return shell_.screen() == Screen::Game ? shell_.presenter().handCount(3) : 0;
}

bool AccessFeature::playable(int slot) const {
    return shell_.screen() == Screen::Game &&
           shell_.session().accepts(in::ClickHand{slot, MouseButton::Left});
}

int AccessFeature::focusedCard() const {
    const int n = handCount();
    if (n == 0) return 0;
    const HandArray& hand = shell_.presenter().hand(3);
    for (int i = 1; i <= n; ++i)
        if (hand[static_cast<size_t>(i)] == focus_) return i;
    return std::clamp(focusSlot_, 1, n);
}

void AccessFeature::followHand() {
    const int slot = focusedCard();
    if (slot == 0) return;
    focusOn(slot);
}

void AccessFeature::focusOn(int slot) {
    focusSlot_ = slot;
    focus_ = shell_.presenter().hand(3)[static_cast<size_t>(slot)];
}

void AccessFeature::moveFocus(int step, bool toEnd) {
    const int n = handCount();
    if (n == 0) return;
    // Where the rules allow only some cards, the focus visits only those; otherwise (the
    // person's turn has not come, or every card may be chosen) it visits the whole hand.
    bool some = false;
    for (int i = 1; i <= n && !some; ++i) some = playable(i);
    auto eligible = [&](int slot) { return !some || playable(slot); };
    int slot = focusedCard();
    if (toEnd) slot = step < 0 ? 0 : n + 1;
    for (int i = slot + step; i >= 1 && i <= n; i += step)
        if (eligible(i)) {
            slot = i;
            break;
        }
    if (slot < 1 || slot > n || !eligible(slot)) {
        // Nothing further that way: the focus stays, or goes to the first it may take.
        slot = focusedCard();
        if (!eligible(slot))
            for (int i = 1; i <= n; ++i)
                if (eligible(i)) {
                    slot = i;
                    break;
                }
    }
    focusOn(slot);
    keyboard_ = true;
    shell_.window().update();
    access_->focusMoved();
}

void AccessFeature::playFocused() {
    const int slot = focusedCard();
    if (slot == 0) return;
    keyboard_ = true;
    if (shell_.busy()) {
        // The table still moves (a marriage's call, a flight): the key waits for it, where a
        // click would be dropped, since a person at the keyboard cannot see why nothing
        // happened.
        pressWaiting_ = playable(slot);
        return;
    }
    pressWaiting_ = false;
    // A card that may not be played is refused as a click on it would be.
    shell_.session().input(in::ClickHand{slot, MouseButton::Left});
    shell_.syncControls();
    shell_.window().update();
}

bool AccessFeature::keyPressed(QKeyEvent& e) {
    const bool shift = e.modifiers() & Qt::ShiftModifier;
    if (e.key() == Qt::Key_F10 && shift && shell_.screen() != Screen::Title) {
        QWidget& w = shell_.window();
        const QPoint at = w.rect().center();
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, w.mapToGlobal(at));
        QCoreApplication::sendEvent(&w, &menu);
        return true;
    }
    if (shell_.screen() != Screen::Game) return false;
    switch (e.key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
            moveFocus(e.key() == Qt::Key_Left ? -1 : 1, false);
            return true;
        case Qt::Key_Home:
        case Qt::Key_End:
            moveFocus(e.key() == Qt::Key_Home ? -1 : 1, true);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (handCount() == 0) return false;
            playFocused();
            return true;
        case Qt::Key_F7:
        case Qt::Key_F8:
            if (auto* b = shell_.window().findChild<QPushButton*>(
                    e.key() == Qt::Key_F7 ? "Button7" : "Button8");
                b && b->isVisible() && b->isEnabled())
                b->click();
            return true;
        default:
            return false;
    }
}

void AccessFeature::paintOver(QPainter& p) {
    const int slot = focusedCard();
    if (!keyboard_ || slot == 0 || !shell_.window().hasFocus()) return;
    // A frame in the table's design around the card's visible part.
    const table::TableView& view = shell_.view();
    const double s = view.scale();
    const QColor colour =
        shell_.settings().TableDesign == 1 ? QColor(226, 186, 255) : QColor(255, 214, 64);
    const int width = std::max(2, qRound(3 * s));
    const QRect r = view.markStrip(slot).adjusted(width / 2, width / 2, -width / 2, -width / 2);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(colour, width));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r, 4 * s, 4 * s);
    p.restore();
}

bool AccessFeature::tableShown() const {
    return shell_.screen() == Screen::Game;
}

int AccessFeature::countOf(ItemKind list) const {
    if (list == ItemKind::HandList) return std::min(handCount(), 10);
    if (list == ItemKind::TableList)
        return std::min(static_cast<int>(shell_.presenter().cardsOnTable().size()), 6);
    return 0;
}

ItemView AccessFeature::view(ItemKind kind, int index) const {
    ItemView v;
    const TablePresenter& presenter = shell_.presenter();
    const RulesState& state = shell_.session().state();
    const GameRecord& g = state.g;
    switch (kind) {
        case ItemKind::HandList:
            v.name = word(WordRow::SpokenYourHand);
            v.description = word(WordRow::SpokenHandKeys);
            for (int i = 1; i <= handCount(); ++i) v.rect |= shell_.view().cardRect(3, i);
            break;
        case ItemKind::HandCard: {
            if (index < 1 || index > handCount()) break;
            v.name = spokenCard(presenter.hand(3)[static_cast<size_t>(index)]);
            v.rect = shell_.view().markStrip(index);
            v.enabled = playable(index);
            v.focused = index == focusedCard() && shell_.window().hasFocus();
            const bool giving = g.Declarer == 3 && (g.GameState == GameState::ChoosingGive ||
                                                    g.GameState == GameState::GiveChosen);
            v.selected = giving && (g.GiveSlot1 == index || g.GiveSlot2 == index);
            break;
        }
        case ItemKind::TableList:
            v.name = word(WordRow::SpokenTable);
            break;
        case ItemKind::TableCard: {
            const std::vector<Card> cards = presenter.cardsOnTable();
            if (index >= 1 && index <= static_cast<int>(cards.size()))
                v.name = spokenCard(cards[static_cast<size_t>(index - 1)]);
            break;
        }
        case ItemKind::Seat: {
            if (index < 1 || index > 3) break;
            const TablePresenter::Panel& panel = presenter.panel(index);
            SeatWords seat;
            seat.name = seatName(state, index);
            seat.score = panel.score;
            seat.figure = panel.figure;
            seat.declares = g.Declarer == index && g.Contract > 0;
            seat.toMove = seatToBid(g.GameState) == index || seatToPlay(g.GameState) == index;
            v.name = spokenSeat(seat);
            break;
        }
        case ItemKind::Status:
            v.name = announced_.isEmpty() ? QString() : announced_.back();
            break;
    }
    return v;
}

void AccessFeature::activate(ItemKind kind, int index) {
    if (kind != ItemKind::HandCard || index < 1 || index > handCount()) return;
    focusOn(index);
    playFocused();
}

}  // namespace orvala::app
