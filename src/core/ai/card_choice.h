#pragma once
// Which card a computer seat plays in trick play.
//
// With eight cards (the first trick) it follows OpeningLeadChoice; with one card it plays it.
// With two to seven cards it deals the cards it cannot see to its opponents at random, agreeing
// with what it knows (layout_sampler.h), solves each layout exactly with PlaySearch, adds up the
// value every slot of its hand reached, and plays the slot with the highest total (the lowest
// slot on equal totals). The number of layouts falls as the hand grows (SampleCount), and the
// search prunes with five or more cards in hand.
//
// A choice stops taking layouts once it has run longer than the time cap (10 seconds) on a
// monotonic clock; the layout that crossed the cap does not count. If no layout completed, the
// seat plays its first legal card.
//
// The random source is the caller's: a clock-seeded one is reseeded before every layout, a
// seeded one makes every choice reproducible. The memo may be shared from choice to choice; its
// hits are exact, so it changes only the speed.

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>

#include "core/ai/search_memo.h"
#include "core/game/game_record.h"
#include "core/game/random_source.h"

namespace orvala {

// What the window shows while a choice runs: the thinking bar at layout k of N, and the busy
// cursor when more than three cards are in hand. A last report with `finished` set tells it to
// restore both.
struct ThinkingProgress {
    int layout = 0;  // 0 before the first layout
    int layouts = 0;
    int percent = 0;  // round(100 * layout / layouts)
    bool busyCursor = false;
    bool finished = false;
};
using ProgressCallback = std::function<void(const ThinkingProgress&)>;
using SteadyClock = std::function<std::chrono::steady_clock::time_point()>;

// The number of layouts for a hand of 2..7 cards (500, 300, 200, 100, 20, 4); 0 otherwise.
int SampleCount(int cardsInHand);

struct CardChoiceOptions {
    // Layouts by cards in hand (index 2..7 used).
    std::array<int, 9> sampleCounts = {0, 0, 500, 300, 200, 100, 20, 4, 0};
    int timeCapMs = 10000;
    ProgressCallback progress;  // may be empty
    SteadyClock clock;          // empty: std::chrono::steady_clock::now
};

struct CardChoiceStats {
    int layouts = 0;  // layouts that counted
    std::int64_t nodes = 0;
    bool timedOut = false;
    bool searched = false;  // false for the first trick and a single card
};

// The slot (1..HandCount) that `seat` plays now; it obeys the follow rules. Reads the seat's
// hand, every HandCount, the opponents' KnownCards and ExcludedCards, the trick, FirstBidder,
// Trump, Declarer, Contract and DealPoints; changes nothing in the record.
int ChooseComputerCard(const GameRecord& g, int seat, RandomSource& random, SearchMemo& memo,
                       const CardChoiceOptions& options, CardChoiceStats* stats = nullptr);

}  // namespace orvala
