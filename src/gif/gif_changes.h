#pragma once
// The part of a picture that changed since the one before: only that rectangle is stored.

#include <cstdint>
#include <vector>

namespace orvala {

struct GifRect {
    int left = 0, top = 0, width = 0, height = 0;
    bool empty() const { return width == 0 || height == 0; }
};

// The recording is of an opaque window: alpha never tells two pictures apart.
inline std::uint32_t opaque(std::uint32_t argb) {
    return argb | 0xff000000u;
}

// The bounding rectangle of the pixels that differ; empty when the pictures are the same. Both
// pictures have `width` * `height` pixels.
GifRect changedRect(const std::vector<std::uint32_t>& before,
                    const std::vector<std::uint32_t>& after, int width, int height);

}  // namespace orvala
