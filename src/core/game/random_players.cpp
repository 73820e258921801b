#include "core/game/random_players.h"

#include "core/game/contract_stepper.h"
#include "core/game/follow_rules.h"

namespace orvala {

int RandomPlayers::ComputerBidLimit(const GameRecord&, const RuleSettings&, int) {
    // Half the time a seat will not bid at all; otherwise it goes up to 100..180.
    return random_.uniform(0, 1) == 0 ? 0 : 100 + 5 * random_.uniform(0, 16);
}

int RandomPlayers::randomContract(int bid, bool roundToFive) {
    // Mostly the bid itself; sometimes a few presses of the contract dialog's step buttons,
    // which may wrap round to the top.
    static constexpr int kSteps[] = {-10, -5, -1, 1, 5, 10};
    int pending = bid;
    const int presses = random_.uniform(1, 4) == 1 ? random_.uniform(1, 3) : 0;
    for (int i = 0; i < presses; ++i) {
        int step = kSteps[random_.uniform(0, 5)];
        if (roundToFive && (step == 1 || step == -1)) step *= 5;
        pending = stepContract(pending, bid, step);
    }
    return pending;
}

GiveChoice RandomPlayers::ChooseCardsToGive(const GameRecord& g, const RuleSettings& r, int seat) {
    GiveChoice c;
    const int n = g.HandCount[seat];
    c.slot1 = random_.uniform(1, n);
    do c.slot2 = random_.uniform(1, n);
    while (c.slot2 == c.slot1);
    c.contract = randomContract(g.CurrentBid, r.RuleRoundToFive);
    c.painting = r.RulePainting && random_.uniform(1, 10) == 1;
    return c;
}

int RandomPlayers::ChooseComputerCard(const GameRecord& g, const RuleSettings&, int seat) {
    const SuitCode lead = g.TrickPos > 1 ? g.LeadSuit : kNoSuit;
    const auto hand = g.Hand[seat].cards();
    // Leading, a seat mostly declares a marriage it holds, so games reach their end.
    if (lead == kNoSuit && g.TrickNumber > 1 && random_.uniform(1, 5) > 1)
        for (int s = 1; s <= 4; ++s)
            if (HasMarriage(g.HandCount[seat], hand, kSuitCodes[s]))
                return IndexOfCard(g.HandCount[seat], Card{kQueen, kSuitCodes[s]}, hand);
    int legal[kHandSlots + 1] = {};
    int count = 0;
    for (int k = 1; k <= g.HandCount[seat]; ++k)
        if (!IsIllegalPlay(g.Hand[seat], g.HandCount[seat], g.Hand[seat][k], lead, g.Trump))
            legal[count++] = k;
    if (count == 0) return 1;
    // The declarer mostly plays its highest legal card: random play alone almost never makes a
    // contract, and the games would not end.
    if (seat == g.Declarer && random_.uniform(1, 5) > 1) {
        int best = legal[0];
        for (int i = 1; i < count; ++i)
            if (g.Hand[seat].rank(legal[i]) > g.Hand[seat].rank(best)) best = legal[i];
        return best;
    }
    return legal[random_.uniform(0, count - 1)];
}

int RandomPlayers::AskContract(const GameRecord& g, const RuleSettings& r) {
    return randomContract(g.Contract, r.RuleRoundToFive);
}

}  // namespace orvala
