#pragma once
// The rules as a value with one entry.
//
// `RulesState` is a game's whole rules state: the game record, the house rules, the seat roles
// and the question the rules wait on. It is copyable and comparable, so anything can hold a copy
// and ask of it: the window, the autopilot, a network receiver, a server refereeing remote moves.
//
// `accepts(state, input)` is the one answer to "may this happen now?". `apply(state, input)` runs
// one rule step to its end and returns what the table is to show; an input that is not accepted
// changes nothing (a card that may not be played only gets its refusal shown). The buttons, the
// timer and the help topic are functions of the state.

#include <optional>
#include <vector>

#include "core/game/game_record.h"
#include "core/game/rule_settings.h"
#include "core/game/rules_input.h"
#include "core/game/seat_roles.h"
#include "core/game/table_events.h"

namespace orvala {

struct RulesState {
    GameRecord g;
    RuleSettings rules;
    SeatRoles roles;
    std::optional<Question> pending;

    friend bool operator==(const RulesState&, const RulesState&) = default;
};

struct ButtonState {
    Caption caption;
    bool enabled = false;
    bool visible = false;
    friend bool operator==(const ButtonState&, const ButtonState&) = default;
};

struct TimerState {
    int intervalMs = 20;  // 20 ms on the menu, 200 ms in the auction, 300 ms in play
    bool enabled = true;
    friend bool operator==(const TimerState&, const TimerState&) = default;
};

// Context numbers of the help file.
enum class HelpTopic { MainMenu = 1, Deal = 2, Bidding = 5, Scoring = 10 };

ButtonState button7(const RulesState& s);
ButtonState button8(const RulesState& s);
TimerState timerOf(const RulesState& s);
HelpTopic helpTopicOf(const RulesState& s);

bool accepts(const RulesState& s, const Input& input);
std::vector<TableEvent> apply(RulesState& s, const Input& input);

// Whether the card in this slot of the person's hand may be played now.
bool canPlaySlot(const RulesState& s, int slot);
// Whether a computer seat raises at the current bid with this limit: the first bidder opens at
// 100 whatever its limit; after that a seat raises while the bid is below its limit.
bool raisesWithLimit(const GameRecord& g, int seat, int limit);

}  // namespace orvala
