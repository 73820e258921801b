#include "dialogs/radio_group.h"

#include <QSignalBlocker>
#include <QVBoxLayout>

namespace orvala::dialogs {

RadioGroup::RadioGroup(const QString& name, int items, QWidget* parent) : QGroupBox(parent) {
    setObjectName(name);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setSpacing(0);
    for (int i = 0; i < items; ++i) {
        auto* b = new QRadioButton(this);
        b->setObjectName(QString("%1_%2").arg(name).arg(i));
        buttons_.addButton(b, i);
        layout->addWidget(b);
        items_.push_back(b);
    }
    connect(&buttons_, &QButtonGroup::idClicked, this, &RadioGroup::clicked);
}

void RadioGroup::setCaptions(const QString& title, const QStringList& items) {
    setTitle(title);
    for (int i = 0; i < count() && i < items.size(); ++i) item(i)->setText(items[i]);
}

void RadioGroup::setItemIndex(int index) {
    const QSignalBlocker quiet(&buttons_);
    if (index < 0 || index >= count()) {
        // A group shows no item only when none is checked, which an exclusive group refuses.
        buttons_.setExclusive(false);
        for (auto* b : items_) b->setChecked(false);
        buttons_.setExclusive(true);
        return;
    }
    item(index)->setChecked(true);
}

void RadioGroup::setItemEnabled(int index, bool enabled) {
    if (index >= 0 && index < count()) item(index)->setEnabled(enabled);
}

}  // namespace orvala::dialogs
