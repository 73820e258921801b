#pragma once
// Who played which card so far in the deal, read back from the game record.
//
// The record keeps the played cards in trick order but not their players. The first trick is
// led by the declarer and every later one by the winner of the trick before, so the players
// follow from the winners, and the winners from the trump of each trick. The trump changes only
// when a queen is led from the second trick on while its king is in the leader's hand, which the
// record does not say for another seat's hand; each such lead is tried both ways, and the reading
// kept is the first one whose trick and marriage points give every seat its DealPoints and whose
// last marriage is the record's trump.

#include <array>
#include <vector>

#include "core/game/game_record.h"

namespace orvala {

struct DealHistory {
    bool known = false;                   // false when no reading agrees with the record
    PerSeat<std::vector<Card>> played{};  // each seat's cards played, in order
};

// Reads the tricks of the record's deal (finished ones and the trick on the table); `viewer`'s
// own hand settles the leads it can.
DealHistory ReadDealHistory(const GameRecord& g, int viewer);

}  // namespace orvala
