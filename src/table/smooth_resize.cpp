#include "table/smooth_resize.h"

#include <cmath>

namespace orvala::table {

std::optional<QString> SmoothResize(QImage& picture, int width, int height) {
    const QImage::Format f = picture.format();
    const bool rgb = f == QImage::Format_RGB32 || f == QImage::Format_RGB888;
    const bool rgba = f == QImage::Format_ARGB32 || f == QImage::Format_RGBA8888;
    if (!rgb && !rgba) return QString(kSmoothResizeError);
    const int ow = picture.width(), oh = picture.height();
    if (ow <= 1 || oh <= 1 || width <= 1 || height <= 1) return std::nullopt;

    // Work on unpremultiplied ARGB so that alpha is interpolated like the colours.
    const QImage source = picture.convertToFormat(QImage::Format_ARGB32);
    QImage target(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        const double sy = static_cast<double>(y) * (oh - 1) / height;
        const int y0 = static_cast<int>(sy);
        const int y1 = std::min(y0 + 1, oh - 1);
        const double fy = sy - y0;
        const auto* r0 = reinterpret_cast<const QRgb*>(source.constScanLine(y0));
        const auto* r1 = reinterpret_cast<const QRgb*>(source.constScanLine(y1));
        auto* out = reinterpret_cast<QRgb*>(target.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double sx = static_cast<double>(x) * (ow - 1) / width;
            const int x0 = static_cast<int>(sx);
            const int x1 = std::min(x0 + 1, ow - 1);
            const double fx = sx - x0;
            const double w00 = (1 - fx) * (1 - fy), w10 = fx * (1 - fy), w01 = (1 - fx) * fy,
                         w11 = fx * fy;
            auto mix = [&](int (*channel)(QRgb)) {
                const double v = w00 * channel(r0[x0]) + w10 * channel(r0[x1]) +
                                 w01 * channel(r1[x0]) + w11 * channel(r1[x1]);
                return static_cast<int>(std::lround(v));
            };
            out[x] = qRgba(mix(qRed), mix(qGreen), mix(qBlue), mix(qAlpha));
        }
    }
    picture = target.convertToFormat(f);
    return std::nullopt;
}

}  // namespace orvala::table
