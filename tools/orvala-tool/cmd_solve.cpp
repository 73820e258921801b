// orvala-tool solve: the card-play search at the root of one fully dealt layout. Prints the
// mover's value for each slot of his hand ("-" where the search did not explore the slot) and
// the slot it would choose.

#include <iostream>
#include <sstream>

#include "commands.h"
#include "core/ai/play_search.h"
#include "core/ai/search_memo.h"
#include "core/ai/search_oracle.h"
#include "core/cards/hand_sort.h"

namespace orvala::tool {
namespace {

std::vector<Card> cardList(const std::string& text, const std::string& what) {
    std::vector<Card> out;
    if (text.empty() || text == "-") return out;
    std::istringstream in(text);
    std::string item;
    while (std::getline(in, item, ',')) {
        if (item.empty()) throw UsageError(what + " has an empty card in \"" + text + "\"");
        out.push_back(parseCardArg(item));
    }
    return out;
}

std::string latin(const HandArray& h, int n) {
    std::string out;
    for (int i = 1; i <= n; ++i) out += (i > 1 ? "," : "") + toLatin(h[i]);
    return out;
}

}  // namespace

int runSolve(Args& args) {
    const auto contract = args.value("contract");
    const auto scores = args.value("scores");
    const auto declarer = args.value("declarer");
    const auto trumpText = args.value("trump");
    const auto trickText = args.value("trick");
    const bool prune = args.flag("prune");
    const bool oracle = args.flag("oracle");
    const auto hands = args.positional();
    args.finish();
    if (!contract) throw UsageError("--contract is required");
    if (!scores) throw UsageError("--scores is required");
    if (!declarer) throw UsageError("--declarer is required");
    if (hands.size() != 3) throw UsageError("give three hands: MOVER NEXT THIRD");

    SearchPosition p;
    p.contract = parseInt(*contract, "--contract", 0, 1000);
    const auto s = parseIntList(*scores, "--scores", 3, 0, 1000);
    p.scores = {s[0], s[1], s[2]};
    p.declarer = parseInt(*declarer, "--declarer", 1, 3);
    if (trumpText && *trumpText != "none" && *trumpText != "#") {
        const auto t = trumpText->size() == 1 ? suitFromLetter((*trumpText)[0]) : std::nullopt;
        if (!t) throw UsageError("--trump must be h, d, c, s or none");
        p.trump = *t;
    }

    std::vector<Card> seen;
    auto unique = [&](Card c) {
        for (Card o : seen)
            if (o == c) throw UsageError("the card " + toLatin(c) + " is given twice");
        seen.push_back(c);
    };
    const std::vector<Card> trick =
        trickText ? cardList(*trickText, "--trick") : std::vector<Card>{};
    if (trick.size() > 2) throw UsageError("--trick holds at most the two cards already played");
    for (size_t i = 0; i < trick.size(); ++i) {
        unique(trick[i]);
        p.trick[i + 1] = trick[i];
    }
    p.position = static_cast<int>(trick.size()) + 1;

    static const char* kNames[3] = {"MOVER", "NEXT", "THIRD"};
    int counts[3] = {};
    for (int k = 0; k < 3; ++k) {
        const std::vector<Card> cards = cardList(hands[static_cast<size_t>(k)], kNames[k]);
        if (cards.size() > 8) throw UsageError(std::string(kNames[k]) + " holds more than 8 cards");
        HandArray& h = p.hands[static_cast<size_t>(k)];
        for (size_t i = 0; i < cards.size(); ++i) {
            unique(cards[i]);
            h[static_cast<int>(i) + 1] = cards[i];
        }
        counts[k] = static_cast<int>(cards.size());
        HandArray sorted = h;
        SortHand(sorted, p.trump);
        if (!(sorted == h))
            throw UsageError(std::string(kNames[k]) +
                             " is not sorted as the game sorts it: " + latin(sorted, counts[k]));
    }
    // Those who already played to this trick hold one card fewer: the third player led at
    // position 2; at position 3 the next player led and the third followed.
    const int n = counts[0];
    const int wantNext = p.position == 3 ? n - 1 : n;
    const int wantThird = p.position >= 2 ? n - 1 : n;
    if (n == 0 || counts[1] != wantNext || counts[2] != wantThird)
        throw UsageError("hand sizes do not fit the trick: the mover holds " + std::to_string(n) +
                         ", so NEXT must hold " + std::to_string(wantNext) + " and THIRD " +
                         std::to_string(wantThird));

    SearchResult r;
    if (oracle) {
        r = OraclePlaySearch(p, prune);
    } else {
        SearchMemo memo(18);
        r = PlaySearch(p, SearchOptions{prune, &memo});
    }
    std::cout << "values";
    for (int i = 1; i <= n; ++i) {
        if (r.explored & (1u << i))
            std::cout << ' ' << r.values[static_cast<size_t>(i)];
        else
            std::cout << " -";
    }
    std::cout << "\nbest " << r.best << '\n';
    return 0;
}

}  // namespace orvala::tool
