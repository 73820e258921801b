#pragma once
// The program's icon for the desktop's menus and the window: two fanned cards, the ace of
// hearts over the ace of spades, on a round green table. Drawn at any size from shapes, so each
// of the desktop's icon sizes is sharp.

#include <QImage>

namespace orvala::artgen {

QImage drawIcon(int size);

// Writes DIR/SIZExSIZE/apps/orvala.png for the desktop's usual sizes; false on a write error.
bool writeIcons(const QString& dir);

}  // namespace orvala::artgen
