#include "scripted_players.h"

#include <gtest/gtest.h>

#include <sstream>

#include "core/game/follow_rules.h"
#include "core/game/shuffle.h"

namespace orvala::test {

std::vector<Card> cards(const std::string& names) {
    std::vector<Card> out;
    std::istringstream in(names);
    std::string name;
    while (in >> name) out.push_back(card(name));
    return out;
}

Card card(const std::string& name) {
    auto c = parseCard(name);
    EXPECT_TRUE(c.has_value()) << "bad card name " << name;
    return c.value_or(EmptyCard);
}

StackedDeck::StackedDeck(const std::string& s1, const std::string& s2, const std::string& s3,
                         const std::string& talon) {
    restack(s1, s2, s3, talon);
}

void StackedDeck::restack(const std::string& s1, const std::string& s2, const std::string& s3,
                          const std::string& talon) {
    numbers_.clear();
    next_ = 0;
    for (Card c : cards(s1 + " " + s2 + " " + s3 + " " + talon)) {
        for (int n = 1; n <= 24; ++n)
            if (cardOfShuffleNumber(n) == c) numbers_.push_back(n);
    }
    EXPECT_EQ(numbers_.size(), 24u) << "a stacked deck needs 7 + 7 + 7 + 3 cards";
}

int StackedDeck::uniform(int lo, int hi) {
    EXPECT_EQ(lo, 1);
    EXPECT_EQ(hi, 24);
    if (next_ >= numbers_.size()) return lo;
    return numbers_[next_++];
}

int ScriptedPlayers::ComputerBidLimit(const GameRecord&, const RuleSettings&, int seat) {
    ++bidQuestions;
    return limits[seat];
}

GiveChoice ScriptedPlayers::ChooseCardsToGive(const GameRecord& g, const RuleSettings&, int seat) {
    GiveChoice c{1, 2, contract ? contract : g.CurrentBid, painting};
    if (giveCards.size() == 2) {
        c.slot1 = IndexOfCard(kHandSlots, giveCards[0], g.Hand[seat].cards());
        c.slot2 = IndexOfCard(kHandSlots, giveCards[1], g.Hand[seat].cards());
    }
    return c;
}

int ScriptedPlayers::ChooseComputerCard(const GameRecord& g, const RuleSettings&, int seat) {
    if (!plays[seat].empty()) {
        Card c = plays[seat].front();
        plays[seat].pop_front();
        return IndexOfCard(g.HandCount[seat], c, g.Hand[seat].cards());
    }
    const SuitCode lead = g.TrickPos > 1 ? g.LeadSuit : kNoSuit;
    for (int k = 1; k <= g.HandCount[seat]; ++k)
        if (!IsIllegalPlay(g.Hand[seat], g.HandCount[seat], g.Hand[seat][k], lead, g.Trump))
            return k;
    return 0;
}

int ScriptedPlayers::AskContract(const GameRecord& g, const RuleSettings&) {
    ++contractQuestions;
    return humanContract ? humanContract : g.Contract;
}

int slotOf(const GameRecord& g, int seat, const std::string& name) {
    return IndexOfCard(kHandSlots, card(name), g.Hand[seat].cards());
}

std::vector<std::string> described(RoundDriver& d) {
    std::vector<std::string> out;
    for (const auto& e : d.takeEvents()) out.push_back(describe(e));
    return out;
}

bool contains(const std::vector<std::string>& lines, const std::string& line) {
    for (const auto& l : lines)
        if (l == line) return true;
    return false;
}

std::vector<std::string> sounds(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const auto& l : lines)
        if (l.rfind("sound ", 0) == 0) out.push_back(l.substr(6, l.find(' ', 6) - 6));
    return out;
}

}  // namespace orvala::test
