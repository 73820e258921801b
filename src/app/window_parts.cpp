#include "app/window_parts.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include "core/lang/word_table.h"
#include "core/online/service_addresses.h"
#include "core/settings/settings_file.h"
#include "dialogs/dialog_kit.h"
#include "dialogs/message_window.h"
#include "net/service_url.h"
#include "sound/speak_card.h"
#include "table/art_names.h"
#include "table/library_folders.h"
#include "table/panel_hints.h"
#include "table/picture_names.h"
#include "table/word_text.h"

namespace orvala::app {

WindowParts::WindowParts(QWidget& w, const LaunchOptions& o)
    : music(o.musicFolder.isEmpty() ? QDir::tempPath() : o.musicFolder),
      pictures(table::libraryFolders(o.programFolder),
               [&w](const QString& line) { dialogs::showMessage(&w, line); }),
      view(pictures),
      presenter(view, openHands),
      player(presenter, view),
      session(o.seed, o.demo),
      menu(&w, view, pictures, settings),
      calendar(&w, view, pictures, settings),
      records(o.programFolder.toStdString()) {}

void WindowParts::start(const LaunchOptions& o) {
    settingsRun = loadSettingsRun(o.programFolder.toStdString(), settings, o.demo);
    setCurrentLanguage(settings.LanguageIndex);
    auto addresses =
        online::addressesAt(net::serviceUrl(settings.ServiceAddress).toString().toStdString());
    online::applyStoredAddresses(settings.RecordsAddress, settings.StatisticsAddress, addresses);
    online = std::make_unique<net::OnlineClient>(addresses);
    menu.keys.setServiceRoot([this] { return online->addresses().tourney; });
    // Requests never hold the window; the busy cursor says one is under way.
    QObject::connect(online.get(), &net::OnlineClient::busyChanged, online.get(), [](bool busy) {
        if (busy)
            QApplication::setOverrideCursor(Qt::BusyCursor);
        else
            QApplication::restoreOverrideCursor();
    });
    dialogs::setDialogLook(dialogs::dialogLookFrom(settings));
    session.setRules(settings.Rules);
    player.setFast(o.fast);
    player.setPace(settings.Speed, settings.FlyingCardsOn);
    sound.setLog(o.soundLog);
}

bool WindowParts::startTune(QTimer& timer, std::function<bool()> wanted) {
    const bool prepared = music.PrepareMusic();
    timer.setObjectName("Timer55");
    QObject::connect(&timer, &QTimer::timeout, &timer, [this, wanted = std::move(wanted)] {
        if (settings.MusicOn && wanted() && !music.playing()) music.PlayMusic(true);
    });
    timer.start(55);
    return prepared;
}

QCursor WindowParts::cursor(int which) const {
    // The own cursors are drawn by the program; the system ones are the platform's.
    if (!settings.OwnCursorOn)
        return which == 0 ? Qt::PointingHandCursor : which == 2 ? Qt::WaitCursor : Qt::ArrowCursor;
    static constexpr const art::CursorArt* kCursors[3] = {&art::kCursorHand, &art::kCursorArrow,
                                                          &art::kCursorBusy};
    const art::CursorArt& c = *kCursors[which];
    return QCursor(QPixmap::fromImage(pictures.picture(c.name)), c.hotX, c.hotY);
}

int WindowParts::startSound(Wave wave, bool synchronous) {
    // With sound off nothing plays, and so nothing holds the table either.
    if (!settings.SoundOn) return 0;
    const int ms = sound.play(wave, synchronous);
    return synchronous ? ms : 0;
}

void WindowParts::speakCard(Card card, const QString& programFolder) {
    sound::SpeakCard(sound, table::libraryFolders(programFolder), card, settings.LanguageIndex,
                     false);
}

std::optional<WordRow> WindowParts::seatHint(QPoint at) const {
    double x = 0, y = 0;
    const int seat = view.panelUnder(at, &x, &y);
    if (seat == 0) return std::nullopt;
    const GameRecord& g = session.state().g;
    const bool othersOut = !g.InBid[nextSeat(seat)] && !g.InBid[nextSeat(nextSeat(seat))];
    return table::seatPanelHint(x, y, g.GameState, othersOut);
}

bool WindowParts::purple(Screen screen) const {
    return screen == Screen::Game ? settings.TableDesign == 1 : settings.MainMenuDesign == 1;
}

void WindowParts::colourButtons(table::TZorCardsButton* b7, table::TZorCardsButton* b8) {
    // Customizable design: the buttons' own red; the "Purple" design: violet.
    using table::TColorSB;
    menu.setColour(settings.MainMenuDesign == 1 ? TColorSB::DViolet : TColorSB::DRed);
    const TColorSB table = settings.TableDesign == 1 ? TColorSB::DViolet : TColorSB::DRed;
    b7->setColorSB(table);
    b8->setColorSB(table);
}

bool WindowParts::designLibraryMissing(QWidget& window) {
    if (!pictures.designPicture("GIcon48Opt").isNull()) return false;
    settings.AuxDesignPurple = false;
    settings.AuxDesignGrey = 2;
    settings.MainMenuDesign = 0;
    settings.TableDesign = 0;
    dialogs::showMessage(&window,
                         table::word(WordRow::CantFindTheFile) + " " + table::kDesignLibrary);
    return true;
}

namespace {

QRect availableScreen() {
    return QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                            : QRect(0, 0, 1920, 1080);
}

// The client area of the full-screen window: once it is shown maximised, its own size (the
// available area less the title bar and frame); before that, the available area less the frame
// the window has had so far.
QSize fullScreenArea(const QWidget& w, QRect screen) {
    if (w.isVisible() && w.isMaximized() && !w.size().isEmpty())
        return w.size().boundedTo(screen.size());
    const QSize frame = w.frameGeometry().size() - w.geometry().size();
    return (screen.size() - frame.expandedTo(QSize(0, 0))).expandedTo(QSize(760, 500));
}

// Size 2 fills the screen (maximized); the others are fixed and centred.
void placeWindow(QWidget& w, int size, QSize pixels, QRect screen) {
    if (size == 2) {
        w.setMinimumSize(0, 0);
        w.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        w.resize(pixels);
        w.setWindowState(w.windowState() | Qt::WindowMaximized);
    } else {
        w.setWindowState(w.windowState() & ~Qt::WindowMaximized);
        w.setFixedSize(pixels);
        QRect frame = w.frameGeometry();
        frame.moveCenter(screen.center());
        w.move(frame.topLeft());
    }
}

}  // namespace

int WindowParts::fitWindow(QWidget& w, Screen shown) {
    const QRect screen = availableScreen();
    // A size the screen cannot hold gives way to the largest that fits; the choice itself stays
    // in the settings for a larger screen.
    const int chosen = settings.WindowSize;
    const int size = table::fittingWindowSize(chosen, screen.width(), screen.height());
    settings.WindowSize = size;
    view.applyWindowSize(settings, size == 2 ? fullScreenArea(w, screen) : screen.size(),
                         purple(shown));
    settings.WindowSize = chosen;
    placeWindow(w, size, view.windowSize(), screen);
    return size;
}

void placeTitleWindow(QWidget& w, const QString& programFolder) {
    // Read only: the settings are read again, and kept, when the window's parts are built.
    Settings s;
    LoadSettings(programFolder.toStdString(), s);
    setCurrentLanguage(s.LanguageIndex);
    w.setWindowTitle(table::word(WordRow::Orvala));
    const QRect screen = availableScreen();
    const int size = table::fittingWindowSize(s.WindowSize, screen.width(), screen.height());
    const table::Scales sc = table::scalesFor(size, screen.width(), screen.height());
    placeWindow(w, size, QSize(sc.width, sc.height), screen);
}

QString windowSizeText(int size) {
    static constexpr WordRow kNames[6] = {WordRow::SmallWindow,    WordRow::SmallWindow,
                                          WordRow::FullScreen,     WordRow::AverageWindow1,
                                          WordRow::AverageWindow2, WordRow::LargeWindow};
    static constexpr WordRow kPixels[6] = {WordRow::Size760x500,  WordRow::Size760x500,
                                           WordRow::Size760x500,  WordRow::Size990x650,
                                           WordRow::Size1290x850, WordRow::Size1520x1000};
    size = std::clamp(size, 1, 5);
    using table::word;
    return size == 2 ? word(kNames[2]) : word(kNames[size]) + ": " + word(kPixels[size]);
}

}  // namespace orvala::app
