#include "app/online/account_star.h"

#include <QPainter>
#include <QPolygonF>
#include <cmath>

#include "dialogs/field_lamp.h"

namespace orvala::app {

QPixmap accountStar(online::AccountState state) {
    QPixmap star(64, 64);
    star.fill(Qt::transparent);
    QPainter p(&star);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor colour =
        dialogs::lampColour(state == online::AccountState::GlobalRating ? online::Lamp::Green
                            : state == online::AccountState::LoggedIn   ? online::Lamp::Yellow
                                                                        : online::Lamp::Red);
    QPolygonF points;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 ? 13.0 : 30.0;
        const double a = -M_PI / 2 + i * M_PI / 5;
        points << QPointF(32 + r * std::cos(a), 33 + r * std::sin(a));
    }
    p.setPen(QPen(colour.darker(170), 2));
    p.setBrush(colour);
    p.drawPolygon(points);
    p.end();
    return star;
}

}  // namespace orvala::app
