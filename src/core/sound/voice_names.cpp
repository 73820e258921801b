#include "core/sound/voice_names.h"

#include "core/lang/language.h"

namespace orvala {
namespace {

// Indexed like kSuitCodes (hearts, diamonds, clubs, spades) and kRankCodes (9 J Q K 10 A).
constexpr const char* kSuitPrefix[5] = {"", "Ch", "Bu", "Kr", "Pi"};
constexpr const char* kRankPart[7] = {"", "09", "2J", "3Q", "4K", "10", "5A"};

}  // namespace

std::string voiceCardCode(Card c) {
    if (!isValidCard(c)) return {};
    return std::string(kSuitPrefix[suitIndex(c.suit)]) + kRankPart[rankValueOfCode(c.rank)];
}

std::string voiceResourceName(Card c, int language) {
    const std::string code = voiceCardCode(c);
    if (code.empty()) return {};
    return code + "Voice" + std::string(VoiceCode(language));
}

std::vector<std::string> allVoiceNames() {
    std::vector<std::string> names;
    for (int language = 0; language < kLanguageCount; ++language)
        for (int s = 1; s <= 4; ++s)
            for (int r = 1; r <= 6; ++r)
                names.push_back(voiceResourceName(Card{kRankCodes[r], kSuitCodes[s]}, language));
    return names;
}

}  // namespace orvala
