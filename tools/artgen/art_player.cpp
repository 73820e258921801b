// The music player's buttons: round dark keys with a light symbol, and the tall volume key with
// a minus above and a plus below (where the clicks turn the music down and up).

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <functional>

#include "art_painter.h"
#include "core/radio/player_pictures.h"

namespace orvala::artgen {
namespace {

namespace pa = orvala::player_art;
constexpr int kScale = 2;  // drawn at twice the design size, for the larger windows

QImage key(int w, int h) {
    QImage img(w * kScale, h * kScale, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(kScale, kScale);
    QRadialGradient g(w * 0.4, h * 0.3, std::max(w, h));
    g.setColorAt(0, QColor(90, 96, 120));
    g.setColorAt(1, QColor(24, 26, 40));
    p.setBrush(g);
    p.setPen(QPen(QColor(200, 200, 220), 1.2));
    p.drawRoundedRect(QRectF(1, 1, w - 2, h - 2), std::min(w, h) / 2.0 - 1,
                      std::min(w, h) / 2.0 - 1);
    return img;
}

QImage withSymbol(const std::function<void(QPainter&)>& draw, int w, int h) {
    QImage img = key(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(kScale, kScale);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(235, 235, 245));
    draw(p);
    return img;
}

}  // namespace

std::vector<Picture> musicPlayerPictures() {
    const int s = pa::kButtonSize;
    std::vector<Picture> out;
    out.push_back(
        {pa::kPlay,
         withSymbol(
             [](QPainter& p) {
                 p.drawPolygon(QPolygonF({QPointF(11, 8), QPointF(23, 15), QPointF(11, 22)}));
             },
             s, s)});
    out.push_back({pa::kPause, withSymbol(
                                   [](QPainter& p) {
                                       p.drawRect(QRectF(10, 8, 4, 14));
                                       p.drawRect(QRectF(17, 8, 4, 14));
                                   },
                                   s, s)});
    out.push_back(
        {pa::kNext,
         withSymbol(
             [](QPainter& p) {
                 p.drawPolygon(QPolygonF({QPointF(7, 8), QPointF(15, 15), QPointF(7, 22)}));
                 p.drawPolygon(QPolygonF({QPointF(15, 8), QPointF(23, 15), QPointF(15, 22)}));
                 p.drawRect(QRectF(23, 8, 2.5, 14));
             },
             s, s)});
    out.push_back({pa::kVolume, withSymbol(
                                    [](QPainter& p) {
                                        p.drawRect(QRectF(9, 12, 12, 3));  // minus, upper part
                                        p.drawRect(QRectF(9, 44, 12, 3));  // plus, lower part
                                        p.drawRect(QRectF(13.5, 39.5, 3, 12));
                                        p.setBrush(QColor(150, 150, 170));
                                        p.drawRect(QRectF(8, 29, 14, 1.5));
                                    },
                                    pa::kVolumeWidth, pa::kVolumeHeight)});
    return out;
}

}  // namespace orvala::artgen
