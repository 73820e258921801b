#pragma once
// The names of the spoken card names in the voice library "ZorCVoice3.dll", and the file name of
// the background tune.
//
// A voice is the card code, "Voice" and the language's voice code: the suit prefix ("Bu"
// diamonds, "Ch" hearts, "Kr" clubs, "Pi" spades) and the rank part ("09", "10", "2J", "3Q",
// "4K", "5A"), so the ace of spades in German is "Pi5AVoiceDeu".

#include <string>
#include <vector>

#include "core/cards/card.h"

namespace orvala {

inline constexpr const char* kVoiceLibraryFile = "ZorCVoice3.dll";

// Empty for a card that is not one of the game's 24; another language index is English.
std::string voiceResourceName(Card c, int language);

// The card code alone ("Pi5A"); empty for a card that is not one of the 24.
std::string voiceCardCode(Card c);

// Every voice name the game may ask for: 24 cards in each of the ten languages.
std::vector<std::string> allVoiceNames();

// The tune's file in the temporary folder: "temp" + the game's identifier 55 + "_25.mid".
inline constexpr const char* kMusicFileName = "temp55_25.mid";

}  // namespace orvala
