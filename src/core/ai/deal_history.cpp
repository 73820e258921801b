#include "core/ai/deal_history.h"

#include "core/game/follow_rules.h"

namespace orvala {
namespace {

struct Reading {
    const GameRecord& g;
    int viewer;
    std::vector<std::array<Card, 3>> tricks;  // finished tricks; the last may be partial
    int lastCount = 3;                        // cards in the last trick
    DealHistory out;

    bool inViewerHand(Card c) const { return HasCard(kHandSlots, g.Hand[viewer].cards(), c); }

    // Settles trick t and those after it; false when no reading of them agrees with the record.
    bool search(size_t t, int leader, SuitCode trump, PerSeat<int> points,
                PerSeat<std::vector<Card>> played) {
        if (t == tricks.size()) {
            for (int s = 1; s <= 3; ++s)
                if (points[s] != g.DealPoints[s]) return false;
            if (trump != g.Trump) return false;
            out.played = std::move(played);
            out.known = true;
            return true;
        }
        const auto& trick = tricks[t];
        const int count = t + 1 == tricks.size() ? lastCount : 3;
        const Card led = trick[0];
        bool mayMarry = false, mayNot = true;
        if (t >= 1 && led.rank == kQueen) {
            const Card king{kKing, led.suit};
            bool playedBefore = false;
            for (int s = 1; s <= 3; ++s)
                for (Card c : played[s]) playedBefore = playedBefore || c == king;
            const bool withViewer = inViewerHand(king);
            bool appearsLater = false;
            for (size_t u = t + 1; u < tricks.size(); ++u)
                for (Card c : tricks[u]) appearsLater = appearsLater || c == king;
            if (leader == viewer && withViewer) {
                mayMarry = !playedBefore;
                mayNot = playedBefore;
            } else if (leader == viewer) {
                mayMarry = !playedBefore && appearsLater;
            } else {
                mayMarry = !playedBefore && !withViewer;
            }
        }
        for (int marry = 1; marry >= 0; --marry) {
            if (marry == 1 && !mayMarry) continue;
            if (marry == 0 && !mayNot) continue;
            SuitCode trumpHere = trump;
            PerSeat<int> pts = points;
            if (marry == 1) {
                trumpHere = led.suit;
                pts[leader] += MarriageValue(led.suit);
            }
            PerSeat<std::vector<Card>> pl = played;
            int seat = leader;
            for (int p = 0; p < count; ++p) {
                pl[seat].push_back(trick[static_cast<size_t>(p)]);
                seat = nextSeat(seat);
            }
            int nextLeader = leader;
            if (count == 3) {
                const std::array<Card, 4> full{EmptyCard, trick[0], trick[1], trick[2]};
                const int pos = TrickWinnerPos(full, trumpHere);
                nextLeader = leader;
                for (int k = 1; k < pos; ++k) nextLeader = nextSeat(nextLeader);
                pts[nextLeader] +=
                    CardPoints(trick[0]) + CardPoints(trick[1]) + CardPoints(trick[2]);
            }
            if (search(t + 1, nextLeader, trumpHere, pts, pl)) return true;
        }
        return false;
    }
};

}  // namespace

DealHistory ReadDealHistory(const GameRecord& g, int viewer) {
    Reading r{g, viewer, {}, 3, {}};
    if (g.Declarer < 1 || g.Declarer > 3 || viewer < 1 || viewer > 3) return r.out;
    for (int i = 1; i + 2 < g.PlayedCount && i + 2 <= kListSlots; i += 3)
        r.tricks.push_back({g.PlayedList[i], g.PlayedList[i + 1], g.PlayedList[i + 2]});
    const int onTable = g.TrickPos >= 2 && g.TrickPos <= 4 ? g.TrickPos - 1 : 0;
    if (onTable > 0) {
        std::array<Card, 3> partial{EmptyCard, EmptyCard, EmptyCard};
        for (int p = 1; p <= onTable; ++p) partial[static_cast<size_t>(p - 1)] = g.TrickCards[p];
        r.tricks.push_back(partial);
        r.lastCount = onTable;
    }
    for (const auto& t : r.tricks)
        for (int p = 0; p < 3; ++p)
            if (!isValidCard(t[static_cast<size_t>(p)]) &&
                (&t != &r.tricks.back() || p < r.lastCount))
                return r.out;
    // The trick on the table is not yet counted in DealPoints, but its marriage already is.
    r.search(0, g.Declarer, kNoSuit, PerSeat<int>{}, PerSeat<std::vector<Card>>{});
    return r.out;
}

}  // namespace orvala
