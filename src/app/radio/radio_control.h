#pragma once
// The internet radio behind the main window's radio icon and the radio window: its state (kept
// in "ZorRadio.ini" in the folder above the program folder), its station list and its stream.
//
// InitRadio finds the radio library "ZorRadio02.dll" (the program folder or the one above) and
// the station list: with the list from the service it fetches "/radio/ZorRadio.ser", keeps a
// copy as "ZorRadio.ser" in the folder above and is available only when that came; otherwise it
// reads "ZorRadio.rad" from the program folder or the one above. The radio is unavailable
// without both, and then it is off. The fetch does not hold up the window: `ready` tells when
// the answer is known.
//
// Every stream goes through an AudioStream made by the factory given, so tests can listen on
// their own server, and a station that cannot be opened simply stays silent.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>
#include <vector>

#include "core/radio/radio_state.h"
#include "core/radio/station_list.h"
#include "sound/audio_stream.h"

namespace orvala::net {
class PageFetch;
}

namespace orvala::app {

class RadioControl final : public QObject {
    Q_OBJECT
  public:
    using StreamMaker = std::function<std::unique_ptr<sound::AudioStream>()>;

    RadioControl(QString programFolder, StreamMaker makeStream, QObject* parent = nullptr);
    ~RadioControl() override;

    // Reads "ZorRadio.ini" at once and looks for the library and the list; `ready` follows.
    void InitRadio(bool listFromServer, const QUrl& service);
    bool initialised() const { return initialised_; }
    bool available() const { return available_; }

    const RadioState& state() const { return state_; }
    const std::vector<Station>& stations() const { return stations_; }
    // The path of the radio library; empty when it was not found.
    QString libraryPath() const { return libraryPath_; }
    QString sharedFolder() const;

    // The icon's left click: flips RadioOn; on plays the chosen station, off stops it.
    void ToggleRadio();
    // The start of the main menu: when the radio was on at the last exit it plays again. True
    // when it does (the window then leaves the tune off).
    bool startIfOn();
    // The radio window's country list: item of radioCountryCodes().
    void chooseCountry(int item);
    // The radio window's station list: the station of that identifier becomes the chosen one;
    // a playing radio moves to it.
    void chooseStation(const std::string& id);
    // The volume buttons: +1 louder, -1 softer, by 10 within 0..100.
    void changeVolume(int direction);
    // Writes "ZorRadio.ini" (the program's end); false when it could not be written.
    bool saveState() const;
    // Stops the stream for good (the window's end).
    void shutDown();

  signals:
    void ready(bool available);
    // The state changed: the icon, its hint and the radio window show it again.
    void changed();

  private:
    void finishInit(bool listFound);
    void playChosen();

    QString programFolder_;
    StreamMaker makeStream_;
    std::unique_ptr<sound::AudioStream> stream_;
    QPointer<net::PageFetch> fetch_;
    RadioState state_;
    std::vector<Station> stations_;
    QString libraryPath_;
    bool initialised_ = false;
    bool available_ = false;
};

}  // namespace orvala::app
