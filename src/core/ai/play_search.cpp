// The fast search. Players are numbered 0 (the root's mover), 1 (the next) and 2 (the third)
// throughout, hands are card masks (search_bits.h) and a node copies its small state for each
// child, so nothing is allocated below the root.

#include "core/ai/play_search.h"

#include <bit>

#include "core/ai/search_bits.h"
#include "core/ai/search_memo.h"
#include "core/cards/hand_sort.h"
#include "core/game/follow_rules.h"

namespace orvala {

std::array<int, 3> EvaluateDeal(int declarer, int contract, const std::array<int, 3>& scores) {
    std::array<int, 3> result = scores;
    const int d = declarer - 1;
    result[d] = scores[d] >= contract ? contract : -contract;
    const int sum = result[0] + result[1] + result[2];
    // 2 * own - the other two = 3 * own - all three.
    return {3 * result[0] - sum, 3 * result[1] - sum, 3 * result[2] - sum};
}

int SearchTrickWinner(const std::array<Card, 4>& trick, SuitCode trump) {
    return TrickWinnerPos(trick, trump);
}

namespace {

using bits::Mask;
using Values = std::array<int, 3>;

constexpr unsigned kR9 = 1, kRJ = 2, kRQ = 4, kRK = 8, kRT = 16, kRA = 32;

struct Tables {
    // The lead rules' per-suit restriction (L4): the rank set still allowed in a suit, by the
    // mover's rank set there, whether the suit may be run (no trump, or it is the trump) and
    // whether neither opponent holds its ace.
    unsigned char lead4[64][2][2] = {};
    // Two or more cards without the ace, except exactly queen, king, ten.
    bool reducible[64] = {};
    int points[64] = {};
};

constexpr bool oneOf(unsigned ranks, std::initializer_list<unsigned> sets) {
    for (unsigned s : sets)
        if (ranks == s) return true;
    return false;
}

constexpr Tables makeTables() {
    Tables t;
    for (unsigned r = 0; r < 64; ++r) {
        t.reducible[r] = std::popcount(r) >= 2 && (r & kRA) == 0 && r != (kRQ | kRK | kRT);
        for (int k = 1; k <= 6; ++k)
            if (r & bits::rankBit(k)) t.points[r] += kRankPoints[k];
        for (int run = 0; run < 2; ++run)
            for (int noAce = 0; noAce < 2; ++noAce) {
                unsigned allowed = r;
                const unsigned lowest = r & (~r + 1);
                const unsigned highest = r == 0 ? 0 : 1u << (std::bit_width(r) - 1);
                if ((r & (kRA | kRK | kRQ)) == (kRA | kRK | kRQ)) allowed = kRA | kRQ;
                if ((r & (kRK | kRQ)) == (kRK | kRQ) && (r & kRA) == 0) allowed = kRQ;
                if (oneOf(r, {kR9 | kRJ | kRQ, kRJ | kRQ, kR9 | kRJ})) allowed = lowest;
                if (run) {
                    if (oneOf(r,
                              {kR9 | kRJ | kRQ | kRT | kRA, kR9 | kRJ | kRK | kRT | kRA,
                               kRJ | kRQ | kRK | kRT | kRA, kR9 | kRJ | kRT | kRA,
                               kR9 | kRK | kRT | kRA, kR9 | kRQ | kRT | kRA, kRJ | kRQ | kRT | kRA,
                               kRJ | kRK | kRT | kRA, kRK | kRT | kRA, kRT | kRA}))
                        allowed = highest;
                    else if (noAce && oneOf(r, {kR9 | kRJ | kRQ | kRT, kR9 | kRJ | kRK | kRT,
                                                kRJ | kRK | kRT, kR9 | kRK | kRT, kRK | kRT}))
                        allowed = highest;
                }
                t.lead4[r][run][noAce] = static_cast<unsigned char>(allowed);
            }
    }
    return t;
}

constexpr Tables kTables = makeTables();

// The rank value of the k-th highest card of a rank set (k >= 1 and within the set).
int kthHighest(unsigned ranks, int k) {
    for (int i = 1; i < k; ++i) ranks &= ~(1u << (std::bit_width(ranks) - 1));
    return bits::highestRank(ranks);
}

struct State {
    Mask hand[3];
    int score[3];
    int trick[3];  // card indexes by trick position
    int leader;
    int trump;  // suit index, 0 for none
};

struct RootOut {
    int slotOfCard[24];
    std::array<int, 9> values;
    std::array<Values, 9> lines;
    unsigned explored;
};

class Engine {
  public:
    int contract = 0;
    int decl = 0;  // the declarer, 0..2
    bool prune = false;
    SearchMemo* memo = nullptr;
    int order[4] = {};          // suits in slot order
    std::uint64_t context = 0;  // key bits shared by the whole search
    std::int64_t nodes = 0;

    Values node(const State& s, int mover, int pos, int depth, RootOut* out);

  private:
    Values evaluate(const int (&score)[3]) const {
        int r[3] = {score[0], score[1], score[2]};
        r[decl] = score[decl] >= contract ? contract : -contract;
        const int sum = r[0] + r[1] + r[2];
        return {3 * r[0] - sum, 3 * r[1] - sum, 3 * r[2] - sum};
    }
    Values lastTrick(const State& s, int mover) {
        const int trick[3] = {std::countr_zero(s.hand[mover]),
                              std::countr_zero(s.hand[(mover + 1) % 3]),
                              std::countr_zero(s.hand[(mover + 2) % 3])};
        const int winner = (mover + bits::trickWinnerBits(trick, s.trump) - 1) % 3;
        int score[3] = {s.score[0], s.score[1], s.score[2]};
        score[winner] += kRankPoints[bits::rankOfIndex(trick[0])] +
                         kRankPoints[bits::rankOfIndex(trick[1])] +
                         kRankPoints[bits::rankOfIndex(trick[2])];
        return evaluate(score);
    }
    Mask followFlags(const State& s, int mover, int pos, int declRel) const;
    Mask leadFlags(const State& s, int mover, int declRel, int n) const;
    bool claim(const State& s, int mover, Values& out) const;
    // The memo key and the offsets between a node's values and the values stored for it.
    //
    // A defender's points only add to his own result, the same in every line below a node, so
    // they shift each player's value by a constant and change no choice; the values are stored
    // as if the defenders had no points yet. The declarer's points matter only as his shortfall
    // against the contract, clamped to what is still to be won. The marriage needs some points
    // on the board, so whether any score is above 0 is part of the key too.
    MemoKey keyOf(const State& s, int mover) const {
        int shortfall = contract - s.score[decl];
        if (shortfall < 0) shortfall = 0;
        int stillToWin = 0;
        const Mask all = s.hand[0] | s.hand[1] | s.hand[2];
        for (int st = 1; st <= 4; ++st) {
            stillToWin += kTables.points[bits::ranksIn(all, st)];
            if ((bits::ranksIn(s.hand[decl], st) & (kRK | kRQ)) == (kRK | kRQ))
                stillToWin += kMarriageValues[st];
        }
        if (shortfall > stillToWin + 1) shortfall = stillToWin + 1;
        const bool anyPoints = s.score[0] != 0 || s.score[1] != 0 || s.score[2] != 0;
        MemoKey k;
        k.a = std::uint64_t{s.hand[0]} | std::uint64_t{s.hand[1]} << 24 |
              std::uint64_t{s.hand[2] & 0xFFFFu} << 48;
        k.b = std::uint64_t{s.hand[2] >> 16} | std::uint64_t(mover) << 8 |
              std::uint64_t(s.trump) << 10 | std::uint64_t(shortfall) << 13 |
              std::uint64_t(anyPoints ? 1 : 0) << 23 | context << 24 | std::uint64_t{1} << 63;
        k.c = static_cast<std::uint32_t>(contract);
        return k;
    }
    Values offsets(const State& s) const {
        int d[3] = {s.score[0], s.score[1], s.score[2]};
        d[decl] = 0;
        const int sum = d[0] + d[1] + d[2];
        return {3 * d[0] - sum, 3 * d[1] - sum, 3 * d[2] - sum};
    }
};

// Follow rules F1..F11, each on top of the previous ones.
Mask Engine::followFlags(const State& s, int mover, int pos, int declRel) const {
    const Mask hand = s.hand[mover];
    const int lead = bits::suitOfIndex(s.trick[0]);
    const int ledRank = bits::rankOfIndex(s.trick[0]);
    const int trump = s.trump;
    const Mask leadCards = hand & bits::suitMask(lead);
    const unsigned mine = bits::ranksIn(hand, lead);
    const bool holdsLead = mine != 0;
    const bool holdsTrump = (hand & bits::suitMask(trump)) != 0;
    const bool neither = !holdsLead && !holdsTrump;
    int bestInTrick = ledRank;
    if (pos == 3 && bits::suitOfIndex(s.trick[1]) == lead)
        bestInTrick = std::max(bestInTrick, bits::rankOfIndex(s.trick[1]));
    const bool below = holdsLead && bits::highestRank(mine) < bestInTrick;
    const bool reducible = kTables.reducible[mine];
    const bool holdsAce = (mine & kRA) != 0;

    Mask flags = hand;
    auto onlyLowestOfLead = [&] { flags &= ~(leadCards & (leadCards - 1)); };
    auto onlyAceOfLead = [&] { flags &= ~(leadCards & ~bits::bit(bits::cardIndex(lead, 6))); };
    auto onePerSuit = [&] { flags &= bits::lowestOfEachSuit(hand); };

    if (pos == 2) {
        if (declRel == 1) {
            if (below && reducible) onlyLowestOfLead();  // F1
            if (neither) onePerSuit();                   // F2
        } else if (declRel == 3) {
            if (ledRank == 5 && holdsAce) onlyAceOfLead();  // F3
            const Mask nextHand = s.hand[(mover + 1) % 3];
            const unsigned his = bits::ranksIn(nextHand, lead);
            const bool hisBelow = his != 0 && bits::highestRank(his) < bestInTrick;
            const bool hisNeither = his == 0 && (nextHand & bits::suitMask(trump)) == 0;
            if (neither && bits::count(hand) >= 6 && (hisBelow || hisNeither)) onePerSuit();  // F4
        }
        return flags;
    }
    const int second = s.trick[1];
    const bool secondOfLead = bits::suitOfIndex(second) == lead;
    const bool secondTrump = trump != 0 && bits::suitOfIndex(second) == trump;
    const bool secondLower = secondOfLead && bits::rankOfIndex(second) < ledRank;
    const bool secondHigher = secondOfLead && bits::rankOfIndex(second) > ledRank;
    const bool secondOff = !secondOfLead && !secondTrump;
    if (declRel == 1) {
        if (holdsLead && (below || (lead != trump && secondTrump)) && reducible)
            onlyLowestOfLead();     // F5
        if (neither) onePerSuit();  // F6
    } else if (declRel == 2) {
        if (below && (secondLower || secondOff) && reducible) onlyLowestOfLead();  // F7
        if (neither && (secondLower || secondOff)) onePerSuit();                   // F8
        if (holdsAce && ledRank == 5 && !secondTrump) onlyAceOfLead();             // F11
    } else {
        if (secondHigher && below && reducible) onlyLowestOfLead();                       // F9
        if (neither && secondHigher) onePerSuit();                                        // F10
        if (holdsAce && secondOfLead && bits::rankOfIndex(second) == 5) onlyAceOfLead();  // F11
    }
    return flags;
}

// Lead rules L1..L4.
Mask Engine::leadFlags(const State& s, int mover, int declRel, int n) const {
    const Mask hand = s.hand[mover];
    const Mask opp[2] = {s.hand[(mover + 1) % 3], s.hand[(mover + 2) % 3]};
    const int trump = s.trump;
    unsigned mine[5] = {};
    int hi[5] = {}, hiOpp[2][5] = {};
    for (int st = 1; st <= 4; ++st) {
        mine[st] = bits::ranksIn(hand, st);
        hi[st] = bits::highestRank(mine[st]);
        for (int o = 0; o < 2; ++o) hiOpp[o][st] = bits::highestRank(bits::ranksIn(opp[o], st));
    }
    auto marriage = [&](int st) { return (mine[st] & (kRK | kRQ)) == (kRK | kRQ); };
    auto queen = [](int st) { return bits::bit(bits::cardIndex(st, 3)); };

    // L1: a marriage the opponents cannot beat beyond the jack.
    for (int st = 1; st <= 4; ++st)
        if (marriage(st) && hiOpp[0][st] <= 2 && hiOpp[1][st] <= 2) return queen(st);

    // L2: nowhere higher than both opponents.
    bool nowhereHigher = true;
    for (int st = 1; st <= 4; ++st)
        if (hi[st] > hiOpp[0][st] || hi[st] > hiOpp[1][st]) nowhereHigher = false;
    if (nowhereHigher) {
        for (int st = 1; st <= 4; ++st)
            if (marriage(st)) return queen(st);
        if (declRel == 1) return bits::lowestOfEachSuit(hand);
    }

    // L3: the first suit where the mover's highest beats both opponents.
    if (declRel != 1 || n == 7) {
        auto beats = [&](int o, int st) {
            if (hiOpp[o][st] != 0 && hiOpp[o][st] < hi[st]) return true;
            return hi[st] != 0 && hiOpp[o][st] == 0 &&
                   (trump == 0 || st == trump || (opp[o] & bits::suitMask(trump)) == 0);
        };
        for (int st = 1; st <= 4; ++st)
            if (beats(0, st) && beats(1, st)) return bits::bit(bits::cardIndex(st, hi[st]));
    }

    // L4: per suit.
    Mask flags = 0;
    for (int st = 1; st <= 4; ++st) {
        if (mine[st] == 0) continue;
        const int run = trump == 0 || st == trump;
        const int noAce =
            (bits::ranksIn(opp[0], st) & kRA) == 0 && (bits::ranksIn(opp[1], st) & kRA) == 0;
        flags |= Mask{kTables.lead4[mine[st]][run][noAce]} << bits::suitShift(st);
    }
    return flags;
}

// The claim: the mover to lead takes every remaining trick.
bool Engine::claim(const State& s, int mover, Values& out) const {
    const Mask hand = s.hand[mover];
    const Mask opp[2] = {s.hand[(mover + 1) % 3], s.hand[(mover + 2) % 3]};
    if (s.trump != 0) {
        const Mask tm = bits::suitMask(s.trump);
        const int mine = bits::count(hand & tm);
        if (mine < bits::count(opp[0] & tm) || mine < bits::count(opp[1] & tm)) return false;
    }
    int gain = 0;
    for (int st = 1; st <= 4; ++st) {
        const unsigned m = bits::ranksIn(hand, st);
        const int a = bits::count(m);
        for (int o = 0; o < 2; ++o) {
            const unsigned his = bits::ranksIn(opp[o], st);
            const int k = std::min(a, bits::count(his));
            if (k > 0 && kthHighest(m, k) < bits::highestRank(his)) return false;
        }
        gain += kTables.points[m] + kTables.points[bits::ranksIn(opp[0], st)] +
                kTables.points[bits::ranksIn(opp[1], st)];
        if ((m & (kRK | kRQ)) == (kRK | kRQ)) gain += kMarriageValues[st];
    }
    int score[3] = {s.score[0], s.score[1], s.score[2]};
    score[mover] += gain;
    out = evaluate(score);
    return true;
}

Values Engine::node(const State& s, int mover, int pos, int depth, RootOut* out) {
    ++nodes;
    const Mask hand = s.hand[mover];
    const int n = bits::count(hand);
    const int declRel = (decl - mover + 3) % 3 + 1;

    // The last trick below the root: every card is forced, and the claim (when pruning) could
    // only confirm what playing it out gives.
    if (pos == 1 && depth > 1 && n == 1 && bits::count(s.hand[(mover + 1) % 3]) == 1 &&
        bits::count(s.hand[(mover + 2) % 3]) == 1)
        return lastTrick(s, mover);

    // The memo's key is known at once; its entry is fetched while the rules run.
    const bool useMemo = memo != nullptr && pos == 1 && depth > 1 && n >= 2;
    MemoKey key;
    if (useMemo) {
        key = keyOf(s, mover);
        memo->prefetch(key);
    }

    // Steps 1 to 4: restrictions and the claim.
    Mask flags = hand;
    if (prune && pos >= 2) flags = followFlags(s, mover, pos, declRel);
    if (prune && pos == 1 && depth > 1) {
        Values claimed;
        if (claim(s, mover, claimed)) return claimed;
    }
    if (prune && pos == 1 && n <= 7) flags = leadFlags(s, mover, declRel, n);

    // Step 5. Memo lookup.
    Values offset{};
    if (useMemo) {
        offset = offsets(s);
        if (const auto* v = memo->find(key))
            return {(*v)[0] + offset[0], (*v)[1] + offset[1], (*v)[2] + offset[2]};
    }

    // Steps 6 to 8: every card the rules leave, in slot order.
    const int lead = pos == 1 ? 0 : bits::suitOfIndex(s.trick[0]);
    const Mask play = flags & bits::legalMask(hand, lead, s.trump);
    Values best{};
    bool have = false;
    for (int k = 0; k < 4; ++k) {
        const int suit = order[k];
        for (unsigned ranks = bits::ranksIn(play, suit); ranks != 0; ranks &= ranks - 1) {
            const int rank = std::countr_zero(ranks) + 1;
            const int card = bits::cardIndex(suit, rank);
            State c = s;
            c.hand[mover] &= ~bits::bit(card);
            c.trick[pos - 1] = card;
            if (pos == 1) {
                c.leader = mover;
                // Leading a queen with its king declares the marriage once any points are taken.
                if (rank == 3 && (s.score[0] != 0 || s.score[1] != 0 || s.score[2] != 0) &&
                    (c.hand[mover] & bits::bit(bits::cardIndex(suit, 4))) != 0) {
                    c.score[mover] += kMarriageValues[suit];
                    c.trump = suit;
                }
            }
            Values line;
            if (pos < 3) {
                line = node(c, (mover + 1) % 3, pos + 1, depth + 1, nullptr);
            } else {
                const int winner = (c.leader + bits::trickWinnerBits(c.trick, c.trump) - 1) % 3;
                c.score[winner] += kRankPoints[bits::rankOfIndex(c.trick[0])] +
                                   kRankPoints[bits::rankOfIndex(c.trick[1])] + kRankPoints[rank];
                line =
                    c.hand[mover] == 0 ? evaluate(c.score) : node(c, winner, 1, depth + 1, nullptr);
            }
            if (out != nullptr) {
                const int slot = out->slotOfCard[card];
                out->values[slot] = line[mover];
                out->lines[slot] = line;
                out->explored |= 1u << slot;
            }
            if (!have || line[mover] > best[mover]) {
                best = line;
                have = true;
            }
        }
    }
    // A mover without a card to play (only in a layout whose hands do not match) ends the deal.
    if (!have) best = evaluate(s.score);

    // Step 9. Memo store.
    if (useMemo) memo->store(key, {best[0] - offset[0], best[1] - offset[1], best[2] - offset[2]});
    return best;
}

}  // namespace

SearchResult PlaySearch(const SearchPosition& root, const SearchOptions& options) {
    SearchResult result;
    result.values.fill(kNotExplored);
    result.values[0] = 0;

    Engine e;
    e.contract = root.contract;
    e.decl = (root.declarer >= 1 && root.declarer <= 3 ? root.declarer : 1) - 1;
    e.prune = options.prune;
    const auto suits = SuitOrder(root.trump);
    for (int k = 0; k < 4; ++k) e.order[k] = suitIndex(suits[static_cast<size_t>(k)]);
    const int sortTrump = suitIndex(root.trump);
    e.context =
        std::uint64_t(e.prune ? 1 : 0) | std::uint64_t(sortTrump) << 1 | std::uint64_t(e.decl) << 4;
    // The key has room for a shortfall below 1024 (at most 401 is ever stored) and relies on
    // scores that only grow; other inputs (never in a game) simply search without the memo.
    bool keyFits = true;
    for (int sc : root.scores) keyFits = keyFits && sc >= 0 && sc <= 100000;
    e.memo = keyFits ? options.memo : nullptr;

    State s{};
    for (int p = 0; p < 3; ++p) {
        s.hand[p] = bits::maskOfHand(root.hands[static_cast<size_t>(p)]);
        s.score[p] = root.scores[static_cast<size_t>(p)];
    }
    s.trump = sortTrump;
    const int pos = root.position >= 1 && root.position <= 3 ? root.position : 1;
    for (int p = 1; p < pos; ++p) {
        const int k = bits::indexOfCard(root.trick[static_cast<size_t>(p)]);
        if (k < 0) return result;  // a trick with a gap cannot be searched
        s.trick[p - 1] = k;
    }
    s.leader = pos == 1 ? 0 : pos == 2 ? 2 : 1;

    RootOut out{};
    for (int i = 1; i <= 8; ++i)
        if (int k = bits::indexOfCard(root.hands[0][i]); k >= 0) out.slotOfCard[k] = i;
    out.values.fill(kNotExplored);
    e.node(s, 0, pos, 1, &out);

    result.values = out.values;
    result.values[0] = 0;
    result.explored = out.explored;
    result.nodes = e.nodes;
    for (int i = 1; i <= 8; ++i) {
        if ((out.explored & (1u << i)) == 0) continue;
        if (result.best == 0 || out.values[i] > out.values[result.best]) result.best = i;
    }
    if (result.best != 0) {
        const Values& v = out.lines[result.best];
        for (int k = 0; k < 3; ++k) result.line[k] = v[(e.decl + k) % 3];
    }
    return result;
}

}  // namespace orvala
