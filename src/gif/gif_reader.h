#pragma once
// Reads animated GIF files, whose bytes are untrusted: anything damaged, truncated, of another
// version than GIF89a or beyond the bounds below is refused with a reason, never a crash.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvala {

struct GifInfo {
    bool valid = false;
    std::string error;  // why the file was refused; empty when valid
    int width = 0, height = 0;
    std::vector<int> delaysMs;  // one per picture
};

// The bounds of what is read: larger pictures or longer films are refused unread.
inline constexpr int kGifMaxSide = 8192;
inline constexpr int kGifMaxFrames = 10000;

GifInfo readGifInfo(const std::string& path);
GifInfo readGifInfoFromBytes(std::string_view bytes);

// Every picture as it is shown, whole (0xAARRGGBB; never painted pixels are 0): the stored
// rectangles laid over the pictures before them, transparency and disposal applied. Empty,
// with the reason in `error` when given, if the file is refused.
std::vector<std::vector<std::uint32_t>> decodeGifFrames(const std::string& path,
                                                        std::string* error);

}  // namespace orvala
