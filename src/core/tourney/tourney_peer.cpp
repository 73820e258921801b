#include "core/tourney/tourney_peer.h"

#include "core/game/round_driver.h"
#include "core/game/table_picture.h"
#include "core/lan/apply_step.h"
#include "core/lan/chat_line.h"
#include "core/lan/move_steps.h"
#include "core/lan/step_message.h"

namespace orvala::tourney {
namespace {

// A seat digit from the server; 0 for any other byte, so that no seat is named wrongly.
int seatDigit(char c) {
    return c >= '1' && c <= '3' ? c - '0' : 0;
}

}  // namespace

TourneyPeer::TourneyPeer(int table, int seat, PlayersPort& players, PlayerStart player)
    : table_(table), seat_(seat), players_(players), player_(std::move(player)) {
    session_.role = roleOfSeat(seat);
    session_.link = lan::LinkState::Seated;
    session_.joinedCount = 1;
    session_.localName = lan::sixBytes(player_.name);
}

void TourneyPeer::setNames(const std::array<std::string, 4>& names) {
    for (int t = 1; t <= 3; ++t)
        session_.seatNames[static_cast<std::size_t>(lan::localSeat(session_.role, t))] =
            names[static_cast<std::size_t>(t)];
    for (int seat = 1; seat <= 2; ++seat)
        s_.g.SeatNames[static_cast<std::size_t>(seat)] =
            session_.seatNames[static_cast<std::size_t>(seat)];
}

void TourneyPeer::connected() {
    send(shortFrame("connect" + std::to_string(seat_), seat_));
}

bool TourneyPeer::input(const Input& in) {
    // After the game's end only the rules decide (leaving the finished game, say).
    if ((ending_ != Ending::None && ending_ != Ending::GameOver) || !accepts(s_, in)) return false;
    if (awaitingHandOff_ && std::holds_alternative<in::PressButton7>(in)) return false;
    run(in);
    return true;
}

bool TourneyPeer::autoplay(AutoPilot& pilot) {
    if (ending_ != Ending::None || !s_.g.GameRunning || s_.pending) return false;
    if (s_.g.GameState == GameState::DealScored)
        return s_.roles.startsRounds && input(in::PressButton7{});
    bool any = false;
    for (const Input& in : pilot.next(s_)) {
        if (!input(in)) break;
        any = true;
    }
    return any;
}

void TourneyPeer::chat(std::string_view text) {
    if (ending_ != Ending::None || text.empty()) return;
    const std::string line(text.substr(0, lan::kChatTextMax));
    chatLines_.push_back({seat_, line});
    send(longFrame("s" + line, seat_));
}

void TourneyPeer::timeUp() {
    if (ending_ != Ending::None) return;
    send(shortFrame("TOut", seat_));
    end(Ending::TimedOut, "my time is up", seat_);
}

void TourneyPeer::leave() {
    if (ending_ != Ending::None) return;
    send(longFrame("disA", seat_));
    end(Ending::Aborted, "left the table", seat_);
}

void TourneyPeer::run(const Input& in) {
    const RulesState before = s_;
    keep(apply(s_, in));
    while (s_.pending) {
        // The server deals; the first seat's "Next Round" asks it to.
        if (s_.pending->kind == Question::Kind::Deck) {
            if (!askedNext_) send(shortFrame("bnext", seat_));
            askedNext_ = true;
            break;
        }
        // The person's contract waits for the window's dialog.
        if (askContract_ && s_.pending->kind == Question::Kind::Contract) break;
        const Input answer = playersAnswer(s_, players_);
        if (!accepts(s_, answer)) break;
        keep(apply(s_, answer));
    }
    const std::vector<lan::Move> moves = lan::movesBetween(before, s_);
    if (!moves.empty()) ++steps_;
    log_.moved(lan::movesApplied(before, s_), session_.role);
    for (const lan::Move& m : moves) {
        for (lan::Send& out : lan::stepsFor(m, session_, s_))
            send(stepFrame(std::move(out), seat_).bytes);
    }
    if (gameOver() && ending_ == Ending::None) end(Ending::GameOver, "game over");
}

void TourneyPeer::receive(std::string_view bytes) {
    if (ending_ != Ending::None && ending_ != Ending::GameOver) return;
    for (const std::string& f : reader_.feed(bytes)) {
        if (ending_ != Ending::None && ending_ != Ending::GameOver) return;
        switch (f[0]) {
            case 'b':
                applyDeal(f);
                break;
            case 'r':
                applyResume(f);
                break;
            case 'h':
                applyStep(f);
                break;
            case 's':
                chatLines_.push_back({seatDigit(f[kLongFrame - 1]), f.substr(1, f.find('#') - 1)});
                break;
            case 'e':
                serverEnded_ = true;
                if (!gameOver()) end(Ending::Aborted, "the server ended the game");
                break;
            case 'a':
                end(Ending::Aborted, "a player left the table", seatDigit(f[5]));
                break;
            case 'T':
                end(Ending::TimedOut, "a player's time is up", seatDigit(f[kLongFrame - 1]));
                break;
            case 'w':
                if (const auto n = parseSeatNoticeFrame(f))
                    chatLines_.push_back(
                        {n->seat, n->name,
                         n->back ? lan::ChatLine::Kind::Back : lan::ChatLine::Kind::Away});
                break;
        }
    }
    if (reader_.broken()) end(Ending::Aborted, "unreadable bytes from the server");
}

void TourneyPeer::applyDeal(const std::string& frame) {
    if (ending_ != Ending::None) return;
    const auto deal = parseDealFrame(frame, table_);
    if (!deal) return end(Ending::Aborted, "a deal that cannot be dealt");
    if (!s_.g.GameRunning) {
        s_.roles = SeatRoles::tournamentSeat(seat_);
        s_.rules = tableRules(table_);
        keep(apply(s_, in::NewGame{player_}));
    } else if (s_.pending && s_.pending->kind == Question::Kind::Deck) {
        // Seat 1 asked for this deal with its "Next Round".
    } else if (s_.g.GameState == GameState::DealScored) {
        const Input next = s_.roles.startsRounds
                               ? Input{in::PressButton7{}}
                               : Input{in::SeatAction{in::SeatAction::Kind::NextRound,
                                                      lan::localSeat(session_.role, 1)}};
        if (!accepts(s_, next)) return end(Ending::Aborted, "a deal the table cannot take");
        keep(apply(s_, next));
    }
    const Input deck = in::DeckAnswer{lan::deckSeenBy(session_.role, deal->deck)};
    if (!accepts(s_, deck)) return end(Ending::Aborted, "a deal while a deal is under way");
    keep(apply(s_, deck));
    log_.dealt(lan::DealMessage{deal->deck, s_.rules});
    ++steps_;
    askedNext_ = false;
    awaitingHandOff_ = false;
}

// The game as it stands, for a seat that connected again: rebuilt from the server's log by the
// rules themselves, then shown as a table drawn at once.
void TourneyPeer::applyResume(const std::string& frame) {
    if (ending_ != Ending::None) return;
    const auto r = parseResumeFrame(frame);
    if (!r || r->seat != seat_) return end(Ending::Aborted, "a resume that cannot be used");
    lan::Replayed replayed =
        lan::replayGame(r->log, session_.role, player_, SeatRoles::tournamentSeat(seat_));
    if (!replayed.state) return end(Ending::Aborted, "a resume that cannot be used");
    s_ = std::move(*replayed.state);
    s_.rules = tableRules(table_);
    log_ = r->log;
    // The nicks the window was given stay; else the log's.
    for (int seat = 1; seat <= 2; ++seat)
        if (!session_.seatNames[static_cast<std::size_t>(seat)].empty())
            s_.g.SeatNames[static_cast<std::size_t>(seat)] =
                session_.seatNames[static_cast<std::size_t>(seat)];
    resumed_ = true;
    awaitingHandOff_ = false;
    askedNext_ = false;
    ++steps_;
    keep(tablePicture(s_));
}

void TourneyPeer::applyStep(const std::string& frame) {
    if (ending_ != Ending::None) return;
    std::string m = frame.substr(0, lan::kStepLength);
    const int sender = m[1] - '0';
    if (sender < 1 || sender > 3 || sender == seat_)
        return end(Ending::Aborted, "a step from an unknown seat");
    // The shared step reader names machines by their LAN role.
    m[1] = static_cast<char>('0' + lan::digitOf(roleOfSeat(sender)));
    const lan::StepParse p = lan::parseStep(m);
    if (!p.step) return end(Ending::Aborted, p.error);
    const RulesState before = s_;
    lan::Applied a = lan::ApplyStep(s_, *p.step, session_);
    if (!a.ok) return end(Ending::Aborted, a.error);
    log_.moved(lan::movesApplied(before, s_), session_.role);
    keep(std::move(a.events));
    ++steps_;
    // A trick completed by another seat's card is collected by its winner only once the
    // hand-off has come, or the hand-off would find the table moved on.
    awaitingHandOff_ = s_.g.GameState == GameState::TrickComplete && p.step->button1 != 'e';
    if (gameOver()) end(Ending::GameOver, "game over");
}

void TourneyPeer::connectionLost() {
    if (ending_ == Ending::None) end(Ending::Aborted, "lost connection with the server");
}

void TourneyPeer::end(Ending e, std::string reason, int seat) {
    if (ending_ != Ending::None) return;
    ending_ = e;
    endReason_ = std::move(reason);
    endingSeat_ = seat;
}

std::vector<TableEvent> TourneyPeer::takeEvents() {
    std::vector<TableEvent> out;
    out.swap(events_);
    return out;
}

void TourneyPeer::keep(std::vector<TableEvent> events) {
    if (!collect_) return;
    for (TableEvent& e : events) events_.push_back(std::move(e));
}

std::vector<std::string> TourneyPeer::takeOutgoing() {
    std::vector<std::string> out;
    out.swap(out_);
    return out;
}

std::string TourneyPeer::resultFrame() const {
    if (seat_ != 1 || !gameOver()) return {};
    std::array<int, 4> scores{};
    for (int t = 1; t <= 3; ++t)
        scores[static_cast<std::size_t>(t)] =
            s_.g.Score[static_cast<std::size_t>(lan::localSeat(session_.role, t))];
    return shortFrame(resultReport(scores), seat_);
}

void TourneyPeer::reportResult() {
    std::string report = resultFrame();
    if (report.empty() || reported_) return;
    reported_ = true;
    send(std::move(report));
}

}  // namespace orvala::tourney
