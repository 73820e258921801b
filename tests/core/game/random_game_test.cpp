// Whole games with random legal choices at every seat, checked at every step; and a golden
// playthrough of one seeded deal.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "core/ai/computer_players.h"
#include "core/game/autopilot.h"
#include "core/game/random_players.h"
#include "core/game/scoring_rules.h"
#include "scripted_players.h"

namespace orvala {
namespace {

// The buttons the state table promises for the state the driver is in.
void checkButtons(const RoundDriver& d, const RuleSettings& rules) {
    const GameRecord& g = d.record();
    const ButtonState& b7 = d.button7();
    const ButtonState& b8 = d.button8();
    SCOPED_TRACE("state " + std::to_string(stateNumber(g.GameState)));
    ASSERT_TRUE(b7.visible && b8.visible);
    if (g.DealStartPending == 1) {
        EXPECT_EQ(b7, (ButtonState{Caption{WordRow::ToBegin, ""}, true, true}));
        EXPECT_FALSE(b8.enabled);
        return;
    }
    const bool human = g.Declarer == 3;
    switch (g.GameState) {
        case GameState::Seat1Bids:
        case GameState::Seat2Bids:
        case GameState::Seat1Plays:
        case GameState::Seat2Plays:
        case GameState::PersonPlays:
        case GameState::AllPlayed:
            EXPECT_FALSE(b7.enabled);
            EXPECT_FALSE(b8.enabled);
            break;
        case GameState::PersonBids:
            EXPECT_EQ(b7.caption, (Caption{WordRow::IPlayOn, std::to_string(g.CurrentBid + 5)}));
            EXPECT_TRUE(b7.enabled);
            EXPECT_EQ(b8.caption.row, WordRow::Pass);
            EXPECT_EQ(b8.enabled, g.CurrentBid != 95);
            break;
        case GameState::AuctionOver:
            EXPECT_EQ(b7, (ButtonState{Caption{WordRow::ToOpenCards, ""}, true, true}));
            EXPECT_FALSE(b8.enabled);
            break;
        case GameState::ChoosingGive:
            EXPECT_EQ(b7.caption.row, human ? WordRow::ToDistributeCards : WordRow::Ok);
            EXPECT_EQ(b7.enabled, !human);
            break;
        case GameState::GiveChosen:
            EXPECT_EQ(b7, (ButtonState{Caption{WordRow::ToDistributeCards, ""}, true, true}));
            break;
        case GameState::TalonShown:
        case GameState::CardsGiven:
        case GameState::TrickComplete:
            EXPECT_EQ(b7, (ButtonState{Caption{WordRow::Ok, ""}, true, true}));
            EXPECT_FALSE(b8.enabled);
            break;
        case GameState::ContractSet:
            EXPECT_EQ(b7, (ButtonState{Caption{WordRow::Ok, ""}, true, true}));
            EXPECT_EQ(b8.enabled, human && rules.RulePainting);
            if (b8.enabled) {
                EXPECT_EQ(b8.caption.row, WordRow::Painting);
            }
            break;
        case GameState::DealScored:
            EXPECT_EQ(b7, (ButtonState{Caption{WordRow::NextRound, ""}, true, true}));
            EXPECT_FALSE(b8.enabled);
            break;
        case GameState::GameOver:
            EXPECT_FALSE(b7.enabled);
            EXPECT_EQ(b8, (ButtonState{Caption{WordRow::ExitToMenu, ""}, true, true}));
            break;
        default:
            ADD_FAILURE() << "no such state";
    }
}

RuleSettings randomRules(RandomSource& r) {
    RuleSettings rules;
    rules.RuleStartWith500 = r.uniform(0, 1);
    rules.RuleRoundToFive = r.uniform(0, 1);
    rules.RuleBolts = r.uniform(0, 1);
    rules.RuleBoltPenaltyMode = r.uniform(1, 3);
    rules.RuleBarrel = r.uniform(0, 1);
    rules.RulePainting = r.uniform(0, 1);
    return rules;
}

TEST(RandomGames, WholeGamesKeepEveryInvariantAtEveryStep) {
    SeededRandom random(2024);
    RandomPlayers inner(random);
    AutoPilot pilot(inner);
    RoundDriver d(pilot, random);
    constexpr int kMaxDeals = 200;
    constexpr int kGames = 80;
    int deals = 0, playedDeals = 0, givenUp = 0, endedGames = 0;
    for (int game = 0; game < kGames; ++game) {
        const RuleSettings rules = randomRules(random);
        d.setRules(rules);
        PlayerStart p;
        p.storedGameCounter = random.uniform(0, 30);
        d.startNewGame(p);
        const int start = rules.RuleStartWith500 ? 500 : 1000;
        ASSERT_EQ(d.record().Score, (PerSeat<int>{0, start, start, start}));
        bool ended = false;
        for (int dealOfGame = 1; dealOfGame <= kMaxDeals; ++dealOfGame) {
            ++deals;
            const PerSeat<int> before = d.record().Score;
            GameRecord atScoring;
            int steps = 0;
            while (true) {
                checkButtons(d, rules);
                const GameRecord copy = d.record();
                ASSERT_EQ(copy, d.record());
                ASSERT_EQ(checkConsistency(copy), std::nullopt) << "state " << copy.GameState;
                if (copy.GameState == GameState::AllPlayed) atScoring = copy;
                if (!pilot.step(d)) break;
                ASSERT_LT(++steps, 400) << "stuck in state " << d.record().GameState;
                d.takeEvents();
            }
            const GameRecord& g = d.record();
            if (atScoring.GameState == GameState::AllPlayed) {
                ++playedDeals;
                int cardPoints = 0, marriages = 0;
                for (int i = 1; i <= 24; ++i) cardPoints += CardPoints(g.PlayedList[i]);
                EXPECT_EQ(cardPoints, 120);
                for (int s = 1; s <= 3; ++s) marriages += atScoring.DealPoints[s];
                EXPECT_GE(marriages - 120, 0);
                EXPECT_EQ((marriages - 120) % 20, 0);  // 40, 60, 80 and 100 only
                const DealSettlement expect = settleDeal(atScoring, rules);
                EXPECT_EQ(g.Score, expect.Score);
                EXPECT_EQ(g.BoltCount, expect.BoltCount);
                if (!rules.RuleBolts) {
                    EXPECT_EQ(g.BoltCount, (PerSeat<int>{}));
                }
            } else {
                // A deal given up costs the declarer its contract and nothing else.
                ++givenUp;
                PerSeat<int> expect = before;
                expect[g.Declarer] += g.Contract;
                EXPECT_EQ(g.Score, expect);
                EXPECT_GE(g.Contract, g.CurrentBid);
            }
            if (g.GameState == GameState::GameOver) {
                ended = true;
                break;
            }
            ASSERT_EQ(g.GameState, GameState::DealScored);
            d.pressButton7();
        }
        if (!ended) {
            // Random players seldom make a contract, so a game may go on for ever; a long one is
            // left to the menu.
            d.exitToMenu();
            continue;
        }
        ++endedGames;
        const GameRecord& g = d.record();
        EXPECT_TRUE(g.GameOver);
        EXPECT_TRUE(g.Score[1] <= 0 || g.Score[2] <= 0 || g.Score[3] <= 0);
        EXPECT_EQ(g.GameResult, FinalResults(g.Score)[3]);
        EXPECT_EQ(g.NewTotal, g.PlayerTotal + g.GameResult);
        d.takeEvents();
        d.pressButton8();  // "Exit to menu"
        const auto lines = test::described(d);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0], "game-finished " + std::to_string(g.GameResult));
        EXPECT_EQ(lines[1], "menu");
        EXPECT_FALSE(d.record().GameRunning);
        EXPECT_EQ(d.timer(), (TimerState{20, true}));
        EXPECT_EQ(d.helpTopic(), HelpTopic::MainMenu);
    }
    std::printf("%d games, %d ended, %d deals, %d given up\n", kGames, endedGames, deals, givenUp);
    EXPECT_GE(endedGames, 20);
    EXPECT_GT(playedDeals, 300);
    EXPECT_GT(givenUp, 10);
}

TEST(RandomGames, LeavingToTheMenuStopsTheGameAndIgnoresLaterInput) {
    SeededRandom random(5);
    RandomPlayers inner(random);
    AutoPilot pilot(inner);
    RoundDriver d(pilot, random);
    d.startNewGame({});
    for (int i = 0; i < 30; ++i) pilot.step(d);
    d.takeEvents();
    d.exitToMenu();
    EXPECT_EQ(test::described(d), (std::vector<std::string>{"menu"}));
    const GameRecord after = d.record();
    EXPECT_FALSE(after.GameRunning);
    d.tick();
    d.pressButton7();
    d.pressButton8();
    d.clickHand(1, MouseButton::Left);
    EXPECT_EQ(d.record(), after);
    EXPECT_FALSE(d.hasPendingEvents());
}

TEST(RandomGames, GoldenPlaythroughOfOneSeededDeal) {
    SeededRandom random(1);
    RandomPlayers inner(random);
    AutoPilot pilot(inner);
    RoundDriver d(pilot, random);
    d.startNewGame({});
    std::ostringstream out;
    for (const auto& e : d.takeEvents()) out << describe(e) << '\n';
    while (pilot.step(d))
        for (const auto& e : d.takeEvents()) out << describe(e) << '\n';
    for (const auto& e : d.takeEvents()) out << describe(e) << '\n';

    const std::string path = std::string(ORVALA_GOLDEN_DIR) + "/deal_seed1.txt";
    if (std::getenv("ORVALA_REGENERATE_GOLDEN")) {
        std::ofstream(path) << out.str();
        GTEST_SKIP() << "regenerated " << path;
    }
    std::ifstream in(path);
    ASSERT_TRUE(in) << path << " is missing; run with ORVALA_REGENERATE_GOLDEN=1";
    std::stringstream golden;
    golden << in.rdbuf();
    EXPECT_EQ(out.str(), golden.str()) << "the playthrough changed; if on purpose, regenerate";
}

// Whole seeded games between the computer players (with few layouts each, and a clock that never
// runs out), every event as text, under two rule lines: the shape of the rules code may change,
// what a game shows may not.
std::string wholeGameText(std::uint64_t seed, const std::string& ruleLine) {
    SeededRandom random(seed);
    CardChoiceOptions options;
    options.sampleCounts = {0, 0, 6, 6, 6, 6, 6, 4, 0};
    options.clock = [] { return std::chrono::steady_clock::time_point{}; };
    ComputerPlayers inner(random, options, 10);
    AutoPilot pilot(inner);
    RoundDriver d(pilot, random);
    d.setRules(*parseRuleLine(ruleLine));
    d.startNewGame({"Ann", 4, 10});
    std::ostringstream out;
    auto drain = [&] {
        for (const auto& e : d.takeEvents()) out << describe(e) << '\n';
    };
    drain();
    for (int deals = 0; deals < 200 && d.record().GameRunning; ++deals) {
        while (pilot.step(d)) drain();
        drain();
        if (d.record().GameState == GameState::GameOver)
            d.pressButton8();
        else
            d.pressButton7();
        drain();
    }
    return out.str();
}

void expectGolden(const std::string& text, const std::string& name) {
    const std::string path = std::string(ORVALA_GOLDEN_DIR) + "/" + name;
    if (std::getenv("ORVALA_REGENERATE_GOLDEN")) {
        std::ofstream(path) << text;
        GTEST_SKIP() << "regenerated " << path;
    }
    std::ifstream in(path);
    ASSERT_TRUE(in) << path << " is missing; run with ORVALA_REGENERATE_GOLDEN=1";
    std::stringstream golden;
    golden << in.rdbuf();
    EXPECT_EQ(text, golden.str()) << "the playthrough changed; if on purpose, regenerate";
}

TEST(RandomGames, GoldenWholeGameWithDefaultRules) {
    expectGolden(wholeGameText(11, "011111"), "game_seed11_011111.txt");
}

TEST(RandomGames, GoldenWholeGameFromFiveHundredWithoutRoundingOrBarrel) {
    expectGolden(wholeGameText(12, "100310"), "game_seed12_100310.txt");
}

}  // namespace
}  // namespace orvala
