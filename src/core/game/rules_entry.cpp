// The one entry into the rules: what may happen now, and the rule step an input runs.

#include <algorithm>

#include "core/game/rule_steps.h"

namespace orvala {
namespace {

using Kind = in::SeatAction::Kind;

bool waitsFor(const RulesState& s, Question::Kind kind, int seat) {
    return s.pending && s.pending->kind == kind && s.pending->seat == seat;
}

bool isFullDeck(const std::array<Card, 25>& deck) {
    std::array<Card, 24> sorted{};
    std::copy(deck.begin() + 1, deck.end(), sorted.begin());
    std::array<Card, 24> reference = referenceDeck();
    auto less = [](Card a, Card b) { return a.rank != b.rank ? a.rank < b.rank : a.suit < b.suit; };
    std::sort(sorted.begin(), sorted.end(), less);
    std::sort(reference.begin(), reference.end(), less);
    return sorted == reference;
}

bool acceptsClick(const RulesState& s, const in::ClickHand& c) {
    const GameRecord& g = s.g;
    if (c.slot < 1 || c.slot > g.HandCount[3]) return false;
    if (c.button == MouseButton::Right) return true;
    switch (g.GameState) {
        case GameState::ChoosingGive:
            return g.Declarer == 3;
        case GameState::GiveChosen:
            return g.Declarer == 3 && (c.slot == g.GiveSlot1 || c.slot == g.GiveSlot2);
        case GameState::PersonPlays:
            return isLegalSlot(g, 3, c.slot);
        default:
            return false;
    }
}

bool acceptsTick(const RulesState& s) {
    const GameRecord& g = s.g;
    if (!s.roles.timerMoves || !timerOf(s).enabled) return false;
    if (g.GameState == GameState::AllPlayed) return true;
    if (const int seat = seatToBid(g.GameState))
        return s.roles.sitter[seat] == Sitter::Computer && g.InBid[seat];
    if (const int seat = seatToPlay(g.GameState)) return s.roles.sitter[seat] == Sitter::Computer;
    return false;
}

// A move made elsewhere fits the state as the same move made here would. Bids and cards come
// for seats played elsewhere (the host's computer seat included: the machine before it in turn
// may play for it); the declarer's steps and the collection of a trick for seats whose table
// actions are not pressed here.
bool acceptsSeatAction(const RulesState& s, const in::SeatAction& a) {
    const GameRecord& g = s.g;
    if (a.seat < 1 || a.seat > 3) return false;
    const bool seatMove = a.kind == Kind::Bid || a.kind == Kind::Pass || a.kind == Kind::Play;
    if (seatMove ? s.roles.sitter[a.seat] != Sitter::Remote : s.roles.actsHere[a.seat])
        return false;
    const GameState st = g.GameState;
    switch (a.kind) {
        case Kind::Bid:
            return st == biddingState(a.seat) && g.InBid[a.seat] && a.value == g.CurrentBid + 5;
        case Kind::Pass:
            return st == biddingState(a.seat) && g.InBid[a.seat] && g.CurrentBid != 95;
        case Kind::OpenTalon:
            return st == GameState::AuctionOver && auctionWinner(g) == a.seat;
        case Kind::TakeTalon:
            return st == GameState::TalonShown && auctionWinner(g) == a.seat;
        case Kind::Give: {
            auto held = [&](int k) {
                return k >= 1 && k <= kHandSlots && !g.Hand[a.seat][k].isEmpty();
            };
            return st == GameState::ChoosingGive && g.Declarer == a.seat && held(a.value) &&
                   held(a.value2) && a.value != a.value2;
        }
        case Kind::Reveal:
            return st == GameState::CardsGiven && g.Declarer == a.seat &&
                   g.HandCount[nextSeat(a.seat)] != 8;
        case Kind::Contract:
            return st == GameState::CardsGiven && g.Declarer == a.seat &&
                   g.HandCount[nextSeat(a.seat)] == 8 && a.value >= g.CurrentBid &&
                   a.value <= std::max(g.CurrentBid, kMostDealPoints);
        case Kind::Paint:
            return (st == GameState::ContractSet || st == GameState::CardsGiven) &&
                   g.Declarer == a.seat && s.rules.RulePainting;
        case Kind::Play: {
            // The declarer's press that starts play is not sent: its lead may come at once.
            const bool leads = st == GameState::ContractSet && g.Declarer == a.seat;
            return (st == playingState(a.seat) || leads) && isLegalSlot(g, a.seat, a.value);
        }
        case Kind::Collect:
            return st == GameState::TrickComplete && g.FirstBidder == a.seat;
        case Kind::NextRound:
            return st == GameState::DealScored && !s.roles.startsRounds;
    }
    return false;
}

struct Acceptor {
    const RulesState& s;
    bool running() const { return s.g.GameRunning; }
    bool idle() const { return running() && !s.pending; }

    bool operator()(const in::NewGame&) const { return true; }
    bool operator()(const in::Tick&) const { return idle() && acceptsTick(s); }
    bool operator()(const in::PressButton7&) const { return idle() && button7(s).enabled; }
    bool operator()(const in::PressButton8&) const { return idle() && button8(s).enabled; }
    bool operator()(const in::ClickHand& c) const { return idle() && acceptsClick(s, c); }
    bool operator()(const in::ClickTableCard& c) const { return running() && isValidCard(c.card); }
    bool operator()(const in::ExitToMenu&) const { return running(); }
    bool operator()(const in::DeckAnswer& a) const {
        return waitsFor(s, Question::Kind::Deck, 0) && isFullDeck(a.deck);
    }
    bool operator()(const in::BidLimitAnswer& a) const {
        return waitsFor(s, Question::Kind::BidLimit, a.seat);
    }
    bool operator()(const in::GiveAnswer& a) const {
        return waitsFor(s, Question::Kind::Give, a.seat);
    }
    bool operator()(const in::CardAnswer& a) const {
        return waitsFor(s, Question::Kind::Card, a.seat);
    }
    bool operator()(const in::ContractAnswer&) const {
        return waitsFor(s, Question::Kind::Contract, 3);
    }
    bool operator()(const in::SeatAction& a) const { return idle() && acceptsSeatAction(s, a); }
};

struct Stepper {
    RulesState& s;
    RuleSteps& st;
    GameRecord& g = s.g;

    void operator()(const in::NewGame& n) { st.NewDeal(false, &n.player); }
    // Where no timer moves (network games), nothing would score the last trick's deal: it is
    // scored as the trick is collected, on every machine alike.
    void collect() {
        st.CollectTrick();
        if (!s.roles.timerMoves && g.GameState == GameState::AllPlayed) st.ScoreDeal();
    }
    void operator()(const in::Tick&) {
        if (g.GameState == GameState::AllPlayed)
            st.ScoreDeal();
        else if (const int seat = seatToBid(g.GameState))
            st.computerBid(seat);
        else if (const int seat = seatToPlay(g.GameState))
            st.ask(Question::Kind::Card, seat);
    }
    void operator()(const in::PressButton7&) {
        if (g.DealStartPending == 1) {
            st.startBidding();
            return;
        }
        switch (g.GameState) {
            case GameState::PersonBids:
                st.BidStep(3, true);
                break;
            case GameState::AuctionOver:
                st.nameBubbles();
                st.OpenTalon();
                break;
            case GameState::TalonShown:
                st.TakeTalon();
                break;
            case GameState::ChoosingGive:
                st.ask(Question::Kind::Give, g.Declarer);
                break;
            case GameState::GiveChosen:
                st.GiveCards(nullptr);
                break;
            case GameState::CardsGiven:
                st.RevealGiven();
                if (g.Declarer == 3)
                    st.askHumanContract();
                else
                    st.AnnounceContract();
                break;
            case GameState::ContractSet:
                g.GameState = playingState(g.Declarer);
                break;
            case GameState::TrickComplete:
                collect();
                break;
            case GameState::DealScored:
                st.NewDeal(true);
                break;
            default:
                break;
        }
    }
    void operator()(const in::PressButton8&) {
        if (g.GameOver) {
            st.post(ev::GameFinished{g.GameResult});
            st.leaveToMenu();
        } else if (g.GameState == GameState::PersonBids) {
            st.BidStep(3, false);
        } else if (g.GameState == GameState::ContractSet) {
            st.Paint();
        }
    }
    void operator()(const in::ClickHand& c) {
        if (c.button == MouseButton::Right)
            st.post(ev::SpeakCard{g.Hand[3][c.slot]});
        else if (g.GameState == GameState::PersonPlays)
            st.PlayCard(3, c.slot);
        else
            st.chooseGiveCard(c.slot);
    }
    void operator()(const in::ClickTableCard& c) { st.post(ev::SpeakCard{c.card}); }
    void operator()(const in::ExitToMenu&) {
        s.pending.reset();
        st.leaveToMenu();
    }
    void operator()(const in::DeckAnswer& a) {
        s.pending.reset();
        st.DealCards(a.deck);
    }
    void operator()(const in::BidLimitAnswer& a) { st.takeBidLimit(a.seat, a.limit); }
    void operator()(const in::GiveAnswer& a) {
        s.pending.reset();
        const GiveChoice c = checkedGiveChoice(g, s.rules, a.seat, a.choice);
        st.GiveCards(&c);
    }
    void operator()(const in::CardAnswer& a) {
        s.pending.reset();
        // A player's answer is checked like any other input: an unusable slot plays the first
        // legal card instead.
        const int slot = isLegalSlot(g, a.seat, a.slot) ? a.slot : firstLegalSlot(g, a.seat);
        if (slot != 0) st.PlayCard(a.seat, slot);
    }
    void operator()(const in::ContractAnswer& a) { st.takeHumanContract(a.contract); }
    void operator()(const in::SeatAction& a) {
        // Any move from elsewhere means the deal's bidding has begun.
        if (g.DealStartPending == 1) g.DealStartPending = 2;
        switch (a.kind) {
            case Kind::Bid:
                st.BidStep(a.seat, true);
                break;
            case Kind::Pass:
                st.BidStep(a.seat, false);
                break;
            case Kind::OpenTalon:
                st.nameBubbles();
                st.OpenTalon();
                break;
            case Kind::TakeTalon:
                st.TakeTalon();
                break;
            case Kind::Give:
                g.GiveSlot1 = a.value;
                g.GiveSlot2 = a.value2;
                st.GiveCards(nullptr);
                break;
            case Kind::Reveal:
                st.RevealGiven();
                break;
            case Kind::Contract:
                g.Contract = a.value;
                st.AnnounceContract();
                break;
            case Kind::Paint:
                st.Paint();
                break;
            case Kind::Play:
                if (g.GameState == GameState::ContractSet) g.GameState = playingState(a.seat);
                st.PlayCard(a.seat, a.value);
                break;
            case Kind::Collect:
                collect();
                break;
            case Kind::NextRound:
                st.NewDeal(true);
                break;
        }
    }
};

}  // namespace

bool accepts(const RulesState& s, const Input& input) {
    return std::visit(Acceptor{s}, input);
}

std::vector<TableEvent> apply(RulesState& s, const Input& input) {
    std::vector<TableEvent> out;
    if (!accepts(s, input)) {
        // A card that may not be played is refused where the person can see and hear it.
        const auto* c = std::get_if<in::ClickHand>(&input);
        if (c && c->button == MouseButton::Left && s.g.GameRunning && !s.pending &&
            s.g.GameState == GameState::PersonPlays && c->slot >= 1 &&
            c->slot <= s.g.HandCount[3]) {
            out.push_back(ev::Sound{Wave::WWrongs, ev::SoundTiming::Async});
            out.push_back(ev::RefuseCard{c->slot});
        }
        return out;
    }
    RuleSteps steps(s, out);
    std::visit(Stepper{s, steps}, input);
    return out;
}

bool canPlaySlot(const RulesState& s, int slot) {
    return s.g.GameState == GameState::PersonPlays &&
           accepts(s, in::ClickHand{slot, MouseButton::Left});
}

void RuleSteps::leaveToMenu() {
    g_.GameRunning = false;
    post(ev::ReturnToMenu{});
}

void RuleSteps::redrawHand(int seat) {
    g_.sortHand(seat);
    post(ev::ShowHand{seat, g_.Hand[seat], g_.HandCount[seat]});
}

void RuleSteps::bubbleText(int seat, WordRow row, std::string suffix) {
    post(ev::Bubble::said(seat, Caption{row, std::move(suffix)}));
}

void RuleSteps::bubbleName(int seat) {
    post(ev::Bubble::named(seat, g_.SeatNames[seat]));
}

void RuleSteps::showScore(int seat, std::optional<int> contract, bool turnMark) {
    post(ev::ShowScore{seat, g_.Score[seat], g_.DealPoints[seat], contract,
                       rules_.RuleBarrel && g_.Score[seat] <= 120,
                       rules_.RuleBolts ? g_.BoltCount[seat] : 0, turnMark});
}

void RuleSteps::showRoundInfo() {
    const int cycle = s_.roles.tournament ? 1 : kGamesInCycle;
    post(ev::ShowRoundInfo{g_.DealNumber, g_.Trump, g_.KonNumber, cycle});
}

}  // namespace orvala
