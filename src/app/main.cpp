// orvala: the game window.
//
//   orvala [--home DIR] [--demo [--quit-after-deals N [--screenshot FILE]]] [--seed N]
//          [--sound-log FILE]
//
// --home names the program folder; --demo lets the computer play the person's seat too, at the
// fastest speed, and with --quit-after-deals quits with status 0 after N deals, saving the
// window's picture as a PNG file first with --screenshot (status 1 when it cannot); --seed fixes
// the shuffles and the computer players' draws; --sound-log appends a line to FILE for every
// sound started and every card spoken ("WHodsDo sync"). --help and --version answer with
// status 0; an unknown option or a missing or bad value is told on stderr with status 2, as
// orvala-tool does.

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <cstdio>

#include "app/program_folder.h"
#include "app/tform1.h"

namespace {

bool displayAvailable() {
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (!platform.isEmpty()) return true;
    return !qEnvironmentVariable("DISPLAY").isEmpty() ||
           !qEnvironmentVariable("WAYLAND_DISPLAY").isEmpty();
}

}  // namespace

int main(int argc, char** argv) {
    if (!displayAvailable()) {
        std::fprintf(stderr,
                     "orvala: no display available (DISPLAY is not set); run it on a desktop, or "
                     "set QT_QPA_PLATFORM=offscreen for a window nobody sees\n");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("Orvala");
    QApplication::setApplicationVersion(ORVALA_VERSION);
    // The installed desktop entry and the icon theme's "orvala" (none in a build tree).
    QGuiApplication::setDesktopFileName("orvala");
    QApplication::setWindowIcon(QIcon::fromTheme("orvala"));

    QCommandLineParser parser;
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    QCommandLineOption home("home", "Use DIR as the program folder.", "DIR");
    QCommandLineOption demo("demo", "The computer plays the person's seat too.");
    QCommandLineOption quitAfter("quit-after-deals", "With --demo: quit after N deals.", "N");
    QCommandLineOption seed("seed", "Fix the random draws.", "N");
    QCommandLineOption soundLog("sound-log", "Append a line to FILE for every sound played.",
                                "FILE");
    QCommandLineOption screenshot(
        "screenshot", "With --quit-after-deals: save the window as a PNG file at the end.", "FILE");
    parser.addOptions({home, demo, quitAfter, screenshot, seed, soundLog});
    // process() would end a bad command line with status 1: the errors are ours to tell.
    if (!parser.parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "orvala: %s\n", qPrintable(parser.errorText()));
        return 2;
    }
    if (parser.isSet(help)) parser.showHelp(0);
    if (parser.isSet(version)) parser.showVersion();

    orvala::app::LaunchOptions options;
    options.programFolder = orvala::app::resolveProgramFolder(parser.value(home));
    options.demo = parser.isSet(demo);
    options.soundLog = parser.value(soundLog);
    options.titleFirst = true;
    options.screenshot = parser.value(screenshot);
    if (!options.screenshot.isEmpty() && !parser.isSet(quitAfter)) {
        std::fprintf(stderr, "orvala: --screenshot needs --quit-after-deals\n");
        return 2;
    }
    if (parser.isSet(quitAfter)) {
        bool ok = false;
        options.quitAfterDeals = parser.value(quitAfter).toInt(&ok);
        if (!ok || options.quitAfterDeals < 1) {
            std::fprintf(stderr, "orvala: --quit-after-deals needs a number of deals, 1 or more\n");
            return 2;
        }
    }
    if (parser.isSet(seed)) {
        bool ok = false;
        options.seed = parser.value(seed).toULongLong(&ok);
        if (!ok) {
            std::fprintf(stderr, "orvala: --seed needs a whole number\n");
            return 2;
        }
    }

    orvala::app::TForm1 window(options);
    window.show();
    return app.exec();
}
