// The game session: questions answered on the thinking thread, a thought that is dropped when
// the person leaves, and a table of any kind served through the same calls.

#include "app/game_session.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>

#include "core/game/shuffle.h"
#include "slow_players.h"

namespace orvala::app {
namespace {

bool runUntil(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 20000) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
    }
    return true;
}

TEST(GameSession, AThoughtIsDeliveredOnlyWhenTakenAndDroppedWhenThePersonLeaves) {
    GameSession session(7, false);
    SeededRandom random(3);
    SlowPlayers slow(random);
    session.setPlayers(&slow);
    int shown = 0;
    QObject::connect(&session, &GameSession::events,
                     [&](const auto& e) { shown += static_cast<int>(e.size()); });
    session.input(in::NewGame{});
    ASSERT_GT(shown, 0);  // the deck was answered at once
    ASSERT_FALSE(session.state().pending);
    session.input(in::PressButton7{});  // the computers judge their cards, elsewhere
    ASSERT_TRUE(runUntil([&] { return slow.thinking.load() == 1; }));
    EXPECT_TRUE(session.thinking());
    EXPECT_EQ(session.state().pending, (Question{Question::Kind::BidLimit, 1}));

    // Leaving forgets the thought: its answer never reaches the rules. The next game's first
    // question is thought after it on the same thread, so by the time that one is answered the
    // dropped answer has come back too, and must not have been announced.
    int answers = 0;
    QObject::connect(&session, &GameSession::answerReady, [&] { ++answers; });
    session.input(in::ExitToMenu{});
    EXPECT_FALSE(session.state().g.GameRunning);
    slow.release();
    session.input(in::NewGame{});
    session.input(in::PressButton7{});
    ASSERT_TRUE(runUntil([&] { return answers > 0; }));
    EXPECT_EQ(answers, 1);
    EXPECT_EQ(slow.answered.load(), 2);
    EXPECT_TRUE(session.deliver());
    ASSERT_TRUE(runUntil([&] {
        if (session.answerWaiting()) session.deliver();
        return !session.state().pending && !session.thinking();
    }));
    EXPECT_TRUE(session.state().g.GameRunning);
    EXPECT_EQ(session.state().g.DealStartPending, 2);
}

// A table of a kind the session has never heard of: a dealt game that stays as dealt, records
// what reaches it, shows a cleared table for each input, and thinks once when told to.
class RecordingTable final : public SessionTable {
  public:
    explicit RecordingTable(RandomSource& random) {
        apply(s, in::NewGame{});
        apply(s, in::DeckAnswer{Shuffle(random)});
    }
    RulesState s;
    std::vector<Input> inputs;
    std::vector<std::vector<Input>> answers;
    std::optional<RuleSettings> rules;
    bool personMay = true;
    std::optional<Input> thought;  // what the next input starts to think about

    const RulesState& state() const override { return s; }
    const lan::GameLog& gameLog() const override { return log; }
    lan::GameLog log;
    void input(const Input& in) override {
        inputs.push_back(in);
        if (thought)
            output().think([answer = *std::exchange(thought, std::nullopt)] {
                return std::vector<Input>{answer};
            });
        show({ev::ResetTable{}});
    }
    void answer(const std::vector<Input>& a) override { answers.push_back(a); }
    bool personMayThink() const override { return personMay; }
    void setRules(const RuleSettings& r) override { rules = r; }
};

TEST(GameSession, ServesATableOfAnotherKindThroughTheSameCalls) {
    GameSession session(7, true);  // the demo: its autopilot thinks for the person
    RuleSettings rules;
    rules.RuleStartWith500 = true;
    session.setRules(rules);
    SeededRandom random(5);
    auto owned = std::make_unique<RecordingTable>(random);
    QPointer<RecordingTable> table = owned.get();
    session.play(std::move(owned));
    EXPECT_EQ(table->rules, rules);  // a table that keeps rules is told them
    EXPECT_EQ(&session.state(), &table->s);

    // An input reaches the table, and what it shows leaves as the session's events; the
    // table's own thought comes back to its `answer`, not as an input.
    int shown = 0;
    QObject::connect(&session, &GameSession::events,
                     [&](const auto& e) { shown += static_cast<int>(e.size()); });
    table->thought = in::PressButton8{};
    session.input(in::PressButton7{});
    ASSERT_EQ(table->inputs.size(), 1u);
    EXPECT_EQ(shown, 1);
    ASSERT_TRUE(runUntil([&] { return session.answerWaiting(); }));
    EXPECT_TRUE(session.deliver());
    ASSERT_EQ(table->answers.size(), 1u);
    EXPECT_TRUE(std::holds_alternative<in::PressButton8>(table->answers[0].at(0)));
    EXPECT_EQ(table->inputs.size(), 1u);

    // The demo thinks for the person only when the table lets it, and its move is an input.
    table->personMay = false;
    table->inputs.clear();
    session.demoStep();
    EXPECT_FALSE(session.thinking() || session.answerWaiting());
    table->personMay = true;
    session.demoStep();
    ASSERT_TRUE(runUntil([&] { return session.answerWaiting(); }));
    EXPECT_TRUE(session.deliver());
    EXPECT_FALSE(table->inputs.empty());
    EXPECT_EQ(table->answers.size(), 1u);

    // Ending the table drops it for a game against the computer with the rules kept.
    session.endTable();
    EXPECT_TRUE(table.isNull());
    EXPECT_EQ(session.state().rules, rules);
    EXPECT_FALSE(session.state().g.GameRunning);
}

}  // namespace
}  // namespace orvala::app
