#pragma once
// The full-screen window is laid out for the screen's available area before the window manager
// has maximised it; its client area then turns out shorter by the title bar and the frame
// (1280 x 1005 on a 1280 x 1024 screen), and what stands along the bottom would be cut off.
// The watch sees the maximised window's real size and asks for the layout again when it differs
// from the one the table was laid out for.

#include <QSize>
#include <functional>

class QWidget;

namespace orvala::app {

// `laidOut` answers the size the table is laid out for; `relayout` lays it out again. The watch
// lives as long as `window`.
void watchClientArea(QWidget& window, std::function<QSize()> laidOut,
                     std::function<void()> relayout);

}  // namespace orvala::app
