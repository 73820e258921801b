#pragma once
// A stream of music from the network: a radio station or a track of the service's playlist.
// The radio and the music player need only a handful of effects of it, and this interface holds
// just those, so that they can be driven by a stand-in and the streaming engine can change:
//
//   create   opens the address and starts buffering, without playing; false (and nothing made)
//            when the address is not an http or https address
//   volume   0..100, applied at once to what plays
//   play     plays once the buffer allows; a stream that cannot be opened stays silent
//   stop     stops, and plays nothing until play is asked again
//   ended    the track has played to its end (a station never ends)
//
// Nothing here waits: buffering, a slow server or one that never answers happen behind the
// event loop, and the window goes on.

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

namespace orvala::sound {

class AudioStream : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;
    ~AudioStream() override = default;

    virtual bool create(const QString& url) = 0;
    virtual void setVolume(int percent) = 0;
    virtual void play() = 0;
    virtual void stop() = 0;
    virtual bool ended() const = 0;
    virtual QString url() const = 0;

  signals:
    // The stream's sound has begun to come out (after buffering).
    void started();
    // A track played to its end.
    void finished();
    // The address could not be opened or the stream broke off; it plays nothing now.
    void failed();
};

// The streaming engine of the program: Qt Multimedia's media player. `onStarted` is told the
// address each time a stream starts to sound (the sound log).
std::unique_ptr<AudioStream> makeMediaStream(std::function<void(const QString&)> onStarted);

}  // namespace orvala::sound
