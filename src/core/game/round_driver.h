#pragma once
// The round driver: the rules state run synchronously, every question answered at once through a
// players port and a random source. The developer tools, self-play, the benchmarks and the rule
// tests drive whole games with it; the window instead answers questions without blocking (the
// application's game session).

#include <vector>

#include "core/game/players_port.h"
#include "core/game/random_source.h"
#include "core/game/rules_state.h"

namespace orvala {

// The answer that `players` (and `random`, for the deck) gives to the question `s` waits on.
Input answerFor(const RulesState& s, PlayersPort& players, RandomSource& random);
// The answer of `players` to a question that is theirs (anything but the deck).
Input playersAnswer(const RulesState& s, PlayersPort& players);

class RoundDriver {
  public:
    RoundDriver(PlayersPort& players, RandomSource& random);
    RoundDriver(const RoundDriver&) = delete;
    RoundDriver& operator=(const RoundDriver&) = delete;

    // The house rules, read each time a rule applies.
    void setRules(const RuleSettings& rules) { s_.rules = rules; }
    const RuleSettings& rules() const { return s_.rules; }
    void setRoles(const SeatRoles& roles) { s_.roles = roles; }
    const SeatRoles& roles() const { return s_.roles; }

    // Applies an input and answers every question it raises. False when it was not accepted.
    bool input(const Input& in);
    bool accepts(const Input& in) const { return orvala::accepts(s_, in); }

    void startNewGame(const PlayerStart& player) { input(in::NewGame{player}); }
    void tick() { input(in::Tick{}); }
    void pressButton7() { input(in::PressButton7{}); }
    void pressButton8() { input(in::PressButton8{}); }
    void clickHand(int slot, MouseButton button) { input(in::ClickHand{slot, button}); }
    void clickTableCard(Card card) { input(in::ClickTableCard{card}); }
    void exitToMenu() { input(in::ExitToMenu{}); }

    bool canPlaySlot(int slot) const { return orvala::canPlaySlot(s_, slot); }

    const RulesState& state() const { return s_; }
    const GameRecord& record() const { return s_.g; }
    ButtonState button7() const { return orvala::button7(s_); }
    ButtonState button8() const { return orvala::button8(s_); }
    TimerState timer() const { return timerOf(s_); }
    HelpTopic helpTopic() const { return helpTopicOf(s_); }

    // The events produced since the last call, in order.
    std::vector<TableEvent> takeEvents();
    bool hasPendingEvents() const { return !events_.empty(); }
    const std::vector<TableEvent>& pendingEvents() const { return events_; }

  private:
    PlayersPort& players_;
    RandomSource& random_;
    RulesState s_;
    std::vector<TableEvent> events_;
};

}  // namespace orvala
