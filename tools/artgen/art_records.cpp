// The pictures of the records' windows: the end-of-cycle films "GEndBest" (a gold cup under
// falling stars), "GEndGood" (a silver star that rises and shines) and "GEndBads" (a small cloud
// raining), the medal "GMedal" with the places "GPlace01".."GPlace10" to lay on its disc, and the
// account lamps "LampR24", "LampY24", "LampG24".

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <numbers>

#include "art_painter.h"
#include "art_shapes.h"
#include "table/art_names.h"

namespace orvala::artgen {
namespace {

constexpr int kSide = art::kEndFilmFrameSize;
constexpr double kScale = kSide / 80.0;  // films are drawn on an 80 x 80 design
const QRectF kDisc(art::kMedalDiscLeft, art::kMedalDiscTop, art::kMedalDiscSide,
                   art::kMedalDiscSide);

QPainterPath star(QPointF centre, double outer, double inner, double turn) {
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double a = turn + i * std::numbers::pi / 5 - std::numbers::pi / 2;
        const double r = i % 2 == 0 ? outer : inner;
        const QPointF pt(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    path.closeSubpath();
    return path;
}

void drawCup(QPainter& p) {
    QLinearGradient gold(20, 0, 60, 0);
    gold.setColorAt(0, QColor(170, 120, 20));
    gold.setColorAt(0.45, QColor(255, 226, 110));
    gold.setColorAt(1, QColor(160, 110, 15));
    p.setPen(QPen(QColor(110, 70, 10), 1));
    p.setBrush(gold);
    QPainterPath bowl;
    bowl.moveTo(24, 24);
    bowl.lineTo(56, 24);
    bowl.cubicTo(56, 44, 48, 52, 40, 52);
    bowl.cubicTo(32, 52, 24, 44, 24, 24);
    p.drawPath(bowl);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(190, 140, 30), 3));
    p.drawArc(QRectF(16, 27, 12, 14), 90 * 16, 180 * 16);
    p.drawArc(QRectF(52, 27, 12, 14), -90 * 16, 180 * 16);
    p.setPen(QPen(QColor(110, 70, 10), 1));
    p.setBrush(gold);
    p.drawRect(QRectF(37, 52, 6, 8));
    p.drawRoundedRect(QRectF(28, 60, 24, 6), 2, 2);
}

QImage film(int kind) {
    const int n = art::kEndFilmFrames;
    QImage strip(kSide * n, kSide, QImage::Format_ARGB32_Premultiplied);
    strip.fill(Qt::transparent);
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing);
    for (int f = 0; f < n; ++f) {
        const double t = double(f) / n;
        p.save();
        p.translate(f * kSide, 0);
        p.scale(kScale, kScale);
        if (kind == 0) {
            drawCup(p);
            p.setPen(Qt::NoPen);
            for (int s = 0; s < 5; ++s) {
                const double y = std::fmod(t * 80 + s * 16, 80);
                const double x = 8 + s * 16;
                p.setBrush(QColor::fromHsv(40 + s * 10, 200, 255, 220));
                p.drawPath(star(QPointF(x, y), 5, 2, t * 6));
            }
        } else if (kind == 1) {
            const double rise = 56 - 24 * std::sin(t * std::numbers::pi / 2);
            QRadialGradient glow(40, rise, 30);
            glow.setColorAt(0, QColor(255, 255, 255, int(160 * t)));
            glow.setColorAt(1, Qt::transparent);
            p.setPen(Qt::NoPen);
            p.setBrush(glow);
            p.drawEllipse(QPointF(40, rise), 30, 30);
            QLinearGradient silver(20, 0, 60, 0);
            silver.setColorAt(0, QColor(150, 155, 165));
            silver.setColorAt(0.5, QColor(245, 247, 250));
            silver.setColorAt(1, QColor(130, 135, 145));
            p.setPen(QPen(QColor(90, 95, 105), 1));
            p.setBrush(silver);
            p.drawPath(star(QPointF(40, rise), 22, 9, 0));
        } else {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(120, 128, 140));
            for (const auto& [x, y, r] :
                 {std::tuple{30.0, 28.0, 12.0}, std::tuple{44.0, 24.0, 15.0},
                  std::tuple{56.0, 30.0, 10.0}})
                p.drawEllipse(QPointF(x, y), r, r * 0.8);
            p.drawRoundedRect(QRectF(20, 28, 46, 12), 6, 6);
            p.setPen(QPen(QColor(70, 120, 220), 2, Qt::SolidLine, Qt::RoundCap));
            for (int d = 0; d < 6; ++d) {
                const double y = 44 + std::fmod(t * 36 + d * 7, 34);
                const double x = 24 + d * 7;
                p.drawLine(QPointF(x, y), QPointF(x - 1.5, y + 5));
            }
        }
        p.restore();
    }
    return strip;
}

QImage medal() {
    QImage m(art::kMedalWidth, art::kMedalHeight, QImage::Format_ARGB32_Premultiplied);
    m.fill(Qt::transparent);
    QPainter p(&m);
    p.setRenderHint(QPainter::Antialiasing);
    // The ribbon, then the disc hanging from it.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 60, 160));
    p.drawPolygon(QPolygonF({QPointF(35, 0), QPointF(65, 0), QPointF(78, 70), QPointF(58, 70)}));
    p.setBrush(QColor(200, 30, 40));
    p.drawPolygon(QPolygonF({QPointF(75, 0), QPointF(105, 0), QPointF(82, 70), QPointF(62, 70)}));
    QRadialGradient gold(60, 92, 52);
    gold.setColorAt(0, QColor(255, 236, 140));
    gold.setColorAt(0.7, QColor(222, 170, 40));
    gold.setColorAt(1, QColor(150, 100, 10));
    p.setBrush(gold);
    p.setPen(QPen(QColor(120, 80, 10), 2));
    p.drawEllipse(kDisc);
    p.setPen(QPen(QColor(255, 240, 170), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(kDisc.adjusted(7, 7, -7, -7));
    return m;
}

QImage place(int n) {
    QImage img(art::kMedalWidth, art::kMedalHeight, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF disc = kDisc.adjusted(14, 14, -14, -14);
    p.setPen(QPen(QColor(90, 50, 0), 1));
    p.setBrush(QColor(120, 40, 0));
    p.drawPath(fittedText(QString::number(n), artFont(), disc));
    return img;
}

QImage lamp(QColor colour) {
    QImage img(24, 24, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient glow(9, 9, 13);
    glow.setColorAt(0, Qt::white);
    glow.setColorAt(0.35, colour.lighter(130));
    glow.setColorAt(1, colour.darker(160));
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(glow);
    p.drawEllipse(QRectF(1.5, 1.5, 21, 21));
    return img;
}

}  // namespace

std::vector<Picture> recordsPictures() {
    std::vector<Picture> out;
    for (int kind = 0; kind < 3; ++kind) out.push_back({art::kEndFilmNames[kind], film(kind)});
    out.push_back({"GMedal", medal()});
    for (int n = 1; n <= 10; ++n)
        out.push_back({QString("GPlace%1").arg(n, 2, 10, QChar('0')), place(n)});
    out.push_back({"LampR24", lamp(QColor(220, 30, 30))});
    out.push_back({"LampY24", lamp(QColor(240, 200, 20))});
    out.push_back({"LampG24", lamp(QColor(30, 190, 60))});
    return out;
}

}  // namespace orvala::artgen
