#include "core/ai/search_oracle.h"

#include <algorithm>
#include <string>
#include <vector>

#include "core/game/follow_rules.h"

namespace orvala {
namespace {

constexpr int kSlots = 8;
constexpr SuitCode kSuitsInOrder[4] = {kHearts, kDiamonds, kClubs, kSpades};

// One node's inputs, as the search hands them on: hands rotated so the mover comes first.
struct Node {
    std::array<HandArray, 3> hands;  // mover, next, third
    std::array<Card, 4> trick;       // positions 1..3
    int position;
    SuitCode trump;
    int contract;
    std::array<int, 3> scores;  // mover, next, third
    int declarer;               // 1 mover, 2 next, 3 third
    int depth;
    bool prune;
};

struct NodeOut {
    std::array<int, 9> values;
    std::array<bool, 9> explored;
    std::array<int, 3> result;  // declarer, the player after him, the player after that
};

// The rank letters a player holds in a suit, lowest first: "9JQKTA" order.
std::string holding(const HandArray& hand, SuitCode suit) {
    std::string out;
    for (int r = 1; r <= 6; ++r)
        if (HasCard(kSlots, hand.cards(), makeCard(r, suitIndex(suit)))) out += "9JQKTA"[r - 1];
    return out;
}

bool holds(const std::string& h, char rank) {
    return h.find(rank) != std::string::npos;
}

bool holdingIsOneOf(const std::string& h, const std::vector<std::string>& list) {
    return std::find(list.begin(), list.end(), h) != list.end();
}

// The highest rank value held in a suit, 0 when none.
int highestRank(const HandArray& hand, SuitCode suit) {
    const int k = HighestOfSuit(kSlots, hand.cards(), suit);
    return k == 0 ? 0 : hand.rank(k);
}

int countCards(const HandArray& hand) {
    int n = 0;
    for (int i = 1; i <= kSlots; ++i)
        if (!hand[i].isEmpty()) ++n;
    return n;
}

bool isTrump(Card c, SuitCode trump) {
    return trump != kNoSuit && c.suit == trump;
}

// From values relative to the declarer to the mover's own value.
int moverValue(const std::array<int, 3>& result, int declarer) {
    return result[static_cast<size_t>((1 - declarer + 3) % 3)];
}

// EvaluateDeal on scores kept mover first, answered relative to the declarer.
std::array<int, 3> evaluateFromMover(const std::array<int, 3>& scores, int declarer, int contract) {
    const std::array<int, 3> v = EvaluateDeal(declarer, contract, scores);
    std::array<int, 3> out{};
    for (int k = 0; k < 3; ++k) out[k] = v[static_cast<size_t>((declarer - 1 + k) % 3)];
    return out;
}

// The follow rules.
void applyFollowRules(const Node& n, std::array<bool, 9>& mayFollow) {
    const HandArray& hand = n.hands[0];
    const auto cards = hand.cards();
    const SuitCode lead = n.trick[1].suit;
    int bestInTrick = 0;
    for (int p = 1; p < n.position; ++p)
        if (n.trick[p].suit == lead) bestInTrick = std::max(bestInTrick, CardRank(n.trick[p]));
    const int myBest = highestRank(hand, lead);
    const bool holdsLead = HasSuit(kSlots, cards, lead);
    const bool holdsTrump = n.trump != kNoSuit && HasSuit(kSlots, cards, n.trump);
    const std::string mine = holding(hand, lead);
    const bool reducible = mine.size() >= 2 && !holds(mine, 'A') && mine != "QKT";
    const bool holdsAceOfLead = holds(mine, 'A');
    const bool declarerMoves = n.declarer == 1;
    // Position 2: the leader is the third player. Position 3: the leader is the next player and
    // the second card is the third player's.
    const bool declarerLed = n.position == 2 ? n.declarer == 3 : n.declarer == 2;
    const bool declarerSecond = n.position == 3 && n.declarer == 3;

    auto onlyLowestOfLead = [&] {
        const int low = LowestOfSuit(kSlots, cards, lead);
        for (int i = 1; i <= kSlots; ++i)
            if (hand[i].suit == lead && i != low) mayFollow[i] = false;
    };
    auto onlyAceOfLead = [&] {
        for (int i = 1; i <= kSlots; ++i)
            if (hand[i].suit == lead && hand[i].rank != kAce) mayFollow[i] = false;
    };
    auto onePerSuit = [&] {
        for (int i = 1; i <= kSlots; ++i)
            if (!hand[i].isEmpty() && LowestOfSuit(kSlots, cards, hand[i].suit) != i)
                mayFollow[i] = false;
    };

    const Card led = n.trick[1];
    const Card second = n.trick[2];
    const bool secondOfLead = n.position == 3 && second.suit == lead;
    const bool secondLower = secondOfLead && CardRank(second) < CardRank(led);
    const bool secondHigher = secondOfLead && CardRank(second) > CardRank(led);
    const bool secondNeither = n.position == 3 && !secondOfLead && !isTrump(second, n.trump);

    if (n.position == 2) {
        // F1
        if (declarerMoves && holdsLead && myBest < bestInTrick && reducible) onlyLowestOfLead();
        // F2
        if (declarerMoves && !holdsLead && !holdsTrump) onePerSuit();
        // F3
        if (declarerLed && led.rank == kTen && holdsAceOfLead) onlyAceOfLead();
        // F4
        if (declarerLed && !holdsLead && !holdsTrump && countCards(hand) >= 6) {
            const HandArray& other = n.hands[1];
            const bool hisLead = HasSuit(kSlots, other.cards(), lead);
            const bool hisTrump = n.trump != kNoSuit && HasSuit(kSlots, other.cards(), n.trump);
            if ((hisLead && highestRank(other, lead) < bestInTrick) || (!hisLead && !hisTrump))
                onePerSuit();
        }
        return;
    }
    // F5
    if (declarerMoves && holdsLead &&
        (myBest < bestInTrick || (lead != n.trump && isTrump(second, n.trump))) && reducible)
        onlyLowestOfLead();
    // F6
    if (declarerMoves && !holdsLead && !holdsTrump) onePerSuit();
    // F7
    if (declarerLed && holdsLead && myBest < bestInTrick && (secondLower || secondNeither) &&
        reducible)
        onlyLowestOfLead();
    // F8
    if (declarerLed && !holdsLead && !holdsTrump && (secondLower || secondNeither)) onePerSuit();
    // F9
    if (declarerSecond && holdsLead && secondHigher && myBest < bestInTrick && reducible)
        onlyLowestOfLead();
    // F10
    if (declarerSecond && !holdsLead && !holdsTrump && secondHigher) onePerSuit();
    // F11
    if (holdsAceOfLead && ((declarerLed && led.rank == kTen && !isTrump(second, n.trump)) ||
                           (declarerSecond && second.suit == lead && second.rank == kTen)))
        onlyAceOfLead();
}

// The claim; true with `result` set when the mover takes every remaining trick.
bool tryClaim(const Node& n, std::array<int, 3>& result) {
    const auto& h = n.hands;
    if (n.trump != kNoSuit) {
        const int mine = CountOfSuit(kSlots, h[0].cards(), n.trump);
        if (mine < CountOfSuit(kSlots, h[1].cards(), n.trump) ||
            mine < CountOfSuit(kSlots, h[2].cards(), n.trump))
            return false;
    }
    for (SuitCode suit : kSuitsInOrder) {
        std::vector<int> myRanks;
        for (int i = 1; i <= kSlots; ++i)
            if (h[0][i].suit == suit) myRanks.push_back(h[0].rank(i));
        std::sort(myRanks.rbegin(), myRanks.rend());
        const int a = static_cast<int>(myRanks.size());
        for (int o = 1; o <= 2; ++o) {
            const int b = CountOfSuit(kSlots, h[o].cards(), suit);
            const int k = std::min(a, b);
            if (k > 0 && myRanks[static_cast<size_t>(k - 1)] < highestRank(h[o], suit))
                return false;
        }
    }
    std::array<int, 3> scores = n.scores;
    for (int p = 0; p < 3; ++p)
        for (int i = 1; i <= kSlots; ++i)
            if (!h[p][i].isEmpty()) scores[0] += h[p].points(i);
    for (SuitCode suit : kSuitsInOrder)
        if (HasMarriage(kSlots, h[0].cards(), suit)) scores[0] += MarriageValue(suit);
    result = evaluateFromMover(scores, n.declarer, n.contract);
    return true;
}

// The lead rules.
void applyLeadRules(const Node& n, std::array<bool, 9>& mayLead) {
    const auto& h = n.hands;
    const auto cards = h[0].cards();
    auto onlyThisLead = [&](int slot) {
        for (int i = 1; i <= kSlots; ++i) mayLead[i] = i == slot;
    };
    auto queenOf = [&](SuitCode suit) { return IndexOfCard(kSlots, Card{kQueen, suit}, cards); };
    auto hi = [&](int p, SuitCode suit) { return highestRank(h[p], suit); };

    // L1
    for (SuitCode suit : kSuitsInOrder)
        if (HasMarriage(kSlots, cards, suit) && hi(1, suit) <= 2 && hi(2, suit) <= 2) {
            onlyThisLead(queenOf(suit));
            return;
        }
    // L2
    bool nowhereAbove = true;
    for (SuitCode suit : kSuitsInOrder)
        if (hi(0, suit) > hi(1, suit) || hi(0, suit) > hi(2, suit)) nowhereAbove = false;
    if (nowhereAbove) {
        for (SuitCode suit : kSuitsInOrder)
            if (HasMarriage(kSlots, cards, suit)) {
                onlyThisLead(queenOf(suit));
                return;
            }
        if (n.declarer == 1) {
            for (int i = 1; i <= kSlots; ++i)
                if (!h[0][i].isEmpty() && LowestOfSuit(kSlots, cards, h[0][i].suit) != i)
                    mayLead[i] = false;
            return;
        }
    }
    // L3
    if (n.declarer != 1 || countCards(h[0]) == 7) {
        auto beats = [&](int p, SuitCode suit) {
            if (hi(p, suit) != 0 && hi(p, suit) < hi(0, suit)) return true;
            const bool hisTrump = n.trump != kNoSuit && HasSuit(kSlots, h[p].cards(), n.trump);
            return HasSuit(kSlots, cards, suit) && !HasSuit(kSlots, h[p].cards(), suit) &&
                   (n.trump == kNoSuit || suit == n.trump || !hisTrump);
        };
        for (SuitCode suit : kSuitsInOrder)
            if (beats(1, suit) && beats(2, suit)) {
                onlyThisLead(HighestOfSuit(kSlots, cards, suit));
                return;
            }
    }
    // L4
    static const std::vector<std::string> kRunFromTop = {"9JQTA", "9JKTA", "JQKTA", "9JTA", "9KTA",
                                                         "9QTA",  "JQTA",  "JKTA",  "KTA",  "TA"};
    static const std::vector<std::string> kRunWithoutAce = {"9JQT", "9JKT", "JKT", "9KT", "KT"};
    for (SuitCode suit : kSuitsInOrder) {
        const std::string mine = holding(h[0], suit);
        if (mine.empty()) continue;
        std::vector<char> allowed(mine.begin(), mine.end());
        if (holds(mine, 'A') && holds(mine, 'K') && holds(mine, 'Q')) allowed = {'A', 'Q'};
        if (holds(mine, 'K') && holds(mine, 'Q') && !holds(mine, 'A')) allowed = {'Q'};
        if (holdingIsOneOf(mine, {"9JQ", "JQ", "9J"})) allowed = {mine.front()};
        if (n.trump == kNoSuit || suit == n.trump) {
            const bool noAceOutside = !HasCard(kSlots, h[1].cards(), Card{kAce, suit}) &&
                                      !HasCard(kSlots, h[2].cards(), Card{kAce, suit});
            if (holdingIsOneOf(mine, kRunFromTop))
                allowed = {mine.back()};
            else if (noAceOutside && holdingIsOneOf(mine, kRunWithoutAce))
                allowed = {mine.back()};
        }
        for (int i = 1; i <= kSlots; ++i) {
            if (h[0][i].suit != suit) continue;
            const char letter = "9JQKTA"[h[0].rank(i) - 1];
            if (std::find(allowed.begin(), allowed.end(), letter) == allowed.end())
                mayLead[i] = false;
        }
    }
}

void searchNode(const Node& n, NodeOut& out, std::int64_t& nodes) {
    ++nodes;
    const HandArray& mover = n.hands[0];
    // Step 1.
    std::array<bool, 9> mayLead, mayFollow;
    mayLead.fill(true);
    mayFollow.fill(true);
    out.values.fill(kNotExplored);
    out.explored.fill(false);
    // Step 2.
    if (n.prune && n.position >= 2) applyFollowRules(n, mayFollow);
    // Step 3.
    if (n.prune && n.position == 1 && n.depth > 1 && tryClaim(n, out.result)) return;
    // Step 4.
    if (n.prune && n.position == 1 && countCards(mover) <= 7) applyLeadRules(n, mayLead);

    // Steps 6 and 7.
    std::array<std::array<int, 3>, 9> lines{};
    const SuitCode lead = n.position == 1 ? kNoSuit : n.trick[1].suit;
    for (int i = 1; i <= kSlots; ++i) {
        if (mover[i].isEmpty()) continue;
        const bool allowed = n.position == 1 ? mayLead[i] : mayFollow[i];
        if (!allowed || IsIllegalPlay(mover, kSlots, mover[i], lead, n.trump)) continue;

        Node after = n;
        HandArray& hand = after.hands[0];
        const Card card = hand[i];
        after.trick[static_cast<size_t>(n.position)] = card;
        hand[i] = EmptyCard;
        const bool anyScore = n.scores[0] != 0 || n.scores[1] != 0 || n.scores[2] != 0;
        if (n.position == 1 && anyScore && card.rank == kQueen &&
            HasCard(kSlots, hand.cards(), Card{kKing, card.suit})) {
            after.scores[0] += MarriageValue(card.suit);
            after.trump = card.suit;
        }

        NodeOut child;
        if (n.position <= 2) {
            Node next = after;
            next.hands = {after.hands[1], after.hands[2], after.hands[0]};
            next.scores = {after.scores[1], after.scores[2], after.scores[0]};
            next.declarer = n.declarer == 1 ? 3 : n.declarer - 1;
            next.position = n.position + 1;
            next.depth = n.depth + 1;
            searchNode(next, child, nodes);
            lines[static_cast<size_t>(i)] = child.result;
        } else {
            // Trick position 1 is the next player's card, 2 the third's, 3 the mover's.
            const int winnerPos = SearchTrickWinner(after.trick, after.trump);
            const int w = winnerPos == 3 ? 0 : winnerPos;
            after.scores[static_cast<size_t>(w)] += CardPoints(after.trick[1]) +
                                                    CardPoints(after.trick[2]) +
                                                    CardPoints(after.trick[3]);
            if (countCards(hand) == 0) {
                lines[static_cast<size_t>(i)] =
                    evaluateFromMover(after.scores, n.declarer, n.contract);
            } else {
                Node next = after;
                for (int k = 0; k < 3; ++k) {
                    next.hands[static_cast<size_t>(k)] =
                        after.hands[static_cast<size_t>((w + k) % 3)];
                    next.scores[static_cast<size_t>(k)] =
                        after.scores[static_cast<size_t>((w + k) % 3)];
                }
                next.declarer = (n.declarer - 1 - w + 3) % 3 + 1;
                next.trick = {};
                next.position = 1;
                next.depth = n.depth + 1;
                searchNode(next, child, nodes);
                lines[static_cast<size_t>(i)] = child.result;
            }
        }
        out.values[static_cast<size_t>(i)] = moverValue(lines[static_cast<size_t>(i)], n.declarer);
        out.explored[static_cast<size_t>(i)] = true;
    }

    // Step 8.
    int bestSlot = 0;
    for (int i = 1; i <= kSlots; ++i)
        if (out.explored[static_cast<size_t>(i)] &&
            (bestSlot == 0 ||
             out.values[static_cast<size_t>(i)] > out.values[static_cast<size_t>(bestSlot)]))
            bestSlot = i;
    out.result = bestSlot != 0 ? lines[static_cast<size_t>(bestSlot)]
                               : evaluateFromMover(n.scores, n.declarer, n.contract);
}

}  // namespace

SearchResult OraclePlaySearch(const SearchPosition& root, bool prune) {
    SearchResult r;
    r.values.fill(kNotExplored);
    r.values[0] = 0;
    Node n;
    n.hands = root.hands;
    for (auto& h : n.hands)
        for (int i = kSlots + 1; i <= kHandSlots; ++i) h[i] = EmptyCard;
    n.trick = {};
    n.position = root.position >= 1 && root.position <= 3 ? root.position : 1;
    for (int p = 1; p < n.position; ++p) {
        n.trick[static_cast<size_t>(p)] = root.trick[static_cast<size_t>(p)];
        if (!isValidCard(n.trick[static_cast<size_t>(p)])) return r;
    }
    n.trump = root.trump;
    n.contract = root.contract;
    n.scores = root.scores;
    n.declarer = root.declarer >= 1 && root.declarer <= 3 ? root.declarer : 1;
    n.depth = 1;
    n.prune = prune;

    NodeOut out;
    searchNode(n, out, r.nodes);
    for (int i = 1; i <= kSlots; ++i) {
        if (!out.explored[static_cast<size_t>(i)]) continue;
        r.values[static_cast<size_t>(i)] = out.values[static_cast<size_t>(i)];
        r.explored |= 1u << i;
        if (r.best == 0 ||
            out.values[static_cast<size_t>(i)] > out.values[static_cast<size_t>(r.best)])
            r.best = i;
    }
    if (r.best != 0) {
        // The chosen line is the result of the root node.
        r.line = out.result;
    }
    return r;
}

}  // namespace orvala
