#include "card_words.h"

namespace orvala::voicegen {
namespace {

// Ranks as kRankCodes orders them (9, J, Q, K, 10, A); suits as kSuitCodes (hearts, diamonds,
// clubs, spades).
using Ranks = const char* [7];
using Suits = const char* [5];

constexpr const char* kVoices[10] = {"en-gb", "ru", "de", "fr", "es",
                                     "cmn",   "it", "cs", "ja", "ko"};

constexpr Ranks kEnglishRanks = {"", "nine", "jack", "queen", "king", "ten", "ace"};
constexpr Suits kEnglishSuits = {"", "hearts", "diamonds", "clubs", "spades"};

constexpr Ranks kRussianRanks = {"", "девятка", "валет", "дама", "король", "десятка", "туз"};
constexpr Suits kRussianSuits = {"", "червей", "бубен", "треф", "пик"};

constexpr Ranks kGermanRanks = {"", "Neun", "Bube", "Dame", "König", "Zehn", "Ass"};
constexpr Suits kGermanSuits = {"", "Herz", "Karo", "Kreuz", "Pik"};

constexpr Ranks kFrenchRanks = {"", "neuf", "valet", "dame", "roi", "dix", "as"};
constexpr Suits kFrenchSuits = {"", "de cœur", "de carreau", "de trèfle", "de pique"};

constexpr Ranks kSpanishRanks = {"", "nueve", "jota", "reina", "rey", "diez", "as"};
constexpr Suits kSpanishSuits = {"", "de corazones", "de diamantes", "de tréboles", "de picas"};

constexpr Ranks kChineseRanks = {"", "九", "J", "Q", "K", "十", "A"};
constexpr Suits kChineseSuits = {"", "红桃", "方块", "梅花", "黑桃"};

constexpr Ranks kItalianRanks = {"", "nove", "fante", "donna", "re", "dieci", "asso"};
constexpr Suits kItalianSuits = {"", "di cuori", "di quadri", "di fiori", "di picche"};

// Czech suits agree with the rank's gender: eso is neuter, král and kluk masculine, the rest
// feminine; the suit comes first as an adjective.
constexpr Ranks kCzechRanks = {"", "devítka", "kluk", "dáma", "král", "desítka", "eso"};
constexpr const char* kCzechStems[5] = {"", "srdcov", "károv", "křížov", "pikov"};
constexpr const char* kCzechEndings[7] = {"", "á", "ý", "á", "ý", "á", "é"};

constexpr Ranks kJapaneseRanks = {"",       "きゅう", "ジャック", "クイーン",
                                  "キング", "じゅう", "エース"};
constexpr Suits kJapaneseSuits = {"", "ハート", "ダイヤ", "クラブ", "スペード"};

constexpr Ranks kKoreanRanks = {"", "구", "잭", "퀸", "킹", "십", "에이스"};
constexpr Suits kKoreanSuits = {"", "하트", "다이아몬드", "클럽", "스페이드"};

}  // namespace

const char* espeakVoice(int language) {
    return language >= 0 && language < 10 ? kVoices[language] : kVoices[0];
}

std::string spokenCard(Card c, int language) {
    const int r = rankValueOfCode(c.rank), s = suitIndex(c.suit);
    if (r == 0 || s == 0) return {};
    auto join = [](const char* a, const char* sep, const char* b) {
        return std::string(a) + sep + b;
    };
    switch (language) {
        case 1:
            return join(kRussianRanks[r], " ", kRussianSuits[s]);
        case 2:
            return join(kGermanSuits[s], "-", kGermanRanks[r]);
        case 3:
            return join(kFrenchRanks[r], " ", kFrenchSuits[s]);
        case 4:
            return join(kSpanishRanks[r], " ", kSpanishSuits[s]);
        case 5:
            return join(kChineseSuits[s], "", kChineseRanks[r]);
        case 6:
            return join(kItalianRanks[r], " ", kItalianSuits[s]);
        case 7:
            return join(kCzechStems[s], kCzechEndings[r],
                        (std::string(" ") + kCzechRanks[r]).c_str());
        case 8:
            return join(kJapaneseSuits[s], "の", kJapaneseRanks[r]);
        case 9:
            return join(kKoreanSuits[s], " ", kKoreanRanks[r]);
        default:
            return join(kEnglishRanks[r], " of ", kEnglishSuits[s]);
    }
}

}  // namespace orvala::voicegen
