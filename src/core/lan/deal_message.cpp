#include "core/lan/deal_message.h"

#include <algorithm>

namespace orvala::lan {
namespace {

char letter(bool on) {
    return static_cast<char>(on ? kRuleSet : kRuleClear);
}

bool isFullDeck(const std::array<Card, 25>& deck) {
    const std::array<Card, 24> reference = referenceDeck();
    for (const Card& c : reference)
        if (std::count(deck.begin() + 1, deck.end(), c) != 1) return false;
    return true;
}

}  // namespace

std::string dealMessage(const DealMessage& d) {
    std::string m = "b";
    for (int i = 1; i <= 24; ++i) m += toBytes(d.deck[static_cast<std::size_t>(i)]);
    for (int i = 1; i <= 24; ++i)
        m += std::to_string(CardRank(d.deck[static_cast<std::size_t>(i)]) % 10);
    for (int i = 1; i <= 24; ++i) {
        const int p = CardPoints(d.deck[static_cast<std::size_t>(i)]) % 100;
        m += static_cast<char>('0' + p / 10);
        m += static_cast<char>('0' + p % 10);
    }
    const RuleSettings& r = d.rules;
    m += letter(r.RuleStartWith500);
    m += letter(r.RuleRoundToFive);
    m += letter(r.RuleBolts);
    m += static_cast<char>('0' + r.RuleBoltPenaltyMode % 10);
    m += letter(r.RuleBarrel);
    m += letter(r.RulePainting);
    return m;
}

DealParse parseDeal(std::string_view m) {
    auto refuse = [](std::string why) { return DealParse{std::nullopt, std::move(why)}; };
    if (m.size() != kDealLength) return refuse("a deal message is 127 bytes");
    if (m[0] != 'b') return refuse("not a deal message");
    DealMessage d;
    for (std::size_t i = 1; i <= 24; ++i) {
        // Only the raw Windows-1251 codes travel; no other notation is read here.
        const Card card{static_cast<RankCode>(m[1 + 2 * (i - 1)]),
                        static_cast<SuitCode>(m[2 + 2 * (i - 1)])};
        if (!isValidCard(card)) return refuse("unknown card code");
        d.deck[i] = card;
        // The strength and points travel beside each card; they must be the card's own.
        const char strength = m[49 + (i - 1)];
        const std::string_view points = m.substr(73 + 2 * (i - 1), 2);
        const int p = CardPoints(card);
        if (strength != '0' + CardRank(card) || points[0] != '0' + p / 10 ||
            points[1] != '0' + p % 10)
            return refuse("a card's strength or points are not its own");
    }
    if (!isFullDeck(d.deck)) return refuse("the deal is not one whole deck");
    auto set = [&](std::size_t position) {
        return static_cast<unsigned char>(m[position - 1]) == kRuleSet;
    };
    const char mode = m[124];
    if (mode < '1' || mode > '3') return refuse("unknown bolt penalty mode");
    d.rules.RuleStartWith500 = set(122);
    d.rules.RuleRoundToFive = set(123);
    d.rules.RuleBolts = set(124);
    d.rules.RuleBoltPenaltyMode = mode - '0';
    d.rules.RuleBarrel = set(126);
    d.rules.RulePainting = set(127);
    return DealParse{d, {}};
}

std::array<Card, 25> deckSeenBy(NetRole viewer, const std::array<Card, 25>& hostDeck) {
    std::array<Card, 25> deck = hostDeck;
    for (int h = 1; h <= 3; ++h) {
        const int s = localSeat(viewer, h);
        for (int i = 1; i <= 7; ++i)
            deck[static_cast<std::size_t>((s - 1) * 7 + i)] =
                hostDeck[static_cast<std::size_t>((h - 1) * 7 + i)];
    }
    return deck;
}

}  // namespace orvala::lan
