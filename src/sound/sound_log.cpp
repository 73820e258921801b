#include "sound/sound_log.h"

namespace orvala::sound {

void SoundLog::open(const QString& path) {
    file_.close();
    if (path.isEmpty()) return;
    file_.setFileName(path);
    // Appended, and each line flushed: a run that ends abruptly still leaves what it played.
    file_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text);
}

void SoundLog::write(const QString& name, bool synchronous) {
    if (!file_.isOpen()) return;
    file_.write((name + (synchronous ? " sync\n" : " async\n")).toUtf8());
    file_.flush();
}

}  // namespace orvala::sound
