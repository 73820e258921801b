#pragma once
// GameSession: one game as this machine plays it. It holds one table (`SessionTable`) of one
// kind or another, which holds the rules state: at first and between other games this machine's
// game against the computer, else the table a feature gave it to `play`. Inputs go in through
// `input`, which the session passes to its table; what the rules show comes out as events. It
// owns what the tables borrow (`tools`): the computer players, the random sources and the
// autopilot of the demo; and the thinking worker, on which the tables' thoughts run without
// blocking: their answers are held until the window takes them (`deliver`), so that an answer
// reaches the rules only when the table has shown everything before it. The person's contract
// is asked of the window's dialog (`contractAsked`).

#include <QObject>
#include <atomic>
#include <memory>
#include <optional>

#include "app/session_table.h"
#include "app/thinking_worker.h"
#include "core/ai/computer_players.h"
#include "core/game/autopilot.h"
#include "core/game/random_source.h"
#include "core/game/rules_state.h"

namespace orvala::app {

class GameSession final : public QObject, private SessionTable::Output {
    Q_OBJECT
  public:
    // seed: fixed seeds for the shuffles and the computer players; demo: the autopilot plays
    // the person's seat.
    GameSession(std::optional<std::uint64_t> seed, bool demo, QObject* parent = nullptr);
    ~GameSession() override;

    // What a table borrows from the session, to build one for `play`.
    SessionTable::Tools tools();
    // Plays at `table` from now on; a thought under way or an answer waiting is forgotten.
    void play(std::unique_ptr<SessionTable> table);
    // Back to a table against the computer without a game, with the rules set here.
    void endTable();
    SessionTable* table() { return table_.get(); }
    const SessionTable* table() const { return table_.get(); }

    const RulesState& state() const { return table_->state(); }
    bool accepts(const Input& in) const { return orvala::accepts(state(), in); }
    // The rules of the game against the computer, kept for its next tables, and of the next
    // game that a table starts with rules of its own.
    void setRules(const RuleSettings& rules);
    void setRoles(const SeatRoles& roles) { table_->setRoles(roles); }

    // Applies an input of this machine (a press, a click, a tick, the contract's answer) and
    // emits its events; an input that is not accepted only shows its refusal, if it has one.
    void input(const Input& in);
    // The demo's next move for the person's seat, thought on the worker like the computers'.
    void demoStep();
    // An answer waiting for the table: applied now. False when there was none.
    bool deliver();
    // A computer is thinking; answerWaiting: its answer waits to be delivered.
    bool thinking() const { return worker_.running(); }
    bool answerWaiting() const { return ready_.has_value(); }

    // For tests: the players behind the computer seats (a slow stub, say). The session keeps
    // using them until told otherwise.
    void setPlayers(PlayersPort* players);

  signals:
    void events(const std::vector<TableEvent>& events);
    // The person declares: the contract dialog opens at this contract.
    void contractAsked(int contract, bool roundToFive);
    // The thinking bar: 0..100, and -1 when the thinking is over.
    void thinkingProgress(int percent, bool busyCursor);
    // A computer's answer (or the demo's move) waits to be delivered.
    void answerReady();

  private:
    // SessionTable::Output
    void show(const std::vector<TableEvent>& shown) override;
    void askContract(int contract, bool roundToFive) override;
    bool mayThink() const override;
    void think(std::function<std::vector<Input>()> job) override;

    void applyAll(const std::vector<Input>& inputs);
    // Forgets a thought under way and an answer waiting.
    void dropThought();

    std::unique_ptr<RandomSource> shuffleRandom_;
    std::unique_ptr<RandomSource> playerRandom_;
    ComputerPlayers computers_;
    AutoPilot pilot_;
    PlayersPort* players_;
    bool demo_;
    RuleSettings rules_;
    std::unique_ptr<SessionTable> table_;
    bool readyForTable_ = false;  // the answer waiting is the table's own thought, not the demo's
    ThinkingWorker worker_;
    std::optional<std::vector<Input>> ready_;
    // Set when the session ends or drops a thought, so that a search under way runs out of
    // time at once; each job clears it as it starts.
    std::shared_ptr<std::atomic<bool>> stopping_;
};

}  // namespace orvala::app
