#include "app/tourney/tourney_cup.h"

#include <QPainter>

namespace orvala::app {

QPixmap tourneyCup() {
    QPixmap cup(64, 64);
    cup.fill(Qt::transparent);
    QPainter p(&cup);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor gold(235, 190, 40);
    p.setPen(QPen(gold.darker(170), 2));
    p.setBrush(gold);
    p.drawChord(QRect(12, -4, 40, 44), 180 * 16, 180 * 16);
    p.drawRect(29, 40, 6, 10);
    p.drawRect(20, 50, 24, 6);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRect(4, 20, 14, 14), 90 * 16, 180 * 16);
    p.drawArc(QRect(46, 20, 14, 14), 270 * 16, 180 * 16);
    p.end();
    return cup;
}

}  // namespace orvala::app
