// The Expert player: its answers over many seeded deals against itself and the Classic players
// (legal, deals end, the record stays whole), the same answers for the same seed, decisions on
// hand-built hands whose right answer is plain, and the reading of who played which card.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "core/ai/auction_evidence.h"
#include "core/ai/computer_players.h"
#include "core/ai/deal_history.h"
#include "core/ai/expert_players.h"
#include "core/cards/hand_sort.h"
#include "core/game/autopilot.h"
#include "core/game/follow_rules.h"

namespace orvala {
namespace {

HandArray hand(const std::string& names) {
    HandArray h;
    std::istringstream in(names);
    std::string name;
    int i = 0;
    while (in >> name) h[++i] = parseCard(name).value_or(EmptyCard);
    SortHand(h, kNoSuit);
    return h;
}

// A small budget, so that whole deals play quickly.
ExpertBudget quick() {
    ExpertBudget b;
    b.playNodes = 20'000;
    b.minLayouts = 2;
    b.giveLayouts = 6;
    b.giveCandidates = 2;
    b.giveNodes = 300'000;
    b.bidLayouts = 6;
    b.bidNodes = 300'000;
    return b;
}

// Forwards every question to the seat's player and checks each answer against the rules; keeps
// the answers in order, and who played which card.
class Referee final : public PlayersPort {
  public:
    Referee(PlayersPort& expert, PlayersPort& other, int expertSeats)
        : expert_(expert), other_(other), expertSeats_(expertSeats) {}

    int ComputerBidLimit(const GameRecord& g, const RuleSettings& r, int seat) override {
        const int limit = of(seat).ComputerBidLimit(g, r, seat);
        answers.push_back(limit);
        EXPECT_GE(limit, 0);
        for (int i = 1; i <= 7; ++i) dealt[seat].push_back(g.Hand[seat][i]);
        return limit;
    }
    GiveChoice ChooseCardsToGive(const GameRecord& g, const RuleSettings& r, int seat) override {
        const GiveChoice c = of(seat).ChooseCardsToGive(g, r, seat);
        answers.insert(answers.end(), {c.slot1, c.slot2, c.contract, c.painting ? 1 : 0});
        EXPECT_GE(c.slot1, 1);
        EXPECT_LE(c.slot1, 10);
        EXPECT_GE(c.slot2, 1);
        EXPECT_LE(c.slot2, 10);
        EXPECT_NE(c.slot1, c.slot2);
        EXPECT_GE(c.contract, g.CurrentBid);
        EXPECT_LE(c.contract, 300);
        EXPECT_TRUE(!c.painting || r.RulePainting);
        return c;
    }
    int ChooseComputerCard(const GameRecord& g, const RuleSettings& r, int seat) override {
        const int slot = of(seat).ChooseComputerCard(g, r, seat);
        answers.push_back(slot);
        const int n = g.HandCount[seat];
        EXPECT_GE(slot, 1);
        EXPECT_LE(slot, n);
        if (slot >= 1 && slot <= n) {
            const Card c = g.Hand[seat][slot];
            const SuitCode lead = g.TrickPos > 1 ? g.TrickCards[1].suit : kNoSuit;
            EXPECT_FALSE(c.isEmpty());
            EXPECT_FALSE(IsIllegalPlay(g.Hand[seat], n, c, lead, g.Trump)) << toLatin(c);
            // Who played what so far, read back from the record, agrees with what was played.
            const DealHistory h = ReadDealHistory(g, seat);
            EXPECT_TRUE(h.known);
            if (h.known) {
                for (int s = 1; s <= 3; ++s) EXPECT_EQ(h.played[s], played[s]) << "seat " << s;
            }
            for (int s = 1; s <= 3; ++s) {
                HandArray seven;
                if (h.known && DealtHand(g, s, g.Hand[s], g.HandCount[s], h.played[s], seven)) {
                    std::vector<Card> got(seven.slot.begin() + 1, seven.slot.begin() + 8);
                    std::vector<Card> want = dealt[s];
                    const auto byName = [](Card a, Card b) { return toLatin(a) < toLatin(b); };
                    std::sort(got.begin(), got.end(), byName);
                    std::sort(want.begin(), want.end(), byName);
                    EXPECT_EQ(got, want) << "seat " << s;
                    ++dealtChecks;
                }
            }
            played[seat].push_back(c);
        }
        return slot;
    }
    int AskContract(const GameRecord& g, const RuleSettings&) override { return g.Contract; }

    std::vector<int> answers;
    PerSeat<std::vector<Card>> played{};
    PerSeat<std::vector<Card>> dealt{};
    int dealtChecks = 0;

  private:
    PlayersPort& of(int seat) { return (expertSeats_ >> seat) & 1 ? expert_ : other_; }
    PlayersPort& expert_;
    PlayersPort& other_;
    int expertSeats_;  // bit s set: seat s is the Expert
};

struct DealRun {
    std::vector<int> answers;
    int dealtChecks = 0;
    GameRecord end;
};

DealRun playDeal(std::uint64_t seed, int expertSeats, const RuleSettings& rules = {}) {
    SeededRandom deck(seed), thinkA(seed * 7 + 1), thinkB(seed * 13 + 5);
    ExpertPlayers expert(thinkA, quick(), 12);
    ComputerPlayers classic(thinkB);
    Referee referee(expert, classic, expertSeats);
    AutoPilot pilot(referee);
    RoundDriver driver(pilot, deck);
    driver.setRules(rules);
    driver.startNewGame({});
    EXPECT_GE(pilot.playDeal(driver), 0) << "seed " << seed;
    EXPECT_EQ(checkConsistency(driver.record()), std::nullopt);
    return {referee.answers, referee.dealtChecks, driver.record()};
}

TEST(ExpertPlayers, EveryAnswerIsLegalOverSeededDeals) {
    int dealtChecks = 0, painted = 0, scored = 0;
    for (std::uint64_t seed = 1; seed <= 18; ++seed) {
        // Alone among Classic players in each seat, and in all three seats.
        const int seats = seed % 4 == 0 ? 0b1110 : 1 << (seed % 3 + 1);
        RuleSettings rules;
        rules.RulePainting = seed % 5 != 0;
        const DealRun run = playDeal(seed, seats, rules);
        dealtChecks += run.dealtChecks;
        painted += run.end.PaintingChosen ? 1 : 0;
        scored +=
            run.end.GameState == GameState::DealScored || run.end.GameState == GameState::GameOver
                ? 1
                : 0;
    }
    EXPECT_EQ(scored, 18);
    // The reading of the dealt hands was checked in played deals, not skipped.
    EXPECT_GT(dealtChecks, 100);
    EXPECT_LT(painted, 18);
}

TEST(ExpertPlayers, TheSameSeedGivesTheSameDecisions) {
    size_t answers = 0;
    for (std::uint64_t seed : {3u, 11u, 17u}) {
        const DealRun a = playDeal(seed, 0b1110), b = playDeal(seed, 0b1110);
        EXPECT_EQ(a.answers, b.answers);
        EXPECT_EQ(a.end, b.end);
        answers += a.answers.size();
    }
    // Bid limits, the cards to give and cards played were all compared.
    EXPECT_GT(answers, 30u);
}

GameRecord declarerRecord(const std::string& ten, int bid) {
    GameRecord g;
    g.Declarer = 1;
    g.CurrentBid = bid;
    g.Contract = bid;
    g.FirstBidder = 1;
    g.Hand[1] = hand(ten);
    g.HandCount[1] = 10;
    g.HandCount[2] = g.HandCount[3] = 7;
    return g;
}

TEST(ExpertPlayers, TakesAWinningContractAndGivesUpAHopelessOne) {
    SeededRandom random(9);
    ExpertPlayers expert(random, quick(), 12);
    RuleSettings rules;

    // Every ace and ten with the hearts marriage: everything is made, far above the bid.
    GameRecord strong = declarerRecord("Ah Th Kh Qh Ad Td Ac Tc As Ts", 100);
    GiveChoice c = expert.ChooseCardsToGive(strong, rules, 1);
    EXPECT_FALSE(c.painting);
    EXPECT_GE(c.contract, 160);
    // It keeps the marriage.
    for (int slot : {c.slot1, c.slot2}) {
        EXPECT_NE(strong.Hand[1][slot].rank, kQueen);
        EXPECT_NE(strong.Hand[1][slot].rank, kKing);
    }
    EXPECT_GT(expert.lastGive().makeShare, 0.9);

    // Nines and jacks with no marriage cannot make 100: given up, or played at the bid when the
    // rules do not allow giving up.
    GameRecord weak = declarerRecord("9h Jh 9d Jd 9c Jc 9s Js Qh Kd", 100);
    c = expert.ChooseCardsToGive(weak, rules, 1);
    EXPECT_TRUE(c.painting);
    EXPECT_EQ(c.contract, 100);
    EXPECT_LT(expert.lastGive().makeShare, 0.1);
    rules.RulePainting = false;
    c = expert.ChooseCardsToGive(weak, rules, 1);
    EXPECT_FALSE(c.painting);
    EXPECT_EQ(c.contract, 100);
}

TEST(ExpertPlayers, BidsOnAStrongHandAndNotOnAWeakOne) {
    SeededRandom random(4);
    ExpertPlayers expert(random, quick(), 12);
    GameRecord g;
    g.FirstBidder = 2;
    g.Hand[1] = hand("Ah Th Kh Qh Ad Td Ac");
    EXPECT_GE(expert.ComputerBidLimit(g, {}, 1), 120);
    g.Hand[1] = hand("9h Jh 9d Jd 9c Jc 9s");
    EXPECT_EQ(expert.ComputerBidLimit(g, {}, 1), 0);
}

TEST(AuctionEvidence, WeighsHandsByTheClassicBidding) {
    GameRecord g;
    g.Declarer = 1;
    g.CurrentBid = 100;
    const HandArray strong = hand("Ah Th Kh Qh Ad Td Ac");  // a Classic limit far above 100
    const HandArray weak = hand("9h Jh 9d Jd 9c Jc 9s");    // no ace: a limit of 0
    // A defender passed at or below the winning bid.
    EXPECT_EQ(AuctionWeight(weak, 2, g, {}), 1.0);
    EXPECT_EQ(AuctionWeight(strong, 2, g, {}), kUnlikelyAuction);
    // A declarer who won at 100 may have been held to open; above it he had the limit.
    EXPECT_EQ(AuctionWeight(weak, 1, g, {}), 1.0);
    g.CurrentBid = 140;
    EXPECT_EQ(AuctionWeight(weak, 1, g, {}), kUnlikelyAuction);
    EXPECT_EQ(AuctionWeight(strong, 1, g, {}), 1.0);
}

}  // namespace
}  // namespace orvala
