#include "tourney/table_referee.h"

#include "core/game/shuffle.h"
#include "core/lan/apply_step.h"
#include "core/lan/game_log.h"
#include "core/lan/step_message.h"
#include "core/tourney/move_clock.h"

namespace orvala::service {
namespace {

using tourney::roleOfSeat;

// The server's copy of a seat's machine: the seat's numbering and first-bidder rotation, but
// every seat played elsewhere, so that the seat's own moves apply as moves made elsewhere.
SeatRoles refereeRoles(int seat) {
    SeatRoles r = SeatRoles::tournamentSeat(seat);
    for (int s = 0; s <= 3; ++s) {
        r.sitter[s] = Sitter::Remote;
        r.actsHere[s] = false;
    }
    r.startsRounds = false;
    return r;
}

int otherSeat(int a, int b) {
    return 6 - a - b;
}

// The lowest bid, and so the lowest contract.
constexpr int kLowestContract = 100;

std::string seatText(int seat) {
    return "seat " + std::to_string(seat);
}

}  // namespace

TableReferee::TableReferee(int table, RandomSource& random, std::int64_t moveMs)
    : table_(table), random_(random), moveMs_(moveMs) {
    for (int s = 1; s <= 3; ++s) {
        lan::Session& session = sessions_[static_cast<std::size_t>(s)];
        session.role = roleOfSeat(s);
        session.link = lan::LinkState::Seated;
        session.joinedCount = 1;
    }
}

void TableReferee::seated(int seat, std::string nick, std::int64_t now) {
    if (phase_ != Phase::Waiting || seat < 1 || seat > 3) return;
    const auto i = static_cast<std::size_t>(seat);
    seated_[i] = true;
    nicks_[i] = std::move(nick);
    readers_[i] = {};
    inbox_[i].clear();
    if (seated_[1] && seated_[2] && seated_[3]) deal(now);
}

void TableReferee::deal(std::int64_t now) {
    const std::array<Card, 25> deck = Shuffle(random_);
    const bool first = phase_ == Phase::Waiting;
    for (int s = 1; s <= 3; ++s) {
        RulesState& v = views_[static_cast<std::size_t>(s)];
        if (first) {
            v = RulesState{};
            v.roles = refereeRoles(s);
            v.rules = tourney::tableRules(table_);
            apply(v, in::NewGame{PlayerStart{nicks_[static_cast<std::size_t>(s)]}});
        } else {
            apply(v, in::SeatAction{in::SeatAction::Kind::NextRound, 1});
        }
        apply(v, in::DeckAnswer{lan::deckSeenBy(roleOfSeat(s), deck)});
        // No one presses "To Begin of Round" here: the deal's first bid may come at once.
        v.g.DealStartPending = 2;
        out_.push_back(Frame{s, tourney::dealFrame(deck)});
    }
    if (first)
        for (int s = 1; s <= 3; ++s)
            game_.names[static_cast<std::size_t>(s)] = nicks_[static_cast<std::size_t>(s)];
    game_.dealt(lan::DealMessage{deck, tourney::tableRules(table_)});
    phase_ = Phase::Playing;
    restartClock(now);
}

void TableReferee::receive(int seat, std::string_view bytes, std::int64_t now) {
    if (seat < 1 || seat > 3 || !seated_[static_cast<std::size_t>(seat)]) return;
    tourney::PlayerFrameReader& reader = readers_[static_cast<std::size_t>(seat)];
    std::deque<std::string>& inbox = inbox_[static_cast<std::size_t>(seat)];
    for (std::string& f : reader.feed(bytes)) {
        if (!seated_[static_cast<std::size_t>(seat)]) break;
        // Frames wait only while another seat owes their receiver a message; a seat that sends
        // on regardless is flooding the table.
        if (inbox.size() >= kMaxHeldFrames) drain(now);
        if (inbox.size() >= kMaxHeldFrames) {
            leave(seat, "too many frames held");
            break;
        }
        inbox.push_back(std::move(f));
    }
    if (reader.broken() && seated_[static_cast<std::size_t>(seat)]) inbox.push_back("?");
    drain(now);
}

// Walks the inboxes until no frame moves. Nothing called from here touches an inbox: a seat
// that leaves is only marked so, and its frames are dropped here, by the loop that owns them.
void TableReferee::drain(std::int64_t now) {
    // One seat's frame may let another's waiting ones through.
    for (bool moved = true; moved;) {
        moved = false;
        for (int s = 1; s <= 3; ++s) {
            auto& inbox = inbox_[static_cast<std::size_t>(s)];
            while (!inbox.empty()) {
                if (!seated_[static_cast<std::size_t>(s)]) {
                    inbox.clear();
                    break;
                }
                if (!frame(s, inbox.front(), now)) break;
                inbox.pop_front();
                moved = true;
            }
        }
    }
}

// False when the frame must wait.
bool TableReferee::frame(int seat, const std::string& f, std::int64_t now) {
    if (!seated_[static_cast<std::size_t>(seat)]) return true;
    if (f == "?") {
        leave(seat, "unreadable bytes");
        return true;
    }
    if (f.back() != static_cast<char>('0' + seat)) {
        leave(seat, "a frame under another seat's number");
        return true;
    }
    if (phase_ == Phase::Ended) {
        if (f[0] == 'o' && seat == 1 && !report_) {
            report_ = tourney::parseResultReport(f);
            if (!report_) log("table " + std::to_string(table_) + ": seat 1's report unreadable");
            compareReport();
        }
        return true;
    }
    switch (f[0]) {
        case 's':
            toOthers(seat, f);
            return true;
        case 'd':
            if (f.starts_with("disA")) leave(seat, "left the table");
            return true;
        case 'T':
            if (f.starts_with("TOut") && phase_ == Phase::Playing) timeOut(seat);
            return true;
        case 'b':
            // Seat 1 may ask before the last collection has reached every seat.
            if (seat == 1 && f.starts_with("bnext") && phase_ == Phase::Playing) nextAsked_ = true;
            dealIfAsked(now);
            return true;
        case 'o':
            if (seat == 1) report_ = tourney::parseResultReport(f);
            return true;
        case 'h':
            if (phase_ != Phase::Playing) return true;
            return step(seat, f, now) == Step::Done;
        default:  // "connect" again
            return true;
    }
}

TableReferee::Step TableReferee::step(int a, const std::string& f, std::int64_t now) {
    std::string m = f.substr(0, lan::kStepLength);
    if (m[1] != static_cast<char>('0' + a)) {
        leave(a, "a step under another seat's number");
        return Step::Done;
    }
    const int b = m.back() - '0';
    if (b < 1 || b > 3 || b == a) {
        leave(a, "a step for no other seat");
        return Step::Done;
    }
    std::optional<Owed>& owed = owed_[static_cast<std::size_t>(a)];
    if (owed && owed->to != b) {
        leave(a, "an action told to one seat only");
        return Step::Done;
    }
    // What is for `b` waits while another seat still owes `b` an earlier action.
    for (int c = 1; c <= 3; ++c)
        if (c != a && owed_[static_cast<std::size_t>(c)] &&
            owed_[static_cast<std::size_t>(c)]->to == b)
            return Step::Held;

    // The shared step reader names machines by their LAN role.
    m[1] = static_cast<char>('0' + lan::digitOf(roleOfSeat(a)));
    const lan::StepParse p = lan::parseStep(m);
    if (!p.step) {
        leave(a, "an unreadable step: " + p.error);
        return Step::Done;
    }
    RulesState& receiver = views_[static_cast<std::size_t>(b)];
    const RulesState before = receiver;
    const lan::Applied applied =
        lan::ApplyStep(receiver, *p.step, sessions_[static_cast<std::size_t>(b)]);
    if (!applied.ok) {
        leave(a, "a step the rules refuse: " + applied.error);
        return Step::Done;
    }
    std::vector<lan::Move> told = lan::movesApplied(before, receiver);
    for (lan::Move& mv : told) mv.seat = lan::hostSeat(roleOfSeat(b), mv.seat);
    std::vector<lan::Move> moves = told;
    for (lan::Move& mv : moves) mv.field = 'i';
    if (owed) {
        if (moves != owed->moves) {
            leave(a, "a different action for each seat");
            return Step::Done;
        }
        owed.reset();
    } else if (!moves.empty()) {
        if (!applyOwn(a, moves)) {
            leave(a, "a step its own seat cannot make");
            return Step::Done;
        }
        game_.moved(moves, lan::NetRole::Host);  // already in tournament seat numbers
        owed = Owed{otherSeat(a, b), moves, std::move(told)};
    }
    out_.push_back(Frame{b, f});
    sendResumes();
    if (!moves.empty()) restartClock(now);
    finishIfOver();
    dealIfAsked(now);
    return Step::Done;
}

// Seat 1 starts the next round once every seat has the deal scored.
void TableReferee::dealIfAsked(std::int64_t now) {
    if (!nextAsked_ || phase_ != Phase::Playing) return;
    for (int s = 1; s <= 3; ++s)
        if (owed_[static_cast<std::size_t>(s)] ||
            views_[static_cast<std::size_t>(s)].g.GameState != GameState::DealScored)
            return;
    nextAsked_ = false;
    deal(now);
}

bool TableReferee::applyOwn(int seat, const std::vector<lan::Move>& moves) {
    RulesState v = views_[static_cast<std::size_t>(seat)];
    for (const lan::Move& m : moves) {
        lan::Move local = m;
        local.seat = lan::localSeat(roleOfSeat(seat), m.seat);
        const in::SeatAction act = lan::seatActionOf(local);
        if (!accepts(v, act)) return false;
        apply(v, act);
    }
    views_[static_cast<std::size_t>(seat)] = std::move(v);
    return true;
}

int TableReferee::clockSeat() const {
    if (phase_ != Phase::Playing) return 0;
    for (int s = 1; s <= 3; ++s)
        if (owed_[static_cast<std::size_t>(s)]) return s;
    // Seat 3's numbering is the tournament's own.
    return tourney::seatToAct(views_[3], 1);
}

void TableReferee::restartClock(std::int64_t now) {
    clockSeat_ = clockSeat();
    deadline_ = clockSeat_ != 0 ? std::optional<std::int64_t>(now + moveMs_) : std::nullopt;
}

std::optional<std::int64_t> TableReferee::deadline() const {
    return phase_ == Phase::Playing ? deadline_ : std::nullopt;
}

void TableReferee::tick(std::int64_t now) {
    if (phase_ == Phase::Playing && deadline_ && now >= *deadline_ && clockSeat_ != 0)
        timeOut(clockSeat_);
}

void TableReferee::closed(int seat, std::int64_t now, bool mayComeBack) {
    if (seat < 1 || seat > 3) return;
    const auto i = static_cast<std::size_t>(seat);
    inbox_[i].clear();
    readers_[i] = {};
    if (phase_ == Phase::Playing && seated_[i]) {
        if (!mayComeBack) {
            leave(seat, "its client does not read");
        } else {
            away_[i] = true;
            resumeOwed_[i] = false;
            log("table " + std::to_string(table_) + ": " + seatText(seat) + " away");
            toOthers(seat, tourney::seatNoticeFrame(seat, false, nicks_[i]));
            if (owed_[i]) {
                // The action's first message went out: the server tells the rest of it.
                const std::vector<std::string> rest = secondHalf(seat);
                if (rest.empty()) {
                    leave(seat, "an action half told that cannot be finished");
                    return;
                }
                for (const std::string& f : rest) inbox_[i].push_back(f);
                drain(now);
            }
            return;
        }
    }
    seated_[i] = false;
}

// What seat `a`'s machine sends after the first message of the action it owes: the message
// for the seat it owes, and whatever followed it (a trick's notice to its winner), written
// from the moves the first message carried, in the order the machine writes them.
std::vector<std::string> TableReferee::secondHalf(int a) const {
    const auto i = static_cast<std::size_t>(a);
    const Owed& o = *owed_[i];
    std::vector<std::string> out;
    bool reached = false;
    for (const lan::Move& m : o.told) {
        lan::Move local = m;
        local.seat = lan::localSeat(roleOfSeat(a), m.seat);
        for (lan::Send& send : lan::stepsFor(local, sessions_[i], views_[i])) {
            tourney::StepFrame f = tourney::stepFrame(std::move(send), a);
            reached = reached || f.to == o.to;
            if (reached) out.push_back(std::move(f.bytes));
        }
    }
    return out;
}

bool TableReferee::rejoined(int seat, std::int64_t) {
    if (seat < 1 || seat > 3 || phase_ != Phase::Playing || !away(seat)) return false;
    resumeOwed_[static_cast<std::size_t>(seat)] = true;
    sendResumes();
    return true;
}

// A returning seat gets its resume once no action owes it a message: that message is in the log
// already, and must not reach the seat a second time.
void TableReferee::sendResumes() {
    for (int s = 1; s <= 3; ++s) {
        const auto i = static_cast<std::size_t>(s);
        if (!resumeOwed_[i]) continue;
        bool owedTo = false;
        for (const auto& o : owed_) owedTo = owedTo || (o && o->to == s);
        if (owedTo) continue;
        resumeOwed_[i] = false;
        away_[i] = false;
        readers_[i] = {};
        out_.push_back(Frame{s, tourney::resumeFrame(s, game_)});
        log("table " + std::to_string(table_) + ": " + seatText(s) + " back");
        toOthers(s, tourney::seatNoticeFrame(s, true, nicks_[i]));
    }
}

void TableReferee::finishIfOver() {
    if (phase_ != Phase::Playing) return;
    for (int s = 1; s <= 3; ++s)
        if (owed_[static_cast<std::size_t>(s)] ||
            views_[static_cast<std::size_t>(s)].g.GameState != GameState::GameOver)
            return;
    std::array<int, 4> scores{};
    for (int s = 1; s <= 3; ++s) scores[static_cast<std::size_t>(s)] = views_[3].g.Score[s];
    results_ = tourney::tableResults(scores);
    phase_ = Phase::Ended;
    end_ = End::Finished;
    deadline_.reset();
    for (int s = 1; s <= 3; ++s) out_.push_back(Frame{s, tourney::gameOverFrame()});
    compareReport();
}

void TableReferee::compareReport() {
    if (!report_ || !results_) return;
    for (int s = 1; s <= 3; ++s) {
        if ((*report_)[static_cast<std::size_t>(s)] != (*results_)[static_cast<std::size_t>(s)]) {
            log("table " + std::to_string(table_) +
                ": seat 1 reported a result that differs from the server's; the server's stands");
            return;
        }
    }
}

void TableReferee::leave(int seat, const std::string& why) {
    if (phase_ == Phase::Ended) return;
    log("table " + std::to_string(table_) + ": " + seatText(seat) + " left: " + why);
    if (phase_ == Phase::Waiting) {
        // Nothing was dealt: the seat is free again. Its frames are dropped by the loop that
        // walks them, never from here.
        seated_[static_cast<std::size_t>(seat)] = false;
        return;
    }
    toOthers(seat, tourney::leftFrame(seat));
    phase_ = Phase::Ended;
    end_ = End::Left;
    endingSeat_ = seat;
    deadline_.reset();
    cutShort(seat);
}

void TableReferee::timeOut(int seat) {
    if (phase_ != Phase::Playing) return;
    log("table " + std::to_string(table_) + ": " + seatText(seat) + " ran out of time");
    toOthers(seat, tourney::timeOutFrame(seat));
    phase_ = Phase::Ended;
    end_ = End::TimedOut;
    endingSeat_ = seat;
    deadline_.reset();
    cutShort(seat);
}

void TableReferee::cutShort(int seat) {
    const GameRecord& g = views_[3].g;
    std::array<int, 4> scores{};
    for (int s = 1; s <= 3; ++s) scores[static_cast<std::size_t>(s)] = g.Score[s];
    // Leaving before the first deal is scored is not free: the leaver counts as a declarer who
    // failed the lowest contract in it, so that it takes the lowest result and the others gain.
    if (g.DealNumber < 2 && g.GameState != GameState::DealScored)
        scores[static_cast<std::size_t>(seat)] += kLowestContract;
    results_ = tourney::forfeitResults(scores, seat);
}

void TableReferee::toOthers(int seat, const std::string& bytes) {
    for (int s = 1; s <= 3; ++s)
        if (s != seat && seated_[static_cast<std::size_t>(s)]) out_.push_back(Frame{s, bytes});
}

std::vector<TableReferee::Frame> TableReferee::takeOutgoing() {
    std::vector<Frame> out;
    out.swap(out_);
    // Nothing reaches a seat that is away: its resume will hold it.
    std::erase_if(out, [this](const Frame& f) { return f.to >= 1 && f.to <= 3 && away(f.to); });
    return out;
}

std::vector<std::string> TableReferee::takeLog() {
    std::vector<std::string> out;
    out.swap(log_);
    return out;
}

}  // namespace orvala::service
