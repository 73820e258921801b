#pragma once
// Which card may be played: the one source of legality for the person, the computer players,
// the network code and the servers.
//
// The leader may lead any card. A follower must play the led suit if he holds it; otherwise a
// trump if there is one and he holds one; otherwise any card. Nobody has to beat the trick.

#include "core/cards/hand_helpers.h"

namespace orvala {

// True when playing `card` from a hand of `count` cards breaks the follow rules. `leadSuit` is
// "#" when the card would lead the trick.
bool IsIllegalPlay(const HandArray& hand, int count, Card card, SuitCode leadSuit, SuitCode trump);

// The trick position (1..3) of the card that wins a full trick: the highest trump if one was
// played, otherwise the highest card of the led suit.
int TrickWinnerPos(const std::array<Card, 4>& trick, SuitCode trump);

}  // namespace orvala
