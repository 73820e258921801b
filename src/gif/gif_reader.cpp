#include "gif/gif_reader.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "core/text/atomic_file.h"

namespace orvala {

namespace {

constexpr std::size_t kMaxFileBytes = 64u << 20;
// Decoding keeps every picture whole: a bound on their pixels bounds the memory.
constexpr std::size_t kMaxDecodedPixels = std::size_t{1} << 28;

struct Source {
    std::string_view bytes;
    std::size_t at = 0;
};

int readBytes(GifFileType* gif, GifByteType* into, int wanted) {
    auto* src = static_cast<Source*>(gif->UserData);
    const std::size_t n =
        std::min(static_cast<std::size_t>(std::max(wanted, 0)), src->bytes.size() - src->at);
    std::memcpy(into, src->bytes.data() + src->at, n);
    src->at += n;
    return static_cast<int>(n);  // short: giflib reports the file as truncated
}

class Reader {
  public:
    explicit Reader(std::string_view bytes) : src_{bytes, 0} {}
    ~Reader() {
        if (gif_) DGifCloseFile(gif_, nullptr);
    }

    // Reads the whole file; with `frames` given, also decodes every picture into it.
    GifInfo read(std::vector<std::vector<std::uint32_t>>* frames) {
        GifInfo info;
        info.error = parse(info, frames);
        info.valid = info.error.empty();
        if (!info.valid) {
            info.delaysMs.clear();
            if (frames) frames->clear();
        }
        return info;
    }

  private:
    std::string parse(GifInfo& info, std::vector<std::vector<std::uint32_t>>* frames) {
        const std::string_view b = src_.bytes;
        if (b.size() < 6 || b.substr(0, 3) != "GIF") return "not a GIF file";
        if (b.substr(0, 6) == "GIF87a") return "a GIF87a file: only GIF89a is read";
        if (b.substr(0, 6) != "GIF89a") return "not a GIF89a file (unknown version)";
        int err = 0;
        gif_ = DGifOpen(&src_, readBytes, &err);
        if (!gif_) return damaged(err);
        info.width = gif_->SWidth;
        info.height = gif_->SHeight;
        if (info.width <= 0 || info.height <= 0 || info.width > kGifMaxSide ||
            info.height > kGifMaxSide)
            return "the picture size " + std::to_string(info.width) + " x " +
                   std::to_string(info.height) + " is outside 1 x 1 to " +
                   std::to_string(kGifMaxSide) + " x " + std::to_string(kGifMaxSide);
        if (frames) canvas_.assign(static_cast<std::size_t>(info.width) * info.height, 0);

        GraphicsControlBlock control = noControl();
        for (;;) {
            GifRecordType type;
            if (DGifGetRecordType(gif_, &type) != GIF_OK) return damaged();
            if (type == TERMINATE_RECORD_TYPE) break;
            if (type == EXTENSION_RECORD_TYPE) {
                if (std::string e = extension(control); !e.empty()) return e;
            } else if (type == IMAGE_DESC_RECORD_TYPE) {
                if (info.delaysMs.size() >= static_cast<std::size_t>(kGifMaxFrames))
                    return "more than " + std::to_string(kGifMaxFrames) + " pictures";
                if (std::string e = image(info, control, frames); !e.empty()) return e;
                info.delaysMs.push_back(control.DelayTime * 10);
                control = noControl();
            } else {
                return "damaged: an unknown record";
            }
        }
        if (info.delaysMs.empty()) return "holds no pictures";
        return {};
    }

    static GraphicsControlBlock noControl() {
        GraphicsControlBlock c{};
        c.DisposalMode = DISPOSAL_UNSPECIFIED;
        c.TransparentColor = NO_TRANSPARENT_COLOR;
        return c;
    }

    std::string extension(GraphicsControlBlock& control) {
        int code = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(gif_, &code, &block) != GIF_OK) return damaged();
        if (code == GRAPHICS_EXT_FUNC_CODE && block &&
            DGifExtensionToGCB(block[0], block + 1, &control) != GIF_OK)
            return "damaged: a picture's timing block has the wrong length";
        while (block)
            if (DGifGetExtensionNext(gif_, &block) != GIF_OK) return damaged();
        return {};
    }

    std::string image(const GifInfo& info, const GraphicsControlBlock& control,
                      std::vector<std::vector<std::uint32_t>>* frames) {
        if (DGifGetImageDesc(gif_) != GIF_OK) return damaged();
        const GifImageDesc& d = gif_->Image;
        const std::string which = "picture " + std::to_string(info.delaysMs.size() + 1);
        if (d.Width <= 0 || d.Height <= 0 || d.Left < 0 || d.Top < 0 ||
            d.Left + d.Width > info.width || d.Top + d.Height > info.height)
            return which + " lies outside the picture area";
        if (!frames) {
            int codeSize = 0;
            GifByteType* block = nullptr;
            if (DGifGetCode(gif_, &codeSize, &block) != GIF_OK) return damaged();
            while (block)
                if (DGifGetCodeNext(gif_, &block) != GIF_OK) return damaged();
            return {};
        }
        if ((frames->size() + 1) * canvas_.size() > kMaxDecodedPixels)
            return "too large to decode whole";
        const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif_->SColorMap;
        if (!map) return which + " has no colour table";
        std::vector<GifByteType> indices(static_cast<std::size_t>(d.Width) * d.Height);
        static constexpr int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
        for (int pass = d.Interlace ? 0 : 3; pass < 4; ++pass)
            for (int y = d.Interlace ? kStart[pass] : 0; y < d.Height;
                 y += d.Interlace ? kStep[pass] : 1)
                if (DGifGetLine(gif_, indices.data() + static_cast<std::size_t>(y) * d.Width,
                                d.Width) != GIF_OK)
                    return damaged();
        return compose(info.width, d, *map, indices, control, *frames);
    }

    // Lays one stored rectangle over the picture before, as a viewer shows it.
    std::string compose(int width, const GifImageDesc& d, const ColorMapObject& map,
                        const std::vector<GifByteType>& indices,
                        const GraphicsControlBlock& control,
                        std::vector<std::vector<std::uint32_t>>& frames) {
        if (lastDisposal_ == DISPOSE_BACKGROUND)
            for (int y = lastRect_.Top; y < lastRect_.Top + lastRect_.Height; ++y)
                std::fill_n(
                    canvas_.begin() + static_cast<std::ptrdiff_t>(y) * width + lastRect_.Left,
                    lastRect_.Width, 0u);
        else if (lastDisposal_ == DISPOSE_PREVIOUS)
            canvas_ = saved_;
        if (control.DisposalMode == DISPOSE_PREVIOUS) saved_ = canvas_;
        for (int y = 0; y < d.Height; ++y)
            for (int x = 0; x < d.Width; ++x) {
                const int index = indices[static_cast<std::size_t>(y) * d.Width + x];
                if (index == control.TransparentColor) continue;
                if (index >= map.ColorCount) return "damaged: a pixel outside the colour table";
                const GifColorType c = map.Colors[index];
                canvas_[static_cast<std::size_t>(d.Top + y) * width + d.Left + x] =
                    0xff000000u | std::uint32_t{c.Red} << 16 | std::uint32_t{c.Green} << 8 | c.Blue;
            }
        frames.push_back(canvas_);
        lastDisposal_ = control.DisposalMode;
        lastRect_ = d;
        return {};
    }

    std::string damaged(int code = -1) const {
        if (code < 0) code = gif_ ? gif_->Error : 0;
        const char* text = GifErrorString(code);
        return std::string("damaged or truncated: ") + (text ? text : "unknown error");
    }

    Source src_;
    GifFileType* gif_ = nullptr;
    std::vector<std::uint32_t> canvas_, saved_;
    int lastDisposal_ = DISPOSAL_UNSPECIFIED;
    GifImageDesc lastRect_{};
};

GifInfo unreadable(const std::string& path, std::string& bytes) {
    GifInfo info;
    bool tooLarge = false;
    const FileRead r = readFileInPieces(path, [&](std::string_view piece) {
        tooLarge = piece.size() > kMaxFileBytes - bytes.size();
        if (!tooLarge) bytes += piece;
        return !tooLarge;
    });
    if (r == FileRead::Missing)
        info.error = "no such file";
    else if (r == FileRead::Unreadable)
        info.error = "cannot be read";
    else if (tooLarge)
        info.error = "larger than " + std::to_string(kMaxFileBytes >> 20) + " MB";
    return info;
}

}  // namespace

GifInfo readGifInfoFromBytes(std::string_view bytes) {
    return Reader(bytes).read(nullptr);
}

GifInfo readGifInfo(const std::string& path) {
    std::string bytes;
    GifInfo failed = unreadable(path, bytes);
    if (!failed.error.empty()) return failed;
    return readGifInfoFromBytes(bytes);
}

std::vector<std::vector<std::uint32_t>> decodeGifFrames(const std::string& path,
                                                        std::string* error) {
    std::string bytes;
    GifInfo info = unreadable(path, bytes);
    std::vector<std::vector<std::uint32_t>> frames;
    if (info.error.empty()) info = Reader(bytes).read(&frames);
    if (error) *error = info.error;
    return frames;
}

}  // namespace orvala
