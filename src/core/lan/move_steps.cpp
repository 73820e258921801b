#include "core/lan/move_steps.h"

#include <algorithm>

#include "core/lan/routing.h"

namespace orvala::lan {
namespace {

using Kind = Move::Kind;

int lastInAuction(const GameRecord& g) {
    if (g.InBid[1] + g.InBid[2] + g.InBid[3] != 1) return 0;
    for (int s = 1; s <= 3; ++s)
        if (g.InBid[s]) return s;
    return 0;
}

int firstInAuction(const GameRecord& g) {
    for (int s = 1; s <= 3; ++s)
        if (g.InBid[s]) return s;
    return 0;
}

// The slot that a card played by `seat` held before it was played.
int playedSlot(const GameRecord& before, const GameRecord& after, int seat) {
    for (int k = 1; k <= before.HandCount[seat]; ++k) {
        const Card c = before.Hand[seat][static_cast<std::size_t>(k)];
        if (!c.isEmpty() && !HasCard(kHandSlots, after.Hand[seat].cards(), c)) return k;
    }
    return 0;
}

char marriageField(int suit) {
    static constexpr char kFields[] = {'i', '9', '8', '6', '4'};
    return suit >= 1 && suit <= 4 ? kFields[suit] : 'i';
}

void send(std::vector<Send>& out, const Session& s, const StepRoute& r, const std::string& body) {
    out.push_back(Send{r.to, stepMessage(digitOf(s.role), body, r.code)});
}

}  // namespace

std::vector<Move> movesBetween(const RulesState& before, const RulesState& after) {
    const GameRecord& a = before.g;
    const GameRecord& b = after.g;
    std::vector<Move> out;
    if (!a.GameRunning || a.DealNumber != b.DealNumber) return out;
    if (const int seat = seatToBid(a.GameState); seat != 0 && a.DealStartPending != 1) {
        if (b.CurrentBid > a.CurrentBid)
            out.push_back(Move{Kind::Bid, seat, b.CurrentBid});
        else if (a.InBid[seat] && !b.InBid[seat])
            out.push_back(Move{Kind::Pass, seat});
    }
    if (a.GameState == GameState::AuctionOver && b.GameState != GameState::AuctionOver)
        out.push_back(Move{Kind::OpenTalon, firstInAuction(a)});
    if (a.GameState == GameState::TalonShown && b.GameState != GameState::TalonShown)
        out.push_back(Move{Kind::TakeTalon, firstInAuction(a)});
    const bool choosing =
        a.GameState == GameState::ChoosingGive || a.GameState == GameState::GiveChosen;
    if (choosing && b.GameState == GameState::CardsGiven)
        out.push_back(Move{Kind::Give, b.Declarer, b.GiveSlot1, b.GiveSlot2});
    const bool given = a.GameState == GameState::CardsGiven || choosing;
    if (given && a.HandCount[nextSeat(b.Declarer)] != 8 && b.HandCount[nextSeat(b.Declarer)] == 8)
        out.push_back(Move{Kind::Reveal, b.Declarer});
    const bool announced = b.GameState == GameState::ContractSet ||
                           (b.GameState == GameState::DealScored && b.PaintingChosen);
    if (given && announced) out.push_back(Move{Kind::Contract, b.Declarer, b.Contract});
    const bool paintable =
        a.GameState == GameState::ContractSet || a.GameState == GameState::CardsGiven;
    if (paintable && b.GameState == GameState::DealScored)
        out.push_back(Move{Kind::GiveUp, b.Declarer});
    for (int seat = 1; seat <= 3; ++seat) {
        if (b.HandCount[seat] != a.HandCount[seat] - 1 || !inPlay(a.GameState) ||
            a.GameState == GameState::TrickComplete)
            continue;
        out.push_back(Move{Kind::Play, seat, playedSlot(a, b, seat), 0,
                           b.MarriageDeclared ? marriageField(b.MarriageDeclared) : 'i'});
    }
    if (a.GameState == GameState::TrickComplete && b.GameState != GameState::TrickComplete)
        out.push_back(Move{Kind::Collect, a.FirstBidder});
    return out;
}

std::vector<Send> stepsFor(const Move& m, const Session& s, const RulesState& after) {
    const GameRecord& g = after.g;
    const bool three = s.threePeople();
    const int actor = hostSeat(s.role, m.seat);
    std::vector<Send> out;
    // The machine of a completed trick's winner (the host stands for the computer seat).
    NetRole winnerMachine = NetRole::None;
    bool trickHandedOff = false;
    if (m.kind == Kind::Play && g.GameState == GameState::TrickComplete) {
        winnerMachine = roleAtHostSeat(hostSeat(s.role, g.FirstBidder), three);
        if (winnerMachine == NetRole::None) winnerMachine = NetRole::Host;
    }
    for (const StepRoute& r : stepRoutes(s.role, actor, three)) {
        const int view = localSeat(r.receiver, actor);
        // The receiver's own seat in this machine's numbering.
        const int own = localSeat(s.role, hostSeatOf(r.receiver));
        switch (m.kind) {
            case Kind::Bid:
            case Kind::Pass: {
                const SeatField f = m.kind == Kind::Bid ? SeatField{'p', m.value} : SeatField{'a'};
                BidHandOff h;
                h.receiverBidsNext = g.GameState == biddingState(own);
                h.receiverDeclares =
                    g.GameState == GameState::AuctionOver && lastInAuction(g) == own;
                h.nextBid = g.CurrentBid + 5;
                send(out, s, r, bidBody(view, f, h));
                break;
            }
            case Kind::Play: {
                CardHandOff h;
                h.receiverPlaysNext = g.GameState == playingState(own);
                h.trickComplete = g.GameState == GameState::TrickComplete;
                // With one joiner the seat-2 view carries the trick-complete notice itself.
                h.handOffTrick =
                    h.trickComplete && !three && view == 2 && winnerMachine == r.receiver;
                trickHandedOff = trickHandedOff || h.handOffTrick;
                send(out, s, r, cardBody(view, SeatField{m.field}, m.value, h));
                break;
            }
            case Kind::OpenTalon:
                send(out, s, r, openTalonBody());
                break;
            case Kind::TakeTalon:
                send(out, s, r, takeTalonBody());
                break;
            case Kind::Give:
                send(out, s, r, giveBody(m.value, m.value2));
                break;
            case Kind::Reveal:
                send(out, s, r, revealBody());
                break;
            case Kind::Contract:
                send(out, s, r, contractBody(m.value));
                break;
            case Kind::GiveUp:
                send(out, s, r, giveUpBody());
                break;
            case Kind::Collect:
                send(out, s, r, collectBody());
                break;
        }
    }
    if (winnerMachine != NetRole::None && winnerMachine != s.role && !trickHandedOff)
        send(out, s, routeTo(s.role, winnerMachine), trickCompleteBody());
    return out;
}

}  // namespace orvala::lan
