#pragma once
// Pictures for the GIF tests: a flat table with cards moved about, and raw GIF bytes made by hand.

#include <cstdint>
#include <string>
#include <vector>

#include "gif/gif_frame.h"

namespace orvala::test {

inline GifFrame tablePicture(int width, int height, int delayMs) {
    GifFrame f{width, height, {}, delayMs};
    f.pixels.assign(static_cast<std::size_t>(width) * height, 0xff1e6b32u);  // the cloth
    return f;
}

inline void fillRect(GifFrame& f, int left, int top, int w, int h, std::uint32_t colour) {
    for (int y = top; y < top + h; ++y)
        for (int x = left; x < left + w; ++x)
            f.pixels[static_cast<std::size_t>(y) * f.width + x] = colour;
}

// A card: white face, dark border, a red mark.
inline void drawCard(GifFrame& f, int left, int top) {
    fillRect(f, left, top, 40, 60, 0xff202020u);
    fillRect(f, left + 1, top + 1, 38, 58, 0xfffafafau);
    fillRect(f, left + 8, top + 8, 10, 10, 0xffc81e1eu);
}

inline void put16(std::string& out, int v) {
    out += static_cast<char>(v & 0xff);
    out += static_cast<char>(v >> 8 & 0xff);
}

// A GIF89a of `frames` one-pixel pictures on a `width` x `height` screen, made byte by byte, so
// that the reader's bounds can be tried without an encoder that respects them.
inline std::string handMadeGif(int width, int height, int frames, int imageLeft = 0) {
    std::string g = "GIF89a";
    put16(g, width);
    put16(g, height);
    g += std::string("\x80\x00\x00", 3);  // a two-colour global table
    g += std::string("\x00\x00\x00\xff\xff\xff", 6);
    for (int i = 0; i < frames; ++i) {
        g += ',';
        put16(g, imageLeft);
        put16(g, 0);
        put16(g, 1);
        put16(g, 1);
        g += '\x00';
        g += std::string("\x02\x02\x44\x01\x00", 5);  // one pixel of colour 0
    }
    g += ';';
    return g;
}

}  // namespace orvala::test
