#include "core/lan/lan_peer.h"

#include "core/game/round_driver.h"
#include "core/game/shuffle.h"
#include "core/lan/apply_step.h"
#include "core/lan/deal_message.h"
#include "core/lan/move_steps.h"
#include "core/lan/routing.h"

namespace orvala::lan {
namespace {

// The computer seat's bid or card in `s`, as the players choose it; none when it is not the
// computer seat's turn or the rules would refuse every choice.
std::optional<in::SeatAction> computerSeatMove(const RulesState& s, int seat, PlayersPort& players);

}  // namespace

LanPeer::LanPeer(Session session, PlayersPort& players, RandomSource& random)
    : session_(std::move(session)), players_(players), random_(random) {}

void LanPeer::connected() {
    if (session_.role != NetRole::Host && session_.link == LinkState::Waiting)
        send(kToHost, joinRequest(session_.localName));
}

void LanPeer::takeSeats() {
    s_.roles = SeatRoles::lan(digitOf(session_.role), !session_.threePeople());
    for (int seat = 1; seat <= 2; ++seat)
        s_.g.SeatNames[static_cast<std::size_t>(seat)] =
            session_.seatNames[static_cast<std::size_t>(seat)];
    for (int seat = 1; seat <= 3; ++seat)
        log_.names[static_cast<std::size_t>(hostSeat(session_.role, seat))] =
            seat == 3 ? session_.localName : session_.seatNames[static_cast<std::size_t>(seat)];
}

bool LanPeer::startGame(const PlayerStart& player, const RuleSettings& hostRules) {
    const bool host = session_.role == NetRole::Host;
    if (aborted_ || (host && session_.joinedCount < 0)) return false;
    if (!host && session_.link == LinkState::Waiting) {
        pendingStart_ = player;
        return true;
    }
    if (!host && session_.link != LinkState::Seated) return false;
    takeSeats();
    if (host) s_.rules = hostRules;
    run(in::NewGame{player});
    return true;
}

bool LanPeer::input(const Input& in) {
    if (aborted_ || awaitingRelay_ || awaitingSecondsMove_ || !accepts(s_, in)) return false;
    if (awaitingHandOff_ && std::holds_alternative<in::PressButton7>(in)) return false;
    run(in);
    return true;
}

bool LanPeer::autoplay(AutoPilot& pilot) {
    if (aborted_ || !s_.g.GameRunning || s_.pending) return false;
    if (s_.g.GameState == GameState::DealScored) return input(in::PressButton7{});
    bool any = false;
    for (const Input& in : pilot.next(s_)) {
        if (!input(in)) break;
        any = true;
    }
    return any;
}

void LanPeer::chat(std::string_view text) {
    const auto m = chatMessage(digitOf(session_.role), text);
    if (!m || aborted_) return;
    chatLines_.push_back(*parseChat(*m));
    for (int to : sendExceptTargets(session_.role, 100, session_.joinedCount)) send(to, *m);
}

void LanPeer::run(const Input& in) {
    const RulesState before = s_;
    keep(apply(s_, in));
    answerQuestions();
    const std::vector<Move> moves = movesBetween(before, s_);
    log_.moved(moves, session_.role);
    for (const Move& m : moves)
        for (Send& out : stepsFor(m, session_, s_)) out_.push_back(std::move(out));
    computerMoves();
}

void LanPeer::answerQuestions() {
    while (s_.pending && !aborted_) {
        if (s_.pending->kind == Question::Kind::Deck) {
            // A joiner's deck is the host's deal message.
            if (session_.role != NetRole::Host) return;
            deal();
            continue;
        }
        if (askContract_ && s_.pending->kind == Question::Kind::Contract) return;
        if (defer_) return;
        const Input answer = playersAnswer(s_, players_);
        if (!accepts(s_, answer)) return;
        keep(apply(s_, answer));
    }
}

void LanPeer::deal() {
    const std::array<Card, 25> deck = Shuffle(random_);
    const std::string m = dealMessage(DealMessage{deck, s_.rules});
    log_.dealt(DealMessage{deck, s_.rules});
    send(0, m);
    if (session_.threePeople()) send(1, m);
    hostDealt(session_);
    keep(apply(s_, in::DeckAnswer{deck}));
}

int LanPeer::computerSeat() const {
    if (session_.threePeople()) return 0;
    if (session_.role == NetRole::Host) return 2;
    return session_.role == NetRole::FirstJoiner ? 1 : 0;
}

namespace {

std::optional<in::SeatAction> computerSeatMove(const RulesState& s, int seat,
                                               PlayersPort& players) {
    const GameRecord& g = s.g;
    in::SeatAction a{in::SeatAction::Kind::Pass, seat};
    if (seatToBid(g.GameState) == seat) {
        const int limit = players.ComputerBidLimit(g, s.rules, seat);
        if (raisesWithLimit(g, seat, limit))
            a = {in::SeatAction::Kind::Bid, seat, g.CurrentBid + 5};
    } else if (seatToPlay(g.GameState) == seat) {
        a = {in::SeatAction::Kind::Play, seat, players.ChooseComputerCard(g, s.rules, seat)};
        // A player's answer is untrusted: an unusable slot plays the first legal card.
        for (int k = 1; k <= g.HandCount[seat] && !accepts(s, a); ++k) a.value = k;
    } else {
        return std::nullopt;
    }
    if (!accepts(s, a)) return std::nullopt;
    return a;
}

}  // namespace

bool LanPeer::computerMoveDue() const {
    const int seat = computerSeat();
    const GameRecord& g = s_.g;
    return seat != 0 && !aborted_ && g.GameRunning && !s_.pending && g.DealStartPending != 1 &&
           (seatToBid(g.GameState) == seat || seatToPlay(g.GameState) == seat);
}

bool LanPeer::playersAwaited() const {
    if (!defer_ || aborted_) return false;
    if (s_.pending) {
        const Question::Kind k = s_.pending->kind;
        return k != Question::Kind::Deck && !(askContract_ && k == Question::Kind::Contract);
    }
    return computerOwed_ && computerMoveDue();
}

bool LanPeer::playersAnswered(const Input& in) {
    if (aborted_ || !accepts(s_, in)) return false;
    run(in);
    return true;
}

std::optional<Input> LanPeer::playersMove(const RulesState& s, int computerSeat,
                                          PlayersPort& players) {
    if (s.pending) return playersAnswer(s, players);
    if (computerSeat == 0) return std::nullopt;
    if (auto a = computerSeatMove(s, computerSeat, players)) return Input{*a};
    return std::nullopt;
}

void LanPeer::computerMoves() {
    // A move of this machine's own hands the turn on: the computer seat's next move is owed.
    if (defer_) {
        computerOwed_ = true;
        return;
    }
    const int seat = computerSeat();
    while (computerMoveDue()) {
        const auto a = computerSeatMove(s_, seat, players_);
        if (!a) return;
        const RulesState before = s_;
        keep(apply(s_, *a));
        const std::vector<Move> moves = movesBetween(before, s_);
        log_.moved(moves, session_.role);
        for (const Move& m : moves)
            for (Send& out : stepsFor(m, session_, s_)) out_.push_back(std::move(out));
    }
}

void LanPeer::receive(int from, std::string_view bytes) {
    const bool host = session_.role == NetRole::Host;
    if (aborted_ || (host ? (from != 0 && from != 1) : from != kToHost)) return;
    if (host && from == 0 && awaitingSecondsMove_) {
        heldFromFirst_.append(bytes);
        return;
    }
    StreamReader& reader = readers_[host ? from : 0];
    for (const std::string& m : reader.feed(bytes)) {
        if (aborted_) return;
        if (host)
            receiveAsHost(from, m);
        else
            receiveAsJoiner(m);
    }
    if (reader.broken()) abort("unreadable bytes from a peer");
}

void LanPeer::receiveAsHost(int from, const std::string& m) {
    const int digit = digitOnConnection(from);
    if (m[0] == 's') {
        const auto line = parseChat(m);
        if (!line || line->sender != digit) return;
        chatLines_.push_back(*line);
        for (int to : sendExceptTargets(NetRole::Host, digit, session_.joinedCount)) send(to, m);
    } else if (m[0] == 'z') {
        // Joiners are numbered by the order their requests are answered.
        if (session_.link != LinkState::Waiting || from != session_.joinedCount + 1) return;
        for (Send& out : hostOnJoinRequest(session_, m)) out_.push_back(std::move(out));
    } else if (m[0] == 'h') {
        if (m[1] != '0' + digit) return abort("a step under another machine's name");
        if (m.back() == '1') {
            applyStep(m);
            // The first joiner writes to the host first, then the copy to pass on.
            const StepParse p = parseStep(m);
            if (digit == 2 && session_.threePeople() && p.step && carriesAction(*p.step))
                awaitingRelay_ = true;
            if (digit == 3 && awaitingSecondsMove_) {
                awaitingSecondsMove_ = false;
                releaseHeld();
            }
        } else if (m.back() == '3') {
            const StepParse p = parseStep(m);
            if (!p.step) return abort(p.error);
            if (digit == 2) awaitingRelay_ = false;
            // The second joiner writes the copy to pass on first, then the host's own. The
            // first joiner may answer the copy before the host's own has come: what it sends
            // meanwhile waits until the host has the move it answers.
            if (digit == 3 && carriesAction(*p.step)) awaitingSecondsMove_ = true;
            for (int to : sendExceptTargets(NetRole::Host, digit, session_.joinedCount))
                send(to, m);
        }
    }
    // Anything else from a joiner ("abort" included) is no business of the host.
}

void LanPeer::receiveAsJoiner(const std::string& m) {
    if (m[0] == 's') {
        if (const auto line = parseChat(m)) chatLines_.push_back(*line);
    } else if (m == kAbort) {
        abort("the host ended the session");
    } else if (m.starts_with("connect2")) {
        if (joinerOnSeatReply(session_, m) && pendingStart_) {
            const PlayerStart player = *pendingStart_;
            pendingStart_.reset();
            startGame(player);
        }
    } else if (m.starts_with("connect3")) {
        if (joinerOnSeatUpdate(session_, m) && s_.g.GameRunning) takeSeats();
    } else if (m[0] == 'b') {
        computerOwed_ = false;
        const DealParse p = parseDeal(m);
        if (!p.deal) return abort(p.error);
        Applied a = ApplyDeal(s_, *p.deal, session_);
        if (!a.ok) return abort(a.error);
        log_.dealt(*p.deal);
        keep(std::move(a.events));
    } else if (m[0] == 'h') {
        if (m.back() == '2' || m.back() == '3') applyStep(m);
    }
}

void LanPeer::applyStep(std::string_view m) {
    // The computer seat's move after a received step is the sender's to make.
    computerOwed_ = false;
    const StepParse p = parseStep(m);
    if (!p.step) return abort(p.error);
    const RulesState before = s_;
    Applied a = ApplyStep(s_, *p.step, session_);
    if (!a.ok) return abort(a.error);
    log_.moved(movesApplied(before, s_), session_.role);
    keep(std::move(a.events));
    // A trick completed by another machine's card is collected by its winner only once the
    // hand-off has come: the card message itself carries it ("e") or a message of its own
    // follows. Collecting before it would leave that message to find the table moved on.
    awaitingHandOff_ = s_.g.GameState == GameState::TrickComplete && p.step->button1 != 'e';
}

void LanPeer::releaseHeld() {
    std::string held;
    held.swap(heldFromFirst_);
    if (!held.empty()) receive(0, held);
}

void LanPeer::connectionLost() {
    if (s_.g.GameRunning && !gameOver()) abort("a player left the table");
}

void LanPeer::abort(std::string reason) {
    if (aborted_) return;
    aborted_ = true;
    abortReason_ = std::move(reason);
    if (session_.role == NetRole::Host)
        for (int to : sendExceptTargets(NetRole::Host, 100, session_.joinedCount))
            send(to, std::string(kAbort));
}

std::vector<Send> LanPeer::takeOutgoing() {
    std::vector<Send> out;
    out.swap(out_);
    return out;
}

std::vector<TableEvent> LanPeer::takeEvents() {
    std::vector<TableEvent> out;
    out.swap(events_);
    return out;
}

void LanPeer::keep(std::vector<TableEvent> events) {
    for (TableEvent& e : events) events_.push_back(std::move(e));
}

}  // namespace orvala::lan
