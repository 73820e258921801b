// The names of the spoken cards: every card has its own in every language.

#include "core/sound/voice_names.h"

#include <gtest/gtest.h>

#include <set>

#include "core/cards/card.h"

namespace orvala {
namespace {

TEST(VoiceNames, CardCodeVoiceAndLanguage) {
    EXPECT_EQ(voiceResourceName(Card{kAce, kSpades}, 2), "Pi5AVoiceDeu");
    EXPECT_EQ(voiceResourceName(Card{kQueen, kHearts}, 9), "Ch3QVoiceKor");
    EXPECT_EQ(voiceResourceName(Card{kNine, kDiamonds}, 8), "Bu09VoiceJap");
    EXPECT_EQ(voiceResourceName(Card{kTen, kClubs}, 0), "Kr10VoiceEng");
    EXPECT_EQ(voiceResourceName(Card{kJack, kClubs}, 42), "Kr2JVoiceEng");
    EXPECT_EQ(voiceResourceName(EmptyCard, 1), "");
    EXPECT_EQ(voiceResourceName(Card{'7', kSpades}, 1), "");
}

TEST(VoiceNames, TwoHundredFortyDifferentNames) {
    const auto names = allVoiceNames();
    EXPECT_EQ(names.size(), 240u);
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), 240u);
}

}  // namespace
}  // namespace orvala
