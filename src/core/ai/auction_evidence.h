#pragma once
// What the auction says about a seat's seven dealt cards, if the seat bid as the Classic players
// bid (it raises while the bid is below the limit its cards give, and the first bidder opens at
// 100 whatever its limit).
//
// The record keeps only the winning bid and the declarer: a seat that passed had a limit no
// higher than the winning bid, and a declarer who won above 100 had a limit above the bid before
// his last. A hand that disagrees is not impossible (the seat may be a person, or another kind
// of player), only unlikely, so it gets a small weight rather than none.

#include <vector>

#include "core/cards/hand_helpers.h"
#include "core/game/game_record.h"
#include "core/game/rule_settings.h"

namespace orvala {

// The weight of a hand that disagrees with the auction.
inline constexpr double kUnlikelyAuction = 0.1;

// 1 when `seven` (slots 1..7) agrees with what `seat` did in the record's auction, else
// kUnlikelyAuction.
double AuctionWeight(const HandArray& seven, int seat, const GameRecord& g,
                     const RuleSettings& rules);

// The seven cards `seat` was dealt, from the cards it holds now (slots 1..count) and the cards it
// has played: the declarer also gave two cards and took the talon, a defender was given one.
// False when they do not come to seven cards.
bool DealtHand(const GameRecord& g, int seat, const HandArray& now, int count,
               const std::vector<Card>& played, HandArray& seven);

}  // namespace orvala
