// The court figures: a bust drawn in the upper half of the frame and, turned, in the lower one.
// Each face set dresses its jack, queen and king in its own colours, costume and headgear (see
// FaceStyle); the built-in set has a style of its own.

#include "art_court.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "art_shapes.h"

namespace orvala::artgen {
namespace {

const QColor kInk(40, 30, 30);
constexpr double kCx = 73;  // the bust is drawn for a frame 33..113 wide, centred on 73

QPainterPath ellipse(double cx, double cy, double rx, double ry) {
    QPainterPath p;
    p.addEllipse(QPointF(cx, cy), rx, ry);
    return p;
}

// The figures' outlines are finer than the pips'.
void fill(QPainter& p, const QPainterPath& path, QColor c, QColor line = QColor(),
          double width = 0.7) {
    fillPath(p, path, c, line, width);
}

void line(QPainter& p, QPointF a, QPointF b, QColor c, double w) {
    p.setPen(QPen(c, w, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a, b);
}

QColor gold() {
    return QColor(226, 178, 42);
}

void drawBody(QPainter& p, const FaceStyle& st, int suit) {
    const QColor robe = st.robe[suit];
    QPainterPath body;
    // The shoulders reach the sides of the frame, so that the two halves join at the waist.
    body.moveTo(31, 114);
    body.lineTo(31, 99);
    body.cubicTo(34, 84, 50, 77, kCx, 76);
    body.cubicTo(96, 77, 112, 84, 115, 99);
    body.lineTo(115, 114);
    body.closeSubpath();
    QLinearGradient g(31, 0, 115, 0);
    g.setColorAt(0, robe.darker(135));
    g.setColorAt(0.5, robe.lighter(112));
    g.setColorAt(1, robe.darker(135));
    p.setBrush(g);
    p.setPen(Qt::NoPen);
    p.drawPath(body);

    p.save();
    p.setClipPath(body, Qt::IntersectClip);
    QColor second = st.robeSecond;
    switch (st.costume) {
        case 1:  // stripes
            second.setAlpha(170);
            for (double x = 39; x < 110; x += 10) {
                QPainterPath s;
                s.addRect(QRectF(x, 70, 4, 50));
                fill(p, s, second);
            }
            break;
        case 2:  // checks
            second.setAlpha(150);
            for (int i = 0; i < 10; ++i)
                for (int j = 0; j < 6; ++j)
                    if ((i + j) % 2 == 0) {
                        QPainterPath s;
                        s.addRect(QRectF(37 + i * 8, 76 + j * 8, 8, 8));
                        fill(p, s, second);
                    }
            break;
        case 3:  // lozenges
            p.setPen(QPen(st.trim, 0.9));
            for (double d = -60; d < 80; d += 9) {
                p.drawLine(QPointF(37 + d, 76), QPointF(37 + d + 40, 116));
                p.drawLine(QPointF(37 + d + 40, 76), QPointF(37 + d, 116));
            }
            break;
        case 4:  // dots
            p.setPen(Qt::NoPen);
            p.setBrush(st.trim);
            for (int i = 0; i < 10; ++i)
                for (int j = 0; j < 5; ++j)
                    p.drawEllipse(QPointF(40 + i * 8 + (j % 2) * 4, 82 + j * 7), 1.3, 1.3);
            break;
        case 5: {  // a placket with buttons
            QPainterPath band;
            band.addRect(QRectF(kCx - 6, 76, 12, 40));
            fill(p, band, second, kInk, 0.5);
            p.setBrush(st.trim);
            for (int k = 0; k < 4; ++k) p.drawEllipse(QPointF(kCx, 88 + k * 7), 1.5, 1.5);
            break;
        }
        default:
            break;
    }
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kInk, 0.8));
    p.drawPath(body);
}

void drawCollar(QPainter& p, const FaceStyle& st, int rank) {
    if (rank == 2) {
        QPainterPath collar;
        collar.moveTo(kCx - 16, 78);
        collar.lineTo(kCx, 90);
        collar.lineTo(kCx + 16, 78);
        collar.lineTo(kCx + 9, 76);
        collar.lineTo(kCx, 82);
        collar.lineTo(kCx - 9, 76);
        collar.closeSubpath();
        fill(p, collar, st.costume % 2 == 0 ? QColor(250, 250, 250) : st.robeSecond, kInk);
    } else if (rank == 3) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(st.trim, 1.4));
        QPainterPath lace;
        lace.moveTo(kCx - 12, 77);
        lace.quadTo(kCx, 88, kCx + 12, 77);
        p.drawPath(lace);
        for (int k = 0; k <= 4; ++k) {
            const double t = k / 4.0;
            fill(p, ellipse(kCx - 12 + 24 * t, 77 + 22 * t * (1 - t), 1.6, 1.6),
                 QColor(255, 255, 255), kInk, 0.4);
        }
        fill(p, ellipse(kCx, 84.5, 2.4, 3), st.robe[1].lighter(130), kInk, 0.4);
    } else if (st.set % 2 == 0) {
        QPainterPath ermine;
        ermine.moveTo(39, 92);
        ermine.cubicTo(44, 80, 56, 76, kCx, 76);
        ermine.cubicTo(90, 76, 102, 80, 107, 92);
        ermine.lineTo(100, 94);
        ermine.cubicTo(96, 86, 86, 82, kCx, 82);
        ermine.cubicTo(60, 82, 50, 86, 46, 94);
        ermine.closeSubpath();
        fill(p, ermine, QColor(250, 250, 246), kInk);
        for (double x : {48.0, 58.0, 88.0, 98.0}) fill(p, ellipse(x, 86, 1.1, 1.6), kInk);
    } else {
        // A chain of office with a pendant.
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(gold(), 2.0, Qt::DotLine, Qt::RoundCap));
        QPainterPath chain;
        chain.moveTo(kCx - 20, 80);
        chain.quadTo(kCx, 100, kCx + 20, 80);
        p.drawPath(chain);
        fill(p, ellipse(kCx, 92, 4, 4), gold(), kInk, 0.5);
        fill(p, ellipse(kCx, 92, 1.8, 1.8), st.robe[2]);
    }
}

void drawFace(QPainter& p, const FaceStyle& st) {
    fill(
        p,
        [] {
            QPainterPath n;
            n.addRect(QRectF(kCx - 5, 66, 10, 11));
            return n;
        }(),
        st.skin, kInk, 0.6);
    fill(p, ellipse(kCx, 56, 11, 13), st.skin, kInk, 0.8);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(kCx - 4.2, 54.5), 1.2, 1.4);
    p.drawEllipse(QPointF(kCx + 4.2, 54.5), 1.2, 1.4);
    line(p, QPointF(kCx, 55.5), QPointF(kCx - 1, 60), kInk, 0.7);
    QPainterPath mouth;
    mouth.moveTo(kCx - 3, 63);
    mouth.quadTo(kCx, 65, kCx + 3, 63);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(190, 60, 60), 1.0));
    p.drawPath(mouth);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(236, 130, 120, 90));
    p.drawEllipse(QPointF(kCx - 6.5, 60), 2.2, 1.6);
    p.drawEllipse(QPointF(kCx + 6.5, 60), 2.2, 1.6);
}

void drawBeard(QPainter& p, const FaceStyle& st, int rank) {
    const QColor hair = st.hair[rank];
    if (rank == 4 && st.beard != 2) {
        QPainterPath beard;
        beard.moveTo(kCx - 10.5, 58);
        if (st.beard == 0) {
            beard.cubicTo(kCx - 11, 72, kCx - 5, 78, kCx, 80);
            beard.cubicTo(kCx + 5, 78, kCx + 11, 72, kCx + 10.5, 58);
        } else {
            beard.cubicTo(kCx - 9, 68, kCx - 3, 74, kCx, 86);
            beard.cubicTo(kCx + 3, 74, kCx + 9, 68, kCx + 10.5, 58);
        }
        beard.cubicTo(kCx + 7, 64, kCx - 7, 64, kCx - 10.5, 58);
        fill(p, beard, hair, kInk);
    }
    if (rank == 4 || (rank == 2 && st.set % 4 == 1)) {
        QPainterPath moustache;
        moustache.moveTo(kCx - 7, 63.5);
        moustache.quadTo(kCx, 59.5, kCx + 7, 63.5);
        moustache.quadTo(kCx, 61.5, kCx - 7, 63.5);
        fill(p, moustache, hair.darker(115), kInk, 0.5);
    }
}

// Hair that shows under the headgear.
void drawHair(QPainter& p, const FaceStyle& st, int rank) {
    QPainterPath hair;
    hair.moveTo(kCx - 11, 55);
    hair.cubicTo(kCx - 12, 43, kCx + 12, 43, kCx + 11, 55);
    hair.cubicTo(kCx + 6, 48, kCx - 6, 48, kCx - 11, 55);
    fill(p, hair, st.hair[rank], kInk, 0.6);
}

// Long hair or a veil: it leaves the head 14 to each side at top and falls to the hem, widening
// through the half widths at a third and two thirds of the way down to hemHalf.
QPainterPath drape(double top, double hem, double upperHalf, double lowerHalf, double hemHalf) {
    const double third = (hem - top) / 3;
    QPainterPath d;
    d.moveTo(kCx - 14, top);
    d.cubicTo(kCx - upperHalf, top + third, kCx - lowerHalf, top + 2 * third, kCx - hemHalf, hem);
    d.lineTo(kCx + hemHalf, hem);
    d.cubicTo(kCx + lowerHalf, top + 2 * third, kCx + upperHalf, top + third, kCx + 14, top);
    d.cubicTo(kCx + 10, top - 12, kCx - 10, top - 12, kCx - 14, top);
    return d;
}

void drawLongHair(QPainter& p, const FaceStyle& st) {
    fill(p, drape(50, 84, 19, 20, 24), st.hair[3], kInk, 0.8);
}

QPainterPath spikedCrown(double top, double bottom, int points) {
    QPainterPath crown;
    const double half = 14, step = 2 * half / points;
    crown.moveTo(kCx - half + 1, bottom);
    crown.lineTo(kCx - half, top + 5);
    for (int k = 1; k <= points; ++k) {
        const double x = kCx - half + step * k;
        crown.lineTo(x - step / 2, top + 11);
        crown.lineTo(x, k % 2 == 0 ? top : top + 3);
    }
    crown.lineTo(kCx + half, top + 5);
    crown.lineTo(kCx + half - 1, bottom);
    crown.closeSubpath();
    return crown;
}

void fillGold(QPainter& p, const QPainterPath& path, QColor metal) {
    const QRectF r = path.boundingRect();
    QLinearGradient g(0, r.top(), 0, r.bottom());
    g.setColorAt(0, metal.lighter(125));
    g.setColorAt(1, metal.darker(115));
    p.setBrush(g);
    p.setPen(QPen(kInk, 0.7));
    p.drawPath(path);
}

void drawJackHat(QPainter& p, const FaceStyle& st, int suit) {
    const QColor robe = st.robe[suit], second = st.robeSecond;
    switch (st.hat[2]) {
        case 0: {  // a cap with a feather
            QPainterPath cap;
            cap.moveTo(kCx - 15, 47);
            cap.cubicTo(kCx - 16, 33, kCx + 18, 30, kCx + 17, 45);
            cap.cubicTo(kCx + 6, 42, kCx - 6, 42, kCx - 15, 47);
            fill(p, cap, robe, kInk, 0.8);
            QPainterPath feather;
            feather.moveTo(kCx + 10, 40);
            feather.cubicTo(kCx + 16, 31, kCx + 22, 31, kCx + 27, 34);
            feather.cubicTo(kCx + 21, 38, kCx + 16, 40, kCx + 10, 40);
            fill(p, feather, second, kInk, 0.6);
            break;
        }
        case 1: {  // a beret with a knob
            p.save();
            p.translate(kCx + 3, 43);
            p.rotate(-10);
            fill(p, ellipse(0, 0, 18, 6.5), second, kInk, 0.8);
            fill(p, ellipse(0, -6.5, 2, 2), st.trim, kInk, 0.4);
            p.restore();
            break;
        }
        case 2: {  // a helmet with a plume
            QPainterPath plume;
            plume.moveTo(kCx, 32);
            plume.cubicTo(kCx + 6, 22, kCx + 20, 24, kCx + 24, 34);
            plume.cubicTo(kCx + 16, 30, kCx + 8, 31, kCx, 34);
            fill(p, plume, robe.lighter(120), kInk, 0.6);
            QPainterPath helmet;
            helmet.moveTo(kCx - 13, 50);
            helmet.cubicTo(kCx - 14, 30, kCx + 14, 30, kCx + 13, 50);
            helmet.lineTo(kCx - 13, 50);
            fillGold(p, helmet, QColor(186, 190, 200));
            line(p, QPointF(kCx, 48), QPointF(kCx, 58), QColor(150, 154, 166), 2.0);
            break;
        }
        case 3: {  // a turban with a jewel
            for (int k = 0; k < 3; ++k)
                fill(p, ellipse(kCx, 45 - k * 4.5, 15 - k * 2.5, 6), second.darker(100 + k * 8),
                     kInk, 0.6);
            fill(p, ellipse(kCx, 44, 2.4, 2.8), robe, kInk, 0.4);
            break;
        }
        case 4: {  // a three-cornered hat
            QPainterPath hat;
            hat.moveTo(kCx - 21, 47);
            hat.quadTo(kCx - 10, 30, kCx, 31);
            hat.quadTo(kCx + 10, 30, kCx + 21, 47);
            hat.quadTo(kCx, 40, kCx - 21, 47);
            fill(p, hat, QColor(36, 34, 40), st.trim, 1.0);
            break;
        }
        default: {  // a hood's rim over the forehead
            QPainterPath rim;
            rim.moveTo(kCx - 14, 56);
            rim.cubicTo(kCx - 16, 36, kCx + 16, 36, kCx + 14, 56);
            rim.cubicTo(kCx + 10, 44, kCx - 10, 44, kCx - 14, 56);
            fill(p, rim, robe.darker(115), kInk, 0.7);
            break;
        }
    }
}

void drawQueenHat(QPainter& p, const FaceStyle& st) {
    switch (st.hat[3]) {
        case 0: {  // a tiara
            QPainterPath tiara;
            tiara.moveTo(kCx - 11, 44);
            tiara.lineTo(kCx - 9, 38);
            tiara.quadTo(kCx - 5.5, 40, kCx - 4, 36);
            tiara.quadTo(kCx, 31, kCx + 4, 36);
            tiara.quadTo(kCx + 5.5, 40, kCx + 9, 38);
            tiara.lineTo(kCx + 11, 44);
            tiara.quadTo(kCx, 41, kCx - 11, 44);
            fillGold(p, tiara, st.trim);
            for (double x : {kCx - 9, kCx, kCx + 9})
                fill(p, ellipse(x, x == kCx ? 32.5 : 37.5, 1.7, 1.7), QColor(255, 255, 255), kInk,
                     0.4);
            break;
        }
        case 1:  // a small crown
            fillGold(p, spikedCrown(33, 45, 3), gold());
            fill(p, ellipse(kCx, 41, 1.8, 1.8), st.robe[1]);
            break;
        case 2: {  // a veil over the hair, held by a band
            QPainterPath band;
            band.moveTo(kCx - 12, 47);
            band.cubicTo(kCx - 12, 38, kCx + 12, 38, kCx + 12, 47);
            band.cubicTo(kCx + 8, 43, kCx - 8, 43, kCx - 12, 47);
            fill(p, band, st.trim, kInk, 0.6);
            break;
        }
        case 3:  // a wreath of flowers
            for (int k = 0; k < 7; ++k) {
                const double a = M_PI * (0.1 + 0.8 * k / 6.0);
                const QPointF c(kCx - 13 * std::cos(a), 47 - 9 * std::sin(a));
                const QColor petal = k % 2 ? st.robeSecond : st.robe[1].lighter(130);
                for (int q = 0; q < 5; ++q) {
                    const double b = q * 2 * M_PI / 5;
                    fill(p, ellipse(c.x() + 1.6 * std::cos(b), c.y() + 1.6 * std::sin(b), 1.4, 1.4),
                         petal);
                }
                fill(p, ellipse(c.x(), c.y(), 0.9, 0.9), gold());
            }
            break;
        default: {  // a tall cone with a veil from its tip
            QPainterPath veil;
            veil.moveTo(kCx + 10, 26);
            veil.cubicTo(kCx + 26, 34, kCx + 22, 60, kCx + 30, 80);
            veil.lineTo(kCx + 22, 80);
            veil.cubicTo(kCx + 16, 60, kCx + 18, 38, kCx + 9, 30);
            QColor v(250, 250, 255, 170);
            fill(p, veil, v, kInk, 0.4);
            QPainterPath cone;
            cone.moveTo(kCx - 12, 46);
            cone.lineTo(kCx + 10, 26);
            cone.lineTo(kCx + 12, 44);
            cone.quadTo(kCx, 40, kCx - 12, 46);
            fill(p, cone, st.robeSecond, kInk, 0.7);
            break;
        }
    }
}

void drawKingHat(QPainter& p, const FaceStyle& st, int suit) {
    switch (st.hat[4]) {
        case 0:
            fillGold(p, spikedCrown(29, 47, 4), gold());
            fill(p, ellipse(kCx, 43, 2, 2), QColor(200, 20, 40), kInk, 0.4);
            break;
        case 1: {  // an arched crown with an orb
            QPainterPath cap;
            cap.moveTo(kCx - 13, 44);
            cap.cubicTo(kCx - 13, 30, kCx + 13, 30, kCx + 13, 44);
            fill(p, cap, st.robe[suit].darker(110), kInk, 0.6);
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(gold(), 2.2));
            p.drawPath(cap);
            p.drawLine(QPointF(kCx, 33), QPointF(kCx, 44));
            QPainterPath band;
            band.addRect(QRectF(kCx - 14, 43, 28, 5));
            fillGold(p, band, gold());
            fill(p, ellipse(kCx, 30.5, 2.6, 2.6), gold(), kInk, 0.5);
            line(p, QPointF(kCx, 25), QPointF(kCx, 28), gold(), 1.2);
            line(p, QPointF(kCx - 1.6, 26.3), QPointF(kCx + 1.6, 26.3), gold(), 1.2);
            break;
        }
        case 2: {  // a turban with a jewel and a plume
            QPainterPath plume;
            plume.moveTo(kCx, 36);
            plume.cubicTo(kCx - 2, 28, kCx + 3, 24, kCx + 6, 26);
            plume.cubicTo(kCx + 3, 29, kCx + 2, 33, kCx + 1.5, 36);
            fill(p, plume, QColor(250, 250, 250), kInk, 0.5);
            for (int k = 0; k < 3; ++k)
                fill(p, ellipse(kCx, 46 - k * 4, 16 - k * 2, 6.5),
                     st.robeSecond.darker(100 + k * 10), kInk, 0.6);
            fill(p, ellipse(kCx, 41, 3, 3.4), QColor(30, 90, 200), gold(), 1.0);
            break;
        }
        case 3: {  // a laurel wreath
            for (int side = -1; side <= 1; side += 2)
                for (int k = 0; k < 6; ++k) {
                    const double a = M_PI * (0.08 + 0.4 * k / 5.0);
                    const QPointF c(kCx + side * 13 * std::cos(a), 47 - 10 * std::sin(a));
                    p.save();
                    p.translate(c);
                    p.rotate(side * (90 - a * 180 / M_PI) + side * 30);
                    fill(p, ellipse(0, 0, 1.6, 3.4), QColor(60, 130, 50), kInk, 0.3);
                    p.restore();
                }
            break;
        }
        case 4: {  // a fur-trimmed cap with a cross
            QPainterPath dome;
            dome.moveTo(kCx - 12, 44);
            dome.cubicTo(kCx - 12, 28, kCx + 12, 28, kCx + 12, 44);
            fill(p, dome, st.robe[suit], kInk, 0.6);
            QPainterPath fur;
            fur.addRoundedRect(QRectF(kCx - 15, 41, 30, 8), 4, 4);
            fill(p, fur, QColor(120, 80, 46), kInk, 0.6);
            line(p, QPointF(kCx, 24), QPointF(kCx, 31), gold(), 1.4);
            line(p, QPointF(kCx - 2.5, 26.5), QPointF(kCx + 2.5, 26.5), gold(), 1.4);
            break;
        }
        default: {  // a tall crown with a fur rim
            QPainterPath crown;
            crown.moveTo(kCx - 13, 46);
            crown.lineTo(kCx - 11, 28);
            crown.quadTo(kCx, 24, kCx + 11, 28);
            crown.lineTo(kCx + 13, 46);
            crown.closeSubpath();
            fillGold(p, crown, st.trim);
            for (double x : {kCx - 6, kCx, kCx + 6})
                fill(p, ellipse(x, 36, 1.6, 2.4), st.robe[suit].darker(120));
            QPainterPath rim;
            rim.addRoundedRect(QRectF(kCx - 14, 43, 28, 6), 3, 3);
            fill(p, rim, QColor(250, 250, 246), kInk, 0.6);
            break;
        }
    }
}

// The sword, flower or sceptre by the figure's shoulder.
void drawItem(QPainter& p, const FaceStyle& st, int rank) {
    p.save();
    if (st.itemLeft) {
        p.translate(2 * kCx, 0);
        p.scale(-1, 1);
    }
    if (rank == 2) {
        line(p, QPointF(103, 112), QPointF(103, 38), QColor(120, 80, 40), 1.8);
        QPainterPath blade;
        blade.moveTo(103, 28);
        blade.lineTo(106, 38);
        blade.lineTo(100, 38);
        blade.closeSubpath();
        fill(p, blade, QColor(200, 204, 214), kInk, 0.5);
        line(p, QPointF(99, 39), QPointF(107, 39), kInk, 1.2);
    } else if (rank == 3) {
        line(p, QPointF(98, 100), QPointF(101, 72), QColor(50, 120, 50), 1.2);
        for (int q = 0; q < 6; ++q) {
            const double b = q * M_PI / 3;
            fill(p, ellipse(101 + 3 * std::cos(b), 69 + 3 * std::sin(b), 2.2, 2.2),
                 st.robeSecond.lighter(110), kInk, 0.3);
        }
        fill(p, ellipse(101, 69, 1.6, 1.6), gold());
    } else {
        line(p, QPointF(103, 112), QPointF(103, 58), gold(), 2.2);
        fill(p, ellipse(103, 55, 3.4, 3.4), gold(), kInk, 0.5);
        fill(p, ellipse(103, 55, 1.4, 1.4), st.robe[1]);
    }
    p.restore();
}

}  // namespace

void drawBust(QPainter& p, const FaceStyle& st, int rank, int suit) {
    const bool veil = rank == 3 && st.hat[3] == 2;
    if (rank == 3 && st.hat[3] != 4 && !veil) drawLongHair(p, st);
    if (rank == 2 && st.hat[2] == 5)
        fill(p, ellipse(kCx, 58, 18, 22), st.robe[suit].darker(125), kInk, 0.7);  // the hood
    if (veil) fill(p, drape(46, 86, 20, 24, 26), QColor(248, 248, 252), kInk, 0.7);
    drawBody(p, st, suit);
    drawItem(p, st, rank);
    drawCollar(p, st, rank);
    drawFace(p, st);
    drawBeard(p, st, rank);
    if (!(rank == 2 && st.hat[2] == 5)) drawHair(p, st, rank);
    if (rank == 2)
        drawJackHat(p, st, suit);
    else if (rank == 3)
        drawQueenHat(p, st);
    else
        drawKingHat(p, st, suit);
}

FaceStyle builtInCourtStyle() {
    FaceStyle st;
    st.set = 0;  // an even set: the king wears ermine, the jack no moustache
    st.robe[1] = suitColour(1);
    st.robe[2] = suitColour(2);
    st.robe[3] = st.robe[4] = QColor(34, 38, 52);
    st.robeSecond = QColor(250, 250, 250);
    st.trim = gold();
    st.skin = QColor(248, 218, 184);
    st.hair[2] = QColor(112, 72, 36);
    st.hair[3] = QColor(196, 140, 52);
    st.hair[4] = QColor(214, 210, 200);
    return st;  // plain costume, cap, tiara, crown, full beard, items on the right
}

}  // namespace orvala::artgen
