#include "service/jpeg_check.h"

namespace orvala::service {

JpegCheck checkJpeg(std::string_view b) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(b[i]); };
    JpegCheck r;
    if (b.size() > kMaxJpegBytes) return r.problem = "larger than 200 KB", r;
    if (b.size() < 4 || byte(0) != 0xFF || byte(1) != 0xD8) return r.problem = "not a JPEG", r;
    if (byte(b.size() - 2) != 0xFF || byte(b.size() - 1) != 0xD9) return r.problem = "cut short", r;
    std::size_t at = 2;
    while (at + 4 <= b.size()) {
        if (byte(at) != 0xFF) return r.problem = "a broken segment", r;
        const unsigned char marker = byte(at + 1);
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA) break;  // end, or scan data before any frame
        const std::size_t length = byte(at + 2) << 8 | byte(at + 3);
        if (length < 2 || at + 2 + length > b.size()) return r.problem = "a broken segment", r;
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (length < 7) return r.problem = "a broken frame header", r;
            r.height = byte(at + 5) << 8 | byte(at + 6);
            r.width = byte(at + 7) << 8 | byte(at + 8);
            if (r.width < 16 || r.height < 16 || r.width > 2000 || r.height > 2000)
                return r.problem = "unlikely dimensions", r;
            r.ok = true;
            return r;
        }
        at += 2 + length;
    }
    r.problem = "no frame header";
    return r;
}

}  // namespace orvala::service
