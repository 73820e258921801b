#pragma once
// What each seat is known not to hold, kept up to date after every card played.

#include "core/game/game_record.h"

namespace orvala {

// After the card at trick position `pos` was added to the trick: every seat now knows that card
// is gone; a follower who did not follow suit holds none of the led suit, and if he did not
// trump either (with a trump set that is not the led suit), none of the trump suit.
void NoteCardPlayed(GameRecord& g, int pos);

}  // namespace orvala
