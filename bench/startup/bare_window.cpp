// startup_bare_window: the yardstick for the game's start-up. A plain Qt window of the game's
// default size (the small window, 760 x 500) that paints one line of text; scripts/startup-bench
// launches it beside the game and compares when each window maps.

#include <QApplication>
#include <QPainter>
#include <QWidget>

namespace {

class BareWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.drawText(rect(), Qt::AlignCenter, "Orvala");
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    BareWindow window;
    window.setWindowTitle("Orvala");
    window.setFixedSize(760, 500);
    window.show();
    return app.exec();
}
