// The pictures of the "Purple" design: its calm purple background, the salute's film strip, the
// options icon and the heads of the options and history windows.

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>
#include <algorithm>
#include <cmath>

#include "art_library.h"
#include "art_library_style.h"
#include "art_shapes.h"

namespace orvala::artgen {

QImage drawPurpleGround(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    const double k = w / 760.0;
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const double dx = (x - w / 2.0) / (w / 2.0), dy = (y - h / 2.0) / (h / 2.0);
            const double glow = 0.82 + 0.26 * std::exp(-1.6 * (dx * dx + dy * dy));
            const double flow = 0.04 * std::sin((x + 0.6 * y) / (70 * k) +
                                                2.2 * valueNoise(x, y, 180 * k, 0x1117u));
            const double b = glow + flow + 0.05 * valueNoise(x, y, 40 * k, 0x2b2bu);
            line[x] = qRgb(std::clamp(int(std::lround(92 * b)), 0, 255),
                           std::clamp(int(std::lround(46 * b)), 0, 255),
                           std::clamp(int(std::lround(128 * b)), 0, 255));
        }
    }
    return img;
}

// Frame k of 30: rays and sparks fly out from the centre, grow and fade.
QImage drawSaluteStrip() {
    constexpr int kFrames = 30, kSide = 100;
    QImage img = blank(kFrames * kSide, kSide);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    SeededRandom rnd(30);
    struct Spark {
        double angle, speed, size;
        QColor colour;
    };
    std::vector<Spark> sparks;
    const QColor colours[4] = {QColor(255, 236, 140), QColor(255, 255, 255), QColor(255, 150, 200),
                               QColor(170, 220, 255)};
    for (int s = 0; s < 22; ++s)
        sparks.push_back(
            {rnd.range(0, 2 * M_PI), rnd.range(0.55, 1.0), rnd.range(2.0, 4.0), colours[s % 4]});
    for (int f = 0; f < kFrames; ++f) {
        const double t = (f + 1) / double(kFrames);
        const double fade = std::pow(1 - t, 1.3);
        p.save();
        p.translate(f * kSide + kSide / 2.0, kSide / 2.0);
        p.setClipRect(QRectF(-kSide / 2.0, -kSide / 2.0, kSide, kSide));
        // A glow that flashes at the start.
        QRadialGradient glow(0, 0, 10 + 30 * t);
        glow.setColorAt(0, QColor(255, 250, 220, int(230 * fade)));
        glow.setColorAt(1, QColor(255, 200, 120, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(QPointF(0, 0), 10 + 30 * t, 10 + 30 * t);
        // Rays.
        const double inner = 6 + 30 * t, outer = 12 + 36 * std::sqrt(t);
        p.setPen(QPen(QColor(255, 214, 90, int(255 * fade)), 2.2, Qt::SolidLine, Qt::RoundCap));
        for (int r = 0; r < 12; ++r) {
            const double a = r * M_PI / 6 + 0.2 * t;
            p.drawLine(QPointF(std::cos(a) * std::min(inner, outer - 2),
                               std::sin(a) * std::min(inner, outer - 2)),
                       QPointF(std::cos(a) * outer, std::sin(a) * outer));
        }
        // A ring.
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(255, 255, 255, int(180 * fade)), 1.4));
        p.drawEllipse(QPointF(0, 0), 46 * t, 46 * t);
        // Sparks: four-pointed stars.
        for (const Spark& s : sparks) {
            const double d = 46 * s.speed * std::pow(t, 0.7);
            const QPointF c(std::cos(s.angle) * d, std::sin(s.angle) * d);
            const double size = s.size * (0.6 + 1.2 * std::sin(M_PI * t));
            QColor col = s.colour;
            col.setAlpha(int(255 * fade));
            QPainterPath star;
            star.moveTo(c + QPointF(0, -size * 1.6));
            star.quadTo(c, c + QPointF(size * 1.6, 0));
            star.quadTo(c, c + QPointF(0, size * 1.6));
            star.quadTo(c, c + QPointF(-size * 1.6, 0));
            star.quadTo(c, c + QPointF(0, -size * 1.6));
            p.setPen(Qt::NoPen);
            p.setBrush(col);
            p.drawPath(star);
        }
        p.restore();
    }
    return img;
}

// A gold gear on a purple disc.
QImage drawOptionsIcon(int size) {
    QImage img = blank(size, size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 48.0, size / 48.0);
    QRadialGradient disc(20, 18, 26);
    disc.setColorAt(0, QColor(150, 90, 190));
    disc.setColorAt(1, QColor(70, 30, 100));
    p.setBrush(disc);
    p.setPen(QPen(QColor(40, 16, 60), 1.2));
    p.drawEllipse(QPointF(24, 24), 22.5, 22.5);
    QPainterPath gear;
    const int teeth = 8;
    for (int k = 0; k < teeth * 4; ++k) {
        const double a = k * M_PI / (teeth * 2);
        const double r = (k % 4 < 2) ? 16 : 12.5;
        const QPointF q(24 + r * std::cos(a), 24 + r * std::sin(a));
        if (k == 0)
            gear.moveTo(q);
        else
            gear.lineTo(q);
    }
    gear.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(QPointF(24, 24), 5, 5);
    QLinearGradient g(0, 8, 0, 40);
    g.setColorAt(0, QColor(255, 226, 120));
    g.setColorAt(1, QColor(196, 136, 20));
    p.setBrush(g);
    p.setPen(QPen(QColor(90, 60, 10), 1.0));
    p.drawPath(gear.subtracted(hole));
    return img;
}

// A rounded purple band with the window's name in light letters; the options head is violet,
// the history head a deeper plum (hue 0 or 1).
QImage drawFormHead(const QString& word, bool cjk, int w, int h, int hue) {
    QImage img = blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor top = hue == 0 ? QColor(150, 96, 200) : QColor(140, 70, 150);
    const QColor bottom = hue == 0 ? QColor(70, 32, 112) : QColor(72, 26, 76);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setBrush(g);
    p.setPen(QPen(QColor(226, 190, 90), 2));
    p.drawRoundedRect(QRectF(1, 1, w - 2, h - 2), h / 3.0, h / 3.0);
    p.setPen(QPen(QColor(255, 255, 255, 60), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(5, 5, w - 10, h - 10), h / 4.0, h / 4.0);
    QFont font;
    font.setFamilies(cjk ? QStringList{"WenQuanYi Zen Hei"}
                         : QStringList{"DejaVu Serif", "DejaVu Sans"});
    font.setPixelSize(std::max(8, static_cast<int>(h * 0.5)));
    font.setBold(!cjk);
    // Every word at the same letter size, centred on the font's line (so that a word without
    // descenders is not drawn larger), narrowed only when it would not fit.
    QPainterPath text;
    text.addText(0, 0, font, word);
    const QFontMetricsF fm(font);
    const QRectF r = text.boundingRect();
    const double scale = r.width() > w * 0.84 ? w * 0.84 / r.width() : 1.0;
    QTransform t;
    t.translate(w / 2.0, h / 2.0);
    t.scale(scale, scale);
    t.translate(-r.center().x(), (fm.ascent() - fm.descent()) / 2);
    text = t.map(text);
    const QRectF box = text.boundingRect();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 0, 30, 120));
    p.drawPath(text.translated(1.5, 1.5));
    QLinearGradient ink(0, box.top(), 0, box.bottom());
    ink.setColorAt(0, QColor(255, 250, 230));
    ink.setColorAt(1, QColor(236, 206, 120));
    p.setBrush(ink);
    p.drawPath(text);
    return img;
}

}  // namespace orvala::artgen
