#include "core/cards/card.h"

#include "core/text/cp1251.h"

namespace orvala {
namespace {

constexpr std::array<char, 7> kRankLetters = {0, '9', 'J', 'Q', 'K', 'T', 'A'};
constexpr std::array<char, 5> kSuitLetters = {'#', 'h', 'd', 'c', 's'};

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::optional<Card> fromLatin(std::string_view t) {
    if (t.size() != 2) return std::nullopt;
    int rank = 0;
    for (int r = 1; r <= 6; ++r)
        if (kRankLetters[r] == upper(t[0])) rank = r;
    auto suit = suitFromLetter(t[1]);
    if (rank == 0 || !suit || *suit == kNoSuit) return std::nullopt;
    return Card{kRankCodes[rank], *suit};
}

}  // namespace

std::array<Card, 24> referenceDeck() {
    std::array<Card, 24> deck{};
    int i = 0;
    for (int r = 1; r <= 6; ++r)
        for (int s = 1; s <= 4; ++s) deck[i++] = makeCard(r, s);
    return deck;
}

std::string toBytes(Card c) {
    return std::string{static_cast<char>(c.rank), static_cast<char>(c.suit)};
}

std::string toUtf8(Card c) { return cp1251ToUtf8(toBytes(c)); }

std::string toLatin(Card c) {
    if (!isValidCard(c)) return "--";
    return std::string{kRankLetters[rankValueOfCode(c.rank)], kSuitLetters[suitIndex(c.suit)]};
}

char suitLetter(SuitCode suit) { return kSuitLetters[suitIndex(suit)]; }

std::optional<SuitCode> suitFromLetter(char letter) {
    char l = lower(letter);
    if (l == '#') return kNoSuit;
    for (int s = 1; s <= 4; ++s)
        if (kSuitLetters[s] == l) return kSuitCodes[s];
    return std::nullopt;
}

std::optional<Card> parseCard(std::string_view text) {
    if (text == "##") return EmptyCard;
    // "10h" is accepted beside "Th", as people write it.
    if (text == "10h" || text == "10d" || text == "10c" || text == "10s" || text == "10H" ||
        text == "10D" || text == "10C" || text == "10S")
        return fromLatin(std::string{'T', text[2]});
    if (text.size() == 2) {
        Card raw{static_cast<RankCode>(text[0]), static_cast<SuitCode>(text[1])};
        if (isValidCard(raw)) return raw;
        return fromLatin(text);
    }
    // The UTF-8 rendering: each Cyrillic letter is two bytes, "9" and "1" one.
    std::string bytes = utf8ToCp1251(text);
    if (bytes.size() == 2 && bytes != toBytes(Card{'?', '?'})) {
        Card c{static_cast<RankCode>(bytes[0]), static_cast<SuitCode>(bytes[1])};
        if (isValidCard(c) && cp1251ToUtf8(bytes) == text) return c;
    }
    return std::nullopt;
}

}  // namespace orvala
