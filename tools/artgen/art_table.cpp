// The table's own pictures: the cloth, the panels and bubbles, the signs of the scoreboard, the
// trump symbols, the title, the logo and the own cursors.

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

#include "art_painter.h"
#include "art_shapes.h"
#include "table/art_names.h"

namespace orvala::artgen {
namespace {

const QColor kInk(40, 30, 30);

// A painter scaled so that the picture's design size maps onto the image.
struct DesignPainter : QPainter {
    DesignPainter(QImage* img, double designW, double designH) : QPainter(img) {
        setRenderHint(QPainter::Antialiasing);
        scale(img->width() / designW, img->height() / designH);
    }
};

void stroke(QPainter& p, QColor c, double w) {
    p.setPen(QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

// The opaque form of a panel drawn with alpha: each pixel is the panel's or the key colour, never
// a blend of the two, so that leaving out the key leaves no fringe of it.
QImage onPanelKey(const QImage& drawn) {
    const QImage argb = drawn.convertToFormat(QImage::Format_ARGB32);
    QImage out(drawn.size(), QImage::Format_RGB32);
    const QRgb key = qRgb(art::kPanelKeyRed, art::kPanelKeyGreen, art::kPanelKeyBlue);
    for (int y = 0; y < out.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            line[x] = qAlpha(in[x]) >= 128 ? qRgb(qRed(in[x]), qGreen(in[x]), qBlue(in[x])) : key;
    }
    return out;
}

// A cream panel with a double brown frame and rounded corners.
void drawPanelGround(QPainter& p, double w, double h) {
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, QColor(255, 252, 240));
    g.setColorAt(1, QColor(238, 228, 204));
    p.setBrush(g);
    stroke(p, QColor(122, 86, 36), 2);
    p.drawRoundedRect(QRectF(1, 1, w - 2, h - 2), 9, 9);
    p.setBrush(Qt::NoBrush);
    stroke(p, QColor(204, 170, 96), 1);
    p.drawRoundedRect(QRectF(4.5, 4.5, w - 9, h - 9), 6, 6);
}

}  // namespace

QImage drawCloth(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    // Features are sized on the design width, so both sizes look like the same cloth.
    const double k = w / 760.0;
    const double cx = (w - 1) / 2.0, cy = (h - 1) / 2.0;
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const double n = 0.55 * valueNoise(x, y, 90 * k, 0x0fa1u) +
                             0.30 * valueNoise(x, y, 24 * k, 0x51e2u) +
                             0.15 * valueNoise(x, y, 6 * k, 0x9b37u);
            const double grain = hashNoise(x, y, 0x7731u) - 0.5;
            const double weave =
                ((x + y) % 4 == 0 ? -0.035 : 0.0) + ((x - y) % 6 == 0 ? 0.02 : 0.0);
            const double dx = (x - cx) / cx, dy = (y - cy) / cy;
            const double vignette = 1.0 - 0.2 * (dx * dx + dy * dy);
            const double v = (0.84 + 0.32 * n + weave) * vignette + 0.05 * grain;
            line[x] = qRgb(std::clamp(static_cast<int>(std::lround(30 * v)), 0, 255),
                           std::clamp(static_cast<int>(std::lround(122 * v)), 0, 255),
                           std::clamp(static_cast<int>(std::lround(58 * v)), 0, 255));
        }
    }
    return img;
}

// Seat panel, design 155 x 95: faint rules part the deal points from the lower row of mark,
// score and bid so that the figures read as three fields.
QImage drawSeatPanel(int w, int h, bool opaque) {
    QImage img = blank(w, h);
    {
        DesignPainter p(&img, 155, 95);
        drawPanelGround(p, 155, 95);
        stroke(p, QColor(214, 194, 150), 1);
        p.drawLine(QPointF(14, 48), QPointF(141, 48));
        p.drawLine(QPointF(52.5, 53), QPointF(52.5, 80));
        p.drawLine(QPointF(102.5, 53), QPointF(102.5, 80));
    }
    return opaque ? onPanelKey(img) : img;
}

// Deal-information panel, design 120 x 150: the round above, the trump below a rule.
QImage drawDealPanel(int w, int h, bool opaque) {
    QImage img = blank(w, h);
    {
        DesignPainter p(&img, 120, 150);
        drawPanelGround(p, 120, 150);
        stroke(p, QColor(214, 194, 150), 1);
        p.drawLine(QPointF(14, 50), QPointF(106, 50));
        p.setBrush(QColor(250, 244, 226));
        p.drawEllipse(QPointF(60, 103), 24, 24);
    }
    return opaque ? onPanelKey(img) : img;
}

// Speech bubble, design 160 x 20: a rounded band dark enough for white text, with a gloss.
QImage drawBubble(QColor fill, int w, int h) {
    QImage img = blank(w, h);
    DesignPainter p(&img, 160, 20);
    QLinearGradient g(0, 0, 0, 20);
    g.setColorAt(0, fill.lighter(135));
    g.setColorAt(0.5, fill);
    g.setColorAt(1, fill.darker(125));
    p.setBrush(g);
    stroke(p, fill.darker(180), 1);
    p.drawRoundedRect(QRectF(0.5, 0.5, 159, 19), 9.5, 9.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 60));
    p.drawRoundedRect(QRectF(6, 2, 148, 7), 3.5, 3.5);
    return img;
}

// A hand with the index finger pointing up (or, turned, down), design 40 x 60.
QImage drawTurnMark(bool up, int w, int h) {
    QImage img = blank(w, h);
    DesignPainter p(&img, 40, 60);
    if (!up) {
        p.translate(40, 60);
        p.rotate(180);
    }
    const QColor skin(250, 208, 164), line(136, 80, 40);
    QPainterPath hand;
    hand.setFillRule(Qt::WindingFill);
    hand.addRoundedRect(QRectF(15.5, 3, 9, 30), 4.5, 4.5);  // index finger
    hand.addRoundedRect(QRectF(8, 24, 25, 24), 7, 7);       // fist
    hand.addEllipse(QRectF(4, 27, 10, 15));                 // thumb
    p.setBrush(skin);
    stroke(p, line, 1.6);
    p.drawPath(hand.simplified());
    stroke(p, line, 1.1);
    for (double y : {32.0, 38.0, 44.0}) p.drawLine(QPointF(25, y), QPointF(32, y));
    p.setBrush(QColor(40, 90, 190));
    stroke(p, QColor(20, 40, 110), 1.2);
    p.drawRoundedRect(QRectF(9, 47, 23, 11), 2.5, 2.5);  // cuff
    return img;
}

// A wooden barrel with two iron hoops, design 42 x 60.
QImage drawBarrel(int w, int h) {
    QImage img = blank(w, h);
    DesignPainter p(&img, 42, 60);
    QPainterPath body;
    body.moveTo(9, 4);
    body.cubicTo(1, 20, 1, 40, 9, 56);
    body.lineTo(33, 56);
    body.cubicTo(41, 40, 41, 20, 33, 4);
    body.closeSubpath();
    QLinearGradient g(2, 0, 40, 0);
    g.setColorAt(0, QColor(104, 56, 22));
    g.setColorAt(0.45, QColor(196, 128, 62));
    g.setColorAt(1, QColor(96, 50, 20));
    p.setBrush(g);
    stroke(p, QColor(58, 30, 10), 1.4);
    p.drawPath(body);
    stroke(p, QColor(78, 40, 14), 0.9);
    for (double f : {-0.55, -0.2, 0.2, 0.55}) {
        QPainterPath stave;
        stave.moveTo(21 + 12 * f, 4);
        stave.quadTo(21 + 19 * f, 30, 21 + 12 * f, 56);
        p.setBrush(Qt::NoBrush);
        p.drawPath(stave);
    }
    stroke(p, QColor(70, 72, 82), 3.2);
    p.drawLine(QPointF(5.4, 15), QPointF(36.6, 15));
    p.drawLine(QPointF(5.4, 45), QPointF(36.6, 45));
    p.setBrush(QColor(150, 96, 46));
    stroke(p, QColor(58, 30, 10), 1.2);
    p.drawEllipse(QRectF(9, 1.5, 24, 5));
    return img;
}

// A hexagon-headed bolt with its thread, design 32 x 60.
QImage drawBolt(int w, int h) {
    QImage img = blank(w, h);
    DesignPainter p(&img, 32, 60);
    QLinearGradient metal(4, 0, 28, 0);
    metal.setColorAt(0, QColor(96, 100, 110));
    metal.setColorAt(0.4, QColor(222, 226, 234));
    metal.setColorAt(1, QColor(84, 88, 98));
    // Shank with the thread.
    p.setBrush(metal);
    stroke(p, QColor(44, 46, 54), 1.1);
    p.drawRect(QRectF(10, 16, 12, 41));
    stroke(p, QColor(60, 62, 72), 1.0);
    for (double y = 22; y < 56; y += 4) p.drawLine(QPointF(10, y + 2), QPointF(22, y));
    // Washer and head.
    p.setBrush(metal);
    stroke(p, QColor(44, 46, 54), 1.2);
    p.drawRect(QRectF(5, 14, 22, 4));
    QPolygonF head;
    head << QPointF(4, 5) << QPointF(9, 2) << QPointF(23, 2) << QPointF(28, 5) << QPointF(28, 14)
         << QPointF(4, 14);
    p.drawPolygon(head);
    stroke(p, QColor(70, 72, 82), 0.9);
    p.drawLine(QPointF(11, 3), QPointF(11, 14));
    p.drawLine(QPointF(21, 3), QPointF(21, 14));
    return img;
}

// A clock face, design 50 x 50; the seconds are written over its plain middle.
QImage drawClock(QColor ground, int w, int h) {
    QImage img = blank(w, h);
    DesignPainter p(&img, 50, 50);
    QRadialGradient g(QPointF(20, 18), 30);
    g.setColorAt(0, ground.lighter(130));
    g.setColorAt(1, ground.darker(115));
    p.setBrush(g);
    stroke(p, ground.darker(190), 2.4);
    p.drawEllipse(QRectF(2, 2, 46, 46));
    for (int k = 0; k < 12; ++k) {
        const double a = k * M_PI / 6;
        const double r1 = k % 3 == 0 ? 16.5 : 18.5, r2 = 21;
        stroke(p, ground.darker(190), k % 3 == 0 ? 2.0 : 1.2);
        p.drawLine(QPointF(25 + r1 * std::cos(a), 25 + r1 * std::sin(a)),
                   QPointF(25 + r2 * std::cos(a), 25 + r2 * std::sin(a)));
    }
    return img;
}

// The 20 x 20 trump symbol is a bitmap on the transparent key colour; the 40 x 40 one has alpha.
QImage drawSymbolBitmap(int suit) {
    QImage img =
        blank(20, 20, QColor(art::kSymbolKeyRed, art::kSymbolKeyGreen, art::kSymbolKeyBlue));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(suitColour(suit));
    p.drawPath(suitPath(suit, QRectF(2, 2, 16, 16)));
    return img;
}

QImage drawSymbolPng(int suit) {
    QImage img = blank(40, 40);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath path = suitPath(suit, QRectF(4, 3, 32, 34));
    stroke(p, QColor(255, 255, 255, 200), 3);
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(QPen(suitColour(suit).darker(150), 0.8));
    QLinearGradient g(0, 3, 0, 37);
    g.setColorAt(0, suitColour(suit).lighter(suit <= 2 ? 125 : 250));
    g.setColorAt(1, suitColour(suit));
    p.setBrush(g);
    p.drawPath(path);
    return img;
}

// The title, designed at 300 x 90 and drawn at three times that: the name in gold on a dark
// band, a suit at each end.
QImage drawTitle(int w, int h) {
    QImage img = blank(w, h);
    DesignPainter p(&img, 300, 90);
    p.setBrush(QColor(16, 28, 20, 220));
    stroke(p, QColor(214, 176, 64), 2.4);
    p.drawRoundedRect(QRectF(2, 2, 296, 86), 14, 14);
    stroke(p, QColor(214, 176, 64, 150), 0.8);
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(6, 6, 288, 78), 11, 11);
    const QPainterPath name = fittedText("ORVALA", titleFont(), QRectF(50, 22, 200, 46), false);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 150));
    p.drawPath(name.translated(1.6, 1.8));
    QLinearGradient gold(0, 18, 0, 72);
    gold.setColorAt(0, QColor(255, 238, 150));
    gold.setColorAt(0.55, QColor(232, 176, 44));
    gold.setColorAt(1, QColor(170, 110, 20));
    p.setBrush(gold);
    p.setPen(QPen(QColor(110, 70, 10), 0.8));
    p.drawPath(name);
    for (const auto& [suit, x] : {std::pair{1, 16.0}, std::pair{4, 258.0}}) {
        p.setBrush(suit == 1 ? QColor(220, 40, 50) : QColor(236, 236, 236));
        p.setPen(QPen(QColor(214, 176, 64), 0.8));
        p.drawPath(suitPath(suit, QRectF(x, 30, 26, 30)));
    }
    return img;
}

// The logo of the title screen: three fanned cards, design 120 x 80.
QImage drawLogo(int w, int h) {
    QImage img = blank(w, h);
    DesignPainter p(&img, 120, 80);
    const int suits[3] = {4, 1, 3};
    for (int k = 0; k < 3; ++k) {
        p.save();
        p.translate(60, 78);
        p.rotate(-22 + 22 * k);
        p.setBrush(QColor(252, 251, 246));
        stroke(p, QColor(70, 70, 70), 1);
        const QRectF card(-20, -72, 40, 56);
        p.drawRoundedRect(card, 4, 4);
        p.setPen(Qt::NoPen);
        p.setBrush(suitColour(suits[k]));
        p.drawPath(suitPath(suits[k], QRectF(-11, -58, 22, 24)));
        p.restore();
    }
    return img;
}

QImage drawNoticeBar(int w, int h) {
    QImage img = blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient ground(0, 0, 0, h);
    ground.setColorAt(0, QColor(255, 246, 206));
    ground.setColorAt(0.5, QColor(246, 224, 150));
    ground.setColorAt(1, QColor(214, 178, 92));
    p.setBrush(ground);
    p.setPen(QPen(QColor(92, 60, 20), h / 20.0));
    const double inset = h / 40.0;
    p.drawRoundedRect(QRectF(inset, inset, w - 2 * inset, h - 2 * inset), h / 5.0, h / 5.0);
    return img;
}

// The own cursors, 32 x 32; their hot spots are in art_names.h.
QImage drawCursor(int which) {
    QImage img = blank(32, 32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    stroke(p, Qt::black, 1.4);
    if (which == 0) {  // pointing hand, finger tip at (12, 1)
        QPainterPath hand;
        hand.setFillRule(Qt::WindingFill);
        hand.addRoundedRect(QRectF(9.2, 1, 5.6, 17), 2.8, 2.8);
        hand.addRoundedRect(QRectF(8, 12, 17, 15), 4.5, 4.5);
        hand.addEllipse(QRectF(4, 14, 7, 10));
        p.setBrush(Qt::white);
        p.drawPath(hand.simplified());
        stroke(p, Qt::black, 1.0);
        for (double x : {16.5, 20.5}) p.drawLine(QPointF(x, 12.5), QPointF(x, 17));
        p.setBrush(QColor(40, 90, 190));
        stroke(p, Qt::black, 1.2);
        p.drawRect(QRectF(9, 26.5, 15, 4.5));
    } else if (which == 1) {  // arrow, point at (1, 1)
        QPolygonF arrow;
        arrow << QPointF(1, 1) << QPointF(1, 23) << QPointF(6.5, 18) << QPointF(10.5, 27.5)
              << QPointF(14.5, 25.8) << QPointF(10.5, 16.5) << QPointF(17.5, 16.5);
        p.setBrush(Qt::white);
        p.drawPolygon(arrow);
    } else {  // hourglass, waist at (16, 16)
        p.setBrush(QColor(120, 70, 30));
        p.drawRect(QRectF(6, 1.5, 20, 3));
        p.drawRect(QRectF(6, 27.5, 20, 3));
        QPainterPath glass;
        glass.moveTo(8, 4.5);
        glass.lineTo(24, 4.5);
        glass.cubicTo(24, 11, 18, 13, 17, 16);
        glass.cubicTo(18, 19, 24, 21, 24, 27.5);
        glass.lineTo(8, 27.5);
        glass.cubicTo(8, 21, 14, 19, 15, 16);
        glass.cubicTo(14, 13, 8, 11, 8, 4.5);
        p.setBrush(QColor(230, 240, 250));
        p.drawPath(glass);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(230, 186, 70));
        QPainterPath sand;
        sand.moveTo(11, 9);
        sand.lineTo(21, 9);
        sand.quadTo(18, 13, 16, 15.5);
        sand.quadTo(14, 13, 11, 9);
        sand.moveTo(9.5, 26.5);
        sand.quadTo(16, 19, 22.5, 26.5);
        sand.closeSubpath();
        p.drawPath(sand);
    }
    return img;
}

}  // namespace orvala::artgen
