#include "core/lan/apply_step.h"

namespace orvala::lan {
namespace {

using Kind = in::SeatAction::Kind;

bool isTableAction(Kind k) {
    return k != Kind::Bid && k != Kind::Pass && k != Kind::Play;
}

// Whether the machine `sender` may act for the seat `actorHostSeat`: its own seat, and the
// computer seat for the host (all of it) and the first joiner (bids and cards, when its own move
// handed the turn on), and any seat for the host once its computer has stood in for a lost one.
bool mayActFor(NetRole sender, int actorHostSeat, Kind kind, const Session& session) {
    if (session.hostStandsIn && sender == NetRole::Host) return true;
    const NetRole holder = roleAtHostSeat(actorHostSeat, session.threePeople());
    if (holder != NetRole::None) return holder == sender;
    return sender == NetRole::Host || (sender == NetRole::FirstJoiner && !isTableAction(kind));
}

int firstInAuction(const GameRecord& g) {
    for (int s = 1; s <= 3; ++s)
        if (g.InBid[s]) return s;
    return 0;
}

class Applier {
  public:
    Applier(RulesState& s, const Session& session, NetRole sender)
        : s_(s), session_(session), sender_(sender) {}

    bool act(Kind kind, int seat, int value = 0, int value2 = 0) {
        if (!error_.empty()) return false;
        const in::SeatAction a{kind, seat, value, value2};
        if (seat < 1 || seat > 3 ||
            !mayActFor(sender_, hostSeat(session_.role, seat), kind, session_))
            return fail("the sender does not act for that seat");
        if (!accepts(s_, a)) return fail("the rules refuse the step");
        for (TableEvent& e : apply(s_, a)) events_.push_back(std::move(e));
        return true;
    }
    bool fail(std::string why) {
        if (error_.empty()) error_ = std::move(why);
        return false;
    }
    const std::string& error() const { return error_; }
    std::vector<TableEvent>& events() { return events_; }

  private:
    RulesState& s_;
    const Session& session_;
    NetRole sender_;
    std::string error_;
    std::vector<TableEvent> events_;
};

}  // namespace

Applied ApplyStep(RulesState& state, const StepFields& f, const Session& session) {
    if (f.sender < 1 || f.sender > 3 || f.sender == digitOf(session.role))
        return Applied{false, "a step from an unknown machine", {}};
    RulesState s = state;  // applied to a copy: a refused step changes nothing
    const GameRecord& g = s.g;
    Applier a(s, session, static_cast<NetRole>(f.sender));
    for (int seat = 1; seat <= 3; ++seat) {
        const SeatField& sf = f.seat[static_cast<std::size_t>(seat)];
        if (sf.kind == 'p') a.act(Kind::Bid, seat, sf.bid);
        if (sf.kind == 'a') a.act(Kind::Pass, seat);
    }
    if (f.openTalon) a.act(Kind::OpenTalon, firstInAuction(g));
    if (f.takeTalon) a.act(Kind::TakeTalon, firstInAuction(g));
    if (f.give) a.act(Kind::Give, g.Declarer, (*f.give)[0], (*f.give)[1]);
    if (f.reveal) a.act(Kind::Reveal, g.Declarer);
    // Trump changes only by a marriage, which the card itself declares; a letter that differs
    // from the trump already set could only desynchronise the machines.
    if (f.trump != 'i' && f.trump != '#' && f.trump != g.Trump) a.fail("a trump out of turn");
    if (f.contract) a.act(Kind::Contract, g.Declarer, *f.contract);
    if (f.button1 == 'x') a.act(Kind::Paint, g.Declarer);
    if (f.playSeat != 0) a.act(Kind::Play, f.playSeat, f.playSlot);
    if (f.collect) a.act(Kind::Collect, g.FirstBidder);
    if (a.error().empty() && f.caption1 == '2' && f.nextBid && *f.nextBid != g.CurrentBid + 5)
        a.fail("the next bid does not match the auction");
    if (a.error().empty() && f.driverState && *f.driverState != stateNumber(g.GameState))
        a.fail("the machines are out of step");
    if (!a.error().empty()) return Applied{false, a.error(), {}};
    state = std::move(s);
    return Applied{true, {}, std::move(a.events())};
}

Applied ApplyDeal(RulesState& state, const DealMessage& deal, const Session& session) {
    if (session.role != NetRole::FirstJoiner && session.role != NetRole::SecondJoiner)
        return Applied{false, "only a joiner receives deals", {}};
    if (!state.g.GameRunning) return Applied{false, "a deal before the game began", {}};
    RulesState s = state;
    std::vector<TableEvent> events;
    auto take = [&](const Input& input) {
        if (!accepts(s, input)) return false;
        for (TableEvent& e : apply(s, input)) events.push_back(std::move(e));
        return true;
    };
    s.rules = deal.rules;
    const bool waitsForDeck = s.pending && s.pending->kind == Question::Kind::Deck;
    if (waitsForDeck && s.g.DealNumber == 1) {
        // The game began before the host's rules were known: begin it again under them.
        take(in::NewGame{PlayerStart{s.g.SeatNames[3], s.g.KonNumber - 1, s.g.PlayerTotal}});
    } else if (!waitsForDeck &&
               !take(in::SeatAction{in::SeatAction::Kind::NextRound, localSeat(session.role, 3)})) {
        return Applied{false, "a deal arrived while a deal is under way", {}};
    }
    if (!take(in::DeckAnswer{deckSeenBy(session.role, deal.deck)}))
        return Applied{false, "the deal cannot be dealt", {}};
    state = std::move(s);
    return Applied{true, {}, std::move(events)};
}

}  // namespace orvala::lan
