#include "gif/gif_writer.h"

#include <gif_lib.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <filesystem>

#include "core/text/atomic_file.h"
#include "gif/gif_changes.h"
#include "gif/gif_palette.h"

namespace orvala {

namespace {

constexpr int kMaxSide = 65535;  // the format's sizes are 16-bit

int hundredths(int delayMs) {
    if (delayMs <= 0) return 0;
    return std::clamp((delayMs + 5) / 10, 1, 65535);
}

std::string sizeProblem(int w, int h) {
    if (w > 0 && h > 0 && w <= kMaxSide && h <= kMaxSide) return {};
    return "the picture size " + std::to_string(w) + " x " + std::to_string(h) +
           " cannot be stored";
}

std::string checkFrames(const std::vector<GifFrame>& frames) {
    if (frames.empty()) return "there are no pictures to write";
    const int w = frames[0].width, h = frames[0].height;
    if (std::string problem = sizeProblem(w, h); !problem.empty()) return problem;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const GifFrame& f = frames[i];
        const std::string which = "picture " + std::to_string(i + 1);
        if (f.width != w || f.height != h)
            return which + " is " + std::to_string(f.width) + " x " + std::to_string(f.height) +
                   ", not " + std::to_string(w) + " x " + std::to_string(h) + " as the first";
        if (f.pixels.size() != static_cast<std::size_t>(w) * h)
            return which + " has " + std::to_string(f.pixels.size()) + " pixels, not " +
                   std::to_string(static_cast<std::size_t>(w) * h);
        if (f.delayMs < 0) return which + " has a negative delay";
    }
    return {};
}

// What is stored of each picture: all of the first, then the rectangle that changed, or one
// transparent pixel when nothing did, so that the picture's delay still counts.
std::vector<GifRect> storedRects(const std::vector<GifFrame>& frames) {
    const int w = frames[0].width, h = frames[0].height;
    std::vector<GifRect> rects{{0, 0, w, h}};
    for (std::size_t i = 1; i < frames.size(); ++i)
        rects.push_back(changedRect(frames[i - 1].pixels, frames[i].pixels, w, h));
    return rects;
}

int appendBytes(GifFileType* gif, const GifByteType* data, int size) {
    static_cast<std::string*>(gif->UserData)
        ->append(reinterpret_cast<const char*>(data), static_cast<std::size_t>(size));
    return size;
}

struct MapDeleter {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

class Encoder {
  public:
    explicit Encoder(std::string& out) : out_(out) {}
    ~Encoder() {
        if (gif_) EGifCloseFile(gif_, nullptr);
    }

    bool open() {
        int err = 0;
        gif_ = EGifOpen(&out_, appendBytes, &err);
        return gif_ || fail(err);
    }

    bool screen(int width, int height, const GifPalette& palette) {
        // Room for every colour and the transparent entry, in a power of two.
        const int entries = palette.transparentIndex() + 1;
        const int bits = std::max(1, GifBitSize(entries));
        std::unique_ptr<ColorMapObject, MapDeleter> map(GifMakeMapObject(1 << bits, nullptr));
        if (!map) return fail(E_GIF_ERR_NOT_ENOUGH_MEM);
        for (std::size_t i = 0; i < palette.colours().size(); ++i) {
            const auto& c = palette.colours()[i];
            map->Colors[i] = {c[0], c[1], c[2]};
        }
        EGifSetGifVersion(gif_, true);
        if (EGifPutScreenDesc(gif_, width, height, bits, 0, map.get()) != GIF_OK) return fail();
        // Loop for ever: NETSCAPE2.0, sub-block 1, count 0.
        static const GifByteType kName[] = "NETSCAPE2.0";
        static const GifByteType kLoop[] = {1, 0, 0};
        return (EGifPutExtensionLeader(gif_, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
                EGifPutExtensionBlock(gif_, 11, kName) == GIF_OK &&
                EGifPutExtensionBlock(gif_, 3, kLoop) == GIF_OK &&
                EGifPutExtensionTrailer(gif_) == GIF_OK) ||
               fail();
    }

    bool image(GifRect rect, std::vector<GifByteType>& indices, int delayMs, int transparentIndex) {
        GraphicsControlBlock gcb{};
        gcb.DisposalMode = DISPOSE_DO_NOT;
        gcb.UserInputFlag = false;
        gcb.DelayTime = hundredths(delayMs);
        gcb.TransparentColor = transparentIndex;
        GifByteType ext[4];
        const size_t n = EGifGCBToExtension(&gcb, ext);
        if (EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(n), ext) != GIF_OK ||
            EGifPutImageDesc(gif_, rect.left, rect.top, rect.width, rect.height, false, nullptr) !=
                GIF_OK)
            return fail();
        for (int y = 0; y < rect.height; ++y)
            if (EGifPutLine(gif_, indices.data() + static_cast<std::size_t>(y) * rect.width,
                            rect.width) != GIF_OK)
                return fail();
        return true;
    }

    bool close() {
        int err = 0;
        const int status = EGifCloseFile(gif_, &err);
        gif_ = nullptr;  // freed whatever the outcome
        return status == GIF_OK || fail(err);
    }

    const std::string& error() const { return error_; }

  private:
    bool fail(int code = -1) {
        if (code < 0 && gif_) code = gif_->Error;
        const char* text = GifErrorString(code);
        error_ = std::string("cannot encode the picture: ") + (text ? text : "unknown error");
        return false;
    }

    std::string& out_;
    GifFileType* gif_ = nullptr;
    std::string error_;
};

GifWriteResult failure(std::string error) {
    return {false, std::move(error)};
}

// A change is usable when its rectangle lies in the picture and its pixels fill it; the first
// covers the whole picture with nothing marked unchanged.
std::string checkChanges(int w, int h, const std::vector<GifChange>& changes) {
    if (changes.empty()) return "there are no pictures to write";
    if (std::string problem = sizeProblem(w, h); !problem.empty()) return problem;
    for (std::size_t i = 0; i < changes.size(); ++i) {
        const GifChange& c = changes[i];
        const std::string which = "picture " + std::to_string(i + 1);
        if (c.left < 0 || c.top < 0 || c.width < 0 || c.height < 0 || c.left + c.width > w ||
            c.top + c.height > h)
            return which + "'s change lies outside the picture";
        if (c.pixels.size() != static_cast<std::size_t>(c.width) * c.height)
            return which + "'s change has " + std::to_string(c.pixels.size()) + " pixels";
        if (c.delayMs < 0) return which + " has a negative delay";
    }
    const GifChange& first = changes[0];
    if (first.left != 0 || first.top != 0 || first.width != w || first.height != h)
        return "the first picture must be whole";
    for (std::uint32_t p : first.pixels)
        if ((p >> 24) == 0) return "the first picture must be whole";
    return {};
}

// The pixels of a change that did change, and where they stand in its rectangle.
void changedPixels(const GifChange& c, std::vector<std::size_t>& at,
                   std::vector<std::uint32_t>& colours) {
    at.clear();
    colours.clear();
    for (std::size_t k = 0; k < c.pixels.size(); ++k) {
        if ((c.pixels[k] >> 24) == 0) continue;
        at.push_back(k);
        colours.push_back(c.pixels[k]);
    }
}

// Whole pictures as changes: the rectangle that changed, unchanged pixels marked by alpha 0.
std::vector<GifChange> changesOf(const std::vector<GifFrame>& frames) {
    const int w = frames[0].width;
    const std::vector<GifRect> rects = storedRects(frames);
    std::vector<GifChange> changes;
    changes.reserve(frames.size());
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const GifRect r = rects[i];
        GifChange c{r.left, r.top, r.width, r.height, {}, frames[i].delayMs};
        c.pixels.reserve(static_cast<std::size_t>(r.width) * r.height);
        for (int y = 0; y < r.height; ++y)
            for (int x = 0; x < r.width; ++x) {
                const std::size_t p = static_cast<std::size_t>(r.top + y) * w + r.left + x;
                const std::uint32_t now = opaque(frames[i].pixels[p]);
                const bool same = i > 0 && opaque(frames[i - 1].pixels[p]) == now;
                c.pixels.push_back(same ? 0u : now);
            }
        changes.push_back(std::move(c));
    }
    return changes;
}

GifWriteResult writeBytes(const std::string& path, const std::string& bytes) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::path(path).parent_path();
    std::error_code ec;
    if (!folder.empty() && !fs::is_directory(folder, ec))
        return failure("cannot write " + path + ": the folder " + folder.string() +
                       " does not exist");
    errno = 0;
    if (!writeFileAtomically(path, bytes)) {
        const int cause = errno;
        return failure("cannot write " + path +
                       (cause ? std::string(": ") + std::strerror(cause) : std::string()));
    }
    return {true, {}};
}

}  // namespace

GifWriteResult encodeAnimatedGifChanges(int w, int h, const std::vector<GifChange>& changes,
                                        std::string& bytes) {
    bytes.clear();
    if (std::string problem = checkChanges(w, h, changes); !problem.empty())
        return failure(problem);

    std::string error;
    GifPalette palette;
    std::vector<std::size_t> at;
    std::vector<std::uint32_t> colours;
    for (const GifChange& c : changes) {
        changedPixels(c, at, colours);
        if (!palette.add(colours, error)) return failure(error);
    }
    if (!palette.build(error)) return failure(error);

    std::string out;
    Encoder encoder(out);
    if (!encoder.open() || !encoder.screen(w, h, palette)) return failure(encoder.error());
    const int clear = palette.transparentIndex();
    std::vector<GifByteType> mapped, indices;
    for (std::size_t i = 0; i < changes.size(); ++i) {
        const GifChange& c = changes[i];
        // Nothing changed: one transparent pixel still carries the picture's delay.
        const GifRect rect = c.width == 0 || c.height == 0
                                 ? GifRect{0, 0, 1, 1}
                                 : GifRect{c.left, c.top, c.width, c.height};
        changedPixels(c, at, colours);
        if (!palette.map(colours, mapped, error)) return failure(error);
        // Pixels that did not change show the picture below.
        indices.assign(static_cast<std::size_t>(rect.width) * rect.height,
                       static_cast<GifByteType>(clear));
        for (std::size_t k = 0; k < at.size(); ++k) indices[at[k]] = mapped[k];
        if (!encoder.image(rect, indices, c.delayMs, i == 0 ? NO_TRANSPARENT_COLOR : clear))
            return failure(encoder.error());
    }
    if (!encoder.close()) return failure(encoder.error());
    bytes = std::move(out);
    return {true, {}};
}

GifWriteResult encodeAnimatedGif(const std::vector<GifFrame>& frames, std::string& bytes) {
    bytes.clear();
    if (std::string problem = checkFrames(frames); !problem.empty()) return failure(problem);
    return encodeAnimatedGifChanges(frames[0].width, frames[0].height, changesOf(frames), bytes);
}

GifWriteResult writeAnimatedGif(const std::string& path, const std::vector<GifFrame>& frames) {
    std::string bytes;
    GifWriteResult r = encodeAnimatedGif(frames, bytes);
    return r.ok ? writeBytes(path, bytes) : r;
}

GifWriteResult writeAnimatedGifChanges(const std::string& path, int width, int height,
                                       const std::vector<GifChange>& changes) {
    std::string bytes;
    GifWriteResult r = encodeAnimatedGifChanges(width, height, changes, bytes);
    return r.ok ? writeBytes(path, bytes) : r;
}

}  // namespace orvala
