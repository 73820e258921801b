#include "app/feature.h"

#include <QMenu>

#include "table/word_text.h"

namespace orvala::app {

QMenu* ContextMenu::build(QWidget* parent) const {
    auto* menu = new QMenu(parent);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (WordRow row :
         {WordRow::GeneralScore, WordRow::ExitToMenu, WordRow::ToChangeAName, WordRow::Speed,
          WordRow::Help, WordRow::About, WordRow::Statistics, WordRow::Radio, WordRow::Chat}) {
        QAction* action = menu->addAction(table::word(row));
        const Item* item = find(row);
        action->setEnabled(item && item->enabled);
        if (item && item->run) QObject::connect(action, &QAction::triggered, menu, item->run);
    }
    return menu;
}

}  // namespace orvala::app
