// The deck backs of the library's back sets 1..12. Every back is a ground pattern in its own
// colours with, for most sets, the set's motif (cars, crowns, knights, animals, flowers, planets,
// ...) tiled over it or in a central medallion. Backs are laid out on a master 198 high and as
// wide as the card (146 or 126); the 69 x 94 bitmaps use the wide master scaled down.

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <cmath>

#include "art_library.h"
#include "art_library_style.h"
#include "art_shapes.h"

namespace orvala::artgen {
namespace {

constexpr int kPatterns = 16;

// Motifs in the unit box, y downwards.
enum Motif { None, Car, Crown, Knight, Fish, Bird, Flower, Planet, Diamond, Rook, Star, Tulip };

QPainterPath unitMotif(Motif m) {
    QPainterPath p;
    p.setFillRule(Qt::WindingFill);
    switch (m) {
        case Car:
            p.addRoundedRect(QRectF(0.0, 0.42, 1.0, 0.3), 0.08, 0.08);
            p.moveTo(0.2, 0.44);
            p.lineTo(0.32, 0.2);
            p.lineTo(0.7, 0.2);
            p.lineTo(0.84, 0.44);
            p.closeSubpath();
            p.addEllipse(QPointF(0.24, 0.74), 0.13, 0.13);
            p.addEllipse(QPointF(0.76, 0.74), 0.13, 0.13);
            break;
        case Crown:
            p.moveTo(0.05, 0.85);
            p.lineTo(0.0, 0.25);
            p.lineTo(0.27, 0.55);
            p.lineTo(0.5, 0.1);
            p.lineTo(0.73, 0.55);
            p.lineTo(1.0, 0.25);
            p.lineTo(0.95, 0.85);
            p.closeSubpath();
            break;
        case Knight:
            p.moveTo(0.2, 1.0);
            p.lineTo(0.8, 1.0);
            p.lineTo(0.74, 0.84);
            p.cubicTo(0.86, 0.5, 0.8, 0.16, 0.46, 0.04);
            p.lineTo(0.4, 0.0);
            p.lineTo(0.34, 0.12);
            p.cubicTo(0.16, 0.26, 0.06, 0.46, 0.1, 0.56);
            p.lineTo(0.2, 0.6);
            p.lineTo(0.44, 0.48);
            p.cubicTo(0.3, 0.62, 0.26, 0.74, 0.28, 0.84);
            p.closeSubpath();
            break;
        case Fish:
            p.addEllipse(QRectF(0.0, 0.25, 0.72, 0.5));
            p.moveTo(0.62, 0.5);
            p.lineTo(1.0, 0.22);
            p.lineTo(1.0, 0.78);
            p.closeSubpath();
            break;
        case Bird:
            p.moveTo(0.0, 0.4);
            p.quadTo(0.25, 0.15, 0.5, 0.5);
            p.quadTo(0.75, 0.15, 1.0, 0.4);
            p.quadTo(0.75, 0.32, 0.5, 0.7);
            p.quadTo(0.25, 0.32, 0.0, 0.4);
            break;
        case Flower:
            for (int k = 0; k < 6; ++k) {
                const double a = k * M_PI / 3;
                p.addEllipse(QPointF(0.5 + 0.26 * std::cos(a), 0.5 + 0.26 * std::sin(a)), 0.2, 0.2);
            }
            p.addEllipse(QPointF(0.5, 0.5), 0.16, 0.16);
            break;
        case Planet: {
            p.addEllipse(QPointF(0.5, 0.5), 0.3, 0.3);
            QPainterPath ring, hole;
            ring.addEllipse(QPointF(0.5, 0.5), 0.5, 0.14);
            hole.addEllipse(QPointF(0.5, 0.5), 0.4, 0.08);
            p.addPath(ring.subtracted(hole));
            break;
        }
        case Diamond:
            p.moveTo(0.5, 0.0);
            p.lineTo(0.85, 0.5);
            p.lineTo(0.5, 1.0);
            p.lineTo(0.15, 0.5);
            p.closeSubpath();
            break;
        case Rook:
            p.addRect(QRectF(0.2, 0.85, 0.6, 0.15));
            p.addRect(QRectF(0.3, 0.35, 0.4, 0.52));
            p.addRect(QRectF(0.22, 0.2, 0.56, 0.18));
            for (int k = 0; k < 3; ++k) p.addRect(QRectF(0.22 + k * 0.22, 0.06, 0.12, 0.16));
            break;
        case Star:
            for (int k = 0; k < 10; ++k) {
                const double a = -M_PI / 2 + k * M_PI / 5, r = k % 2 ? 0.2 : 0.5;
                const QPointF q(0.5 + r * std::cos(a), 0.53 + r * std::sin(a));
                if (k == 0)
                    p.moveTo(q);
                else
                    p.lineTo(q);
            }
            p.closeSubpath();
            break;
        case Tulip:
            p.moveTo(0.5, 0.62);
            p.cubicTo(0.1, 0.6, 0.1, 0.25, 0.18, 0.05);
            p.lineTo(0.34, 0.22);
            p.lineTo(0.5, 0.02);
            p.lineTo(0.66, 0.22);
            p.lineTo(0.82, 0.05);
            p.cubicTo(0.9, 0.25, 0.9, 0.6, 0.5, 0.62);
            p.addRect(QRectF(0.47, 0.6, 0.06, 0.4));
            p.addEllipse(QPointF(0.32, 0.84), 0.16, 0.06);
            p.addEllipse(QPointF(0.68, 0.84), 0.16, 0.06);
            break;
        case None:
            break;
    }
    return p.simplified();
}

QPainterPath motifAt(Motif m, const QRectF& box) {
    QTransform t;
    t.translate(box.left(), box.top());
    t.scale(box.width(), box.height());
    return t.map(unitMotif(m));
}

struct BackLook {
    int pattern = 0;
    Motif motif = None;
    bool medallion = false;  // one large motif in the middle, else tiled small ones
    QColor ground, line, accent;
};

BackLook backLook(int set, int back) {
    // Each set draws its backs from its own run of patterns, in its own colours.
    static const Motif kMotifs[13][2] = {
        {None, None},   {None, Star},       {None, Flower},   {Car, Car},   {Crown, Crown},
        {Rook, None},   {Diamond, Diamond}, {Knight, Knight}, {Fish, Bird}, {Flower, Tulip},
        {Planet, Star}, {Star, Diamond},    {Tulip, Flower}};
    SeededRandom rnd(static_cast<std::uint64_t>(set) * 131u + static_cast<std::uint64_t>(back));
    BackLook look;
    look.pattern = (set * 5 + back * 7) % kPatterns;  // the backs of a set all differ
    look.motif = kMotifs[set][back % 2];
    look.medallion = back % 3 == 0 || set == 7;
    const double hue = std::fmod(set * 97.0 + back * 360.0 / 7.3 + rnd.range(-8, 8), 360.0);
    const bool darkGround = (set + back) % 4 != 0;
    if (darkGround) {
        look.ground = hsv(hue, rnd.range(0.55, 0.85), rnd.range(0.32, 0.55));
        look.line = hsv(hue + rnd.range(20, 60), rnd.range(0.15, 0.4), rnd.range(0.85, 0.98));
    } else {
        look.ground = hsv(hue, rnd.range(0.1, 0.25), rnd.range(0.9, 0.97));
        look.line = hsv(hue + 180, rnd.range(0.6, 0.85), rnd.range(0.35, 0.55));
    }
    look.accent = hsv(hue + 150 + rnd.range(-20, 20), 0.7, 0.9);
    if (set == 12) {  // folk colours: red and gold on black or white
        look.ground = back % 2 ? QColor(24, 20, 20) : QColor(248, 242, 228);
        look.line = back % 3 == 0 ? QColor(226, 170, 40) : QColor(196, 28, 30);
        look.accent = back % 2 ? QColor(226, 170, 40) : QColor(30, 110, 50);
    }
    return look;
}

void drawPattern(QPainter& p, const BackLook& look, const QRectF& r) {
    const QColor line = look.line;
    QColor soft = line;
    soft.setAlpha(120);
    const QPointF c = r.center();
    switch (look.pattern) {
        case 0:  // a diagonal lattice
            p.setPen(QPen(line, 1.5));
            for (double d = -r.height(); d < r.width(); d += 12) {
                p.drawLine(QPointF(r.left() + d, r.top()),
                           QPointF(r.left() + d + r.height(), r.bottom()));
                p.drawLine(QPointF(r.left() + d + r.height(), r.top()),
                           QPointF(r.left() + d, r.bottom()));
            }
            break;
        case 1:  // rings and rays
            p.setPen(QPen(line, 1.3));
            p.setBrush(Qt::NoBrush);
            for (double rad = 7; rad < 120; rad += 9) p.drawEllipse(c, rad, rad);
            for (int k = 0; k < 20; ++k) {
                const double a = k * M_PI / 10;
                p.drawLine(c, c + QPointF(std::cos(a) * 130, std::sin(a) * 130));
            }
            break;
        case 2: {  // dots
            p.setPen(Qt::NoPen);
            p.setBrush(line);
            int row = 0;
            for (double y = r.top() + 5; y < r.bottom(); y += 9, ++row)
                for (double x = r.left() + (row % 2 ? 9.5 : 5); x < r.right(); x += 9)
                    p.drawEllipse(QPointF(x, y), 2.1, 2.1);
            break;
        }
        case 3:  // horizontal stripes
            p.setPen(QPen(line, 2.2));
            for (double y = r.top() + 3; y < r.bottom(); y += 8)
                p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
            break;
        case 4:  // waves
            p.setPen(QPen(line, 1.6));
            p.setBrush(Qt::NoBrush);
            for (double y = r.top() - 4; y < r.bottom() + 8; y += 10) {
                QPainterPath wave;
                wave.moveTo(r.left(), y);
                for (double x = r.left(); x <= r.right() + 2; x += 2)
                    wave.lineTo(x, y + 3.5 * std::sin((x - r.left()) / 6.0));
                p.drawPath(wave);
            }
            break;
        case 5: {  // a chequer
            p.setPen(Qt::NoPen);
            p.setBrush(line);
            const double step = 12;
            int row = 0;
            for (double y = r.top(); y < r.bottom(); y += step, ++row) {
                int col = 0;
                for (double x = r.left(); x < r.right(); x += step, ++col)
                    if ((row + col) % 2 == 0) p.drawRect(QRectF(x, y, step, step));
            }
            break;
        }
        case 6:  // zigzag chevrons
            p.setPen(QPen(line, 1.8));
            p.setBrush(Qt::NoBrush);
            for (double y = r.top(); y < r.bottom() + 10; y += 11) {
                QPainterPath z;
                z.moveTo(r.left(), y);
                int k = 0;
                for (double x = r.left(); x <= r.right() + 8; x += 8, ++k)
                    z.lineTo(x, y + (k % 2 ? -5 : 0));
                p.drawPath(z);
            }
            break;
        case 7: {  // a honeycomb
            p.setPen(QPen(line, 1.2));
            p.setBrush(Qt::NoBrush);
            const double s = 8, hx = s * std::sqrt(3.0);
            int row = 0;
            for (double y = r.top(); y < r.bottom() + s; y += 1.5 * s, ++row)
                for (double x = r.left() + (row % 2 ? hx / 2 : 0); x < r.right() + hx; x += hx) {
                    QPolygonF hex;
                    for (int k = 0; k < 6; ++k) {
                        const double a = M_PI / 6 + k * M_PI / 3;
                        hex << QPointF(x + s * std::cos(a), y + s * std::sin(a));
                    }
                    p.drawPolygon(hex);
                }
            break;
        }
        case 8: {  // fish scales
            p.setPen(QPen(line, 1.3));
            p.setBrush(Qt::NoBrush);
            int row = 0;
            for (double y = r.top(); y < r.bottom() + 10; y += 7, ++row)
                for (double x = r.left() + (row % 2 ? 7 : 0); x < r.right() + 14; x += 14)
                    p.drawArc(QRectF(x - 7, y - 7, 14, 14), 180 * 16, 180 * 16);
            break;
        }
        case 9:  // nested diamonds
            p.setPen(QPen(line, 1.4));
            p.setBrush(Qt::NoBrush);
            for (double d = 6; d < 130; d += 8) {
                QPolygonF q;
                q << QPointF(c.x(), c.y() - d * 1.3) << QPointF(c.x() + d, c.y())
                  << QPointF(c.x(), c.y() + d * 1.3) << QPointF(c.x() - d, c.y());
                p.drawPolygon(q);
            }
            break;
        case 10: {  // tartan
            p.setPen(Qt::NoPen);
            QColor band = line;
            band.setAlpha(90);
            QColor thin = look.accent;
            thin.setAlpha(160);
            for (double x = r.left(); x < r.right(); x += 24) {
                p.fillRect(QRectF(x, r.top(), 9, r.height()), band);
                p.fillRect(QRectF(x + 15, r.top(), 1.6, r.height()), thin);
            }
            for (double y = r.top(); y < r.bottom(); y += 24) {
                p.fillRect(QRectF(r.left(), y, r.width(), 9), band);
                p.fillRect(QRectF(r.left(), y + 15, r.width(), 1.6), thin);
            }
            break;
        }
        case 11: {  // a sunburst of wedges
            p.setPen(Qt::NoPen);
            p.setBrush(soft);
            for (int k = 0; k < 36; k += 2) {
                QPainterPath wedge;
                wedge.moveTo(c);
                wedge.arcTo(QRectF(c.x() - 150, c.y() - 150, 300, 300), k * 10, 10);
                wedge.closeSubpath();
                p.drawPath(wedge);
            }
            break;
        }
        case 12: {  // small crosses
            p.setPen(QPen(line, 1.6));
            int row = 0;
            for (double y = r.top() + 6; y < r.bottom(); y += 12, ++row)
                for (double x = r.left() + (row % 2 ? 12 : 6); x < r.right(); x += 12) {
                    p.drawLine(QPointF(x - 3, y), QPointF(x + 3, y));
                    p.drawLine(QPointF(x, y - 3), QPointF(x, y + 3));
                }
            break;
        }
        case 13: {  // overlapping rings
            p.setPen(QPen(line, 1.1));
            p.setBrush(Qt::NoBrush);
            for (double y = r.top(); y < r.bottom() + 10; y += 10)
                for (double x = r.left(); x < r.right() + 10; x += 10)
                    p.drawEllipse(QPointF(x, y), 7, 7);
            break;
        }
        case 14: {  // a spiral
            p.setPen(QPen(line, 1.8));
            p.setBrush(Qt::NoBrush);
            QPainterPath sp;
            sp.moveTo(c);
            for (double a = 0; a < 40 * M_PI; a += 0.08) {
                const double rad = 1.1 * a;
                sp.lineTo(c + QPointF(std::cos(a) * rad, std::sin(a) * rad * 1.2));
            }
            p.drawPath(sp);
            break;
        }
        default: {  // a Greek key border band over plain ground with fine lines
            p.setPen(QPen(soft, 0.8));
            for (double x = r.left() + 3; x < r.right(); x += 5)
                p.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
            p.setPen(QPen(line, 1.6));
            p.setBrush(Qt::NoBrush);
            for (double inset : {6.0, 14.0}) p.drawRect(r.adjusted(inset, inset, -inset, -inset));
            break;
        }
    }
}

void drawMotifs(QPainter& p, const BackLook& look, const QRectF& r) {
    if (look.motif == None) return;
    if (look.medallion) {
        const QPointF c = r.center();
        const double rad = std::min(r.width(), r.height()) * 0.34;
        p.setPen(QPen(look.line, 2.0));
        p.setBrush(look.ground);
        p.drawEllipse(c, rad, rad * 1.15);
        p.setPen(QPen(look.ground.darker(150), 0.8));
        p.setBrush(look.accent);
        p.drawPath(motifAt(look.motif,
                           QRectF(c.x() - rad * 0.7, c.y() - rad * 0.7, rad * 1.4, rad * 1.4)));
        return;
    }
    p.setPen(QPen(look.ground.darker(160), 0.6));
    p.setBrush(look.accent);
    int row = 0;
    for (double y = r.top() + 8; y < r.bottom() - 8; y += 30, ++row)
        for (double x = r.left() + (row % 2 ? 24 : 8); x < r.right() - 8; x += 32)
            p.drawPath(motifAt(look.motif, QRectF(x - 8, y - 8, 20, 20)));
}

}  // namespace

QImage drawLibraryBack(int deckBackSet, int back, int w, int h) {
    const BackLook look = backLook(deckBackSet, back);
    const bool bitmap = h < 150;
    const double mw = bitmap ? 146 : w, mh = 198;
    QImage img = bitmap ? blank(w, h, QColor(252, 251, 246)) : blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    if (!bitmap) {
        p.setPen(QPen(QColor(110, 110, 110), 1));
        p.setBrush(QColor(252, 251, 246));
        p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 8, 8);
    }
    p.scale(w / mw, h / mh);
    const QRectF inner = bitmap ? QRectF(5, 5, mw - 10, mh - 10) : QRectF(7, 7, mw - 14, mh - 14);
    p.setPen(Qt::NoPen);
    p.setBrush(look.ground);
    p.drawRoundedRect(inner, 5, 5);
    p.save();
    p.setClipRect(inner);
    drawPattern(p, look, inner);
    drawMotifs(p, look, inner);
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(look.line, 1.4));
    p.drawRoundedRect(inner.adjusted(3, 3, -3, -3), 3, 3);
    return img;
}

}  // namespace orvala::artgen
