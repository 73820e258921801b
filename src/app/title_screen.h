#pragma once
// The title screen: a frame, the logo, the program's name in changing colours and the version.

namespace orvala::table {
class PictureStore;
class TableView;
}  // namespace orvala::table

class QImage;
class QPainter;
class QRect;
class QSize;

namespace orvala::app {

// Paints frame `frame` of the title over `size`, with the logo in `logoRect` when there is one.
void paintTitle(QPainter& p, QSize size, const QImage& logo, QRect logoRect, int frame);

// Draws frame `frame` of the title on the view's canvas.
void drawTitleScreen(table::TableView& view, table::PictureStore& pictures, int frame);

}  // namespace orvala::app
