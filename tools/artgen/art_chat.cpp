// The chat and news pictures: the menu's newspaper and speech bubbles, the siren that blinks
// beside them and the "new" mark. The senders' flags and faces are the world lists' pictures
// (art_country_flags.cpp).

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "art_painter.h"
#include "art_shapes.h"
#include "core/online/chat_pictures.h"
#include "core/online/countries.h"

namespace orvala::artgen {
namespace {

QImage canvas(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

QImage newspaper() {
    QImage img = canvas(chat_art::kIndicatorSize, chat_art::kIndicatorSize);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 70), 1.2));
    p.setBrush(QColor(236, 232, 218));
    p.drawRoundedRect(QRectF(7.5, 4.5, 21, 24), 1.5, 1.5);
    p.setBrush(QColor(214, 208, 190));
    p.drawRoundedRect(QRectF(3.5, 8.5, 5, 20), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(170, 30, 30));
    p.drawRect(QRectF(10, 7, 16, 4));  // the masthead
    p.setBrush(QColor(120, 140, 170));
    p.drawRect(QRectF(10, 13, 7, 6));  // a picture
    p.setPen(QPen(QColor(90, 90, 100), 1));
    for (int y = 14; y <= 26; y += 3) p.drawLine(QPointF(y < 20 ? 19 : 10, y), QPointF(26, y));
    return img;
}

void bubble(QPainter& p, QRectF r, QColor fill, bool tailLeft) {
    QPainterPath path;
    path.addRoundedRect(r, 5, 5);
    QPainterPath tail;
    const double x = tailLeft ? r.left() + 5 : r.right() - 5;
    tail.moveTo(x, r.bottom() - 1);
    tail.lineTo(tailLeft ? x - 3 : x + 3, r.bottom() + 5);
    tail.lineTo(tailLeft ? x + 5 : x - 5, r.bottom() - 1);
    path = path.united(tail);
    p.setPen(QPen(fill.darker(170), 1.2));
    p.setBrush(fill);
    p.drawPath(path);
}

QImage speechBubbles() {
    QImage img = canvas(chat_art::kIndicatorSize, chat_art::kIndicatorSize);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    bubble(p, QRectF(2.5, 3.5, 19, 13), QColor(90, 150, 230), true);
    bubble(p, QRectF(11.5, 13.5, 18, 12), QColor(120, 200, 110), false);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (int i = 0; i < 3; ++i) p.drawEllipse(QPointF(7.5 + i * 4.5, 10), 1.4, 1.4);
    return img;
}

QImage siren(bool lit) {
    QImage img = canvas(chat_art::kSirenWidth, chat_art::kSirenHeight);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    if (lit) {
        QRadialGradient glow(8, 9, 9);
        glow.setColorAt(0, QColor(255, 230, 200, 230));
        glow.setColorAt(0.5, QColor(255, 80, 40, 140));
        glow.setColorAt(1, QColor(255, 0, 0, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(QRectF(-1, 0, 18, 18));
    }
    QPainterPath dome;
    dome.moveTo(3.5, 18);
    dome.lineTo(3.5, 10);
    dome.arcTo(QRectF(3.5, 4, 9, 12), 180, -180);
    dome.lineTo(12.5, 18);
    dome.closeSubpath();
    p.setPen(QPen(QColor(90, 10, 10), 1));
    p.setBrush(lit ? QColor(255, 60, 40) : QColor(120, 30, 30));
    p.drawPath(dome);
    p.setBrush(QColor(70, 70, 80));
    p.drawRoundedRect(QRectF(1.5, 18.5, 13, 4.5), 1, 1);
    return img;
}

QImage newMark() {
    QImage img = canvas(30, 14);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(120, 0, 0), 1));
    p.setBrush(QColor(220, 30, 30));
    p.drawRoundedRect(QRectF(0.5, 0.5, 29, 13), 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(fittedText("new", artFont(), QRectF(3, 1.5, 24, 11)));
    return img;
}

}  // namespace

std::vector<Picture> chatPictures() {
    std::vector<Picture> out;
    out.push_back({chat_art::kNews, newspaper()});
    out.push_back({chat_art::kChat, speechBubbles()});
    out.push_back({chat_art::kSirenOn, siren(true)});
    out.push_back({chat_art::kSirenOff, siren(false)});
    out.push_back({chat_art::kNewMark, newMark()});
    return out;
}

}  // namespace orvala::artgen
