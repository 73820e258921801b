// The main of every test program of the window and the table: one application object for all
// tests, on the offscreen platform unless told otherwise, so no display is ever needed — not
// even to list the tests. The offscreen screen is a common desktop's, 1920 x 1080, so that every
// window size fits on it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryFile>

int main(int argc, char** argv) {
    QTemporaryFile screens;
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen") {
        if (screens.open()) {
            screens.write(R"({"screens": [{"name": "desktop", "x": 0, "y": 0, "width": 1920,
                              "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96,
                              "dpr": 1}]})");
            screens.close();
            qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toUtf8());
        } else {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
