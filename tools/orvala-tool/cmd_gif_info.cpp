// orvala-tool gif-info: what a recorded deal holds, as the reader sees it.
//
//   orvala-tool gif-info FILE
//
// A file that is missing, damaged or not a GIF89a is said on stderr, with exit status 2.

#include <iostream>

#include "commands.h"
#include "gif/gif_reader.h"

namespace orvala::tool {

int runGifInfo(Args& args) {
    const auto words = args.positional();
    if (words.size() != 1) throw UsageError("gif-info takes one FILE");
    const GifInfo info = readGifInfo(words[0]);
    if (!info.valid) {
        std::cerr << "orvala-tool gif-info: " << words[0] << ": not a valid GIF89a: " << info.error
                  << '\n';
        return 2;
    }
    std::cout << "valid GIF89a\nsize " << info.width << " x " << info.height << "\nframes "
              << info.delaysMs.size() << '\n';
    for (size_t i = 0; i < info.delaysMs.size(); ++i)
        std::cout << "frame " << i + 1 << " delay " << info.delaysMs[i] << " ms\n";
    return 0;
}

}  // namespace orvala::tool
