#include "app/tourney/tourney_game.h"

#include "app/game_session.h"

namespace orvala::app {

TourneyGame::TourneyGame(const Tools& tools, int table, int seat, const PlayerStart& player,
                         const std::array<std::string, 4>& names)
    : peer_(table, seat, *tools.pilot, player) {
    peer_.setNames(names);
    peer_.askPersonsContract(!tools.demo);
    peer_.collectEvents(true);
}

TourneyGame* TourneyGame::of(GameSession& session) {
    return qobject_cast<TourneyGame*>(session.table());
}

const TourneyGame* TourneyGame::of(const GameSession& session) {
    return qobject_cast<const TourneyGame*>(session.table());
}

void TourneyGame::input(const Input& in) {
    peer_.input(in);
    flush();
}

void TourneyGame::receive(const std::string& frame) {
    peer_.receive(frame);
    flush();
}

void TourneyGame::lost() {
    peer_.connectionLost();
    flush();
}

void TourneyGame::chat(const std::string& text) {
    peer_.chat(text);
    flush();
}

void TourneyGame::timeUp() {
    peer_.timeUp();
    flush();
}

void TourneyGame::leave() {
    peer_.leave();
    flush();
}

void TourneyGame::report() {
    peer_.reportResult();
    flush();
}

void TourneyGame::flush() {
    const std::vector<TableEvent> shown = peer_.takeEvents();
    for (const std::string& frame : peer_.takeOutgoing())
        emit send(QByteArray::fromStdString(frame));
    // The game's end may be taken at once and the table left: this table is then gone.
    if (!show(shown)) return;
    if (!askContractOnce(peer_.state())) return;
    emit changed();
}

}  // namespace orvala::app
