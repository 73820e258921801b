#pragma once
// How each of the game's 24 cards is said in the ten languages, and the espeak-ng voice that
// says it.

#include <string>

#include "core/cards/card.h"

namespace orvala::voicegen {

// The espeak-ng voice of a language of the word table (0 English .. 9 Korean).
const char* espeakVoice(int language);

// The card's name as a player of that language says it, in UTF-8 ("Pik-Ass", "туз пик").
std::string spokenCard(Card c, int language);

}  // namespace orvala::voicegen
