#pragma once
// The bust of a library court card (rank value 2 jack, 3 queen, 4 king), drawn for the upper
// half of a frame spanning x 33..113 and y 24..99 (the caller maps it onto the set's frame).

#include <QPainter>

#include "art_library_style.h"

namespace orvala::artgen {

void drawLibraryBust(QPainter& p, const FaceStyle& st, int rank, int suit);

}  // namespace orvala::artgen
