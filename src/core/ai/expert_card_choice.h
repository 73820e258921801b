#pragma once
// The Expert player's card: layouts of the unseen cards that agree with everything the seat has
// seen (its hand, the talon, the cards given, the cards played, the suits a seat showed it lacks),
// drawn in proportion to how likely each opponent's auction was with its dealt cards; each solved
// exactly (PlaySearch), the slot with the best total value played. In the first trick each card
// of the seat is followed by the rest of the trick as the Classic players would answer it, and
// the seven tricks after it are solved. The value is the deal's score
// as the count-down game counts it: a seat's own result doubled less the other two.

#include <cstdint>

#include "core/ai/expert_budget.h"
#include "core/ai/search_memo.h"
#include "core/game/game_record.h"
#include "core/game/random_source.h"
#include "core/game/rule_settings.h"

namespace orvala {

struct ExpertChoiceStats {
    int layouts = 0;
    std::int64_t nodes = 0;
};

// The slot (1..HandCount) that `seat` plays now; it obeys the follow rules.
int ExpertCardChoice(const GameRecord& g, const RuleSettings& rules, int seat, RandomSource& random,
                     SearchMemo& memo, const ExpertBudget& budget,
                     ExpertChoiceStats* stats = nullptr);

}  // namespace orvala
