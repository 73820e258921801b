#include "app/help/help_feature.h"

#include <QFile>
#include <QWidget>

#include "app/game_session.h"
#include "app/shell.h"
#include "core/settings/settings.h"
#include "dialogs/help_dialog.h"
#include "dialogs/message_window.h"
#include "gif/gif_libraries.h"
#include "sound/music_player.h"

namespace orvala::app {
namespace {

// The help document is written in Russian only; English speakers are told so first, in English.
constexpr const char* kApology[2] = {
    "Excuse!", "The file of the help is not translated to the English language."};

QString helpDocument() {
    QFile file(":/help/help.html");
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

}  // namespace

QString helpAnchor(HelpTopic topic) {
    return "topic" + QString::number(static_cast<int>(topic));
}

dialogs::AboutInfo aboutInfo() {
    dialogs::AboutInfo info;
    info.version = ORVALA_VERSION;
    info.licence = "GNU General Public License 3";
    const QString qt = qVersion();
    info.libraries = {
        {"Qt", qt, "LGPL 3", false},
        {"giflib", QString::fromStdString(gif::giflibVersion()), "MIT", false},
        {"libimagequant", QString::fromStdString(gif::imagequantVersion()), "GPL 3", false},
        {"Qt Multimedia, GStreamer", qt, "LGPL", true},
        {"FluidSynth", sound::fluidSynthVersion(), "LGPL 2.1", true},
        {"TimGM6mb soundfont", {}, "GPL 2", true},
    };
    return info;
}

HelpFeature::HelpFeature(Shell& shell) : shell_(shell) {}

void HelpFeature::contextMenu(ContextMenu& menu) {
    menu.offer(WordRow::Help, true, [this] { ShowHelp(); });
    menu.offer(WordRow::About, true, [this] { ShowAbout(); });
}

HelpTopic HelpFeature::topic() const {
    if (shell_.screen() != Screen::Game) return HelpTopic::MainMenu;
    return helpTopicOf(shell_.session().state());
}

void HelpFeature::ShowHelp() {
    shell_.playSound(Wave::WOpenFo, false);
    if (shell_.settings().LanguageIndex != 0) return openHelp();
    if (apology_) return;
    apology_ = dialogs::showMessage(&shell_.window(), kApology[0], kApology[1]);
    connect(apology_, &dialogs::MessageWindow::closed, this, [this] { openHelp(); });
}

void HelpFeature::openHelp() {
    const QString anchor = helpAnchor(topic());
    if (help_) {
        help_->showTopic(anchor);
        help_->raise();
        return;
    }
    help_ = new dialogs::THelpForm({helpDocument(), anchor}, &shell_.window());
    // The help stays open beside the table: it does not hold the window.
    help_->setWindowModality(Qt::NonModal);
    help_->show();
}

void HelpFeature::ShowAbout() {
    shell_.playSound(Wave::WOpenFo, false);
    if (about_) return about_->raise();
    about_ = new dialogs::TFormAbout(aboutInfo(), &shell_.window());
    about_->open();
}

}  // namespace orvala::app
