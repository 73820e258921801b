// orvala-tool give: the computer declarer's two given cards, contract and give-up decision on
// its ten cards.

#include <iostream>

#include "commands.h"
#include "core/ai/discard.h"
#include "core/cards/hand_sort.h"
#include "hand_args.h"

namespace orvala::tool {

int runGive(Args& args) {
    const auto bidText = args.value("bid");
    RuleSettings rules;
    rules.RulePainting = !args.flag("no-painting");
    rules.RuleRoundToFive = !args.flag("no-round5");
    HandArray hand = parseHandArgs(args.positional(), 10);
    args.finish();
    if (!bidText) throw UsageError("--bid is required");
    const int bid = parseInt(*bidText, "--bid", 100, 100000);

    // The declarer's hand stands as the game keeps it after taking the talon.
    SortHand(hand, kNoSuit);
    const GiveChoice c = ChooseCardsToGive(hand, bid, rules);
    std::cout << "give " << toLatin(hand[c.slot1]) << ' ' << toLatin(hand[c.slot2]) << " contract "
              << c.contract << ' ' << (c.painting ? "painting" : "play") << '\n';
    return 0;
}

}  // namespace orvala::tool
