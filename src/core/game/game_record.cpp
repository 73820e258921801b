#include "core/game/game_record.h"

#include "core/cards/hand_sort.h"

namespace orvala {

int GameRecord::seatAtTrickPos(int pos) const {
    int seat = FirstBidder;
    for (int i = 1; i < pos; ++i) seat = nextSeat(seat);
    return seat;
}

void GameRecord::sortHand(int seat) {
    HandCount[seat] = SortHand(Hand[seat], Trump);
}

std::optional<std::string> checkConsistency(const GameRecord& g) {
    if (g.GameState == GameState::NotStarted) return std::nullopt;
    std::array<int, 24> seen{};
    auto deck = referenceDeck();
    auto note = [&](Card c) -> bool {
        for (int i = 0; i < 24; ++i)
            if (deck[i] == c) return ++seen[i] == 1;
        return false;
    };
    for (int s = 1; s <= 3; ++s)
        for (int i = 1; i <= kHandSlots; ++i)
            if (!g.Hand[s][i].isEmpty() && !note(g.Hand[s][i]))
                return "seat " + std::to_string(s) + " slot " + std::to_string(i) + " holds " +
                       toLatin(g.Hand[s][i]) + " twice or an unknown card";
    for (int p = 1; p <= 3; ++p)
        if (!g.TrickCards[p].isEmpty() && !note(g.TrickCards[p]))
            return "trick card " + toLatin(g.TrickCards[p]) + " is also elsewhere";
    for (int i = 1; i < g.PlayedCount && i <= kListSlots; ++i)
        if (!note(g.PlayedList[i])) return "played card " + std::to_string(i) + " is out of place";
    // Until the declarer takes it, the talon lies apart.
    if (g.GameState != GameState::NotStarted &&
        stateNumber(g.GameState) <= stateNumber(GameState::TalonShown))
        for (int i = 1; i <= 3; ++i)
            if (!note(g.Talon(i))) return "talon card " + toLatin(g.Talon(i)) + " is out of place";
    for (int i = 0; i < 24; ++i)
        if (seen[i] != 1) return "card " + toLatin(deck[i]) + " is missing";
    if (g.CurrentBid < 95 || g.CurrentBid % 5 != 0) return "bid out of range";
    for (int s = 1; s <= 3; ++s) {
        if (g.HandCount[s] < 0 || g.HandCount[s] > kHandSlots) return "hand count out of range";
        if (g.DealPoints[s] < 0 || g.DealPoints[s] > kMostDealPoints)
            return "deal points out of range";
    }
    if (g.TrickPos < 1 || g.TrickPos > 4) return "trick position out of range";
    return std::nullopt;
}

}  // namespace orvala
