// Writes a small recording for the developer tool's command-line test: three pictures, shown
// 1000, 1000 and 5000 ms, 80 x 64.

#include <cstdio>

#include "gif/gif_test_pictures.h"
#include "gif/gif_writer.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sample_gif FILE\n");
        return 2;
    }
    std::vector<orvala::GifFrame> frames;
    for (int step = 0; step < 3; ++step) {
        orvala::GifFrame f = orvala::test::tablePicture(80, 64, step == 2 ? 5000 : 1000);
        orvala::test::drawCard(f, 2 + 10 * step, 0);
        frames.push_back(f);
    }
    const orvala::GifWriteResult r = orvala::writeAnimatedGif(argv[1], frames);
    if (!r.ok) std::fprintf(stderr, "make_sample_gif: %s\n", r.error.c_str());
    return r.ok ? 0 : 1;
}
