#pragma once
// GameSession: one game as this machine plays it. It owns the rules state, the computer players,
// the random sources and the autopilot of the demo, and in a LAN game this machine's `LanPeer`,
// which then holds the rules state: inputs go to the peer, the texts it writes leave by
// `lanSend`, and received texts come in by `lanReceive`. A tournament game is held the same way
// by a `TourneyPeer` (`tourneySend`, `tourneyReceive`). Inputs go in through `input`, which asks
// `accepts` and applies; what the rules show comes out as events. Questions the rules wait on are
// answered without blocking: the deck at once, the computer seats' decisions on the thinking
// worker, the person's contract by the window's dialog (`contractAsked`). A computer's answer is
// held until the window takes it (`deliver`), so that it reaches the rules only when the table has
// shown everything before it.

#include <QObject>
#include <atomic>
#include <memory>
#include <optional>

#include "app/thinking_worker.h"
#include "core/ai/computer_players.h"
#include "core/game/autopilot.h"
#include "core/game/random_source.h"
#include "core/game/rules_state.h"
#include "core/lan/lan_peer.h"
#include "core/tourney/tourney_peer.h"

namespace orvala::app {

class GameSession final : public QObject {
    Q_OBJECT
  public:
    // seed: fixed seeds for the shuffles and the computer players; demo: the autopilot plays
    // the person's seat.
    GameSession(std::optional<std::uint64_t> seed, bool demo, QObject* parent = nullptr);
    ~GameSession() override;

    const RulesState& state() const {
        return lan_ ? lan_->state() : tourney_ ? tourney_->state() : s_;
    }
    bool accepts(const Input& in) const { return orvala::accepts(state(), in); }
    void setRules(const RuleSettings& rules) { s_.rules = rules; }
    void setRoles(const SeatRoles& roles) { s_.roles = roles; }

    // Applies an input of this machine (a press, a click, a tick, the contract's answer) and
    // emits its events; an input that is not accepted only shows its refusal, if it has one.
    void input(const Input& in);
    // The demo's next move for the person's seat, thought on the worker like the computers'.
    void demoStep();
    // A computer's answer waiting for the table: applied now. False when there was none.
    bool deliver();
    // A computer is thinking; answerWaiting: its answer waits to be delivered.
    bool thinking() const { return worker_.running(); }
    bool answerWaiting() const { return ready_.has_value(); }

    // For tests: the players behind the computer seats (a slow stub, say). The session keeps
    // using them until told otherwise.
    void setPlayers(PlayersPort* players) { players_ = players ? players : &computers_; }

    // A LAN game from now on, in the role `session` gives; the next NewGame starts it (the host
    // with the rules set here). `endLan` goes back to games against the computer.
    void beginLan(lan::Session session);
    void endLan();
    const lan::LanPeer* lan() const { return lan_.get(); }
    // The link's events: a joiner's link is up, whole messages read on link `from`, bytes that
    // could not be cut into messages, a link closed.
    void lanConnected();
    void lanReceive(int from, const std::string& message);
    void lanUnreadable();
    void lanLinkLost();
    void lanChat(const std::string& text);

    // A tournament game from now on: this machine at `seat` of `table`, the seats' nicks in
    // `names` (by tournament seat). The server's first deal starts it. `endTourney` goes back to
    // games against the computer.
    void beginTourney(int table, int seat, const PlayerStart& player,
                      const std::array<std::string, 4>& names);
    void endTourney();
    const tourney::TourneyPeer* tourney() const { return tourney_.get(); }
    // One whole frame from the game server; the connection closed; the chat line typed; this
    // seat's clock ran out; leaving the table.
    void tourneyReceive(const std::string& frame);
    void tourneyLost();
    void tourneyChat(const std::string& text);
    void tourneyTimeUp();
    void tourneyLeave();
    // Seat 1 leaves the finished game: its result report goes to the server.
    void tourneyReport();

  signals:
    void events(const std::vector<TableEvent>& events);
    // The person declares: the contract dialog opens at this contract.
    void contractAsked(int contract, bool roundToFive);
    // The thinking bar: 0..100, and -1 when the thinking is over.
    void thinkingProgress(int percent, bool busyCursor);
    // A computer's answer (or the demo's move) waits to be delivered.
    void answerReady();
    // LAN: a text for link `to`; the session ended by its abort path; the chat lines, the seats
    // or the handshake changed.
    void lanSend(int to, const QByteArray& bytes);
    void lanAborted(const QString& reason);
    void lanChanged();
    // Tournament: a frame for the game server; the game, its ending or its chat changed.
    void tourneySend(const QByteArray& frame);
    void tourneyChanged();

  private:
    void serveQuestion();
    void applyAll(const std::vector<Input>& inputs);
    // Passes on what the peer wrote, showed and asked.
    void flushLan();
    // The players' answer the LAN table waits for, thought on the worker.
    void thinkForLan();
    void flushTourney();

    std::unique_ptr<RandomSource> shuffleRandom_;
    std::unique_ptr<RandomSource> playerRandom_;
    ComputerPlayers computers_;
    AutoPilot pilot_;
    PlayersPort* players_;
    bool demo_;
    RulesState s_;
    std::unique_ptr<lan::LanPeer> lan_;
    std::unique_ptr<tourney::TourneyPeer> tourney_;
    PlayersPort* lan_players_ = nullptr;
    std::optional<RulesState> thoughtFor_;
    bool readyForLan_ = false;  // the answer waiting is the LAN table's players', not the demo's
    bool lanAbortTold_ = false;
    bool contractTold_ = false;
    ThinkingWorker worker_;
    std::optional<std::vector<Input>> ready_;
    // Set when the session ends or drops a thought, so that a search under way runs out of
    // time at once; each job clears it as it starts.
    std::shared_ptr<std::atomic<bool>> stopping_;
};

}  // namespace orvala::app
