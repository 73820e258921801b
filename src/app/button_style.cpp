#include "app/button_style.h"

#include <algorithm>
#include <cmath>

#include "table/fonts.h"

namespace orvala::app {

void styleWindowButton(table::TZorCardsButton* b, const Settings& settings, double s) {
    b->setFont(table::slotFont(settings, std::max(12, static_cast<int>(std::lround(15 * s))),
                               "decor", true));
    QPalette p = b->palette();
    p.setColor(QPalette::ButtonText, QColor(255, 255, 255));
    b->setPalette(p);
    b->setColorMouse(QColor(255, 230, 120));
    b->setLightFont(true);
    b->setGrayDis(true);
}

}  // namespace orvala::app
