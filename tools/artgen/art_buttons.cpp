// The owner-drawn buttons' pictures: for each height class a left end, a right end and a 2-pixel
// middle strip, all in red tones so that recolouring makes the other schemes.
//
// Every picture is shaded row by row with the class's colours, so that the ends' inner columns
// equal the strip and the gradient the button draws between them: the ends meet the middle
// without a seam. The ends are rounded, transparent outside the rounding and edged in the top
// line's colour. The "R" set is the glassy gradient of the tables; the "Q" set is the new look,
// flatter and lighter, with a dark outline and a white gloss line that lie far enough from pure red
// to keep their colour when the new look recolours.

#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

#include "art_painter.h"
#include "table/button_art.h"

namespace orvala::artgen {
namespace {

using art::ButtonRgb;

struct Shading {
    std::vector<ButtonRgb> rows;
    ButtonRgb edge;   // the rounded edge of the ends
    ButtonRgb inner;  // a thin line inside the edge, fading downwards
    double innerStrength;
};

ButtonRgb mix(ButtonRgb a, ButtonRgb b, double t) {
    auto m = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

Shading gradientShading(int cls) {
    const auto rows = art::buttonGradient(cls);
    return {{rows.begin(), rows.end()}, rows[0], rows[1], 0.7};
}

// The new look: a dark outline, a gloss line, a gentle light-to-deep body, a darker last line.
Shading newShading(int cls) {
    const int n = art::kButtonClasses[static_cast<std::size_t>(cls)].pictureHeight;
    const ButtonRgb outline{70, 10, 10}, gloss{255, 232, 232};
    const ButtonRgb top{255, 112, 112}, bottom{214, 36, 36};
    std::vector<ButtonRgb> rows;
    rows.push_back(outline);
    rows.push_back(gloss);
    const int body = n - 4;
    for (int k = 0; k < body; ++k)
        rows.push_back(mix(top, bottom, static_cast<double>(k) / (body - 1)));
    rows.push_back({190, 24, 24});
    rows.push_back(outline);
    return {rows, outline, outline, 0.0};
}

// Whether a point lies inside the left end of a rounded rectangle of radius r, height n.
bool insideLeftEnd(double x, double y, double r, double n) {
    if (x >= r || (y >= r && y <= n - r)) return x >= 0 && y >= 0 && y <= n;
    const double cy = y < r ? r : n - r;
    return std::hypot(x - r, y - cy) <= r;
}

// How far a pixel centre lies inside the rounded left edge (the top and bottom lines are rows).
double depthInLeftEnd(double x, double y, double r, double n) {
    if (x >= r || (y >= r && y <= n - r)) return x;
    const double cy = y < r ? r : n - r;
    return r - std::hypot(x - r, y - cy);
}

QImage drawEnd(const art::ButtonClass& c, const Shading& s, bool right) {
    const int w = c.endWidth, n = c.pictureHeight;
    const double r = w - 1;
    QImage img(w, n, QImage::Format_ARGB32);
    constexpr int kSamples = 4;
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < w; ++x) {
            int covered = 0;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx)
                    covered +=
                        insideLeftEnd(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples, r, n);
            const double depth = depthInLeftEnd(x + 0.5, y + 0.5, r, n);
            const ButtonRgb row = s.rows[static_cast<std::size_t>(y)];
            ButtonRgb colour = row;
            if (depth < 1.0)
                colour = s.edge;
            else if (depth < 2.0)
                colour = mix(row, s.inner, s.innerStrength * (1.0 - (y + 0.5) / n));
            // Transparent pixels keep the edge colour, so that smooth resizing draws no dark
            // fringe.
            const int alpha = covered * 255 / (kSamples * kSamples);
            img.setPixel(right ? w - 1 - x : x, y, qRgba(colour.r, colour.g, colour.b, alpha));
        }
    return img;
}

QImage drawStrip(const Shading& s) {
    const int n = static_cast<int>(s.rows.size());
    QImage img(art::kButtonStripWidth, n, QImage::Format_RGB32);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < art::kButtonStripWidth; ++x) {
            const ButtonRgb c = s.rows[static_cast<std::size_t>(y)];
            img.setPixel(x, y, qRgb(c.r, c.g, c.b));
        }
    return img;
}

}  // namespace

std::vector<Picture> buttonPictures() {
    std::vector<Picture> out;
    for (const bool nata : {false, true})
        for (int cls = 0; cls < 3; ++cls) {
            const auto& c = art::kButtonClasses[static_cast<std::size_t>(cls)];
            const Shading s = nata ? newShading(cls) : gradientShading(cls);
            const QString base = QString(nata ? "Q" : "R") + c.size + "_";
            out.push_back({base + "L", drawEnd(c, s, false)});
            out.push_back({base + "R", drawEnd(c, s, true)});
            out.push_back({base + "2", drawStrip(s)});
        }
    return out;
}

}  // namespace orvala::artgen
