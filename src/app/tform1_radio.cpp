// The main window's part of the internet radio and the music player: the radio icon, its hint,
// the radio window, the start of the radio in place of the tune, and the player's three keys.

#include <QLabel>
#include <QMouseEvent>
#include <QToolButton>
#include <algorithm>

#include "app/tform1.h"
#include "core/radio/player_pictures.h"
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
    // The icon is painted again only when it changes: the menu repaints nothing else at rest.
    const QString shown = radio_.libraryPath() + (s.RadioOn ? "|on" : "|off");
    if (RadioIcon->property("shown").toString() != shown) {
        RadioIcon->setProperty("shown", shown);
        QPixmap icon;
        if (auto library = table::ResourceLibrary::open(radio_.libraryPath()))
            icon = QPixmap::fromImage(
                library->picture(s.RadioOn ? radio_art::kIconOn : radio_art::kIconOff));
        RadioIcon->setIcon(icon);
    }
    RadioIcon->setToolTip(radio_.available()
                              ? word(WordRow::ZorInternetRadio) + ": " +
                                    QString::fromStdString(cp1251ToUtf8(s.StationName))
                              : word(WordRow::ZorInternetRadio));
    if (radioDialog_) radioDialog_->showState(s);
}

}  // namespace orvala::app

namespace orvala::app {
namespace {

// The volume key tells where it was clicked, in design units from its top.
class VolumeKey final : public QLabel {
  public:
    VolumeKey(QWidget* parent, std::function<void(int)> clicked)
        : QLabel(parent), clicked_(std::move(clicked)) {}

  protected:
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
            clicked_(int(e->position().y() * player_art::kVolumeHeight / std::max(1, height())));
    }

  private:
    std::function<void(int)> clicked_;
};

}  // namespace

void TForm1::InitMusicPlayer() {
    MPPlay = new QToolButton(this);
    MPPlay->setObjectName("MP_Play");
    MPNext = new QToolButton(this);
    MPNext->setObjectName("MP_Next");
    for (QToolButton* b : {MPPlay, MPNext}) b->setAutoRaise(true);
    MPVolume = new VolumeKey(this, [this](int y) { musicBox_.volumeClick(y); });
    MPVolume->setObjectName("MP_Volume");
    MPVolume->setScaledContents(true);
    MPNext->setIcon(QPixmap::fromImage(pictures_.picture(player_art::kNext)));
    MPVolume->setPixmap(QPixmap::fromImage(pictures_.picture(player_art::kVolume)));
    connect(MPPlay, &QToolButton::clicked, &musicBox_, &MusicBox::togglePlay);
    connect(MPNext, &QToolButton::clicked, &musicBox_, &MusicBox::next);
    connect(&musicBox_, &MusicBox::changed, this, &TForm1::showPlayerState);
    layoutRadioAndPlayer();
    showPlayerState();
    musicBox_.loadPlaylist(net::serviceUrl());
}

void TForm1::showPlayerState() {
    if (!MPPlay) return;
    const QString shown = musicBox_.playing() ? player_art::kPause : player_art::kPlay;
    if (MPPlay->property("shown").toString() != shown) {
        MPPlay->setProperty("shown", shown);
        MPPlay->setIcon(QPixmap::fromImage(pictures_.picture(shown)));
    }
    const QString hint = musicBox_.hint();
    for (QWidget* w : std::initializer_list<QWidget*>{MPPlay, MPNext, MPVolume})
        w->setToolTip(hint);
}

// Along the window's lower left corner: the radio icon, then the player's keys.
void TForm1::layoutRadioAndPlayer() {
    const auto place = [this](QWidget* w, double x, double y, double width, double height) {
        if (!w) return;
        const auto r = mapRect(view_.scales(), x, y, width, height);
        w->setGeometry(r.left, r.top, r.width, r.height);
        if (auto* b = qobject_cast<QToolButton*>(w)) b->setIconSize(b->size());
    };
    const int key = player_art::kButtonSize;
    place(RadioIcon, 4, 464, 32, 32);
    place(MPPlay, 40, 466, key, key);
    place(MPNext, 40 + key + 2, 466, key, key);
    place(MPVolume, 40 + 2 * (key + 2), 436, player_art::kVolumeWidth, player_art::kVolumeHeight);
}

}  // namespace orvala::app
