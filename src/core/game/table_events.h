#pragma once
// What the rules ask the table to show, as values, in the order the rule steps produce them. Each
// event carries everything it shows (names, hands, marks, signs): the table draws it without
// looking at the rules state and decides no rule. The window plays them one after the other
// (flights, pauses, synchronous sounds) and feeds the rules no input until it has played them
// all; tests and the network code read them as they are.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/cards/hand_helpers.h"
#include "core/game/waves.h"
#include "core/lang/word_row.h"

namespace orvala {

// A word-table row with a text after it ("I play on " + "105").
struct Caption {
    WordRow row = WordRow::Ok;
    std::string suffix;
    friend bool operator==(const Caption&, const Caption&) = default;
};

std::string englishText(const Caption& c);

// Where a card lies: in a seat's hand, face down in the talon as dealt, face up in one of the
// three talon places, in front of a seat as its card of the trick, or in front of a receiver as a
// given card.
struct Place {
    enum class Kind { Hand, Deck, Talon, Trick, Given } kind = Kind::Hand;
    int index = 0;  // the seat, or the talon place 1..3
    // In a hand: the slot a card leaves, in the hand of `handCount` cards as it was drawn then
    // (0: the hand as a whole), so that the card flies from where it lay.
    int slot = 0;
    int handCount = 0;
    friend bool operator==(const Place&, const Place&) = default;
};

using PerSeatHands = std::array<HandArray, 4>;

namespace ev {

// Table reset for a new deal: both action buttons shown, bubbles cleared.
struct ResetTable {};
// A hand as it now is, sorted; the window draws seat 3 face up, the others face down unless
// the hands are open.
struct ShowHand {
    int seat;
    HandArray hand;
    int count;
};
// One card moves; with flying cards on the window animates the flight, unless the card is only
// put in its place (a table drawn at once).
struct MoveCard {
    Card card;
    Place from;
    Place to;
    bool instant = false;
};
// The three trick cards go to the trick winner; `leader` played position 1.
struct GatherTrick {
    int winner;
    int leader;
    std::array<Card, 4> cards;
};
// A fixed pause; `onlyWithFlyingCards` pauses belong to the animation and are skipped without it.
struct Pause {
    int ms;
    bool onlyWithFlyingCards;
};
enum class SoundTiming { Async, Sync, SyncUnlessFlying };
struct Sound {
    Wave wave;
    SoundTiming timing;
};
// A speech bubble: a text, the seat's name (Windows-1251 bytes), or nothing.
struct Bubble {
    enum class Kind { Text, Name, Clear } kind = Kind::Clear;
    int seat = 0;
    Caption text = {};
    std::string name = {};

    static Bubble said(int seat, Caption text) { return Bubble{Kind::Text, seat, std::move(text)}; }
    static Bubble named(int seat, std::string name) {
        return Bubble{Kind::Name, seat, Caption{}, std::move(name)};
    }
    static Bubble cleared(int seat) { return Bubble{Kind::Clear, seat}; }
};
// A seat's scoreboard redrawn: its score, deal points, the contract when it declared, the turn
// mark, and the barrel and bolt signs as the rules decided them.
struct ShowScore {
    int seat;
    int score;
    int dealPoints;
    std::optional<int> contract;
    bool barrel;
    int boltCount;
    bool turnMark = false;
};
// The bid shown on a seat's scoreboard (nullopt clears it), with the turn mark on the auction's
// winner.
struct ShowBid {
    int seat;
    std::optional<int> bid;
};
// A seat's deal points; the seat that won the trick (or declared a marriage) takes the turn mark.
struct ShowDealPoints {
    int seat;
    int points;
    bool winner;    // the trick's winner
    bool turnMark;  // the winner, or the seat that declared a marriage
};
struct MarkFirstBidder {
    int seat;
};
// The deal-information panel: the round, the trump, and the round hint ("Game: 4 / 25").
struct ShowRoundInfo {
    int dealNumber;
    SuitCode trump;
    int konNumber;
    int gamesInCycle;
};
// A card of the person's hand marked (or un-marked) as one to give.
struct MarkCard {
    int slot;
    bool marked;
};
struct OpenAllHands {
    PerSeatHands hands;
    std::array<int, 4> counts;
};
// A card of the person's hand that may not be played now: the table shakes it.
struct RefuseCard {
    int slot;
};
struct ShowFinalResults {
    std::array<int, 4> scores;  // by seat 1..3
    std::array<int, 4> results;
};
// The score summary, shown modally at the end of a game.
struct ShowScoreSummary {
    int konNumber;
    int gamesInCycle;
    int gameResult;
    int playerTotal;
};
struct SpeakCard {
    Card card;
};
// The game's result goes to the end-of-game records, and the table returns to the main menu.
struct GameFinished {
    int gameResult;
};
struct ReturnToMenu {};

}  // namespace ev

using TableEvent =
    std::variant<ev::ResetTable, ev::ShowHand, ev::MoveCard, ev::GatherTrick, ev::Pause, ev::Sound,
                 ev::Bubble, ev::ShowScore, ev::ShowBid, ev::ShowDealPoints, ev::MarkFirstBidder,
                 ev::ShowRoundInfo, ev::MarkCard, ev::OpenAllHands, ev::ShowFinalResults,
                 ev::ShowScoreSummary, ev::SpeakCard, ev::GameFinished, ev::ReturnToMenu,
                 ev::RefuseCard>;

// One line of text per event, cards in the Latin notation: for logs and golden playthroughs.
std::string describe(const TableEvent& e);

}  // namespace orvala
