#include "sound/audio_backend.h"

#include <QCoreApplication>
#include <QLibrary>

namespace orvala::sound {

const AudioBackend* audioBackend() {
    static const AudioBackend* const backend = []() -> const AudioBackend* {
        const QString here = QCoreApplication::applicationDirPath();
        for (const QString& folder : {here, here + "/../lib/orvala"}) {
            QLibrary module(folder + "/orvala-audio");
            using Entry = const AudioBackend* (*)();
            if (auto entry = reinterpret_cast<Entry>(module.resolve("orvala_audio_backend")))
                return entry();  // the library stays loaded: QLibrary does not unload by itself
        }
        return nullptr;
    }();
    return backend;
}

}  // namespace orvala::sound
