#pragma once
// The title screen: a frame, the logo, the program's name in changing colours and the version.

namespace orvala::table {
class PictureStore;
class TableView;
}  // namespace orvala::table

namespace orvala::app {

// Draws frame `frame` of the title on the view's canvas.
void drawTitleScreen(table::TableView& view, table::PictureStore& pictures, int frame);

}  // namespace orvala::app
