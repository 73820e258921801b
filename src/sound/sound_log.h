#pragma once
// The sound log of `--sound-log FILE`: one line for every sound that starts, its name and how it
// plays ("WHodsDo sync", "Ch3QVoiceKor async"), appended as it starts, so that a test or anyone
// without loudspeakers can follow what was heard. A log that cannot be opened logs nothing.

#include <QFile>
#include <QString>

namespace orvala::sound {

class SoundLog {
  public:
    // An empty path logs nothing.
    void open(const QString& path);
    void write(const QString& name, bool synchronous);

  private:
    QFile file_;
};

}  // namespace orvala::sound
