#pragma once
// TourneyGame: a tournament game behind the session. This machine's `TourneyPeer` holds the
// seat's game: the person's inputs go to it, the frames it writes for the game server leave by
// `send`, and the server's frames come in through `receive`; the first deal starts the game.
// Three people sit at the table, so nothing is thought on the worker: the players answer nothing
// but the demo's contract.

#include <QByteArray>
#include <array>
#include <string>

#include "app/session_table.h"
#include "core/tourney/tourney_peer.h"

namespace orvala::app {

class GameSession;

class TourneyGame final : public SessionTable {
    Q_OBJECT
  public:
    // This machine at `seat` of `table`, the seats' nicks in `names` (by tournament seat).
    TourneyGame(const Tools& tools, int table, int seat, const PlayerStart& player,
                const std::array<std::string, 4>& names);

    // The session's table when it holds a tournament game, else null.
    static TourneyGame* of(GameSession& session);
    static const TourneyGame* of(const GameSession& session);

    const tourney::TourneyPeer& peer() const { return peer_; }
    const RulesState& state() const override { return peer_.state(); }
    const lan::GameLog& gameLog() const override { return peer_.log(); }
    lan::NetRole logViewer() const override { return peer_.role(); }
    GameLogKind logKind() const override { return GameLogKind::Tourney; }
    void input(const Input& in) override;
    // Never called: this table starts no thought.
    void answer(const std::vector<Input>&) override {}

    // One whole frame from the game server; the connection closed; the chat line typed; this
    // seat's clock ran out; leaving the table; seat 1's result report for the finished game.
    void receive(const std::string& frame);
    void lost();
    void chat(const std::string& text);
    void timeUp();
    void leave();
    void report();

  signals:
    // A frame for the game server; the game, its ending or its chat changed.
    void send(const QByteArray& frame);
    void changed();

  private:
    // Passes on what the peer wrote, showed and asked.
    void flush();

    tourney::TourneyPeer peer_;
};

}  // namespace orvala::app
