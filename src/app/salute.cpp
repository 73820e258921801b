#include "app/salute.h"

#include <QPainter>

namespace orvala::app {

Salute* Salute::play(QWidget* window, QPoint at, const QImage& strip) {
    if (window == nullptr || strip.isNull() || strip.width() < kFrames * kFrameSize ||
        strip.height() < kFrameSize)
        return nullptr;
    return new Salute(window, at, strip);
}

Salute::Salute(QWidget* window, QPoint at, const QImage& strip) : QWidget(window), strip_(strip) {
    setObjectName("Salute");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(at.x() - kFrameSize / 2, at.y() - kFrameSize / 2, kFrameSize, kFrameSize);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (++frame_ > kFrames) {
            hide();
            deleteLater();
            return;
        }
        update();
    });
    timer_.start(kFrameMs);
    show();
    raise();
}

void Salute::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(QPoint(0, 0), strip_, QRect((frame_ - 1) * kFrameSize, 0, kFrameSize, kFrameSize));
}

}  // namespace orvala::app
