#include "gif/gif_palette.h"

#include <libimagequant.h>

#include <algorithm>
#include <cstddef>

namespace orvala {

namespace {

// The quantizer reads pictures: the list is laid out in rows, the last row filled up with the
// last pixel, as R, G, B, A bytes, fully opaque.
constexpr std::size_t kRowPixels = 4096;

struct Rows {
    std::vector<std::uint8_t> rgba;
    int width = 0, height = 0;
};

Rows rowsOf(const std::vector<std::uint32_t>& pixels) {
    Rows r;
    r.width = static_cast<int>(std::min(pixels.size(), kRowPixels));
    r.height = static_cast<int>((pixels.size() + kRowPixels - 1) / kRowPixels);
    const std::size_t total = static_cast<std::size_t>(r.width) * r.height;
    r.rgba.reserve(total * 4);
    for (std::size_t i = 0; i < total; ++i) {
        const std::uint32_t p = pixels[std::min(i, pixels.size() - 1)];
        r.rgba.insert(r.rgba.end(),
                      {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                       static_cast<std::uint8_t>(p), 0xff});
    }
    return r;
}

struct ImageDeleter {
    void operator()(liq_image* image) const { liq_image_destroy(image); }
};
using Image = std::unique_ptr<liq_image, ImageDeleter>;

// The rows as the colour reduction's picture; they must outlive it.
Image imageOf(liq_attr* attr, const Rows& rows, std::string& error) {
    Image image(liq_image_create_rgba(attr, rows.rgba.data(), rows.width, rows.height, 0));
    if (!image) error = "cannot hand a picture to the colour reduction";
    return image;
}

std::string liqError(const char* what, liq_error e) {
    return std::string(what) + " (colour reduction error " + std::to_string(static_cast<int>(e)) +
           ")";
}

}  // namespace

struct GifPalette::Quantizer {
    liq_attr* attr = nullptr;
    liq_histogram* histogram = nullptr;
    liq_result* result = nullptr;
    ~Quantizer() {
        if (result) liq_result_destroy(result);
        if (histogram) liq_histogram_destroy(histogram);
        if (attr) liq_attr_destroy(attr);
    }
};

GifPalette::GifPalette() : q_(std::make_unique<Quantizer>()) {
    q_->attr = liq_attr_create();
    if (q_->attr) {
        liq_set_max_colors(q_->attr, 255);
        q_->histogram = liq_histogram_create(q_->attr);
    }
}

GifPalette::~GifPalette() = default;

bool GifPalette::add(const std::vector<std::uint32_t>& pixels, std::string& error) {
    if (!q_->histogram) {
        error = "cannot start the colour reduction (out of memory)";
        return false;
    }
    if (pixels.empty()) return true;
    const Rows rows = rowsOf(pixels);
    const Image image = imageOf(q_->attr, rows, error);
    if (!image) return false;
    const liq_error e = liq_histogram_add_image(q_->histogram, q_->attr, image.get());
    if (e != LIQ_OK) error = liqError("cannot count the colours of a picture", e);
    return e == LIQ_OK;
}

bool GifPalette::build(std::string& error) {
    const liq_error e = liq_histogram_quantize(q_->histogram, q_->attr, &q_->result);
    if (e != LIQ_OK) {
        q_->result = nullptr;
        error = liqError("cannot choose the colours", e);
        return false;
    }
    // Without dithering a colour always maps to the same entry, so a part that did not change
    // is the same in every picture, and flat table areas compress well.
    liq_set_dithering_level(q_->result, 0.0f);
    // A palette made from a histogram is not refined by mapping, so it can be read now.
    const liq_palette* palette = liq_get_palette(q_->result);
    colours_.clear();
    for (unsigned i = 0; i < palette->count && i < 255; ++i)
        colours_.push_back({palette->entries[i].r, palette->entries[i].g, palette->entries[i].b});
    if (colours_.empty()) {
        error = "the colour reduction chose no colours";
        return false;
    }
    return true;
}

bool GifPalette::map(const std::vector<std::uint32_t>& pixels, std::vector<std::uint8_t>& indices,
                     std::string& error) {
    indices.clear();
    if (pixels.empty()) return true;
    const Rows rows = rowsOf(pixels);
    const Image image = imageOf(q_->attr, rows, error);
    if (!image) return false;
    indices.resize(static_cast<std::size_t>(rows.width) * rows.height);
    const liq_error e =
        liq_write_remapped_image(q_->result, image.get(), indices.data(), indices.size());
    if (e != LIQ_OK) error = liqError("cannot map a picture onto the colours", e);
    indices.resize(pixels.size());
    return e == LIQ_OK;
}

}  // namespace orvala
