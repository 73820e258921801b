// The main menu's decorations: a card turning about its upright axis, an ace on one side and a
// back on the other, over a soft golden glow. The glow stays, so the frames differ only where
// the card is.

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <cmath>
#include <numbers>

#include "art_painter.h"
#include "art_shapes.h"
#include "table/art_names.h"

namespace orvala::artgen {
namespace {

constexpr double kDesign = 80;  // a frame's design size
const QRectF kCard(-22, -31, 44, 62);

void drawAce(QPainter& p, int suit) {
    p.setPen(QPen(QColor(70, 60, 50), 1.0));
    p.setBrush(QColor(253, 251, 244));
    p.drawRoundedRect(kCard, 5, 5);
    p.setPen(Qt::NoPen);
    fillPath(p, suitPath(suit, QRectF(-12, -13, 24, 26)), suitColour(suit));
    for (const auto& [x, y, flip] :
         {std::tuple{-18.0, -28.0, false}, std::tuple{18.0, 28.0, true}}) {
        p.save();
        p.translate(x, y);
        if (flip) p.rotate(180);
        fillPath(p, fittedText("A", artFont(), QRectF(0, 0, 7, 9)), suitColour(suit));
        fillPath(p, suitPath(suit, QRectF(0.5, 10.5, 6, 6.5)), suitColour(suit));
        p.restore();
    }
}

void drawCardBack(QPainter& p) {
    QLinearGradient g(0, kCard.top(), 0, kCard.bottom());
    g.setColorAt(0, QColor(150, 28, 40));
    g.setColorAt(1, QColor(96, 14, 26));
    p.setPen(QPen(QColor(60, 20, 20), 1.0));
    p.setBrush(g);
    p.drawRoundedRect(kCard, 5, 5);
    // A gold lattice inside a gold frame.
    const QRectF inner = kCard.adjusted(4, 4, -4, -4);
    p.save();
    p.setClipRect(inner);
    p.setPen(QPen(QColor(226, 184, 84, 170), 0.8));
    for (double d = -70; d <= 70; d += 7) {
        p.drawLine(QPointF(d - 40, -40), QPointF(d + 40, 40));
        p.drawLine(QPointF(d + 40, -40), QPointF(d - 40, 40));
    }
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(236, 196, 96), 1.2));
    p.drawRoundedRect(inner, 3, 3);
}

}  // namespace

QImage drawMenuFilm(int suit) {
    constexpr int n = art::kMenuFilmFrames, side = art::kMenuFilmFrameSize;
    QImage img = blank(n * side, side);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    for (int f = 0; f < n; ++f) {
        p.save();
        p.translate(f * side, 0);
        p.setClipRect(QRectF(0, 0, side, side));
        p.scale(side / kDesign, side / kDesign);
        p.translate(kDesign / 2, kDesign / 2);
        QRadialGradient glow(0, 0, 38);
        glow.setColorAt(0, QColor(255, 230, 150, 150));
        glow.setColorAt(0.6, QColor(240, 190, 80, 60));
        glow.setColorAt(1, QColor(220, 160, 40, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(QPointF(0, 0), 38, 38);
        // Frame 1 shows the face whole; the card turns once in a film.
        const double turn = std::cos(2 * std::numbers::pi * f / n);
        p.scale(std::max(std::abs(turn), 0.03), 1);
        if (turn >= 0)
            drawAce(p, suit);
        else
            drawCardBack(p);
        p.restore();
    }
    return img;
}

}  // namespace orvala::artgen
