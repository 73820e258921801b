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

bool SessionTable::askContractOnce(const RulesState& state) {
    const bool waiting = state.pending && state.pending->kind == Question::Kind::Contract;
    const bool ask = waiting && !contractAsked_;
    contractAsked_ = waiting;
    if (!ask) return true;
    const QPointer<SessionTable> self(this);
    output().askContract(state.g.Contract, state.rules.RuleRoundToFive);
    return !self.isNull();
}

}  // namespace orvala::app
