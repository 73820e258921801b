#pragma once
// SmoothResize: resizes an RGB or RGBA picture in place by bilinear interpolation. For a target
// pixel (x, y) the source point is (x * (old width - 1) / new width, y * (old height - 1) /
// new height); each channel, alpha included, is the rounded weighted sum of the four source
// pixels around it. Nothing happens when any of the four sizes is 1 or less.
//
// RGB pictures are QImage's RGB32 and RGB888 formats; RGBA are ARGB32 (not premultiplied) and
// RGBA8888. Any other format is refused with the error text and left unchanged.

#include <QImage>
#include <QString>
#include <optional>

namespace orvala::table {

inline const char* const kSmoothResizeError =
    "Only COLOR_RGBALPHA and COLOR_RGB formats are supported";

// nullopt when done (or nothing to do); the error text otherwise.
std::optional<QString> SmoothResize(QImage& picture, int width, int height);

}  // namespace orvala::table
