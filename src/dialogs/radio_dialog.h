#pragma once
// TFormRadio, "Radio": the country list (ComboBox1: the countries the station list has stations
// for, by the name the stations give them, never a bare code) filtering the station list (ComboBox2), the
// chosen station's logo, the switch (Image1, as the main window's radio icon) and the volume
// scale with its buttons ButtonPlus and ButtonMinus.
//
// It shows what it is given and answers by signals; the window applies a choice to the radio and
// hands the new state back through showState. Pictures come from the radio library, which the
// dialog keeps open while it lives; a picture the library lacks is left blank.

#include <QString>
#include <memory>
#include <vector>

#include "core/radio/radio_state.h"
#include "core/radio/station_list.h"
#include "dialogs/dialog_kit.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace orvala::table {
class ResourceLibrary;
}

namespace orvala::dialogs {

struct RadioWindowData {
    RadioState state;
    std::vector<Station> stations;
    QString libraryPath;
};

class TFormRadio final : public AuxDialog {
    Q_OBJECT
  public:
    TFormRadio(RadioWindowData data, QWidget* parent = nullptr);
    ~TFormRadio() override;

    // The radio's state after a change: the country list, stations, logo, switch and volume.
    void showState(const RadioState& state);

    QComboBox* ComboBox1 = nullptr;  // countries
    QComboBox* ComboBox2 = nullptr;  // the stations of the chosen country
    QPushButton* Image1 = nullptr;   // the switch
    QLabel* Logo = nullptr;
    QLabel* StationText = nullptr;
    QLabel* Volume = nullptr;
    table::TZorCardsButton* ButtonPlus = nullptr;
    table::TZorCardsButton* ButtonMinus = nullptr;
    table::TZorCardsButton* Button1 = nullptr;  // "Ok"

  signals:
    void countryChosen(int item);
    void stationChosen(const QString& id);
    void switchClicked();
    void volumeStep(int direction);

  private:
    void showCountry(int filter);
    void fillStations();
    QPixmap picture(const std::string& name) const;

    RadioWindowData data_;
    std::unique_ptr<table::ResourceLibrary> library_;
    bool filling_ = false;
};

}  // namespace orvala::dialogs
