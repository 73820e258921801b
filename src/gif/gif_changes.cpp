#include "gif/gif_changes.h"

#include <algorithm>
#include <cstddef>

namespace orvala {

GifRect changedRect(const std::vector<std::uint32_t>& before,
                    const std::vector<std::uint32_t>& after, int width, int height) {
    int left = width, right = -1, top = height, bottom = -1;
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* a = before.data() + static_cast<std::size_t>(y) * width;
        const std::uint32_t* b = after.data() + static_cast<std::size_t>(y) * width;
        int first = 0;
        while (first < width && opaque(a[first]) == opaque(b[first])) ++first;
        if (first == width) continue;
        int last = width - 1;
        while (opaque(a[last]) == opaque(b[last])) --last;
        left = std::min(left, first);
        right = std::max(right, last);
        top = std::min(top, y);
        bottom = y;
    }
    if (bottom < 0) return {};
    return {left, top, right - left + 1, bottom - top + 1};
}

}  // namespace orvala
