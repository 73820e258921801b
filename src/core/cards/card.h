#pragma once
// A card is two Windows-1251 bytes, a rank code and a suit code, exactly as files and the LAN
// deal message carry it: 0xD2 0xEF ("Тп") is the ace of spades, "##" an empty slot.
//
// Three notations are read and printed: the raw bytes, their UTF-8 rendering ("Тп") and a Latin
// one for terminals and tests (ranks 9 J Q K T A, suits h d c s: "As", "Th").

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvala {

using SuitCode = std::uint8_t;
using RankCode = std::uint8_t;

inline constexpr SuitCode kNoSuit = '#';
inline constexpr SuitCode kHearts = 0xF7;    // "ч"
inline constexpr SuitCode kDiamonds = 0xE1;  // "б"
inline constexpr SuitCode kClubs = 0xEA;     // "к"
inline constexpr SuitCode kSpades = 0xEF;    // "п"

inline constexpr RankCode kNine = '9';
inline constexpr RankCode kJack = 0xC2;   // "В"
inline constexpr RankCode kQueen = 0xC4;  // "Д"
inline constexpr RankCode kKing = 0xCA;   // "К"
inline constexpr RankCode kTen = '1';
inline constexpr RankCode kAce = 0xD2;  // "Т"

// Rank and point value of an empty slot.
inline constexpr int kEmptyValue = 99;

// Indexed by rank value 1..6 (9, J, Q, K, 10, A) and by suit index 1..4 (hearts, diamonds,
// clubs, spades); element 0 is unused.
inline constexpr std::array<RankCode, 7> kRankCodes = {0, kNine, kJack, kQueen, kKing, kTen, kAce};
inline constexpr std::array<int, 7> kRankPoints = {0, 0, 2, 3, 4, 10, 11};
inline constexpr std::array<SuitCode, 5> kSuitCodes = {0, kHearts, kDiamonds, kClubs, kSpades};
inline constexpr std::array<int, 5> kMarriageValues = {0, 100, 80, 60, 40};

struct Card {
    RankCode rank = '#';
    SuitCode suit = '#';

    constexpr bool isEmpty() const { return rank == '#' && suit == '#'; }
    friend constexpr bool operator==(const Card&, const Card&) = default;
};

inline constexpr Card EmptyCard{'#', '#'};

// 1..6 for a real rank code, 0 otherwise.
constexpr int rankValueOfCode(RankCode code) {
    for (int r = 1; r <= 6; ++r)
        if (kRankCodes[r] == code) return r;
    return 0;
}

// 1..4 for a suit code, 0 for "#" or anything else.
constexpr int suitIndex(SuitCode code) {
    for (int s = 1; s <= 4; ++s)
        if (kSuitCodes[s] == code) return s;
    return 0;
}

constexpr bool isValidCard(Card c) { return rankValueOfCode(c.rank) != 0 && suitIndex(c.suit) != 0; }

// The rank value 1..6 of a card, 99 for an empty or unknown one.
constexpr int CardRank(Card c) {
    int r = isValidCard(c) ? rankValueOfCode(c.rank) : 0;
    return r == 0 ? kEmptyValue : r;
}

// The card points of a card (0, 2, 3, 4, 10, 11), 99 for an empty or unknown one.
constexpr int CardPoints(Card c) {
    int r = CardRank(c);
    return r == kEmptyValue ? kEmptyValue : kRankPoints[r];
}

// Marriage value of a suit (hearts 100, diamonds 80, clubs 60, spades 40), 0 for no suit.
constexpr int MarriageValue(SuitCode suit) { return kMarriageValues[suitIndex(suit)]; }

constexpr Card makeCard(int rankValue, int suitIdx) {
    return Card{kRankCodes[rankValue], kSuitCodes[suitIdx]};
}

// The 24 cards by rank ascending and, inside a rank, hearts, diamonds, clubs, spades.
std::array<Card, 24> referenceDeck();

// Notations. Printing an empty card gives "##" (bytes and UTF-8) and "--" (Latin).
std::string toBytes(Card c);
std::string toUtf8(Card c);
std::string toLatin(Card c);

// Accepts the two raw bytes, the UTF-8 rendering or the Latin notation (either case for the
// Latin letters); "##" is EmptyCard. Anything else is nullopt.
std::optional<Card> parseCard(std::string_view text);

// Latin letter of a suit (h d c s), '#' for no suit; and its reverse, which accepts either case.
char suitLetter(SuitCode suit);
std::optional<SuitCode> suitFromLetter(char letter);

}  // namespace orvala
