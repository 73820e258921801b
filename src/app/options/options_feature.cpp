#include "app/options/options_feature.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QUrl>

#include "app/menu_screen.h"
#include "app/passport.h"
#include "app/shell.h"
#include "core/lang/language.h"
#include "core/settings/settings.h"
#include "dialogs/options_dialog.h"
#include "dialogs/speed_dialog.h"
#include "net/library_download.h"
#include "net/service_url.h"
#include "table/library_folders.h"
#include "table/picture_store.h"
#include "table/zor_cards_button.h"

namespace orvala::app {

using dialogs::OptionChange;

OptionsFeature::OptionsFeature(Shell& shell) : shell_(shell) {
    shell.menu().Button10->setEnabled(true);
    connect(shell.menu().Button10, &QPushButton::clicked, this, &OptionsFeature::ShowOptions);
}

OptionsFeature::~OptionsFeature() = default;

dialogs::TFormOptions* OptionsFeature::dialog() const {
    return options_dialog_;
}

void OptionsFeature::ShowOptions() {
    if (options_dialog_) return;
    shell_.playSound(Wave::WOpenFo, false);  // the menu's button has saluted already
    Settings& settings = shell_.settings();
    // The dialog's own head picture comes with the "Purple" design; without it the dialogs are
    // grey.
    if (shell_.pictures().designPicture(QString::fromStdString(PictureName("GFormOpt"))).isNull()) {
        settings.AuxDesignPurple = false;
        settings.AuxDesignGrey = 2;
        dialogs::setDialogLook(dialogs::dialogLookFrom(settings));
    }
    const QString programFolder = shell_.launch().programFolder;
    dialogs::OptionsContext context;
    const QScreen* screen = QGuiApplication::primaryScreen();
    context.screen = screen ? screen->size() : QSize(1920, 1080);
    context.libraryFolders = table::libraryFolders(programFolder);
    context.passport = true;
    context.localService = net::localServiceUrl().toString();
    if (const auto given = net::serviceOverride()) context.serviceOverride = given->toString();
    QWidget& window = shell_.window();
    auto* d = new dialogs::TFormOptions(settings, context, shell_.pictures(), &window);
    options_dialog_ = d;
    connect(d, &dialogs::TFormOptions::changed, this,
            [this](OptionChange what) { shell_.optionChanged(what); });
    connect(d, &dialogs::TFormOptions::speedAsked, this, &OptionsFeature::ShowSpeed);
    connect(d, &dialogs::TFormOptions::passportAsked, this,
            [this] { openPassport(shell_, options_dialog_.data()); });
    // Every button of the dialog salutes as the window's buttons do.
    for (auto* b : d->findChildren<table::TZorCardsButton*>())
        connect(b, &QPushButton::pressed, this, [this] { shell_.salute(true); });
    connect(d, &dialogs::TFormOptions::downloadAsked, this, [this](const QString& file) {
        DownloadLibrary(file, [this](bool) {
            if (options_dialog_) options_dialog_->refreshLibraries();
        });
    });
    d->move(window.geometry().center() - d->rect().center());
    d->open();
}

void OptionsFeature::ShowSpeed() {
    QWidget* over = options_dialog_ ? static_cast<QWidget*>(options_dialog_) : &shell_.window();
    auto* d = new dialogs::TFormSpeed(shell_.settings(), over);
    // The table's pace follows at once.
    connect(d, &dialogs::TFormSpeed::changed, this,
            [this] { shell_.optionChanged(OptionChange::FlyingCards); });
    connect(d, &QDialog::finished, this, [this] {
        if (options_dialog_) options_dialog_->refresh();
    });
    d->open();
}

void OptionsFeature::DownloadLibrary(const QString& file, std::function<void(bool)> done) {
    if (download_) return;  // one at a time; the busy cursor says one is running
    QWidget& window = shell_.window();
    window.setCursor(shell_.gameCursor(2));
    const QString folder = QDir(shell_.launch().programFolder).absoluteFilePath("..");
    download_ = std::make_unique<net::LibraryDownload>(shell_.serviceUrl(), file, folder);
    connect(download_.get(), &net::LibraryDownload::finished, this,
            [this, done = std::move(done)](bool ok) {
                shell_.playSound(ok ? Wave::WToMenK : Wave::WWrongs, false);
                shell_.window().unsetCursor();
                download_.release()->deleteLater();
                if (done) done(ok);
            });
}

void OptionsFeature::contextMenu(ContextMenu& menu) {
    menu.offer(WordRow::Speed, true, [this] { ShowSpeed(); });
}

void OptionsFeature::optionChanged(OptionChange what) {
    // The dialog's own buttons take the new look after the window's.
    if (what == OptionChange::NewButtons && options_dialog_) options_dialog_->restyle();
}

}  // namespace orvala::app
