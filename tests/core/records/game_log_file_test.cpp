#include "core/records/game_log_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

#include "core/ai/computer_players.h"
#include "core/game/autopilot.h"
#include "core/game/round_driver.h"
#include "core/game/shuffle.h"
#include "core/lan/move_steps.h"
#include "core/text/atomic_file.h"

namespace orvala {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

struct PlayedGame {
    GameLogFile file;
    RulesState last;
};

// A whole game between the computer players (few layouts each, a clock that never runs out),
// logged as the LAN host logs one: the deck at each deal, the moves of every input with the
// answers it raised, and the scores at the end of each deal. The first bidders turn as at a LAN
// table, which is how the log's replay deals.
PlayedGame playLoggedGame(std::uint64_t seed, const std::string& ruleLine) {
    SeededRandom random(seed);
    CardChoiceOptions options;
    options.sampleCounts = {0, 0, 4, 4, 4, 4, 4, 4, 0};
    options.clock = [] { return std::chrono::steady_clock::time_point{}; };
    ComputerPlayers computer(random, options, 10);
    AutoPilot pilot(computer);
    PlayedGame out;
    GameLogFile& file = out.file;
    file.kind = GameLogKind::Net;
    file.game.names = {"", "Анна Мария", "Boris", "Mr.X"};
    RulesState& s = out.last;
    s.roles.rotateByDealCount = true;
    s.rules = *parseRuleLine(ruleLine);
    const auto run = [&](const Input& input) {
        const RulesState before = s;
        orvala::apply(s, input);
        while (s.pending) {
            if (s.pending->kind == Question::Kind::Deck) {
                const std::array<Card, 25> deck = Shuffle(random);
                file.game.dealt(lan::DealMessage{deck, s.rules});
                orvala::apply(s, in::DeckAnswer{deck});
            } else {
                orvala::apply(s, playersAnswer(s, pilot));
            }
        }
        file.game.moved(lan::movesApplied(before, s), lan::NetRole::Host);
    };
    run(in::NewGame{PlayerStart{"Mr.X"}});
    for (int deal = 0; deal < 300 && s.g.GameRunning; ++deal) {
        for (int step = 0; step < 3000; ++step) {
            const std::vector<Input> inputs = pilot.next(s);
            if (inputs.empty()) break;
            for (const Input& input : inputs) {
                if (!accepts(s, input)) break;
                run(input);
            }
        }
        file.scores.push_back(s.g.Score);
        if (s.g.GameState == GameState::GameOver) break;
        run(in::PressButton7{});
    }
    file.finished = GameLogFinish{"21:05", "10.12.2026", "Mr.X", s.g.Score[3] - 1000};
    return out;
}

const PlayedGame& game() {
    static const PlayedGame played = playLoggedGame(7, "011111");
    return played;
}

TEST(GameLogFile, AWholeGameIsWrittenReadAndReplayedToItsScores) {
    for (const auto& [seed, rules] : {std::pair{7, "011111"}, std::pair{12, "100310"}}) {
        const PlayedGame& played = seed == 7 ? game() : playLoggedGame(seed, rules);
        ASSERT_EQ(played.last.g.GameState, GameState::GameOver) << seed;
        const std::string text = writeGameLogText(played.file);
        const GameLogRead back = readGameLogText(text);
        ASSERT_TRUE(back.log) << back.error;
        EXPECT_EQ(*back.log, played.file);
        EXPECT_EQ(writeGameLogText(*back.log), text);

        const GameLogReplay r = replayGameLog(*back.log);
        EXPECT_EQ(r.error, "");
        ASSERT_EQ(r.states.size(), played.file.game.deals.size());
        for (std::size_t d = 0; d < r.states.size(); ++d)
            EXPECT_EQ(r.states[d].size(), played.file.game.deals[d].moves.size() + 1) << d;
        EXPECT_EQ(r.states.back().back().g.Score, played.last.g.Score);
        EXPECT_EQ(r.states.back().back().g.SeatNames[1], "\xC0\xED\xED\xE0 \xCC\xE0\xF0\xE8\xFF");

        // Regenerates the fuzz corpus's whole games.
        if (const char* dir = std::getenv("ORVALA_WRITE_GAME_LOG_CORPUS"))
            writeFileAtomically(std::string(dir) + "/game_seed" + std::to_string(seed) + ".log",
                                text);
    }
}

TEST(GameLogFile, ALogCutAnywhereReadsAsItsWholeDeals) {
    const GameLogFile& full = game().file;
    const std::string text = writeGameLogText(full);
    const std::size_t header = text.find("\ndeal 1\n") + 1;
    std::size_t wholeDeals = 0;
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
        if (cut >= 12 && text.compare(cut - 12, 12, "end of deal\n") == 0) ++wholeDeals;
        const GameLogRead r = readGameLogText(std::string_view(text).substr(0, cut));
        if (cut < header) {
            ASSERT_FALSE(r.log) << cut;
            ASSERT_THAT(r.error, StartsWith("line ")) << cut;
            continue;
        }
        ASSERT_TRUE(r.log) << cut << ": " << r.error;
        ASSERT_EQ(r.log->game.deals.size(), wholeDeals) << cut;
        ASSERT_TRUE(
            std::equal(r.log->game.deals.begin(), r.log->game.deals.end(), full.game.deals.begin()))
            << cut;
        ASSERT_EQ(r.log->scores,
                  std::vector(full.scores.begin(), full.scores.begin() + long(wholeDeals)));
        ASSERT_EQ(r.log->game.names, full.game.names);
        ASSERT_EQ(r.log->kind, full.kind);
        ASSERT_EQ(r.log->finished.has_value(), cut == text.size()) << cut;
    }
    EXPECT_EQ(wholeDeals, full.game.deals.size());
}

// Replaces the first `from` after `after` in `text`.
std::string changed(std::string text, const std::string& after, const std::string& from,
                    const std::string& to) {
    const std::size_t at = text.find(from, text.find(after));
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

TEST(GameLogFile, WhatTheRulesOrTheReaderRefuseIsReportedWithItsPlace) {
    const GameLogFile& full = game().file;

    // A bid the rules refuse, and scores the rules do not give.
    GameLogFile badMove = full;
    lan::Move& opening = badMove.game.deals[1].moves[0];
    ASSERT_EQ(opening.kind, lan::Move::Kind::Bid);
    opening.value += 5;
    const GameLogReplay r1 = replayGameLog(badMove);
    EXPECT_THAT(r1.error, StartsWith("deal 2, move 1 (move bid "));
    EXPECT_THAT(r1.error, HasSubstr("the rules refuse it"));
    EXPECT_EQ(r1.states.size(), 2u);
    GameLogFile badScore = full;
    badScore.scores[2][1] += 10;
    EXPECT_THAT(replayGameLog(badScore).error, StartsWith("deal 3: the logged scores "));
    GameLogFile notOver = full;
    notOver.game.deals.pop_back();
    notOver.scores.pop_back();
    EXPECT_THAT(replayGameLog(notOver).error, HasSubstr("logged as finished"));

    const std::string text = writeGameLogText(full);
    const auto deck = text.substr(text.find("deck ") + 5, 24 * 3 - 1);
    const std::string refused[][2] = {
        {changed(text, "deck ", deck.substr(3, 2), deck.substr(0, 2)),
         "line 8: the deck is not the 24 different cards"},
        {changed(text, "deal 2\n", "move ", "hello\nmove "),
         "a move or the deal's scores are expected"},
        {changed(text, "seat 2", "Boris", "Bo\tis"), "line 4: a control character"},
        {changed(text, "seat 2", "Boris", "Bo\xC0\xAFis"), "line 4: not UTF-8 text"},
        {changed(text, "seat 2", "Boris", std::string(61, 'b')), "line 4: a name longer"},
        {changed(text, "move ", "move ", "move fold "), "line 9: a move cannot be read"},
        {changed(text, "deal 1", "end of deal\n", "end of deal\nfinished 12:00 1.1.2027 X 5\n"),
         "a line after the game's end"},
        {text.substr(0, text.find("seat 3")), "line 5: the seats' names are cut short"},
        {changed(text, "finished", " Mr.X ", " "), "the game's end cannot be read"},
    };
    for (const auto& [bytes, why] : refused) {
        const GameLogRead r = readGameLogText(bytes);
        EXPECT_FALSE(r.log) << why;
        EXPECT_THAT(r.error, HasSubstr(why));
        EXPECT_THAT(r.error, StartsWith("line "));
    }
}

}  // namespace
}  // namespace orvala
