#include "core/lan/lan_peer.h"

#include "core/game/round_driver.h"
#include "core/game/shuffle.h"
#include "core/lan/apply_step.h"
#include "core/lan/deal_message.h"
#include "core/lan/move_steps.h"
#include "core/lan/rejoin_messages.h"
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
    if (session_.role == NetRole::Host)
        for (int seat = 1; seat <= 2; ++seat)
            if (standIn_[static_cast<std::size_t>(seat)]) s_.roles.actsHere[seat] = true;
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
    if (resumed_ && s_.g.GameRunning) {
        // The game came with the resume: only the person's own counters are this machine's.
        s_.g.SeatNames[3] = player.name;
        s_.g.KonNumber = player.storedGameCounter + 1;
        s_.g.PlayerTotal = player.playerTotal;
        return true;
    }
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
    sendMoves(before);
    computerMoves();
    resumeIfReady();
}

void LanPeer::sendMoves(const RulesState& before) {
    const std::vector<Move> moves = movesBetween(before, s_);
    log_.moved(moves, session_.role);
    for (const Move& m : moves)
        for (Send& out : stepsFor(m, session_, s_)) post(std::move(out));
}

void LanPeer::post(Send s) {
    if (session_.role == NetRole::Host) {
        // A seat's link to its connection; a lost seat's texts go nowhere.
        if (s.to < 0 || s.to > 1 || links_[static_cast<std::size_t>(s.to)] < 0) return;
        s.to = links_[static_cast<std::size_t>(s.to)];
    }
    out_.push_back(std::move(s));
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

bool LanPeer::playsHere(int seat) const {
    if (session_.role == NetRole::Host)
        return standIn_[static_cast<std::size_t>(seat)] || (seat == 2 && !session_.threePeople());
    // The first joiner plays the computer seat when its own move hands it the turn.
    return !session_.threePeople() && session_.role == NetRole::FirstJoiner && seat == 1;
}

int LanPeer::computerSeat() const {
    const GameRecord& g = s_.g;
    for (int seat = 1; seat <= 2; ++seat)
        if (playsHere(seat) && (seatToBid(g.GameState) == seat || seatToPlay(g.GameState) == seat))
            return seat;
    return 0;
}

bool LanPeer::standIn(int seat) const {
    return seat >= 1 && seat <= 3 &&
           standIn_[static_cast<std::size_t>(hostSeat(session_.role, seat))];
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
    const GameRecord& g = s_.g;
    return computerSeat() != 0 && !aborted_ && g.GameRunning && !s_.pending &&
           g.DealStartPending != 1;
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
    // A seat handed back to its person meanwhile is no longer the computer's.
    if (const auto* a = std::get_if<in::SeatAction>(&in); a && a->seat != computerSeat())
        return false;
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
    while (computerMoveDue()) {
        const auto a = computerSeatMove(s_, computerSeat(), players_);
        if (!a) return;
        const RulesState before = s_;
        keep(apply(s_, *a));
        sendMoves(before);
    }
}

void LanPeer::receive(int from, std::string_view bytes) {
    if (aborted_) return;
    if (session_.role != NetRole::Host) {
        if (from != kToHost) return;
        for (const std::string& m : joinerReader_.feed(bytes)) {
            if (aborted_) return;
            receiveAsJoiner(m);
        }
        if (joinerReader_.broken()) abort("unreadable bytes from a peer");
        return;
    }
    if (from < 0) return;
    Connection& c = connections_[from];
    if (c.link == 0 && awaitingSecondsMove_) {
        heldFromFirst_.append(bytes);
        return;
    }
    for (const std::string& m : c.reader.feed(bytes)) {
        if (aborted_) return;
        // The connection may have been given a seat by the text before.
        const auto at = connections_.find(from);
        if (at == connections_.end()) return;
        if (at->second.link < 0)
            receiveUnseated(from, m);
        else
            receiveAsHost(at->second.link, m);
    }
    const auto at = connections_.find(from);
    if (at != connections_.end() && at->second.reader.broken()) linkUnreadable(from);
    resumeIfReady();
}

void LanPeer::receiveUnseated(int connection, const std::string& m) {
    const auto name = m[0] == 'z' ? joinRequestName(m) : std::nullopt;
    if (!name) return;  // anything else before a seat is no business of the host
    const auto lostSeat = [&]() -> int {
        for (int link = 0; link <= 1; ++link)
            if (standIn_[static_cast<std::size_t>(link + 1)] &&
                session_.seatNames[static_cast<std::size_t>(link + 1)] == *name)
                return link;
        return -1;
    };
    if (session_.link == LinkState::Waiting && !s_.g.GameRunning && lostSeat() >= 0) {
        // A seated joiner lost before the deal, back: its seat again, with its seat reply.
        const int link = lostSeat();
        standIn_[static_cast<std::size_t>(link + 1)] = false;
        links_[static_cast<std::size_t>(link)] = connection;
        connections_[connection].link = link;
        send(link, seatReply(session_, link));
        send(1 - link, seatNotice(SeatNotice{SeatNotice::Kind::Back, roleAtHostSeat(link + 1, true)}));
        noteSeat(SeatChange{roleAtHostSeat(link + 1, true), false});
        return;
    }
    if (session_.link == LinkState::Waiting) {
        // Joiners are numbered by the order their requests are answered.
        const int link = session_.joinedCount + 1;
        if (link < 0 || link > 1) return;  // the table is full: no answer, it keeps waiting
        links_[static_cast<std::size_t>(link)] = connection;
        connections_[connection].link = link;
        std::vector<Send> replies = hostOnJoinRequest(session_, m);
        if (replies.empty()) {
            links_[static_cast<std::size_t>(link)] = -1;
            connections_[connection].link = -1;
        }
        for (Send& out : replies) post(std::move(out));
        // A seat lost before this joiner came is the host's computer's: it is told so.
        if (!replies.empty() && standIn_[static_cast<std::size_t>(2 - link)])
            send(link, seatNotice(SeatNotice{SeatNotice::Kind::Computer,
                                             roleAtHostSeat(2 - link, true)}));
        return;
    }
    // A lost seat's person, back under the same name, while the game runs.
    if (rejoin_ || !s_.g.GameRunning || gameOver()) return;
    const int link = lostSeat();
    if (link < 0) return;
    rejoin_ = Rejoin{connection, link, false};
    const int other = 1 - link;
    if (links_[static_cast<std::size_t>(other)] >= 0)
        send(other, seatNotice(SeatNotice{SeatNotice::Kind::Back, roleAtHostSeat(link + 1, true)}));
    else
        rejoin_->acknowledged = true;
}

void LanPeer::receiveAsHost(int link, const std::string& m) {
    const int digit = digitOnConnection(link);
    const int other = 1 - link;
    if (m[0] == 's') {
        const auto line = parseChat(m);
        if (!line || line->sender != digit) return;
        chatLines_.push_back(*line);
        for (int to : sendExceptTargets(NetRole::Host, digit, session_.joinedCount)) send(to, m);
    } else if (m[0] == 'w') {
        // The other joiner has seen a lost machine's person come back.
        const auto n = parseSeatNotice(m);
        if (n && n->kind == SeatNotice::Kind::Acknowledged && rejoin_ &&
            n->machine == roleAtHostSeat(rejoin_->link + 1, true) && rejoin_->link == other)
            rejoin_->acknowledged = true;
    } else if (m[0] == 'h') {
        if (m[1] != '0' + digit) return abort("a step under another machine's name");
        if (m.back() == '1') {
            const RulesState before = s_;
            applyStep(m);
            if (aborted_) return;
            if (awaitingHandOff_) handOffFrom_ = link;
            // The first joiner writes to the host first, then the copy to pass on.
            const StepParse p = parseStep(m);
            if (digit == 2 && session_.threePeople() && p.step && carriesAction(*p.step)) {
                awaitingRelay_ = true;
                relayOwed_ = movesApplied(before, s_);
                relayOwedAfter_ = s_;
            }
            if (digit == 3 && awaitingSecondsMove_) {
                // The second joiner's own message has come: its copies for the first go on.
                awaitingSecondsMove_ = false;
                std::vector<std::string> copies;
                copies.swap(heldCopies_);
                for (std::string& c : copies) send(0, std::move(c));
                releaseHeld();
            }
        } else if (m.back() == '3') {
            const StepParse p = parseStep(m);
            if (!p.step) return abort(p.error);
            if (digit == 2) {
                awaitingRelay_ = false;
                relayOwed_.clear();
            }
            // The second joiner writes the copy to pass on first, then the host's own. The copy
            // waits here until the host has the move it carries, and what the first joiner sends
            // meanwhile waits too: so a second joiner lost between its two texts leaves nobody
            // with half an action.
            if (digit == 3 && (awaitingSecondsMove_ || carriesAction(*p.step))) {
                awaitingSecondsMove_ = true;
                heldCopies_.push_back(m);
                return;
            }
            send(other, m);
        }
    }
    // Anything else from a joiner ("abort" included) is no business of the host.
}

void LanPeer::receiveAsJoiner(const std::string& m) {
    if (m[0] == 'r') {
        resumeFrom(m);
    } else if (m[0] == 'w') {
        const auto n = parseSeatNotice(m);
        if (!n || n->kind == SeatNotice::Kind::Acknowledged || n->machine == session_.role)
            return;
        const bool computer = n->kind == SeatNotice::Kind::Computer;
        standIn_[static_cast<std::size_t>(hostSeatOf(n->machine))] = computer;
        if (computer) session_.hostStandsIn = true;
        noteSeat(SeatChange{n->machine, computer});
        if (!computer)
            send(kToHost, seatNotice(SeatNotice{SeatNotice::Kind::Acknowledged, n->machine}));
    } else if (m[0] == 's') {
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
    // The computer seat's move after a received step is the sender's to make, unless the seat
    // is a lost machine's, which only the host's computer plays.
    computerOwed_ = false;
    const StepParse p = parseStep(m);
    if (!p.step) return abort(p.error);
    // A machine that came back may still be sent a trick's hand-off that the resume already
    // holds: a notice that carries nothing and fits nothing is dropped.
    if (resumed_ && !carriesAction(*p.step) && p.step->playSeat == 0 && !p.step->collect &&
        s_.g.GameState != GameState::TrickComplete)
        return;
    const RulesState before = s_;
    Applied a = ApplyStep(s_, *p.step, session_);
    if (!a.ok) return abort(a.error);
    log_.moved(movesApplied(before, s_), session_.role);
    keep(std::move(a.events));
    // A trick completed by another machine's card is collected by its winner only once the
    // hand-off has come: the card message itself carries it ("e") or a message of its own
    // follows. Collecting before it would leave that message to find the table moved on.
    awaitingHandOff_ = s_.g.GameState == GameState::TrickComplete && p.step->button1 != 'e' &&
                       !standIn(s_.g.FirstBidder);
    // A lost machine's seat is the host's computer's to play whoever handed it the turn.
    if (session_.role == NetRole::Host && computerMoveDue() &&
        standIn_[static_cast<std::size_t>(computerSeat())]) {
        computerOwed_ = true;
        if (!defer_) computerMoves();
    }
}

void LanPeer::releaseHeld() {
    std::string held;
    held.swap(heldFromFirst_);
    if (!held.empty() && links_[0] >= 0) receive(links_[0], held);
}

void LanPeer::connectionLost(int from) {
    if (session_.role != NetRole::Host) {
        if (s_.g.GameRunning && !gameOver()) abort("a player left the table");
        return;
    }
    const auto at = connections_.find(from);
    if (at == connections_.end()) return;
    const int link = at->second.link;
    connections_.erase(at);
    if (rejoin_ && rejoin_->connection == from) rejoin_.reset();
    if (link < 0) return;
    links_[static_cast<std::size_t>(link)] = -1;
    if (gameOver()) return;
    takeOver(link);
    resumeIfReady();
}

void LanPeer::linkUnreadable(int from) {
    const auto at = connections_.find(from);
    if (session_.role == NetRole::Host && (at == connections_.end() || at->second.link < 0)) {
        if (at != connections_.end()) connections_.erase(at);
        if (rejoin_ && rejoin_->connection == from) rejoin_.reset();
        closing_.push_back(from);
        return;
    }
    abort("unreadable bytes from a peer");
}

void LanPeer::takeOver(int link) {
    const int seat = link + 1;
    const int other = 1 - link;
    standIn_[static_cast<std::size_t>(seat)] = true;
    s_.roles.actsHere[seat] = true;
    if (rejoin_ && rejoin_->link == other) rejoin_->acknowledged = true;
    // The other joiner learns it first: the steps the host makes for the seat follow.
    send(other, seatNotice(SeatNotice{SeatNotice::Kind::Computer, roleAtHostSeat(seat, true)}));
    noteSeat(SeatChange{roleAtHostSeat(seat, session_.threePeople()), true});
    if (link == 0 && awaitingRelay_) {
        // The first joiner's action reached the host but not its copy for the second joiner:
        // the host passes it on as its own.
        awaitingRelay_ = false;
        for (const Move& m : relayOwed_)
            for (Send& out : stepsFor(m, session_, relayOwedAfter_)) post(std::move(out));
        relayOwed_.clear();
    }
    if (link == 1 && awaitingSecondsMove_) {
        // The second joiner's action never reached the host: its copies go nowhere.
        awaitingSecondsMove_ = false;
        heldCopies_.clear();
        releaseHeld();
    }
    if (link == 0) releaseHeld();
    // A trick the lost seat has won is collected here, and a hand-off the lost machine owed
    // will not come: the trick is collected without it.
    if (s_.g.GameState == GameState::TrickComplete &&
        (s_.g.FirstBidder == seat || handOffFrom_ == link))
        awaitingHandOff_ = false;
    // A declarer lost after showing its given cards, before saying its contract: the bid is.
    GameRecord& g = s_.g;
    if (g.Declarer == seat && g.GameState == GameState::CardsGiven &&
        g.HandCount[nextSeat(seat)] == 8) {
        const RulesState before = s_;
        s_.roles.actsHere[seat] = false;
        const in::SeatAction contract{in::SeatAction::Kind::Contract, seat, g.CurrentBid};
        if (accepts(s_, contract)) keep(apply(s_, contract));
        s_.roles.actsHere[seat] = true;
        sendMoves(before);
    }
    if (computerMoveDue()) {
        computerOwed_ = true;
        if (!defer_) computerMoves();
    }
}

// Nothing is half-passed between the machines and no question waits: a resume taken now
// holds everything the others have been told. (A computer move for the seat still being thought
// is refused once the seat is handed back.)
bool LanPeer::settled() const {
    return !s_.pending && !awaitingRelay_ && !awaitingSecondsMove_;
}

void LanPeer::resumeIfReady() {
    if (!rejoin_ || aborted_ || !rejoin_->acknowledged || !settled()) return;
    const Rejoin r = *rejoin_;
    rejoin_.reset();
    const int seat = r.link + 1;
    ResumeMessage resume;
    resume.role = roleAtHostSeat(seat, true);
    resume.threePeople = session_.threePeople();
    standIn_[static_cast<std::size_t>(seat)] = false;
    resume.standIn = standIn_;
    resume.log = log_;
    links_[static_cast<std::size_t>(r.link)] = r.connection;
    connections_[r.connection].link = r.link;
    s_.roles.actsHere[seat] = false;
    send(r.link, resumeMessage(resume));
    noteSeat(SeatChange{resume.role, false});
}

void LanPeer::resumeFrom(const std::string& m) {
    if (session_.link != LinkState::Waiting) return;
    ResumeParse p = parseResume(m);
    if (!p.resume) return abort("an unusable resume: " + p.error);
    const ResumeMessage& r = *p.resume;
    const PlayerStart player = pendingStart_.value_or(PlayerStart{session_.localName});
    const SeatRoles roles = SeatRoles::lan(digitOf(r.role), !r.threePeople);
    Replayed replayed = replayGame(r.log, r.role, player, roles);
    if (!replayed.state) return abort("an unusable resume: " + replayed.error);
    session_.role = r.role;
    session_.link = LinkState::Seated;
    session_.joinedCount = r.threePeople ? 1 : 0;
    for (int seat = 1; seat <= 3; ++seat)
        session_.seatNames[static_cast<std::size_t>(seat)] =
            r.log.names[static_cast<std::size_t>(hostSeat(r.role, seat))];
    // Whatever the host's computer still stands in for, or sent for this seat before the
    // resume, may come under the host's name.
    session_.hostStandsIn = true;
    standIn_ = r.standIn;
    pendingStart_.reset();
    s_ = std::move(*replayed.state);
    log_ = r.log;
    resumed_ = true;
    awaitingHandOff_ = false;
    computerOwed_ = false;
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

std::vector<int> LanPeer::takeClosing() {
    std::vector<int> out;
    out.swap(closing_);
    return out;
}

bool LanPeer::holdsSeat(int connection) const {
    const auto at = connections_.find(connection);
    return (at != connections_.end() && at->second.link >= 0) ||
           (rejoin_ && rejoin_->connection == connection);
}

void LanPeer::noteSeat(const SeatChange& c) {
    seatChanges_.push_back(c);
    const int seat = hostSeatOf(c.machine);
    chatLines_.push_back(ChatLine{digitOf(c.machine), session_.seatNames[static_cast<std::size_t>(
                                                          localSeat(session_.role, seat))],
                                  c.computer ? ChatLine::Kind::Computer : ChatLine::Kind::Back});
}

std::vector<LanPeer::SeatChange> LanPeer::takeSeatChanges() {
    std::vector<SeatChange> out;
    out.swap(seatChanges_);
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
