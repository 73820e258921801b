#include "app/button_style.h"

#include <algorithm>
#include <cmath>

#include "table/fonts.h"

namespace orvala::app {

void styleWindowButton(table::TZorCardsButton* b, const Settings& settings, double s) {
    // The font fills most of the button's 30-unit height (a cell of 19); longer captions shrink.
    b->setFont(table::slotFont(settings, std::max(14, static_cast<int>(std::lround(19 * s))),
                               "decor", true));
    QPalette p = b->palette();
    p.setColor(QPalette::ButtonText, QColor(255, 255, 255));
    b->setPalette(p);
    b->setColorMouse(QColor(255, 230, 120));
    b->setLightFont(true);
    b->setGrayDis(true);
}

}  // namespace orvala::app
