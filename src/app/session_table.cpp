#include "app/session_table.h"

#include <QPointer>

namespace orvala::app {

SessionTable::~SessionTable() = default;

bool SessionTable::show(const std::vector<TableEvent>& events) {
    if (events.empty()) return true;
    const QPointer<SessionTable> self(this);
    output().show(events);
    return !self.isNull();
}

}  // namespace orvala::app
