// The drawing of every built-in picture of the game. Everything is computed here: shapes,
// patterns and text in free fonts; nothing is drawn by hand or copied.

#include "art_painter.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace orvala::artgen {
namespace {

QFont uiFont(int pixel, bool bold = false) {
    QFont f;
    f.setFamilies({"Comic Neue", "DejaVu Sans", "WenQuanYi Zen Hei"});
    f.setPixelSize(std::max(6, pixel));
    f.setBold(bold);
    return f;
}

const char* const kRankText[7] = {"", "9", "J", "Q", "K", "10", "A"};
const char16_t kSuitSymbol[5] = {0, u'\u2665', u'\u2666', u'\u2663', u'\u2660'};

QColor suitColour(int suit) { return suit <= 2 ? QColor(200, 20, 30) : QColor(20, 20, 20); }


// A card face drawn at its size: indices in two corners, pips or a figure in the middle.
QImage drawFace(int rank, int suit, int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double radius = w / 12.0;
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(QColor(252, 252, 248));
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), radius, radius);
    if (rank < 1 || rank > 6 || suit < 1 || suit > 4) return img;
    const QColor colour = suitColour(suit);
    const QString idx = QString::fromLatin1(kRankText[rank]);
    const QString sym = QString(QChar(kSuitSymbol[suit]));
    p.setPen(colour);
    QFont small = uiFont(h / 7, true);
    small.setFamilies({"DejaVu Sans"});
    p.setFont(small);
    const QRectF corner(w * 0.04, h * 0.02, w * 0.3, h * 0.16);
    p.drawText(corner, Qt::AlignCenter, idx);
    p.drawText(corner.translated(0, h * 0.13), Qt::AlignCenter, sym);
    p.save();
    p.translate(w, h);
    p.rotate(180);
    p.drawText(corner, Qt::AlignCenter, idx);
    p.drawText(corner.translated(0, h * 0.13), Qt::AlignCenter, sym);
    p.restore();
    const QRectF middle(w * 0.22, h * 0.18, w * 0.56, h * 0.64);
    if (rank == 2 || rank == 3 || rank == 4) {
        // A figure: a framed bust with a crown (the jack a cap), in the suit's colour.
        p.setPen(QPen(colour, std::max(1.0, w / 50.0)));
        p.setBrush(QColor(245, 235, 200));
        p.drawRect(middle);
        const double cx = middle.center().x(), top = middle.top();
        p.setBrush(colour.lighter(150));
        p.drawEllipse(QPointF(cx, top + middle.height() * 0.35), middle.width() * 0.18, middle.width() * 0.2);
        QPainterPath body;
        body.moveTo(middle.left() + middle.width() * 0.15, middle.bottom());
        body.quadTo(cx, top + middle.height() * 0.4, middle.right() - middle.width() * 0.15, middle.bottom());
        p.setBrush(colour);
        p.drawPath(body);
        QPainterPath crown;
        const double cw = middle.width() * 0.36, cy = top + middle.height() * 0.16;
        crown.moveTo(cx - cw / 2, cy + cw * 0.35);
        if (rank == 2) {
            crown.lineTo(cx - cw / 2, cy + cw * 0.1);
            crown.quadTo(cx, cy - cw * 0.3, cx + cw / 2, cy + cw * 0.1);
        } else {
            const int points = rank == 4 ? 3 : 2;
            for (int k = 0; k <= points * 2; ++k)
                crown.lineTo(cx - cw / 2 + cw * k / (points * 2.0), (k % 2 == 0) ? cy : cy + cw * 0.25);
        }
        crown.lineTo(cx + cw / 2, cy + cw * 0.35);
        crown.closeSubpath();
        p.setBrush(QColor(230, 180, 30));
        p.drawPath(crown);
        p.setPen(colour);
        p.setFont(uiFont(static_cast<int>(h * 0.14), true));
        p.drawText(QRectF(middle.left(), middle.bottom() - h * 0.17, middle.width(), h * 0.16),
                   Qt::AlignCenter, idx);
    } else {
        QFont big = uiFont(rank == 6 ? static_cast<int>(h * 0.45) : static_cast<int>(h * 0.2));
        big.setFamilies({"DejaVu Sans"});
        p.setFont(big);
        if (rank == 6) {
            p.drawText(middle, Qt::AlignCenter, sym);
        } else {
            // Pips of the nine and the ten in two columns.
            const int n = rank == 1 ? 9 : 10;
            const int perColumn = n == 9 ? 4 : 4;
            for (int k = 0; k < perColumn * 2; ++k) {
                const double x = k < perColumn ? middle.left() : middle.right() - middle.width() * 0.4;
                const double y = middle.top() + (k % perColumn) * middle.height() / perColumn;
                p.drawText(QRectF(x, y, middle.width() * 0.4, middle.height() / perColumn), Qt::AlignCenter, sym);
            }
            const int centrePips = n - perColumn * 2;
            for (int k = 0; k < centrePips; ++k)
                p.drawText(QRectF(middle.left(), middle.top() + middle.height() * (k + 1) / (centrePips + 1) - middle.height() / 8,
                                  middle.width(), middle.height() / 4),
                           Qt::AlignCenter, sym);
        }
    }
    return img;
}

// The seven built-in backs: each its own colour and pattern.
QImage drawBack(int style, int w, int h) {
    static const QColor kGround[7] = {QColor(30, 60, 140), QColor(150, 25, 35), QColor(20, 100, 60),
                                      QColor(90, 40, 120), QColor(20, 20, 20), QColor(160, 90, 20),
                                      QColor(20, 110, 130)};
    static const QColor kLine[7] = {QColor(200, 170, 60), QColor(240, 220, 200), QColor(230, 230, 160),
                                    QColor(220, 190, 240), QColor(200, 40, 40), QColor(250, 240, 200),
                                    QColor(250, 250, 250)};
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(QColor(250, 250, 250));
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), w / 12.0, w / 12.0);
    const QRectF inner(w * 0.08, h * 0.06, w * 0.84, h * 0.88);
    p.setBrush(kGround[style]);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(inner, w / 20.0, w / 20.0);
    p.setClipRect(inner);
    p.setPen(QPen(kLine[style], std::max(1.0, w / 60.0)));
    const double step = w / (6.0 + style);
    switch (style % 4) {
        case 0:  // a diagonal lattice
            for (double d = -inner.height(); d < inner.width(); d += step) {
                p.drawLine(QPointF(inner.left() + d, inner.top()), QPointF(inner.left() + d + inner.height(), inner.bottom()));
                p.drawLine(QPointF(inner.left() + d + inner.height(), inner.top()), QPointF(inner.left() + d, inner.bottom()));
            }
            break;
        case 1:  // rings
            for (double r = step; r < inner.height(); r += step)
                p.drawEllipse(inner.center(), r, r);
            break;
        case 2:  // a chequer of dots
            p.setBrush(kLine[style]);
            for (double y = inner.top(); y < inner.bottom(); y += step)
                for (double x = inner.left(); x < inner.right(); x += step)
                    p.drawEllipse(QPointF(x + step / 2, y + step / 2), step / 5, step / 5);
            break;
        default:  // stripes and a centre diamond
            for (double y = inner.top(); y < inner.bottom(); y += step) p.drawLine(QPointF(inner.left(), y), QPointF(inner.right(), y));
            QPolygonF diamond;
            const QPointF c = inner.center();
            diamond << QPointF(c.x(), c.y() - h * 0.25) << QPointF(c.x() + w * 0.25, c.y())
                    << QPointF(c.x(), c.y() + h * 0.25) << QPointF(c.x() - w * 0.25, c.y());
            p.setBrush(kLine[style]);
            p.drawPolygon(diamond);
            break;
    }
    return img;
}

QImage drawCloth(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    std::uint32_t seed = 12345;
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = static_cast<int>((seed >> 24) % 13) - 6;
            const double dx = (x - w / 2.0) / w, dy = (y - h / 2.0) / h;
            const double v = 1.0 - 0.5 * (dx * dx + dy * dy);
            line[x] = qRgb(std::clamp(static_cast<int>(25 * v) + noise / 2, 0, 255),
                           std::clamp(static_cast<int>(110 * v) + noise, 0, 255),
                           std::clamp(static_cast<int>(45 * v) + noise / 2, 0, 255));
        }
    }
    return img;
}


// A light panel with a frame, for the scoreboards and the deal-information panel.
QImage drawPanel(int w, int h, bool alpha) {
    QImage img(w, h, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    img.fill(alpha ? Qt::transparent : QColor(30, 90, 45));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, QColor(252, 248, 235));
    g.setColorAt(1, QColor(232, 222, 198));
    p.setBrush(g);
    p.setPen(QPen(QColor(120, 90, 40), std::max(1.0, w / 80.0)));
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), w / 20.0, w / 20.0);
    return img;
}

QImage drawBubble(QColor fill, int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, fill.lighter(130));
    g.setColorAt(1, fill.darker(120));
    p.setBrush(g);
    p.setPen(QPen(fill.darker(160), 1));
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), h / 2.0, h / 2.0);
    return img;
}

// A hand pointing up or down, the turn mark.
QImage drawTurnMark(bool up, int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    if (!up) {
        p.translate(w, h);
        p.rotate(180);
    }
    QPainterPath hand;
    hand.addRoundedRect(QRectF(w * 0.38, h * 0.04, w * 0.24, h * 0.5), w * 0.12, w * 0.12);  // finger
    hand.addRoundedRect(QRectF(w * 0.15, h * 0.42, w * 0.7, h * 0.5), w * 0.2, w * 0.2);     // palm
    p.setBrush(QColor(250, 205, 160));
    p.setPen(QPen(QColor(150, 90, 50), std::max(1.0, w / 20.0)));
    p.drawPath(hand.simplified());
    return img;
}

QImage drawBarrel(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF b(w * 0.08, h * 0.05, w * 0.84, h * 0.9);
    QLinearGradient g(b.left(), 0, b.right(), 0);
    g.setColorAt(0, QColor(110, 60, 25));
    g.setColorAt(0.5, QColor(190, 120, 60));
    g.setColorAt(1, QColor(110, 60, 25));
    p.setBrush(g);
    p.setPen(QPen(QColor(60, 30, 10), std::max(1.0, w / 20.0)));
    p.drawRoundedRect(b, w * 0.3, h * 0.12);
    p.setPen(QPen(QColor(70, 70, 80), std::max(2.0, h / 15.0)));
    for (double f : {0.25, 0.75}) p.drawLine(QPointF(b.left() + 1, b.top() + b.height() * f), QPointF(b.right() - 1, b.top() + b.height() * f));
    return img;
}

QImage drawBolt(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPolygonF bolt;
    bolt << QPointF(w * 0.65, 0) << QPointF(w * 0.05, h * 0.55) << QPointF(w * 0.45, h * 0.55)
         << QPointF(w * 0.3, h) << QPointF(w * 0.95, h * 0.4) << QPointF(w * 0.55, h * 0.4);
    p.setBrush(QColor(250, 200, 0));
    p.setPen(QPen(QColor(150, 90, 0), std::max(1.0, w / 16.0)));
    p.drawPolygon(bolt);
    return img;
}

QImage drawClock(QColor ground, int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(ground);
    p.setPen(QPen(ground.darker(170), std::max(1.0, w / 20.0)));
    p.drawEllipse(QRectF(1, 1, w - 2, h - 2));
    return img;
}

QImage drawSuitSymbol(int suit, int size) {
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QFont f;
    f.setFamilies({"DejaVu Sans"});
    f.setPixelSize(size);
    p.setFont(f);
    p.setPen(suitColour(suit));
    p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QString(QChar(kSuitSymbol[suit])));
    return img;
}

QImage drawTitle(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(20, 30, 20, 210));
    p.setPen(QPen(QColor(200, 170, 60), h / 30.0));
    p.drawRoundedRect(QRectF(h / 30.0, h / 30.0, w - h / 15.0, h - h / 15.0), h / 8.0, h / 8.0);
    QFont f = uiFont(h * 2 / 3, true);
    p.setFont(f);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, QColor(255, 230, 120));
    g.setColorAt(1, QColor(200, 140, 30));
    p.setPen(QPen(QBrush(g), 1));
    p.drawText(QRect(0, 0, w, h), Qt::AlignCenter, "ORVALA");
    return img;
}

QImage drawLogo(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Three fanned cards.
    for (int k = 0; k < 3; ++k) {
        p.save();
        p.translate(w / 2.0, h * 0.95);
        p.rotate(-20 + 20 * k);
        p.setBrush(QColor(252, 252, 248));
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.drawRoundedRect(QRectF(-h * 0.25, -h * 0.85, h * 0.5, h * 0.7), 4, 4);
        p.setPen(suitColour(k == 1 ? 1 : 4));
        QFont f;
        f.setFamilies({"DejaVu Sans"});
        f.setPixelSize(static_cast<int>(h * 0.3));
        p.setFont(f);
        p.drawText(QRectF(-h * 0.25, -h * 0.85, h * 0.5, h * 0.7), Qt::AlignCenter, QString(QChar(kSuitSymbol[k == 1 ? 1 : 4])));
        p.restore();
    }
    return img;
}

// The own cursors: a pointing hand, an arrow and an hourglass, 32 x 32.
QImage drawCursor(int which) {
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(which == 2 ? QColor(240, 200, 80) : Qt::white);
    if (which == 0) {
        QPainterPath hand;
        hand.addRoundedRect(QRectF(10, 1, 6, 16), 3, 3);
        hand.addRoundedRect(QRectF(6, 12, 18, 16), 5, 5);
        p.drawPath(hand.simplified());
    } else if (which == 1) {
        QPolygonF arrow;
        arrow << QPointF(1, 1) << QPointF(1, 24) << QPointF(7, 18) << QPointF(12, 29) << QPointF(16, 27)
              << QPointF(11, 17) << QPointF(19, 17);
        p.drawPolygon(arrow);
    } else {
        QPolygonF glass;
        glass << QPointF(6, 2) << QPointF(26, 2) << QPointF(16, 16) << QPointF(26, 30) << QPointF(6, 30) << QPointF(16, 16);
        p.drawPolygon(glass);
    }
    return img;
}

}  // namespace

std::vector<Picture> allPictures() {
    std::vector<Picture> out;
    static const char* const kSuitPrefix[5] = {"", "Ch", "Bu", "Kr", "Pi"};
    static const char* const kRankPart[7] = {"", "09", "2J", "3Q", "4K", "10", "5A"};
    for (int suit = 1; suit <= 4; ++suit)
        for (int rank = 1; rank <= 6; ++rank) {
            const QString name = QString(kSuitPrefix[suit]) + kRankPart[rank];
            out.push_back({name, drawFace(rank, suit, 69, 94)});
            out.push_back({name + "B", drawFace(rank, suit, 146, 198)});
        }
    static const char* const kBacks[7] = {"Ob01Mo", "Ob02Tu", "Ob03We", "Ob04Th", "Ob05Fr", "Ob06Su", "Ob07Su"};
    for (int b = 0; b < 7; ++b) {
        out.push_back({kBacks[b], drawBack(b, 69, 94)});
        out.push_back({QString(kBacks[b]) + "B", drawBack(b, 146, 198)});
    }
    out.push_back({"FonG", drawCloth(760, 500)});
    out.push_back({"FonGB", drawCloth(1920, 922)});
    out.push_back({"TabloSm", drawPanel(155, 95, false)});
    out.push_back({"TabloBg", drawPanel(310, 190, true)});
    out.push_back({"RamkaBBSm", drawPanel(120, 150, false)});
    out.push_back({"RamkaBBBg", drawPanel(240, 300, true)});
    out.push_back({"Hand_Up", drawTurnMark(true, 40, 60)});
    out.push_back({"Hand_Down", drawTurnMark(false, 40, 60)});
    out.push_back({"ImageList3_0", drawTurnMark(false, 20, 30)});
    out.push_back({"ImageList3_1", drawTurnMark(true, 20, 30)});
    out.push_back({"GBarrel", drawBarrel(42, 60)});
    out.push_back({"GBolt", drawBolt(32, 60)});
    const std::pair<const char*, QColor> bubbles[] = {{"SPBlue", QColor(40, 80, 190)},
                                                     {"SPGreen", QColor(40, 150, 60)},
                                                     {"SPRed", QColor(190, 40, 40)},
                                                     {"SPYellow", QColor(200, 160, 20)}};
    for (const auto& [name, colour] : bubbles) {
        out.push_back({name, drawBubble(colour, 160, 20)});
        out.push_back({QString(name) + "B", drawBubble(colour, 320, 40)});
    }
    out.push_back({"GTimerY", drawClock(QColor(250, 220, 40), 50, 50)});
    out.push_back({"GTimerR", drawClock(QColor(210, 40, 40), 50, 50)});
    static const char* const kSymbols[5] = {"", "Cher", "Bubi", "Kres", "Piki"};
    for (int suit = 1; suit <= 4; ++suit) {
        out.push_back({kSymbols[suit], drawSuitSymbol(suit, 20)});
        out.push_back({QString(kSymbols[suit]) + "B", drawSuitSymbol(suit, 40)});
    }
    out.push_back({"GTitle", drawTitle(900, 270)});
    out.push_back({"Logo", drawLogo(120, 80)});
    out.push_back({"CurHand", drawCursor(0)});
    out.push_back({"CurArrow", drawCursor(1)});
    out.push_back({"CurBusy", drawCursor(2)});
    return out;
}

}  // namespace orvala::artgen
