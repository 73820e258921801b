#pragma once
// The internet radio and the music player in the window's lower left corner: the radio icon
// (a left click switches the radio, a right click opens the radio window), its hint, the radio
// window, the start of the radio in place of the tune, and the player's three keys.

#include <QPointer>

#include "app/feature.h"
#include "app/radio/music_box.h"
#include "app/radio/radio_control.h"

class QLabel;
class QToolButton;

namespace orvala::dialogs {
class TFormRadio;
}

namespace orvala::app {

class Shell;

class RadioFeature final : public Feature {
  public:
    // Makes the icon and the keys, reads the radio's state and looks for its station list, and
    // asks the service for the player's playlist.
    explicit RadioFeature(Shell& shell);
    ~RadioFeature() override;

    // The icon's left click: the radio on or off, or the radio window when it is unavailable.
    void ToggleRadio();
    // The radio window from the right-button menu's "Radio" or a right click of the icon; the
    // "Can`t find " message when the radio is unavailable.
    void ShowRadio();

    RadioControl& radio() { return radio_; }
    MusicBox& musicBox() { return musicBox_; }
    QToolButton* RadioIcon = nullptr;
    // The music player's buttons "MP_Play"/"MP_Pause", "MP_Next" and "MP_Volume".
    QToolButton* MPPlay = nullptr;
    QToolButton* MPNext = nullptr;
    QLabel* MPVolume = nullptr;

    void screenShown(Screen screen) override;
    void contextMenu(ContextMenu& menu) override;
    void layout() override;
    void applyLanguage() override;
    void shutDown() override;

  private:
    void InitRadio();
    void InitMusicPlayer();
    void showRadioState();
    void showPlayerState();
    // The radio that was on at the last exit plays in place of the tune.
    void startInPlaceOfTune();

    Shell& shell_;
    RadioControl radio_;
    QPointer<dialogs::TFormRadio> radioDialog_;
    MusicBox musicBox_;
    bool titleLeft_ = false;
};

}  // namespace orvala::app
