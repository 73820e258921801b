#pragma once
// ReplayTable: a kept game shown again at the table, read-only. It holds every state the game
// passed through, rebuilt by the rules from the game's log (`replayGameLog`), and a cursor on
// them: a deal and a step in it (0: just dealt). Moving the cursor draws the table as it stood
// then, every hand open; no input of the window changes anything.

#include "app/session_table.h"
#include "core/records/game_log_file.h"

namespace orvala::app {

class ReplayTable final : public SessionTable {
    Q_OBJECT
  public:
    // `replay` must hold at least one deal of at least one state.
    explicit ReplayTable(GameLogReplay replay);

    const RulesState& state() const override;
    void input(const Input&) override {}
    void answer(const std::vector<Input>&) override {}
    bool personMayThink() const override { return false; }
    const lan::GameLog& gameLog() const override { return none_; }
    bool live() const override { return false; }

    const GameLogReplay& replay() const { return replay_; }
    int deals() const { return static_cast<int>(replay_.states.size()); }
    int deal() const { return deal_; }  // 0-based
    int step() const { return step_; }
    int steps() const;  // of the deal shown, the dealt state included

    // The cursor moved (clamped to the game) and the table drawn as it then stood.
    void go(int deal, int step);
    bool forward();  // false at the game's last step
    bool back();     // false at its first
    void nextDeal() { go(deal_ + 1, 0); }
    void previousDeal() { go(step_ > 0 ? deal_ : deal_ - 1, 0); }
    void draw();

  private:
    GameLogReplay replay_;
    lan::GameLog none_;
    int deal_ = 0;
    int step_ = 0;
};

}  // namespace orvala::app
