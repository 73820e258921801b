#include "sound/speak_card.h"

#include <QDir>

#include "core/sound/voice_names.h"
#include "table/resource_library.h"

namespace orvala::sound {

bool SpeakCard(SoundPlayer& player, const QStringList& folders, Card card, int language,
               bool synchronous) {
    const QString name = QString::fromStdString(voiceResourceName(card, language));
    if (name.isEmpty()) return false;
    for (const QString& folder : folders) {
        const auto library =
            table::ResourceLibrary::open(QDir(folder).absoluteFilePath(kVoiceLibraryFile));
        if (!library) continue;
        // The first library that opens is the one; a clip missing from it is not looked for
        // in another.
        return player.playClip(name, library->data(name), synchronous) > 0;
    }
    return false;
}

}  // namespace orvala::sound
