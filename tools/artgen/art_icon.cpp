#include "art_icon.h"

#include <QDir>
#include <QPainter>
#include <QPainterPath>

#include "art_shapes.h"

namespace orvala::artgen {
namespace {

// One card of the fan: white with a dark edge, a big pip in its middle and, from 48 pixels
// on, the rank and a small pip in its corner.
void drawCard(QPainter& p, double s, int suit, double angle, QPointF centre) {
    const QColor ink = suitColour(suit);
    p.save();
    p.translate(centre);
    p.rotate(angle);
    const QRectF card(-0.22 * s, -0.31 * s, 0.44 * s, 0.62 * s);
    QPainterPath outline;
    outline.addRoundedRect(card, 0.05 * s, 0.05 * s);
    fillPath(p, outline, QColor(252, 250, 244), QColor(40, 40, 40), std::max(1.0, s / 64));
    const double pip = 0.26 * s;
    fillPath(p, suitPath(suit, QRectF(-pip / 2, -pip / 2 + 0.02 * s, pip, pip)), ink);
    if (s >= 48) {
        const QRectF corner(card.left() + 0.03 * s, card.top() + 0.025 * s, 0.1 * s, 0.1 * s);
        fillPath(p, fittedText("A", artFont(), corner), ink);
        const double small = 0.07 * s;
        fillPath(p,
                 suitPath(suit, QRectF(corner.center().x() - small / 2, corner.bottom() + 0.01 * s,
                                       small, small)),
                 ink);
    }
    p.restore();
}

}  // namespace

QImage drawIcon(int size) {
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    QRadialGradient felt(QPointF(0.45 * s, 0.4 * s), 0.6 * s);
    felt.setColorAt(0, QColor(40, 140, 70));
    felt.setColorAt(1, QColor(12, 80, 40));
    QPainterPath table;
    table.addEllipse(QRectF(0.03 * s, 0.03 * s, 0.94 * s, 0.94 * s));
    p.fillPath(table, felt);
    p.strokePath(table, QPen(QColor(150, 110, 40), std::max(1.0, s / 24)));
    drawCard(p, s, 4, -14, QPointF(0.40 * s, 0.52 * s));
    drawCard(p, s, 1, 12, QPointF(0.60 * s, 0.48 * s));
    return img;
}

bool writeIcons(const QString& dir) {
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
        const QString folder = QString("%1/%2x%2/apps").arg(dir).arg(size);
        if (!QDir().mkpath(folder) || !drawIcon(size).save(folder + "/orvala.png", "PNG"))
            return false;
    }
    return true;
}

}  // namespace orvala::artgen
