// The game session: questions answered on the thinking thread, and a thought that is dropped
// when the person leaves.

#include "app/game_session.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

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

}  // namespace
}  // namespace orvala::app
