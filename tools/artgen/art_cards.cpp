// The built-in card faces and backs. Faces are laid out on a 146 x 198 master and scaled to the
// bitmap size; only the corner indices get their own, relatively larger, layout on the bitmaps so
// that they stay readable at 69 x 94.

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>

#include "art_court.h"
#include "art_painter.h"
#include "art_shapes.h"
#include "table/art_names.h"

namespace orvala::artgen {
namespace {

constexpr double kMasterW = 146, kMasterH = 198;
const QColor kPaper(252, 251, 246);
const QColor kGold(226, 178, 42);

// A pip centred on (cx, cy); pips below the middle of the card stand on their heads.
void drawPip(QPainter& p, int suit, double cx, double cy, double w, double h, bool turned) {
    p.save();
    p.translate(cx, cy);
    if (turned) p.rotate(180);
    fillPath(p, suitPath(suit, QRectF(-w / 2, -h / 2, w, h)), suitColour(suit));
    p.restore();
}

// Rank and suit in the top left corner and, turned, in the bottom right one.
void drawIndices(QPainter& p, int rank, int suit, int w, int h, bool bitmap) {
    const QRectF rankBox = bitmap ? QRectF(1.5, 2, 13, 15) : QRectF(4, 6, 22, 26);
    const QRectF pipBox = bitmap ? QRectF(2.5, 18.5, 11, 11) : QRectF(6, 36, 18, 19);
    const QPainterPath text = fittedText(art::kRankIndex[rank], artFont(true), rankBox);
    const QPainterPath pip = suitPath(suit, pipBox);
    for (int turn = 0; turn < 2; ++turn) {
        p.save();
        if (turn == 1) {
            p.translate(w, h);
            p.rotate(180);
        }
        fillPath(p, text, suitColour(suit));
        fillPath(p, pip, suitColour(suit));
        p.restore();
    }
}

// The classic layouts of the nine (four, one, four) and the ten (four, two, four), master units.
void drawPips(QPainter& p, int rank, int suit) {
    const double pw = 26, ph = 29;
    const double left = 51, right = 95, mid = 73;
    const double rows[4] = {44, 44 + 110.0 / 3, 44 + 220.0 / 3, 154};
    for (double y : rows) {
        drawPip(p, suit, left, y, pw, ph, y > 99);
        drawPip(p, suit, right, y, pw, ph, y > 99);
    }
    if (rank == 1) {
        drawPip(p, suit, mid, 99, pw, ph, false);
    } else {
        drawPip(p, suit, mid, (rows[0] + rows[1]) / 2, pw, ph, false);
        drawPip(p, suit, mid, (rows[2] + rows[3]) / 2, pw, ph, true);
    }
}

void drawAce(QPainter& p, int suit) {
    const QColor c = suitColour(suit);
    QColor ring = c;
    ring.setAlpha(70);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ring, 1.6));
    p.drawEllipse(QPointF(73, 99), 48, 54);
    p.setPen(QPen(ring, 0.8));
    p.drawEllipse(QPointF(73, 99), 44, 50);
    fillPath(p, suitPath(suit, QRectF(73 - 34, 99 - 37, 68, 74)), c, c.darker(140), 1.2);
}

void drawCourt(QPainter& p, int rank, int suit) {
    const QColor c = suitColour(suit);
    static const FaceStyle court = builtInCourtStyle();
    const QRectF frame(33, 24, 80, 150);
    const QColor tint = suit <= 2 ? QColor(252, 236, 226) : QColor(232, 238, 248);
    p.setPen(Qt::NoPen);
    p.setBrush(tint);
    p.drawRect(frame);
    for (int half = 0; half < 2; ++half) {
        p.save();
        p.setClipRect(frame);
        if (half == 1) {
            p.translate(73, 99);
            p.rotate(180);
            p.translate(-73, -99);
        }
        p.setClipRect(QRectF(33, 24, 80, 75));
        drawBust(p, court, rank, suit);
        fillPath(p, fittedText(art::kRankIndex[rank], artFont(true), QRectF(37, 28, 13, 15)), c);
        fillPath(p, suitPath(suit, QRectF(97, 28, 12, 13)), c);
        p.restore();
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kGold, 1.0));
    p.drawLine(QPointF(33, 99), QPointF(113, 99));
    p.drawRect(frame.adjusted(2.5, 2.5, -2.5, -2.5));
    p.setPen(QPen(c, 1.6));
    p.drawRect(frame);
}

// The seven backs, each its own ground and pattern, on the master.
void drawBackPattern(QPainter& p, int style, const QRectF& inner) {
    static const QColor kGround[7] = {QColor(28, 52, 130), QColor(150, 22, 36), QColor(22, 102, 60),
                                      QColor(84, 40, 118), QColor(24, 24, 28),  QColor(176, 96, 26),
                                      QColor(18, 110, 128)};
    static const QColor kLine[7] = {
        QColor(222, 186, 70), QColor(246, 226, 196), QColor(232, 236, 150), QColor(226, 196, 246),
        QColor(214, 44, 44),  QColor(110, 54, 12),   QColor(246, 250, 250)};
    const QColor line = kLine[style];
    p.setPen(Qt::NoPen);
    p.setBrush(kGround[style]);
    p.drawRoundedRect(inner, 5, 5);
    p.save();
    p.setClipRect(inner);
    const QPointF c = inner.center();
    switch (style) {
        case 0: {  // a diagonal lattice with knots
            p.setPen(QPen(line, 1.6));
            for (double d = -inner.height(); d < inner.width(); d += 13) {
                p.drawLine(QPointF(inner.left() + d, inner.top()),
                           QPointF(inner.left() + d + inner.height(), inner.bottom()));
                p.drawLine(QPointF(inner.left() + d + inner.height(), inner.top()),
                           QPointF(inner.left() + d, inner.bottom()));
            }
            break;
        }
        case 1: {  // a rosette of rings and rays
            p.setPen(QPen(line, 1.4));
            p.setBrush(Qt::NoBrush);
            for (double r = 8; r < 120; r += 9) p.drawEllipse(c, r, r);
            for (int k = 0; k < 24; ++k) {
                const double a = k * M_PI / 12;
                p.drawLine(c, c + QPointF(std::cos(a) * 130, std::sin(a) * 130));
            }
            break;
        }
        case 2: {  // a chequer of dots
            p.setBrush(line);
            int row = 0;
            for (double y = inner.top() + 6; y < inner.bottom(); y += 10, ++row)
                for (double x = inner.left() + (row % 2 ? 11 : 6); x < inner.right(); x += 10)
                    p.drawEllipse(QPointF(x, y), 2.4, 2.4);
            break;
        }
        case 3: {  // stripes and a medallion
            p.setPen(QPen(line, 1.2));
            for (double y = inner.top() + 4; y < inner.bottom(); y += 7)
                p.drawLine(QPointF(inner.left(), y), QPointF(inner.right(), y));
            QPolygonF diamond;
            diamond << QPointF(c.x(), c.y() - 52) << QPointF(c.x() + 40, c.y())
                    << QPointF(c.x(), c.y() + 52) << QPointF(c.x() - 40, c.y());
            p.setPen(QPen(line, 2));
            p.setBrush(kGround[style]);
            p.drawPolygon(diamond);
            p.setBrush(line);
            p.drawEllipse(c, 14, 14);
            break;
        }
        case 4: {  // waves
            p.setPen(QPen(line, 1.8));
            p.setBrush(Qt::NoBrush);
            for (double y = inner.top() - 4; y < inner.bottom() + 8; y += 11) {
                QPainterPath wave;
                wave.moveTo(inner.left(), y);
                for (double x = inner.left(); x <= inner.right() + 2; x += 2)
                    wave.lineTo(x, y + 4 * std::sin((x - inner.left()) / 8.0));
                p.drawPath(wave);
            }
            break;
        }
        case 5: {  // a basket chequer
            p.setBrush(line);
            const double step = 13;
            int row = 0;
            for (double y = inner.top(); y < inner.bottom(); y += step, ++row) {
                int col = 0;
                for (double x = inner.left(); x < inner.right(); x += step, ++col)
                    if ((row + col) % 2 == 0)
                        p.drawRect(QRectF(x + 1.5, y + 1.5, step - 3, step - 3));
            }
            break;
        }
        default: {  // a flower with twelve petals and a ring of small stars
            p.setPen(QPen(line, 1));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(c, 56, 56);
            for (int k = 0; k < 16; ++k) {
                const double a = k * M_PI / 8;
                const QPointF q = c + QPointF(std::cos(a) * 66, std::sin(a) * 80);
                p.setBrush(line);
                p.drawEllipse(q, 2.6, 2.6);
            }
            for (int k = 0; k < 12; ++k) {
                p.save();
                p.translate(c);
                p.rotate(k * 30);
                QPainterPath petal;
                petal.moveTo(0, 0);
                petal.cubicTo(12, -14, 8, -40, 0, -48);
                petal.cubicTo(-8, -40, -12, -14, 0, 0);
                p.setBrush(QColor(line.red(), line.green(), line.blue(), 170));
                p.setPen(QPen(line, 0.8));
                p.drawPath(petal);
                p.restore();
            }
            p.setBrush(kGold);
            p.drawEllipse(c, 7, 7);
            break;
        }
    }
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(line, 1.4));
    p.drawRoundedRect(inner.adjusted(3, 3, -3, -3), 3, 3);
}

}  // namespace

QImage drawFace(int rank, int suit, bool bitmap) {
    const int w = bitmap ? art::kBitmapFaceWidth : art::kPngFaceWidth;
    const int h = bitmap ? art::kBitmapFaceHeight : art::kPngFaceHeight;
    QImage img = bitmap ? blank(w, h, kPaper) : blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    if (!bitmap) {
        // Rounded corners of radius 8: the table's marks cut the same corners.
        p.setPen(QPen(QColor(110, 110, 110), 1));
        p.setBrush(kPaper);
        p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 8, 8);
    }
    drawIndices(p, rank, suit, w, h, bitmap);
    p.scale(w / kMasterW, h / kMasterH);
    if (rank == 1 || rank == 5)
        drawPips(p, rank, suit);
    else if (rank == 6)
        drawAce(p, suit);
    else
        drawCourt(p, rank, suit);
    return img;
}

QImage drawBack(int style, bool bitmap) {
    const int w = bitmap ? art::kBitmapFaceWidth : art::kPngFaceWidth;
    const int h = bitmap ? art::kBitmapFaceHeight : art::kPngFaceHeight;
    QImage img = bitmap ? blank(w, h, kPaper) : blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    if (!bitmap) {
        p.setPen(QPen(QColor(110, 110, 110), 1));
        p.setBrush(kPaper);
        p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 8, 8);
    }
    p.scale(w / kMasterW, h / kMasterH);
    drawBackPattern(p, style, bitmap ? QRectF(5, 5, 136, 188) : QRectF(8, 8, 130, 182));
    return img;
}

QImage drawNarrowBack(int style) {
    const int w = art::kNarrowPngFaceWidth, h = art::kPngFaceHeight;
    QImage img = blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(110, 110, 110), 1));
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 8, 8);
    // Unscaled: the pattern keeps its proportions and the narrower frame clips it.
    drawBackPattern(p, style, QRectF(8, 8, w - 16, h - 16));
    return img;
}

}  // namespace orvala::artgen
