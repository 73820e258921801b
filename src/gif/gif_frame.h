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

struct GifWriteResult {
    bool ok = false;
    std::string error;  // what went wrong, for the user; empty when ok
};

}  // namespace orvala
