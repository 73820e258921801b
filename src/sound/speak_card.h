#pragma once
// SpeakCard: a card's name spoken from the voice library "ZorCVoice3.dll", looked for in the
// program folder and then in the folder above. The library is opened for the one clip and
// closed again. It plays whatever SoundOn says; a missing or damaged library, or a clip that is
// not there or not a wave, plays nothing and says nothing.

#include <QStringList>

#include "core/cards/card.h"
#include "sound/sound_player.h"

namespace orvala::sound {

// True when the clip of `card` in `language` started.
bool SpeakCard(SoundPlayer& player, const QStringList& folders, Card card, int language,
               bool synchronous);

}  // namespace orvala::sound
