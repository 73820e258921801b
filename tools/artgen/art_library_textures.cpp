// The table backgrounds of the background library: ten textures in seven colours. A texture is
// a field of brightness around 1 (computed once per size and shared by its seven colours), laid
// over the colour. Features are sized on the design width of 760, so both sizes show the same
// cloth; the contrast stays low so that cards read well on it, and fine grain stays faint so
// that the JPEG files stay small.

#include <algorithm>
#include <cmath>
#include <vector>

#include "art_library.h"
#include "art_shapes.h"

namespace orvala::artgen {
namespace {

struct Field {
    int texture = 0, w = 0, h = 0;
    std::vector<float> v;
};

double smoothNoise(double x, double y, double cell, std::uint32_t seed) {
    return 0.6 * valueNoise(x, y, cell, seed) + 0.4 * valueNoise(x, y, cell / 2.7, seed ^ 0x5bd1u);
}

double tri(double t) {  // a triangle wave 0..1..0 of period 1
    t -= std::floor(t);
    return 1 - std::fabs(2 * t - 1);
}

double brightness(int texture, double x, double y, int w, int h, std::uint32_t seed) {
    const double k = w / 760.0;
    const double u = x / k, v = y / k;  // design units
    const double designH = h / k;
    const double dx = (u - 380) / 380, dy = (v - designH / 2) / (designH / 2);
    const double vignette = 1.0 - 0.16 * (dx * dx + dy * dy);
    switch (texture) {
        case 1: {  // sun: a bright centre with soft rays
            const double r = std::sqrt(dx * dx + dy * dy);
            const double a = std::atan2(dy, dx);
            return 0.78 + 0.34 * std::exp(-2.2 * r * r) + 0.035 * std::sin(a * 18) * r +
                   0.03 * smoothNoise(u, v, 60, seed);
        }
        case 2: {  // felt
            const double n =
                0.6 * valueNoise(u, v, 70, seed) + 0.4 * valueNoise(u, v, 14, seed + 7);
            return (0.86 + 0.22 * n) * vignette + 0.03 * (hashNoise(int(x), int(y), seed) - 0.5);
        }
        case 3:  // a gradient from the upper left
            return 1.18 - 0.36 * (0.6 * (v / designH) + 0.4 * (u / 760)) +
                   0.02 * smoothNoise(u, v, 120, seed);
        case 4: {  // woven cloth
            const double warp = 0.5 + 0.5 * std::sin(u * 1.6), weft = 0.5 + 0.5 * std::sin(v * 1.6);
            const double weave =
                (std::fmod(std::floor(u / 3.9) + std::floor(v / 3.9), 2.0) < 1) ? warp : weft;
            return (0.9 + 0.07 * weave + 0.12 * valueNoise(u, v, 90, seed)) * vignette;
        }
        case 5: {  // a carpet of lozenges
            const double a = tri((u + v) / 46), b = tri((u - v) / 46);
            const double m = std::min(a, b);
            return (0.9 + 0.1 * m + 0.05 * (m > 0.8 ? 1 : 0) + 0.06 * valueNoise(u, v, 30, seed)) *
                   vignette;
        }
        case 6: {  // wood grain
            const double warp = 38 * smoothNoise(u, v, 110, seed);
            const double ring = tri((v + warp + 6 * std::sin(u / 90)) / 9);
            return (0.82 + 0.14 * ring * ring + 0.08 * valueNoise(u * 0.2, v * 3, 40, seed + 3)) *
                   vignette;
        }
        case 7: {  // a casino table: lighter oval field inside a darker rim
            const double e = std::sqrt(dx * dx * 1.05 + dy * dy * 1.2);
            const double field = e < 0.86 ? 1.0 : (e < 0.9 ? 1.12 : 0.78);
            return field * (0.94 + 0.08 * valueNoise(u, v, 50, seed)) +
                   0.02 * (hashNoise(int(x), int(y), seed) - 0.5);
        }
        case 8: {  // a quiet pattern of quatrefoils
            const double px = std::fmod(u + 760, 40) - 20, py = std::fmod(v + 760, 40) - 20;
            const double r = std::sqrt(px * px + py * py), a = std::atan2(py, px);
            const double petal = 9 + 4 * std::cos(4 * a);
            const double in = r < petal ? 1.0 : 0.0;
            return (0.92 + 0.08 * in + 0.05 * valueNoise(u, v, 80, seed)) * vignette;
        }
        case 9: {  // silk: broad sheen along flowing diagonals
            const double flow = (u + v * 0.7) / 60 + 1.6 * smoothNoise(u, v, 160, seed);
            return (0.86 + 0.2 * std::pow(0.5 + 0.5 * std::sin(flow), 3)) * vignette;
        }
        default: {  // ornament: a damask motif on a grid
            const double gx = std::fmod(u + 760, 76) - 38, gy = std::fmod(v + 760, 76) - 38;
            const double r = std::sqrt(gx * gx + gy * gy), a = std::atan2(gy, gx);
            const double rose = 20 + 8 * std::cos(6 * a);
            const double ring = std::fabs(r - rose) < 1.6 ? 1.0 : 0.0;
            const double core = r < 5 ? 1.0 : 0.0;
            const double diag =
                std::fabs(std::fabs(gx) - std::fabs(gy)) < 1.0 && r > 30 ? 1.0 : 0.0;
            return (0.9 + 0.07 * (ring + core + diag) + 0.05 * valueNoise(u, v, 70, seed)) *
                   vignette;
        }
    }
}

const Field& field(int texture, int w, int h) {
    // The seven colours of a texture come one after the other at each size: keep the last field
    // of each size.
    static Field cache[2];
    Field& f = cache[w > 1000 ? 1 : 0];
    if (f.texture == texture && f.w == w && f.h == h) return f;
    f.texture = texture;
    f.w = w;
    f.h = h;
    f.v.assign(static_cast<size_t>(w) * h, 1.0f);
    const std::uint32_t seed = 0x3c6ef372u ^ static_cast<std::uint32_t>(texture * 0x9e37u);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            f.v[static_cast<size_t>(y) * w + x] =
                static_cast<float>(brightness(texture, x, y, w, h, seed));
    return f;
}

}  // namespace

QImage drawBackground(int texture, int colour, int w, int h) {
    // 0 green, 1 red, 2 orange, 3 yellow, 4 light blue, 5 dark blue, 6 violet: deep enough for
    // light cards to stand out.
    static const int kBase[7][3] = {{34, 112, 56},  {138, 30, 36}, {176, 92, 28}, {172, 146, 40},
                                    {66, 128, 184}, {30, 52, 120}, {96, 48, 132}};
    const Field& f = field(texture, w, h);
    const int* base = kBase[std::clamp(colour, 0, 6)];
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        const float* src = f.v.data() + static_cast<size_t>(y) * w;
        for (int x = 0; x < w; ++x) {
            const double b = src[x];
            // Above 1 the colour brightens towards white a little, so highlights do not clip.
            const auto channel = [&](int c) {
                const double v = b <= 1 ? c * b : c + (255 - c) * (b - 1) * 0.5 + c * (b - 1) * 0.5;
                return std::clamp(static_cast<int>(std::lround(v)), 0, 255);
            };
            line[x] = qRgb(channel(base[0]), channel(base[1]), channel(base[2]));
        }
    }
    return img;
}

}  // namespace orvala::artgen
