#pragma once
// Everything that may happen to a game, as values: the inputs of `apply` and `accepts`.
//
// The person's own inputs are presses and clicks, read by the state as the buttons read them.
// Questions the rules wait on (a deck to deal, a computer seat's bid limit, cards to give or card
// to play, the person's contract) are answered by inputs that carry the answer. A seat played
// elsewhere acts through `SeatAction`, which a network receiver builds from a step message.

#include <array>
#include <string>
#include <variant>

#include "core/cards/card.h"
#include "core/game/players_port.h"

namespace orvala {

enum class MouseButton { Left, Right };

// Who starts a new game: the local player's name (Windows-1251), stored game counter and
// accumulated result (a guest has neither).
struct PlayerStart {
    std::string name = "Player";
    int storedGameCounter = 0;
    int playerTotal = 0;
};

// What the rules wait for before they can go on.
struct Question {
    enum class Kind { Deck, BidLimit, Give, Card, Contract } kind = Kind::Deck;
    int seat = 0;  // the seat asked (3 for the person's contract; 0 for the deck)
    friend bool operator==(const Question&, const Question&) = default;
};

namespace in {

struct NewGame {
    PlayerStart player;
};
struct Tick {};
struct PressButton7 {};
struct PressButton8 {};
// A click released on the person's hand; slot 0 is outside any card.
struct ClickHand {
    int slot = 0;
    MouseButton button = MouseButton::Left;
};
// A right click on a face-up card on the table speaks it.
struct ClickTableCard {
    Card card;
};
// "Exit to menu", once the person has confirmed it.
struct ExitToMenu {};

// Answers to the pending question.
struct DeckAnswer {
    std::array<Card, 25> deck{};  // positions 1..24, 22..24 the talon
};
struct BidLimitAnswer {
    int seat = 0;
    int limit = 0;
};
struct GiveAnswer {
    int seat = 0;
    GiveChoice choice;
};
struct CardAnswer {
    int seat = 0;
    int slot = 0;
};
struct ContractAnswer {
    int contract = 0;
};

// A move made at another machine, for a seat played there (or a table action pressed there).
struct SeatAction {
    enum class Kind {
        Bid,  // value: the new bid
        Pass,
        OpenTalon,
        TakeTalon,
        Give,       // value, value2: the declarer's two slots
        Reveal,     // the given cards reach their receivers
        Contract,   // value: the contract, announced
        Paint,      // the declarer gives the deal up
        Play,       // value: the hand slot
        Collect,    // the trick is collected
        NextRound,  // a new deal of the game begins
    } kind = Kind::Pass;
    int seat = 0;
    int value = 0;
    int value2 = 0;
};

}  // namespace in

using Input = std::variant<in::NewGame, in::Tick, in::PressButton7, in::PressButton8, in::ClickHand,
                           in::ClickTableCard, in::ExitToMenu, in::DeckAnswer, in::BidLimitAnswer,
                           in::GiveAnswer, in::CardAnswer, in::ContractAnswer, in::SeatAction>;

}  // namespace orvala
