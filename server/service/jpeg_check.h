#pragma once
// The check of an uploaded photo: a JPEG file of at most 200 KB whose frame header gives sane
// dimensions (16 to 2000 pixels a side). The segments before the frame header are walked by
// their lengths, never past the end; nothing is decoded.

#include <cstddef>
#include <string>
#include <string_view>

namespace orvala::service {

inline constexpr std::size_t kMaxJpegBytes = 200 * 1024;

struct JpegCheck {
    bool ok = false;
    int width = 0, height = 0;
    std::string problem;
};

JpegCheck checkJpeg(std::string_view bytes);

}  // namespace orvala::service
