#include "app/computer_table.h"

#include <QPointer>

#include "core/game/round_driver.h"
#include "core/game/shuffle.h"

namespace orvala::app {

ComputerTable::ComputerTable(const Tools& tools, const RuleSettings& rules) : tools_(tools) {
    s_.rules = rules;
}

bool ComputerTable::applyAndLog(const Input& in) {
    const RulesState before = s_;
    std::vector<TableEvent> events = apply(s_, in);
    if (std::holds_alternative<in::NewGame>(in)) log_ = {};
    if (const auto* deck = std::get_if<in::DeckAnswer>(&in))
        log_.dealt(lan::DealMessage{deck->deck, s_.rules});
    else
        log_.moved(lan::movesApplied(before, s_), lan::NetRole::Host);
    return show(events);
}

void ComputerTable::input(const Input& in) {
    if (!applyAndLog(in)) return;
    serveQuestion();
}

void ComputerTable::answer(const std::vector<Input>& answer) {
    const QPointer<ComputerTable> self(this);
    for (const Input& in : answer) {
        if (!self) return;
        if (orvala::accepts(s_, in)) input(in);
    }
}

void ComputerTable::serveQuestion() {
    while (s_.pending && s_.pending->kind == Question::Kind::Deck)
        if (!applyAndLog(in::DeckAnswer{Shuffle(*tools_.shuffles)})) return;
    if (!s_.pending || !output().mayThink()) return;
    if (s_.pending->kind == Question::Kind::Contract) {
        if (tools_.demo)
            input(in::ContractAnswer{tools_.pilot->AskContract(s_.g, s_.rules)});
        else
            output().askContract(s_.g.Contract, s_.rules.RuleRoundToFive);
        return;
    }
    // A computer seat's decision, thought on a copy of the state. The shuffles' random source
    // stays on this thread: only the players think elsewhere.
    output().think([state = s_, players = tools_.players] {
        return std::vector<Input>{playersAnswer(state, *players)};
    });
}

}  // namespace orvala::app
