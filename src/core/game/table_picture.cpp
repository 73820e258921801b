#include "core/game/table_picture.h"

namespace orvala {
namespace {

// The seat whose turn mark the scoreboards show.
int seatToAct(const GameRecord& g) {
    if (const int s = seatToBid(g.GameState)) return s;
    if (const int s = seatToPlay(g.GameState)) return s;
    if (g.GameState == GameState::TrickComplete) return g.FirstBidder;
    return g.Declarer;
}

bool contractSaid(GameState s) {
    return s == GameState::ContractSet || inPlay(s) || s == GameState::AllPlayed;
}

}  // namespace

std::vector<TableEvent> tablePicture(const RulesState& s) {
    const GameRecord& g = s.g;
    std::vector<TableEvent> out;
    out.push_back(ev::ResetTable{});
    out.push_back(ev::ShowRoundInfo{g.DealNumber, g.Trump, g.KonNumber,
                                    s.roles.tournament ? 1 : kGamesInCycle});
    const int acting = seatToAct(g);
    for (int seat = 1; seat <= 3; ++seat) {
        const bool declares = seat == g.Declarer && contractSaid(g.GameState);
        out.push_back(ev::ShowScore{seat, g.Score[seat], g.DealPoints[seat],
                                    declares ? std::optional<int>(g.Contract) : std::nullopt,
                                    s.rules.RuleBarrel && g.Score[seat] <= 120,
                                    s.rules.RuleBolts ? g.BoltCount[seat] : 0, seat == acting});
        out.push_back(ev::ShowHand{seat, g.Hand[seat], g.HandCount[seat]});
        out.push_back(ev::Bubble::named(seat, g.SeatNames[seat]));
    }
    if (g.GameState == GameState::TalonShown)
        for (int i = 1; i <= 3; ++i)
            out.push_back(ev::MoveCard{g.Talon(i), Place{Place::Kind::Deck, 0},
                                       Place{Place::Kind::Talon, i}, true});
    if (inPlay(g.GameState)) {
        const bool complete = g.GameState == GameState::TrickComplete;
        const int leader = complete ? g.PrevLeader : g.FirstBidder;
        int seat = leader;
        for (int p = 1; p <= 3; ++p, seat = nextSeat(seat)) {
            const Card c = g.TrickCards[static_cast<std::size_t>(p)];
            if (c.isEmpty() || (!complete && p >= g.TrickPos)) continue;
            out.push_back(ev::MoveCard{c, Place{Place::Kind::Deck, 0},
                                       Place{Place::Kind::Trick, seat}, true});
        }
    }
    return out;
}

}  // namespace orvala
