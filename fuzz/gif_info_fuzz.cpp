// Fuzz target of the GIF reader. Any bytes must give a clear answer: a valid file within the
// bounds with one delay per picture, or a refusal with a reason and nothing else; and the same
// answer every time. A broken property aborts, which the fuzzer and the corpus runner report.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "gif/gif_reader.h"

namespace {

void require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "GIF reader property broken: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvala;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const GifInfo info = readGifInfoFromBytes(bytes);
    if (info.valid) {
        require(info.error.empty(), "a valid file with an error");
        require(info.width >= 1 && info.width <= kGifMaxSide, "width out of bounds");
        require(info.height >= 1 && info.height <= kGifMaxSide, "height out of bounds");
        require(!info.delaysMs.empty() &&
                    info.delaysMs.size() <= static_cast<std::size_t>(kGifMaxFrames),
                "picture count out of bounds");
        for (int d : info.delaysMs) require(d >= 0 && d <= 655350, "delay out of range");
        require(bytes.starts_with("GIF89a"), "a valid file that is not GIF89a");
    } else {
        require(!info.error.empty(), "a refusal without a reason");
        require(info.delaysMs.empty(), "a refusal with pictures");
    }
    const GifInfo again = readGifInfoFromBytes(bytes);
    require(
        again.valid == info.valid && again.error == info.error && again.delaysMs == info.delaysMs,
        "reading twice differs");
    return 0;
}
