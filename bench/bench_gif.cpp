// Encoding a recorded deal: 100 pictures of a 760 x 500 table, each moving a card or two. The
// file's size is reported beside the time; a deal should encode well under a second, into well
// under a megabyte.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "gif/gif_writer.h"

namespace orvala {
namespace {

constexpr int kWidth = 760, kHeight = 500;

void fill(GifFrame& f, int left, int top, int w, int h, std::uint32_t colour) {
    for (int y = top; y < top + h; ++y)
        for (int x = left; x < left + w; ++x)
            f.pixels[static_cast<std::size_t>(y) * kWidth + x] = colour;
}

void card(GifFrame& f, int left, int top, int rank) {
    fill(f, left, top, 71, 96, 0xff303030u);
    fill(f, left + 1, top + 1, 69, 94, 0xfffcfcf4u);
    fill(f, left + 6, top + 6, 12, 18, rank % 2 ? 0xffd01818u : 0xff101010u);
    fill(f, left + 25, top + 30 + rank % 5, 20, 30, rank % 2 ? 0xffe04040u : 0xff202020u);
}

// A cloth with a fine weave, three seat panels, hands along the edges and a trick in the middle
// whose cards fly in one by one.
std::vector<GifFrame> deal() {
    GifFrame table{kWidth, kHeight, {}, 1000};
    table.pixels.resize(static_cast<std::size_t>(kWidth) * kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            table.pixels[static_cast<std::size_t>(y) * kWidth + x] =
                0xff000000u | std::uint32_t(20 + (x ^ y) % 7) << 16 |
                std::uint32_t(96 + (x * 3 + y) % 11) << 8 | std::uint32_t(40 + y % 5);
    for (int seat = 0; seat < 3; ++seat) fill(table, 10 + seat * 250, 8, 230, 40, 0xff4a3a8cu);
    std::vector<GifFrame> frames;
    GifFrame now = table;
    for (int i = 0; i < 100; ++i) {
        if (i % 12 == 0) now = table;  // a trick is taken: the middle clears
        for (int k = 0; k < 8 - i % 8; ++k) card(now, 60 + k * 80, 390, k + i);
        card(now, 300 + (i % 3) * 40 + (i * 13) % 30, 180 + (i * 7) % 40, i);
        now.delayMs = i == 99 ? 5000 : 1000;
        frames.push_back(now);
    }
    return frames;
}

void BM_EncodeDeal(benchmark::State& state) {
    const std::vector<GifFrame> frames = deal();
    std::string bytes;
    for (auto _ : state) {
        const GifWriteResult r = encodeAnimatedGif(frames, bytes);
        if (!r.ok) state.SkipWithError(r.error.c_str());
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["file_bytes"] = static_cast<double>(bytes.size());
    state.counters["frames"] = static_cast<double>(frames.size());
}
BENCHMARK(BM_EncodeDeal)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orvala

BENCHMARK_MAIN();
