#include "app/title_screen.h"

#include <QPainter>

#include "table/picture_store.h"
#include "table/table_view.h"
#include "table/word_text.h"

namespace orvala::app {

void drawTitleScreen(table::TableView& view, table::PictureStore& pictures, int frame) {
    QPainter p(&view.canvas());
    // The logo above the name, in the design's proportions.
    const auto logo = table::mapRect(view.scales(), 320, 98, 120, 80);
    paintTitle(p, view.canvas().size(), pictures.picture("Logo"),
               QRect(logo.left, logo.top, logo.width, logo.height), frame);
}

void paintTitle(QPainter& p, QSize size, const QImage& logo, QRect logoRect, int frame) {
    const int w = size.width(), h = size.height();
    p.fillRect(QRect(QPoint(0, 0), size), Qt::black);
    p.setPen(QPen(QColor(200, 170, 60), 3));
    p.drawRect(w / 10, h / 6, w * 8 / 10, h * 4 / 6);
    p.setPen(QPen(QColor(120, 100, 40), 1));
    p.drawRect(w / 10 + 8, h / 6 + 8, w * 8 / 10 - 16, h * 4 / 6 - 16);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!logo.isNull()) p.drawImage(logoRect, logo);
    QFont f("Comic Neue");
    f.setPixelSize(h / 6);
    f.setBold(true);
    p.setFont(f);
    const QString name = table::word(WordRow::OrvalaCapitals);
    const int hue = (frame * 3) % 360;
    p.setPen(QColor::fromHsv(hue, 200, 255));
    p.drawText(QRect(0, h * 37 / 100, w, h / 4), Qt::AlignCenter, name);
    QFont small("DejaVu Sans");
    small.setPixelSize(std::max(10, h / 40));
    p.setFont(small);
    p.setPen(QColor(180, 180, 180));
    p.drawText(QRect(0, h * 2 / 3, w, h / 10), Qt::AlignCenter, "Version " ORVALA_VERSION);
}

}  // namespace orvala::app
