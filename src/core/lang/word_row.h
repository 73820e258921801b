#pragma once
// The rows of the word table that the core names. Each row is one user text; the English entry
// is given here, the other languages come with the full word table.

#include <cstdint>
#include <string_view>

namespace orvala {

#define ORVALA_CORE_WORD_ROWS(X)                  \
    X(ToBegin, "To Begin")                        \
    X(IPlayOn, "I play on ")                      \
    X(Pass, "Pass")                               \
    X(ToOpenCards, "To open cards")               \
    X(Ok, "Ok")                                   \
    X(ToDistributeCards, "To distribute cards")   \
    X(Painting, "Painting")                       \
    X(NextRound, "Next Round")                    \
    X(ExitToMenu, "Exit to menu")                 \
    X(Hundred, "Hundred")                         \
    X(Eighty, "Eighty")                           \
    X(Sixty, "Sixty")                             \
    X(Forty, "Forty")                             \
    X(Game, "Game")

enum class WordRow : std::uint16_t {
#define ORVALA_ROW_ENUM(name, english) name,
    ORVALA_CORE_WORD_ROWS(ORVALA_ROW_ENUM)
#undef ORVALA_ROW_ENUM
};

constexpr std::string_view englishWord(WordRow row) {
    switch (row) {
#define ORVALA_ROW_CASE(name, english) \
    case WordRow::name: return english;
        ORVALA_CORE_WORD_ROWS(ORVALA_ROW_CASE)
#undef ORVALA_ROW_CASE
    }
    return {};
}

}  // namespace orvala
