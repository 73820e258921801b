// orvala-tool bid-limit: the highest bid a computer seat sets itself on seven dealt cards.

#include <iostream>

#include "commands.h"
#include "core/ai/bid_limit.h"
#include "hand_args.h"

namespace orvala::tool {

int runBidLimit(Args& args) {
    RuleSettings rules;
    rules.RulePainting = !args.flag("no-painting");
    const HandArray hand = parseHandArgs(args.positional(), 7);
    args.finish();
    std::cout << ComputerBidLimit(hand, rules) << '\n';
    return 0;
}

}  // namespace orvala::tool
