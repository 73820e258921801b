#include "app/access/table_accessible.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QWidget>
#include <QWindow>

namespace orvala::app {
namespace {

// The windows whose table is described, by window.
QHash<const QWidget*, TableAccessibility*>& described() {
    static QHash<const QWidget*, TableAccessibility*> tables;
    return tables;
}

// The main window: its widgets first, then the table's objects.
class WindowAccessible final : public QAccessibleWidget {
  public:
    explicit WindowAccessible(QWidget* w)
        : QAccessibleWidget(w, w->isWindow() ? QAccessible::Window : QAccessible::Client) {}

    int childCount() const override {
        const TableAccessibility* t = table();
        return QAccessibleWidget::childCount() + (t ? t->topCount() : 0);
    }
    QAccessibleInterface* child(int i) const override {
        const int widgets = QAccessibleWidget::childCount();
        if (i < widgets) return QAccessibleWidget::child(i);
        const TableAccessibility* t = table();
        return t ? t->top(i - widgets) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* c) const override {
        if (c && c->object()) return QAccessibleWidget::indexOfChild(c);
        if (const TableAccessibility* t = table())
            for (int k = 0; k < t->topCount(); ++k)
                if (t->top(k) == c) return QAccessibleWidget::childCount() + k;
        return -1;
    }
    QAccessibleInterface* focusChild() const override {
        const TableAccessibility* t = table();
        if (t && widget()->hasFocus() && t->source().tableShown())
            if (const int card = t->source().focusedCard(); card > 0)
                return t->item(ItemKind::HandCard, card);
        return QAccessibleWidget::focusChild();
    }

  private:
    TableAccessibility* table() const { return described().value(widget()); }
};

QAccessibleInterface* windowFactory(const QString&, QObject* object) {
    auto* w = qobject_cast<QWidget*>(object);
    return w && described().contains(w) ? new WindowAccessible(w) : nullptr;
}

}  // namespace

// One of the table's objects; what it is now comes from the source.
class TableItem final : public QAccessibleInterface, public QAccessibleActionInterface {
  public:
    TableItem(TableAccessibility& table, ItemKind kind, int index)
        : table_(table), kind_(kind), index_(index) {}

    bool isValid() const override { return true; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return table_.window().window()->windowHandle(); }
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
        QAccessible::Relation) const override {
        return {};
    }
    QAccessibleInterface* focusChild() const override {
        const int card = table_.source().focusedCard();
        return kind_ == ItemKind::HandList && card > 0 ? table_.item(ItemKind::HandCard, card)
                                                       : nullptr;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (int i = 0; i < childCount(); ++i)
            if (QAccessibleInterface* c = child(i); c->rect().contains(x, y)) return c;
        return nullptr;
    }
    QAccessibleInterface* parent() const override {
        if (kind_ == ItemKind::HandCard) return table_.item(ItemKind::HandList, 0);
        if (kind_ == ItemKind::TableCard) return table_.item(ItemKind::TableList, 0);
        return QAccessible::queryAccessibleInterface(&table_.window());
    }
    QAccessibleInterface* child(int i) const override {
        const ItemKind cards =
            kind_ == ItemKind::HandList ? ItemKind::HandCard : ItemKind::TableCard;
        return i >= 0 && i < childCount() ? table_.item(cards, i + 1) : nullptr;
    }
    int childCount() const override {
        if (kind_ != ItemKind::HandList && kind_ != ItemKind::TableList) return 0;
        return table_.source().tableShown() ? table_.source().countOf(kind_) : 0;
    }
    int indexOfChild(const QAccessibleInterface* c) const override {
        for (int i = 0; i < childCount(); ++i)
            if (child(i) == c) return i;
        return -1;
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return view().name;
        if (t == QAccessible::Description) return view().description;
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        const QRect r = view().rect;
        return r.isNull() ? QRect() : QRect(table_.window().mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override {
        switch (kind_) {
            case ItemKind::HandList:
            case ItemKind::TableList:
                return QAccessible::List;
            case ItemKind::HandCard:
            case ItemKind::TableCard:
                return QAccessible::ListItem;
            case ItemKind::Seat:
                return QAccessible::StaticText;
            case ItemKind::Status:
                return QAccessible::StatusBar;
        }
        return QAccessible::NoRole;
    }
    QAccessible::State state() const override {
        QAccessible::State s;
        const ItemView v = view();
        s.disabled = !v.enabled;
        s.invisible = !table_.source().tableShown();
        if (kind_ == ItemKind::HandCard) {
            s.focusable = true;
            s.focused = v.focused;
            s.selectable = true;
            s.selected = v.selected;
        }
        if (kind_ == ItemKind::Status) s.readOnly = true;
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ActionInterface && kind_ == ItemKind::HandCard)
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction()) table_.source().activate(kind_, index_);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

  private:
    ItemView view() const { return table_.source().view(kind_, index_); }

    TableAccessibility& table_;
    ItemKind kind_;
    int index_;
};

TableAccessibility::TableAccessibility(QWidget& window, TableItemsSource& source)
    : window_(window), source_(source) {
    static const bool installed = [] {
        QAccessible::installFactory(windowFactory);
        return true;
    }();
    (void)installed;
    // The hand holds at most ten cards (seven and the talon); the table at most the open talon
    // or a trick and the two given cards.
    auto make = [this](ItemKind kind, int index) {
        auto* item = new TableItem(*this, kind, index);
        ids_.push_back(QAccessible::registerAccessibleInterface(item));
        return item;
    };
    handList_ = make(ItemKind::HandList, 0);
    tableList_ = make(ItemKind::TableList, 0);
    status_ = make(ItemKind::Status, 0);
    for (int i = 1; i <= 10; ++i) hand_.push_back(make(ItemKind::HandCard, i));
    for (int i = 1; i <= 6; ++i) table_.push_back(make(ItemKind::TableCard, i));
    for (int s = 1; s <= 3; ++s) seats_.push_back(make(ItemKind::Seat, s));
    // The window may have been described before (while its title showed): from now on it is
    // described with its table.
    described().insert(&window_, this);
    QAccessibleInterface* before = QAccessible::queryAccessibleInterface(&window_);
    if (before && !dynamic_cast<WindowAccessible*>(before))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(before));
}

TableAccessibility::~TableAccessibility() {
    described().remove(&window_);
    for (QAccessible::Id id : ids_) QAccessible::deleteAccessibleInterface(id);
}

int TableAccessibility::topCount() const {
    return source_.tableShown() ? 3 + static_cast<int>(seats_.size()) : 0;
}

QAccessibleInterface* TableAccessibility::top(int i) const {
    if (i < 0 || i >= topCount()) return nullptr;
    if (i == 0) return handList_;
    if (i == 1) return tableList_;
    if (i == 2) return status_;
    return seats_[static_cast<size_t>(i - 3)];
}

QAccessibleInterface* TableAccessibility::item(ItemKind kind, int index) const {
    auto pick = [index](const std::vector<TableItem*>& items) -> QAccessibleInterface* {
        return index >= 1 && index <= static_cast<int>(items.size())
                   ? items[static_cast<size_t>(index - 1)]
                   : nullptr;
    };
    switch (kind) {
        case ItemKind::HandList:
            return handList_;
        case ItemKind::TableList:
            return tableList_;
        case ItemKind::Status:
            return status_;
        case ItemKind::HandCard:
            return pick(hand_);
        case ItemKind::TableCard:
            return pick(table_);
        case ItemKind::Seat:
            return pick(seats_);
    }
    return nullptr;
}

void TableAccessibility::notify(QAccessibleInterface* item, QAccessible::Event type) {
    QAccessibleEvent e(item, type);
    QAccessible::updateAccessibility(&e);
    if (observer_) observer_(type, item);
}

void TableAccessibility::focusMoved() {
    const int card = source_.focusedCard();
    if (card > 0 && window_.hasFocus()) notify(item(ItemKind::HandCard, card), QAccessible::Focus);
}

void TableAccessibility::announced() {
    notify(status_, QAccessible::NameChanged);
}

void TableAccessibility::changed() {
    notify(handList_, QAccessible::ObjectReorder);
    notify(tableList_, QAccessible::ObjectReorder);
}

}  // namespace orvala::app
