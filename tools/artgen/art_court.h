#pragma once
// The court figures (rank value 2 jack, 3 queen, 4 king): a bust drawn for the upper half of a
// frame spanning x 33..113 and y 24..99; the caller maps it onto its frame and turns it for the
// lower half. The built-in faces and every library set dress the same figures in their own style.

#include <QPainter>

#include "art_library_style.h"

namespace orvala::artgen {

void drawBust(QPainter& p, const FaceStyle& st, int rank, int suit);
// The built-in set's figures: robes in the suit's red or a dark blue, gold trim, a capped jack, a
// queen with a tiara and a crowned, bearded king in ermine.
FaceStyle builtInCourtStyle();

}  // namespace orvala::artgen
