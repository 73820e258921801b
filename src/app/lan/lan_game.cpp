#include "app/lan/lan_game.h"

#include <QPointer>
#include <utility>

#include "app/game_session.h"
#include "core/game/table_picture.h"

namespace orvala::app {

LanGame::LanGame(const Tools& tools, lan::Session session)
    // The peer answers the computer seat's questions with the computer players; the person's
    // contract is the window's dialog, or the demo's autopilot.
    : players_(tools.demo ? static_cast<PlayersPort*>(tools.pilot) : tools.players),
      peer_(std::move(session), *players_, *tools.shuffles) {
    peer_.askPersonsContract(!tools.demo);
    // The computer seat thinks on the worker, as against the computer.
    peer_.deferPlayers(true);
}

LanGame* LanGame::of(GameSession& session) {
    return qobject_cast<LanGame*>(session.table());
}

const LanGame* LanGame::of(const GameSession& session) {
    return qobject_cast<const LanGame*>(session.table());
}

void LanGame::input(const Input& in) {
    if (const auto* start = std::get_if<in::NewGame>(&in)) {
        peer_.startGame(start->player, rules_);
        // A game taken up again has shown none of its events here: the table as it stands.
        if (peer_.resumed() && peer_.state().g.GameRunning) show(tablePicture(peer_.state()));
    } else {
        peer_.input(in);
    }
    flush();
}

void LanGame::answer(const std::vector<Input>& answer) {
    for (const Input& in : answer) peer_.playersAnswered(in);
    flush();
}

void LanGame::connected() {
    peer_.connected();
    flush();
}

void LanGame::receive(int from, const std::string& message) {
    peer_.receive(from, message);
    flush();
}

void LanGame::unreadable(int from) {
    peer_.linkUnreadable(from);
    flush();
}

void LanGame::linkLost(int from) {
    peer_.connectionLost(from);
    flush();
}

void LanGame::chat(const std::string& text) {
    peer_.chat(text);
    flush();
}

void LanGame::flush() {
    // Each signal may end the game, and the session then drops this table.
    const QPointer<LanGame> self(this);
    const std::vector<TableEvent> shown = peer_.takeEvents();
    for (const lan::Send& out : peer_.takeOutgoing())
        emit lanSend(out.to, QByteArray::fromStdString(out.bytes));
    for (int connection : peer_.takeClosing()) emit lanClose(connection);
    if (!peer_.takeSeatChanges().empty()) emit seatsChanged();
    if (!show(shown)) return;
    emit lanChanged();
    if (!self) return;
    if (peer_.aborted() && !abortTold_) {
        abortTold_ = true;
        emit lanAborted(QString::fromStdString(peer_.abortReason()));
        if (!self) return;
    }
    if (!askContractOnce(peer_.state())) return;
    think();
}

void LanGame::think() {
    if (!peer_.playersAwaited() || !output().mayThink()) return;
    // A state thought about once without a usable answer is not thought about again.
    if (thoughtFor_ && *thoughtFor_ == peer_.state()) return;
    thoughtFor_ = peer_.state();
    output().think([state = peer_.state(), seat = peer_.computerSeatHere(), players = players_] {
        std::vector<Input> answer;
        if (auto in = lan::LanPeer::playersMove(state, seat, *players)) answer.push_back(*in);
        return answer;
    });
}

}  // namespace orvala::app
