#pragma once
// Hands and card lists are 1-based: slot 1 is the first card, element 0 is never used. A hand has
// ten slots (seven cards after the deal, ten for the declarer with the talon, eight in play); a
// slot without a card holds EmptyCard, whose rank and points read as 99.
//
// The helpers look at slots 1..n of any such array and never past its end.

#include <array>
#include <span>

#include "core/cards/card.h"

namespace orvala {

inline constexpr int kHandSlots = 10;
inline constexpr int kListSlots = 24;

// A hand's slots; HandRanks and HandPoints are read from the cards, so the three always agree.
// Card's default value is EmptyCard, so a fresh array is all empty slots.
struct HandArray {
    std::array<Card, kHandSlots + 1> slot{};

    Card& operator[](int i) { return slot[static_cast<size_t>(i)]; }
    const Card& operator[](int i) const { return slot[static_cast<size_t>(i)]; }
    int rank(int i) const { return CardRank(slot[static_cast<size_t>(i)]); }
    int points(int i) const { return CardPoints(slot[static_cast<size_t>(i)]); }
    std::span<const Card> cards() const { return slot; }
    friend bool operator==(const HandArray&, const HandArray&) = default;
};

// A list of up to 24 cards (KnownCards, ExcludedCards, PlayedList), 1-based like a hand.
struct CardList {
    std::array<Card, kListSlots + 1> slot{};

    Card& operator[](int i) { return slot[static_cast<size_t>(i)]; }
    const Card& operator[](int i) const { return slot[static_cast<size_t>(i)]; }
    std::span<const Card> cards() const { return slot; }
    void clear() { slot = {}; }  // every slot back to EmptyCard
    friend bool operator==(const CardList&, const CardList&) = default;
};

bool HasCard(int n, std::span<const Card> a, Card card);
// The last slot among 1..n that holds the card, 0 if none.
int IndexOfCard(int n, Card card, std::span<const Card> a);
// The slot of the lowest (9 first) or highest (ace first) card of the suit, 0 if absent.
int LowestOfSuit(int n, std::span<const Card> a, SuitCode suit);
int HighestOfSuit(int n, std::span<const Card> a, SuitCode suit);
// False for "#", even though empty slots carry "#" as their suit.
bool HasSuit(int n, std::span<const Card> a, SuitCode suit);
// Counts slots by suit code alone: asked for "#", it counts the empty slots.
int CountOfSuit(int n, std::span<const Card> a, SuitCode suit);
bool HasMarriage(int n, std::span<const Card> a, SuitCode suit);
// Writes the card into the first empty slot of the list unless it is there already.
void AddUnique(Card card, CardList& list);
// Empties the slot that holds the card, if any.
void RemoveCard(Card card, CardList& list);
// The number of non-empty slots.
int CountCards(const CardList& list);

}  // namespace orvala
