// The main window's side of the options and speed dialogs and of the library downloads: each
// change of the dialog applied at once, with the fallbacks of the choices that need a library.

#include <QDir>
#include <QGuiApplication>
#include <QScreen>

#include "app/tform1.h"
#include "core/lang/language.h"
#include "dialogs/message_window.h"
#include "dialogs/speed_dialog.h"
#include "net/service_url.h"
#include "table/picture_names.h"

namespace orvala::app {

using dialogs::OptionChange;

void TForm1::ShowOptions() {
    if (options_dialog_) return;
    PlaySoundEvent(Wave::WOpenFo, false);  // the menu's button has saluted already
    // The dialog's own head picture comes with the "Purple" design; without it the dialogs are
    // grey.
    if (pictures_.designPicture(QString::fromStdString(PictureName("GFormOpt"))).isNull()) {
        settings_.AuxDesignPurple = false;
        settings_.AuxDesignGrey = 2;
        dialogs::setDialogLook(dialogs::dialogLookFrom(settings_));
    }
    dialogs::OptionsContext context;
    const QScreen* screen = QGuiApplication::primaryScreen();
    context.screen = screen ? screen->size() : QSize(1920, 1080);
    context.libraryFolders = {options_.programFolder,
                              QDir(options_.programFolder).absoluteFilePath("..")};
    context.passport = true;
    auto* d = new dialogs::TFormOptions(settings_, context, pictures_, this);
    options_dialog_ = d;
    connect(d, &dialogs::TFormOptions::changed, this, &TForm1::applyOption);
    connect(d, &dialogs::TFormOptions::speedAsked, this, &TForm1::ShowSpeed);
    connect(d, &dialogs::TFormOptions::passportAsked, this, &TForm1::ShowPassport);
    // Every button of the dialog salutes as the window's buttons do.
    for (auto* b : d->findChildren<table::TZorCardsButton*>())
        connect(b, &QPushButton::pressed, this, [this] { salute(true); });
    connect(d, &dialogs::TFormOptions::downloadAsked, this, [this](const QString& file) {
        DownloadLibrary(file, [this](bool) {
            if (options_dialog_) options_dialog_->refreshLibraries();
        });
    });
    d->move(geometry().center() - d->rect().center());
    d->open();
}

void TForm1::ShowSpeed() {
    QWidget* over = options_dialog_ ? static_cast<QWidget*>(options_dialog_) : this;
    auto* d = new dialogs::TFormSpeed(settings_, over);
    connect(d, &dialogs::TFormSpeed::changed, this,
            [this] { player_.setPace(settings_.Speed, settings_.FlyingCardsOn); });
    connect(d, &QDialog::finished, this, [this] {
        if (options_dialog_) options_dialog_->refresh();
    });
    d->open();
}

bool TForm1::designLibraryMissing() {
    if (!pictures_.designPicture("GIcon48Opt").isNull()) return false;
    settings_.AuxDesignPurple = false;
    settings_.AuxDesignGrey = 2;
    settings_.MainMenuDesign = 0;
    settings_.TableDesign = 0;
    dialogs::showMessage(this, table::word(WordRow::CantFindTheFile) + " " + table::kDesignLibrary);
    return true;
}

void TForm1::applyOption(OptionChange what) {
    switch (what) {
        case OptionChange::FlyingCards:
            player_.setPace(settings_.Speed, settings_.FlyingCardsOn);
            break;
        case OptionChange::Cursor:
            updateCursor(mapFromGlobal(QCursor::pos()));
            break;
        case OptionChange::NewButtons:
            dialogs::setDialogLook(dialogs::dialogLookFrom(settings_));
            applyNewButtons(this, settings_.NewButtonsOn);
            if (options_dialog_) options_dialog_->restyle();
            break;
        case OptionChange::Language:
            SetLanguage(settings_.LanguageIndex);
            break;
        case OptionChange::WindowSize:
        case OptionChange::CardFaces:
        case OptionChange::DeckBacks:
        case OptionChange::Fonts:
            // Faces, backs and background are loaded again at the window's size, and a set
            // whose library is missing falls back in the settings; every text is laid again.
            applyWindowSize();
            dialogs::setDialogLook(dialogs::dialogLookFrom(settings_));
            break;
        case OptionChange::Background:
            if (purpleScreen()) break;  // the design's picture stands in for the background
            applyWindowSize();
            calendar_.rebuild();
            break;
        case OptionChange::MenuDesign:
        case OptionChange::TableDesign:
            // The menu's purple ground falls back by itself when its library is missing.
            if (what == OptionChange::TableDesign) designLibraryMissing();
            view_.loadBackground(settings_, purpleScreen());
            colourButtons();
            if (screen_ == Screen::Menu) menu_.draw();
            if (screen_ == Screen::Game) presenter_.redrawAll();
            update();
            break;
        case OptionChange::AuxDesign:
            // "Gray aristocratic" needs nothing; the other designs the design library.
            if (settings_.AuxDesignPurple || settings_.AuxDesignGrey != 2) designLibraryMissing();
            dialogs::setDialogLook(dialogs::dialogLookFrom(settings_));
            break;
        case OptionChange::Music:
            PlayMusic(settings_.MusicOn);
            break;
        case OptionChange::Network:
            // The club panel shows the network club's members, or the local club's, at once.
            refreshClubPanel();
            break;
        case OptionChange::Sound:
        case OptionChange::GifAnimation:
        case OptionChange::Rules:
        case OptionChange::SaveGames:
        case OptionChange::RadioSource:
        case OptionChange::Salute:
            // Read from the settings where they are used: the next sound, tick, game or recording.
            break;
    }    for (auto& f : features_) f->optionChanged(what);
}

void TForm1::DownloadLibrary(const QString& file, std::function<void(bool)> done) {
    if (download_) return;  // one at a time; the busy cursor says one is running
    setCursor(gameCursor(2));
    const QString folder = QDir(options_.programFolder).absoluteFilePath("..");
    download_ = std::make_unique<net::LibraryDownload>(net::serviceUrl(), file, folder);
    connect(download_.get(), &net::LibraryDownload::finished, this,
            [this, done = std::move(done)](bool ok) {
                PlaySoundEvent(ok ? Wave::WToMenK : Wave::WWrongs, false);
                unsetCursor();
                download_.release()->deleteLater();
                if (done) done(ok);
            });
}

}  // namespace orvala::app
