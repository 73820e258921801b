#pragma once
// The menu's tournament button: a golden cup on its stand, drawn by the program.

#include <QPixmap>

namespace orvala::app {

QPixmap tourneyCup();

}  // namespace orvala::app
