#include "art_shapes.h"

#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <cmath>

namespace orvala::artgen {
namespace {

// The pips in a unit box, y downwards.
QPainterPath unitHeart() {
    QPainterPath p;
    p.moveTo(0.5, 1.0);
    p.cubicTo(0.38, 0.8, 0.0, 0.62, 0.0, 0.3);
    p.cubicTo(0.0, 0.06, 0.36, -0.04, 0.5, 0.22);
    p.cubicTo(0.64, -0.04, 1.0, 0.06, 1.0, 0.3);
    p.cubicTo(1.0, 0.62, 0.62, 0.8, 0.5, 1.0);
    p.closeSubpath();
    return p;
}

QPainterPath unitDiamond() {
    QPainterPath p;
    p.moveTo(0.5, 0.0);
    p.quadTo(0.62, 0.3, 0.92, 0.5);
    p.quadTo(0.62, 0.7, 0.5, 1.0);
    p.quadTo(0.38, 0.7, 0.08, 0.5);
    p.quadTo(0.38, 0.3, 0.5, 0.0);
    p.closeSubpath();
    return p;
}

QPainterPath unitSpade() {
    QPainterPath p;
    p.moveTo(0.5, 0.0);
    p.cubicTo(0.62, 0.22, 1.0, 0.36, 1.0, 0.6);
    p.cubicTo(1.0, 0.84, 0.68, 0.9, 0.54, 0.72);
    p.quadTo(0.56, 0.92, 0.74, 1.0);
    p.lineTo(0.26, 1.0);
    p.quadTo(0.44, 0.92, 0.46, 0.72);
    p.cubicTo(0.32, 0.9, 0.0, 0.84, 0.0, 0.6);
    p.cubicTo(0.0, 0.36, 0.38, 0.22, 0.5, 0.0);
    p.closeSubpath();
    return p;
}

QPainterPath unitClub() {
    QPainterPath p;
    p.setFillRule(Qt::WindingFill);
    p.addEllipse(QPointF(0.5, 0.25), 0.23, 0.23);
    p.addEllipse(QPointF(0.24, 0.56), 0.23, 0.23);
    p.addEllipse(QPointF(0.76, 0.56), 0.23, 0.23);
    p.addRect(QRectF(0.4, 0.35, 0.2, 0.3));
    QPainterPath stem;
    stem.moveTo(0.46, 0.5);
    stem.quadTo(0.46, 0.9, 0.26, 1.0);
    stem.lineTo(0.74, 1.0);
    stem.quadTo(0.54, 0.9, 0.54, 0.5);
    stem.closeSubpath();
    p.addPath(stem);
    return p.simplified();
}

}  // namespace

QPainterPath suitPath(int suit, const QRectF& box) {
    QPainterPath unit;
    switch (suit) {
        case 1:
            unit = unitHeart();
            break;
        case 2:
            unit = unitDiamond();
            break;
        case 3:
            unit = unitClub();
            break;
        default:
            unit = unitSpade();
            break;
    }
    QTransform t;
    t.translate(box.left(), box.top());
    t.scale(box.width(), box.height());
    return t.map(unit);
}

QColor suitColour(int suit) {
    return suit <= 2 ? QColor(204, 16, 28) : QColor(22, 22, 26);
}

QPainterPath fittedText(const QString& text, const QFont& font, const QRectF& box, bool squeeze) {
    QPainterPath raw;
    raw.addText(0, 0, font, text);
    const QRectF r = raw.boundingRect();
    if (r.isEmpty()) return raw;
    double sy = box.height() / r.height();
    double sx = sy;
    if (r.width() * sx > box.width()) {
        sx = box.width() / r.width();
        if (!squeeze) sy = sx;
    }
    QTransform t;
    t.translate(box.center().x(), box.center().y());
    t.scale(sx, sy);
    t.translate(-r.center().x(), -r.center().y());
    return t.map(raw);
}

QFont artFont(bool bold) {
    QFont f;
    f.setFamilies({"DejaVu Sans", "Comic Neue", "WenQuanYi Zen Hei"});
    f.setPixelSize(100);
    f.setBold(bold);
    return f;
}

QFont titleFont() {
    QFont f;
    f.setFamilies({"DejaVu Serif", "DejaVu Sans", "Comic Neue"});
    f.setPixelSize(100);
    f.setBold(true);
    return f;
}

QImage blank(int w, int h, QColor ground) {
    QImage img(w, h, ground.isValid() ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    img.fill(ground.isValid() ? ground : QColor(Qt::transparent));
    return img;
}

double hashNoise(int x, int y, std::uint32_t seed) {
    std::uint32_t h = seed ^ (static_cast<std::uint32_t>(x) * 0x27d4eb2du) ^
                      (static_cast<std::uint32_t>(y) * 0x165667b1u);
    h ^= h >> 15;
    h *= 0x2c1b3c6du;
    h ^= h >> 12;
    h *= 0x297a2d39u;
    h ^= h >> 15;
    return (h & 0xffffffu) / double(0xffffff);
}

double valueNoise(double x, double y, double cell, std::uint32_t seed) {
    const double gx = x / cell, gy = y / cell;
    const int ix = static_cast<int>(std::floor(gx)), iy = static_cast<int>(std::floor(gy));
    const double fx = gx - ix, fy = gy - iy;
    const double ux = fx * fx * (3 - 2 * fx), uy = fy * fy * (3 - 2 * fy);
    const double a = hashNoise(ix, iy, seed), b = hashNoise(ix + 1, iy, seed);
    const double c = hashNoise(ix, iy + 1, seed), d = hashNoise(ix + 1, iy + 1, seed);
    return (a + (b - a) * ux) + ((c + (d - c) * ux) - (a + (b - a) * ux)) * uy;
}

void fillPath(QPainter& p, const QPainterPath& path, QColor fill, QColor line, double width) {
    p.setBrush(fill);
    if (line.isValid())
        p.setPen(QPen(line, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    else
        p.setPen(Qt::NoPen);
    p.drawPath(path);
}

QColor blend(QColor a, QColor b, double t) {
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t,
                            a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t);
}

}  // namespace orvala::artgen
