#pragma once
// One output stream of the default audio device, fed by pushing: a timer writes what the source
// has, as much as the stream takes. The stream is started once and stays open until this object
// goes, so that no stop or restart (which in Qt waits for the sound server and lets the event loop
// run) happens in the middle of the game's work. A source with nothing to give lets the stream run
// dry; kick() starts the feeding again.

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QTimer>
#include <functional>
#include <memory>

namespace orvala::sound {

class AudioPump {
  public:
    // Fills up to `max` bytes; answers how many it wrote, 0 when it has nothing now.
    using Source = std::function<qint64(char* data, qint64 max)>;
    AudioPump(const QAudioDevice& device, const QAudioFormat& format, Source source);
    ~AudioPump();
    AudioPump(const AudioPump&) = delete;
    AudioPump& operator=(const AudioPump&) = delete;

    // The source has something new: feed it from now on.
    void kick();

  private:
    void feed();
    Source source_;
    std::unique_ptr<QAudioSink> sink_;
    QIODevice* io_ = nullptr;  // the sink's, while it is open
    QTimer timer_;
};

}  // namespace orvala::sound
