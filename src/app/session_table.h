#pragma once
// SessionTable: the table behind a game session, of one kind or another: this machine's game
// against the computer, a LAN game, a tournament game. The session hands it every input of this
// machine and the answers to the thoughts it asked for, and reads its rules state; the table
// shows its events, asks the person's contract and starts its thoughts through the session's
// `Output`. A table lives for one game (or one run of games against the computer) and is dropped
// when the session plays another.

#include <QObject>
#include <functional>
#include <vector>

#include "core/game/autopilot.h"
#include "core/game/players_port.h"
#include "core/game/random_source.h"
#include "core/game/rules_state.h"
#include "core/lan/game_log.h"
#include "core/records/game_log_file.h"

namespace orvala::app {

class SessionTable : public QObject {
    Q_OBJECT
  public:
    // What the session does for the table it holds.
    class Output {
      public:
        // Events for the table to show.
        virtual void show(const std::vector<TableEvent>& events) = 0;
        // The person declares: the contract dialog opens at this contract.
        virtual void askContract(int contract, bool roundToFive) = 0;
        // A thought may start now: none is under way and no answer waits to be delivered.
        virtual bool mayThink() const = 0;
        // Runs `job` on the thinking worker; its answer is handed to the table's `answer` once
        // the window takes it, unless the thought was dropped meanwhile.
        virtual void think(std::function<std::vector<Input>()> job) = 0;

      protected:
        ~Output() = default;
    };

    // What the session lends the tables it holds: the players behind the computer seats (the
    // autopilot in the demo, else the computer players, which tests replace), the demo's
    // autopilot, the shuffles' random source, and whether the demo plays the person's seat.
    struct Tools {
        PlayersPort* players = nullptr;
        AutoPilot* pilot = nullptr;
        RandomSource* shuffles = nullptr;
        bool demo = false;
    };

    ~SessionTable() override;

    virtual const RulesState& state() const = 0;
    // An input of this machine: a press, a click, a tick, the contract's answer, a new game.
    virtual void input(const Input& in) = 0;
    // The answer to a thought this table started.
    virtual void answer(const std::vector<Input>& answer) = 0;
    // The demo's autopilot may think for the person now.
    virtual bool personMayThink() const { return true; }
    // What the session is told, for the tables that use it: the rules of the next game, the
    // seats' roles, the players behind the computer seats from now on.
    virtual void setRules(const RuleSettings&) {}
    virtual void setRoles(const SeatRoles&) {}
    virtual void setPlayers(PlayersPort*) {}
    // The game as played so far, in the LAN host's numbering (the person's own seat 3 at a game
    // against the computer), and the role this machine's numbering has in it.
    virtual const lan::GameLog& gameLog() const = 0;
    virtual lan::NetRole logViewer() const { return lan::NetRole::Host; }
    virtual GameLogKind logKind() const { return GameLogKind::Local; }
    // A game being played; false for a kept game shown again, which nothing records.
    virtual bool live() const { return true; }

    // By the session that holds the table, before anything else.
    void attach(Output& output) { output_ = &output; }

  protected:
    Output& output() const { return *output_; }
    // Shows `events`, if any. False when showing them made the session drop this table (the
    // window left the game): the caller then touches nothing of its own and returns.
    bool show(const std::vector<TableEvent>& events);
    // Asks the person's contract once for each time `state` waits on it. False when asking made
    // the session drop this table.
    bool askContractOnce(const RulesState& state);

  private:
    Output* output_ = nullptr;
    bool contractAsked_ = false;
};

}  // namespace orvala::app
