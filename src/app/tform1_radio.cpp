// The main window's part of the internet radio: the radio icon, its hint, the radio window and
// the start of the radio in place of the tune.

#include <QToolButton>

#include "app/tform1.h"
#include "core/radio/radio_pictures.h"
#include "core/text/cp1251.h"
#include "dialogs/message_window.h"
#include "net/service_url.h"
#include "table/resource_library.h"
#include "table/word_text.h"

namespace orvala::app {

void TForm1::InitRadio() {
    RadioIcon = new QToolButton(this);
    RadioIcon->setObjectName("RadioIcon");
    RadioIcon->setAutoRaise(true);
    RadioIcon->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(RadioIcon, &QToolButton::clicked, this, &TForm1::ToggleRadio);
    connect(RadioIcon, &QWidget::customContextMenuRequested, this, &TForm1::ShowRadio);
    connect(&radio_, &RadioControl::changed, this, &TForm1::showRadioState);
    // The list may come after the title has gone: the radio then starts when it is known.
    connect(&radio_, &RadioControl::ready, this, [this](bool available) {
        if (available && screen_ != Screen::Title && radio_.startIfOn()) {
            settings_.MusicOn = false;
            PlayMusic(false);
        }
    });
    layoutControls();
    radio_.InitRadio(settings_.RadioListFromServer, net::serviceUrl());
    showRadioState();
}

void TForm1::ToggleRadio() {
    if (!radio_.available()) {
        ShowRadio();
        return;
    }
    radio_.ToggleRadio();
}

void TForm1::ShowRadio() {
    if (!radio_.available()) {
        dialogs::showMessage(this, QString::fromStdString(cp1251ToUtf8(radioUnavailableMessage(
                                       utf8ToCp1251(word(WordRow::CantFind).toStdString())))));
        return;
    }
    if (radioDialog_) {
        radioDialog_->raise();
        return;
    }
    radioDialog_ =
        new dialogs::TFormRadio({radio_.state(), radio_.stations(), radio_.libraryPath()}, this);
    connect(radioDialog_, &dialogs::TFormRadio::countryChosen, &radio_,
            &RadioControl::chooseCountry);
    connect(radioDialog_, &dialogs::TFormRadio::stationChosen, this,
            [this](const QString& id) { radio_.chooseStation(id.toStdString()); });
    connect(radioDialog_, &dialogs::TFormRadio::switchClicked, this, &TForm1::ToggleRadio);
    connect(radioDialog_, &dialogs::TFormRadio::volumeStep, &radio_, &RadioControl::changeVolume);
    radioDialog_->open();
}

void TForm1::showRadioState() {
    if (!RadioIcon) return;
    const RadioState& s = radio_.state();
    QPixmap icon;
    if (auto library = table::ResourceLibrary::open(radio_.libraryPath()))
        icon = QPixmap::fromImage(
            library->picture(s.RadioOn ? radio_art::kIconOn : radio_art::kIconOff));
    RadioIcon->setIcon(icon);
    RadioIcon->setIconSize(RadioIcon->size());
    RadioIcon->setToolTip(radio_.available()
                              ? word(WordRow::ZorInternetRadio) + ": " +
                                    QString::fromStdString(cp1251ToUtf8(s.StationName))
                              : word(WordRow::ZorInternetRadio));
    RadioIcon->show();
    if (radioDialog_) radioDialog_->showState(s);
}

}  // namespace orvala::app
