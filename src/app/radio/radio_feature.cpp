#include "app/radio/radio_feature.h"

#include <QLabel>
#include <QMouseEvent>
#include <QRandomGenerator>
#include <QToolButton>
#include <QUrl>
#include <algorithm>
#include <utility>

#include "app/picture_key.h"
#include "app/shell.h"
#include "core/radio/player_pictures.h"
#include "core/radio/radio_pictures.h"
#include "core/radio/radio_state.h"
#include "core/settings/settings.h"
#include "core/text/cp1251.h"
#include "dialogs/message_window.h"
#include "dialogs/radio_dialog.h"
#include "sound/audio_stream.h"
#include "table/picture_store.h"
#include "table/resource_library.h"
#include "table/table_geometry.h"
#include "table/table_view.h"
#include "table/word_text.h"

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

// Every stream, the radio's and the player's, is written to the sound log as it starts.
RadioFeature::RadioFeature(Shell& shell)
    : shell_(shell),
      radio_(
          shell.launch().programFolder,
          [&shell] {
              return sound::makeMediaStream([&shell](const QString& url) { shell.logStream(url); });
          }),
      musicBox_(
          [&shell] {
              return sound::makeMediaStream([&shell](const QString& url) { shell.logStream(url); });
          },
          [](int n) { return int(QRandomGenerator::global()->bounded(n)); }) {
    InitRadio();
    InitMusicPlayer();
}

RadioFeature::~RadioFeature() = default;

void RadioFeature::InitRadio() {
    RadioIcon = new QToolButton(&shell_.window());
    RadioIcon->setObjectName("RadioIcon");
    RadioIcon->setAutoRaise(true);
    RadioIcon->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(RadioIcon, &QToolButton::clicked, this, &RadioFeature::ToggleRadio);
    connect(RadioIcon, &QWidget::customContextMenuRequested, this, &RadioFeature::ShowRadio);
    connect(&radio_, &RadioControl::changed, this, &RadioFeature::showRadioState);
    // The list may come after the title has gone: the radio then starts when it is known.
    connect(&radio_, &RadioControl::ready, this, [this](bool available) {
        if (available && shell_.screen() != Screen::Title) startInPlaceOfTune();
    });
    layout();
    radio_.InitRadio(shell_.settings().RadioListFromServer, shell_.serviceUrl());
    showRadioState();
}

void RadioFeature::startInPlaceOfTune() {
    if (!radio_.startIfOn()) return;
    shell_.settings().MusicOn = false;
    shell_.playMusic(false);
}

void RadioFeature::ToggleRadio() {
    if (!radio_.available()) {
        ShowRadio();
        return;
    }
    radio_.ToggleRadio();
}

void RadioFeature::ShowRadio() {
    QWidget* window = &shell_.window();
    if (!radio_.available()) {
        dialogs::showMessage(window,
                             QString::fromStdString(cp1251ToUtf8(radioUnavailableMessage(
                                 utf8ToCp1251(table::word(WordRow::CantFind).toStdString())))));
        return;
    }
    if (radioDialog_) {
        radioDialog_->raise();
        return;
    }
    radioDialog_ =
        new dialogs::TFormRadio({radio_.state(), radio_.stations(), radio_.libraryPath()}, window);
    connect(radioDialog_, &dialogs::TFormRadio::countryChosen, &radio_,
            &RadioControl::chooseCountry);
    connect(radioDialog_, &dialogs::TFormRadio::stationChosen, this,
            [this](const QString& id) { radio_.chooseStation(id.toStdString()); });
    connect(radioDialog_, &dialogs::TFormRadio::switchClicked, this, &RadioFeature::ToggleRadio);
    connect(radioDialog_, &dialogs::TFormRadio::volumeStep, &radio_, &RadioControl::changeVolume);
    radioDialog_->open();
}

void RadioFeature::showRadioState() {
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
        setKeyPicture(RadioIcon, icon);
    }
    RadioIcon->setToolTip(radio_.available()
                              ? table::word(WordRow::ZorInternetRadio) + ": " +
                                    QString::fromStdString(cp1251ToUtf8(s.StationName))
                              : table::word(WordRow::ZorInternetRadio));
    if (radioDialog_) radioDialog_->showState(s);
}

void RadioFeature::InitMusicPlayer() {
    QWidget* window = &shell_.window();
    MPPlay = new QToolButton(window);
    MPPlay->setObjectName("MP_Play");
    MPNext = new QToolButton(window);
    MPNext->setObjectName("MP_Next");
    for (QToolButton* b : {MPPlay, MPNext}) b->setAutoRaise(true);
    MPVolume = new VolumeKey(window, [this](int y) { musicBox_.volumeClick(y); });
    MPVolume->setObjectName("MP_Volume");
    MPVolume->setScaledContents(true);
    setKeyPicture(MPNext, QPixmap::fromImage(shell_.pictures().picture(player_art::kNext)));
    MPVolume->setPixmap(QPixmap::fromImage(shell_.pictures().picture(player_art::kVolume)));
    connect(MPPlay, &QToolButton::clicked, &musicBox_, &MusicBox::togglePlay);
    connect(MPNext, &QToolButton::clicked, &musicBox_, &MusicBox::next);
    connect(&musicBox_, &MusicBox::changed, this, &RadioFeature::showPlayerState);
    layout();
    showPlayerState();
    musicBox_.loadPlaylist(shell_.serviceUrl());
}

void RadioFeature::showPlayerState() {
    if (!MPPlay) return;
    const QString shown = musicBox_.playing() ? player_art::kPause : player_art::kPlay;
    if (MPPlay->property("shown").toString() != shown) {
        MPPlay->setProperty("shown", shown);
        setKeyPicture(MPPlay, QPixmap::fromImage(shell_.pictures().picture(shown)));
    }
    const QString hint = musicBox_.hint();
    for (QWidget* w : std::initializer_list<QWidget*>{MPPlay, MPNext, MPVolume})
        w->setToolTip(hint);
}

void RadioFeature::screenShown(Screen screen) {
    // Only the first screen after the title: the radio on at the last exit starts with the menu.
    if (screen == Screen::Title || std::exchange(titleLeft_, true)) return;
    if (screen == Screen::Menu) startInPlaceOfTune();
}

void RadioFeature::contextMenu(ContextMenu& menu) {
    menu.offer(WordRow::Radio, true, [this] { ShowRadio(); });
}

// Along the window's lower left corner: the radio icon, then the player's keys.
void RadioFeature::applyLanguage() {
    showRadioState();
    if (MPPlay) {
        MPPlay->setAccessibleName(table::word(WordRow::SpokenMusicPlayPause));
        MPNext->setAccessibleName(table::word(WordRow::SpokenMusicNext));
    }
}

void RadioFeature::layout() {
    const table::Scales& scales = shell_.view().scales();
    const auto place = [&scales](QWidget* w, double x, double y, double width, double height) {
        if (!w) return;
        const auto r = table::mapRect(scales, x, y, width, height);
        if (auto* b = qobject_cast<QToolButton*>(w))
            placeKey(b, QRect(r.left, r.top, r.width, r.height));
        else
            w->setGeometry(r.left, r.top, r.width, r.height);
    };
    const int key = player_art::kButtonSize;
    place(RadioIcon, 4, 464, 32, 32);
    place(MPPlay, 40, 466, key, key);
    place(MPNext, 40 + key + 2, 466, key, key);
    place(MPVolume, 40 + 2 * (key + 2), 436, player_art::kVolumeWidth, player_art::kVolumeHeight);
}

void RadioFeature::shutDown() {
    radio_.shutDown();
    radio_.saveState();
    musicBox_.shutDown();
}

}  // namespace orvala::app
