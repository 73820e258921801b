#pragma once
// ComputerTable: this machine's game against the computer. It holds the rules state and answers
// the questions the rules wait on: the deck at once, the person's contract by the window's dialog
// (or, in the demo, by the autopilot), the computer seats' decisions thought on the session's
// worker, whose answers come back through `answer`.

#include "app/session_table.h"

namespace orvala::app {

class ComputerTable final : public SessionTable {
    Q_OBJECT
  public:
    ComputerTable(const Tools& tools, const RuleSettings& rules);

    const RulesState& state() const override { return s_; }
    void input(const Input& in) override;
    // The computer's answer: each input the rules still accept is applied in turn.
    void answer(const std::vector<Input>& answer) override;
    void setRules(const RuleSettings& rules) override { s_.rules = rules; }
    void setRoles(const SeatRoles& roles) override { s_.roles = roles; }
    void setPlayers(PlayersPort* players) override { tools_.players = players; }
    const lan::GameLog& gameLog() const override { return log_; }

  private:
    void serveQuestion();

    // Applies `in` and logs the moves it made; false when showing its events dropped the table.
    bool applyAndLog(const Input& in);

    Tools tools_;
    RulesState s_;
    lan::GameLog log_;
};

}  // namespace orvala::app
