#pragma once
// One palette for every picture of a file, so that a colour keeps its entry from the first
// picture to the last and unchanged parts never flicker. The palette is built from the
// histogram of every pixel that is stored, then each picture's stored pixels are mapped onto it.
// Pixels are handed over as plain lists (0xAARRGGBB, alpha ignored): only the pixels that
// changed are stored, and the rest of a changed rectangle would only cost time.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace orvala {

class GifPalette {
  public:
    GifPalette();
    ~GifPalette();
    GifPalette(const GifPalette&) = delete;
    GifPalette& operator=(const GifPalette&) = delete;

    // Counts the colours of the pixels.
    bool add(const std::vector<std::uint32_t>& pixels, std::string& error);
    // Chooses at most 255 colours; the entry after them is left for transparency.
    bool build(std::string& error);
    // The palette entry of every pixel.
    bool map(const std::vector<std::uint32_t>& pixels, std::vector<std::uint8_t>& indices,
             std::string& error);

    const std::vector<std::array<std::uint8_t, 3>>& colours() const { return colours_; }
    int transparentIndex() const { return static_cast<int>(colours_.size()); }

  private:
    struct Quantizer;
    std::unique_ptr<Quantizer> q_;
    std::vector<std::array<std::uint8_t, 3>> colours_;
};

}  // namespace orvala
