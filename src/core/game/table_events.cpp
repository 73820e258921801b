#include "core/game/table_events.h"

#include <sstream>

namespace orvala {

std::string englishText(const Caption& c) {
    return std::string(englishWord(c.row)) + c.suffix;
}

namespace {

std::string place(const Place& p) {
    switch (p.kind) {
        case Place::Kind::Hand:
            return "hand" + std::to_string(p.index);
        case Place::Kind::Deck:
            return "deck";
        case Place::Kind::Talon:
            return "talon" + std::to_string(p.index);
        case Place::Kind::Trick:
            return "trick" + std::to_string(p.index);
        case Place::Kind::Given:
            return "given" + std::to_string(p.index);
    }
    return "?";
}

std::string handText(const HandArray& h, int count) {
    std::string out;
    for (int i = 1; i <= count && i <= kHandSlots; ++i) {
        if (i > 1) out += ' ';
        out += toLatin(h[i]);
    }
    return out;
}

struct Describer {
    std::ostringstream& o;
    void operator()(const ev::ResetTable&) { o << "reset-table"; }
    void operator()(const ev::ShowHand& e) {
        o << "hand " << e.seat << " [" << handText(e.hand, e.count) << "]";
    }
    void operator()(const ev::MoveCard& e) {
        o << "move " << toLatin(e.card) << ' ' << place(e.from) << " -> " << place(e.to);
    }
    void operator()(const ev::GatherTrick& e) {
        o << "gather " << toLatin(e.cards[1]) << ' ' << toLatin(e.cards[2]) << ' '
          << toLatin(e.cards[3]) << " -> hand" << e.winner;
    }
    void operator()(const ev::Pause& e) {
        o << "pause " << e.ms << (e.onlyWithFlyingCards ? " flying" : "");
    }
    void operator()(const ev::Sound& e) {
        o << "sound " << waveName(e.wave)
          << (e.timing == ev::SoundTiming::Async  ? " async"
              : e.timing == ev::SoundTiming::Sync ? " sync"
                                                  : " sync-unless-flying");
    }
    void operator()(const ev::Bubble& e) {
        o << "bubble " << e.seat << ' ';
        if (e.kind == ev::Bubble::Kind::Text) o << '"' << englishText(e.text) << '"';
        if (e.kind == ev::Bubble::Kind::Name) o << "name";
        if (e.kind == ev::Bubble::Kind::Clear) o << "clear";
    }
    void operator()(const ev::ShowScore& e) {
        o << "score " << e.seat << ' ' << e.score << " points " << e.dealPoints;
        if (e.contract) o << " contract " << *e.contract;
        if (e.barrel) o << " barrel";
        if (e.boltCount) o << " bolts " << e.boltCount;
    }
    void operator()(const ev::ShowBid& e) { o << "bid " << e.seat << ' ' << e.bid.value_or(0); }
    void operator()(const ev::ShowDealPoints& e) {
        o << "deal-points " << e.seat << ' ' << e.points << (e.winner ? " winner" : "");
    }
    void operator()(const ev::MarkFirstBidder& e) { o << "first-bidder " << e.seat; }
    void operator()(const ev::ShowRoundInfo& e) {
        o << "round " << e.dealNumber << " trump " << suitLetter(e.trump) << " game " << e.konNumber
          << " / " << e.gamesInCycle;
    }
    void operator()(const ev::MarkCard& e) { o << (e.marked ? "mark " : "unmark ") << e.slot; }
    void operator()(const ev::OpenAllHands&) { o << "open-hands"; }
    void operator()(const ev::ShowFinalResults& e) {
        o << "final " << e.scores[1] << ' ' << e.scores[2] << ' ' << e.scores[3] << " results "
          << e.results[1] << ' ' << e.results[2] << ' ' << e.results[3];
    }
    void operator()(const ev::ShowScoreSummary& e) {
        o << "score-summary game " << e.konNumber << " / " << e.gamesInCycle << " result "
          << e.gameResult << " total " << e.playerTotal;
    }
    void operator()(const ev::SpeakCard& e) { o << "speak " << toLatin(e.card); }
    void operator()(const ev::GameFinished& e) { o << "game-finished " << e.gameResult; }
    void operator()(const ev::ReturnToMenu&) { o << "menu"; }
    void operator()(const ev::RefuseCard& e) { o << "refuse " << e.slot; }
};

}  // namespace

std::string describe(const TableEvent& e) {
    std::ostringstream o;
    std::visit(Describer{o}, e);
    return o.str();
}

}  // namespace orvala
