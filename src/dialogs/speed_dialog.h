#pragma once
// TFormSpeed, "Choice of speed": a track bar from 1 to 6 under "Select a flight speed of cards:".
// It shows Speed; moving it writes Speed at once and says so by `changed`; "Ok" closes.

#include "core/settings/settings.h"
#include "dialogs/dialog_kit.h"

class QSlider;

namespace orvala::dialogs {

class TFormSpeed final : public AuxDialog {
    Q_OBJECT
  public:
    TFormSpeed(Settings& settings, QWidget* parent = nullptr);

    QSlider* TrackBar1 = nullptr;
    table::TZorCardsButton* Button1 = nullptr;  // "Ok"

  signals:
    void changed(int speed);

  private:
    Settings& settings_;
};

}  // namespace orvala::dialogs
