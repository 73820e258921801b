#pragma once
// One picture of a recording and the outcome of writing a recording.

#include <cstdint>
#include <string>
#include <vector>

namespace orvala {

struct GifFrame {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;  // 0xAARRGGBB, row by row, width * height
    int delayMs = 0;                    // how long the picture stays before the next
};

// One picture of a recording as only what changed: the rectangle, and its pixels with those that
// did not change marked by alpha 0. The first change of a recording is the whole first picture.
struct GifChange {
    int left = 0, top = 0, width = 0, height = 0;  // an empty rectangle: nothing changed
    std::vector<std::uint32_t> pixels;             // width * height, 0xAARRGGBB
    int delayMs = 0;
};

struct GifWriteResult {
    bool ok = false;
    std::string error;  // what went wrong, for the user; empty when ok
};

}  // namespace orvala
