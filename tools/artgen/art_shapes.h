#pragma once
// Shapes and helpers shared by the drawing of cards and of the table pictures.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QRectF>
#include <QString>
#include <cstdint>

class QPainter;

namespace orvala::artgen {

// The pip of a suit (1 hearts, 2 diamonds, 3 clubs, 4 spades) filling the box.
QPainterPath suitPath(int suit, const QRectF& box);
// The suit colours: a clear red and a near black.
QColor suitColour(int suit);
// A text as an outline, fitted into the box and centred in it: as tall as the box, squeezed
// sideways when it would be wider (the "10" of an index), or else kept in proportion.
QPainterPath fittedText(const QString& text, const QFont& font, const QRectF& box,
                        bool squeeze = true);
// The fonts come with the build's packages; a family that is missing falls back to the next.
QFont artFont(bool bold = true);
QFont titleFont();

// Fills a path and, when line is valid, outlines it with round joins.
void fillPath(QPainter& p, const QPainterPath& path, QColor fill, QColor line = QColor(),
              double width = 1.0);
// The colour a fraction t of the way from a to b (opaque).
QColor blend(QColor a, QColor b, double t);

// A picture of the given size cleared to transparent, or filled when ground is valid.
QImage blank(int w, int h, QColor ground = QColor());

// Small deterministic noise: a hash of the coordinates and a seed to 0..1, and smooth value
// noise over a lattice of the given cell size.
double hashNoise(int x, int y, std::uint32_t seed);
double valueNoise(double x, double y, double cell, std::uint32_t seed);

}  // namespace orvala::artgen
