#pragma once
// LanGame: a LAN game behind the session. This machine's `LanPeer` holds the rules state: the
// person's inputs go to it (a new game starts the peer's game, the host's with the rules the
// session was given), the texts it writes leave by `lanSend`, and what the link reads comes in
// through `receive`. The computer seat's answers that fall to this machine are thought on the
// session's worker, once for each state; the person's contract is the window's dialog, or the
// demo's autopilot.

#include <QByteArray>
#include <QString>
#include <optional>
#include <string>

#include "app/session_table.h"
#include "core/lan/lan_peer.h"

namespace orvala::app {

class GameSession;

class LanGame final : public SessionTable {
    Q_OBJECT
  public:
    // In the role `session` gives; the next NewGame starts the game.
    LanGame(const Tools& tools, lan::Session session);

    // The session's table when it holds a LAN game, else null.
    static LanGame* of(GameSession& session);
    static const LanGame* of(const GameSession& session);

    const lan::LanPeer& peer() const { return peer_; }
    const RulesState& state() const override { return peer_.state(); }
    const lan::GameLog& gameLog() const override { return peer_.log(); }
    lan::NetRole logViewer() const override { return peer_.session().role; }
    GameLogKind logKind() const override { return GameLogKind::Net; }
    void input(const Input& in) override;
    // The players' answer the table waited for: it goes to the peer as its own.
    void answer(const std::vector<Input>& answer) override;
    // Not while the table waits for the players' answer.
    bool personMayThink() const override { return !peer_.playersAwaited(); }
    void setRules(const RuleSettings& rules) override { rules_ = rules; }

    // The link's events: a joiner's link is up, a whole message read on link `from`, bytes that
    // could not be cut into messages, a link closed; and the chat line typed here.
    void connected();
    void receive(int from, const std::string& message);
    void unreadable(int from);
    void linkLost(int from);
    void chat(const std::string& text);

  signals:
    // A text for link `to`; the session ended by its abort path (told once); the chat lines,
    // the seats or the handshake changed.
    void lanSend(int to, const QByteArray& bytes);
    // A connection that holds no seat and sent what cannot be read: to be closed.
    void lanClose(int connection);
    // A seat's machine was lost (the host's computer plays it) or is back.
    void seatsChanged();
    void lanAborted(const QString& reason);
    void lanChanged();

  private:
    // Passes on what the peer wrote, showed and asked.
    void flush();
    // The players' answer the peer waits for, thought on the worker.
    void think();

    PlayersPort* players_;
    lan::LanPeer peer_;
    RuleSettings rules_;
    std::optional<RulesState> thoughtFor_;
    bool abortTold_ = false;
};

}  // namespace orvala::app
