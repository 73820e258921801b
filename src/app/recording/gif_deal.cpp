#include "app/recording/gif_deal.h"

#include "gif/gif_writer.h"

namespace orvala::app {

QString writeDealGif(const DealPictures& deal, const QString& path) {
    std::vector<GifChange> changes;
    changes.reserve(deal.patches.size());
    for (const auto& patch : deal.patches) {
        const QImage pixels = patch.pixels.convertToFormat(QImage::Format_ARGB32);
        GifChange c{
            patch.rect.left(), patch.rect.top(), patch.rect.width(), patch.rect.height(), {},
            deal.delayMs};
        c.pixels.reserve(static_cast<size_t>(c.width) * static_cast<size_t>(c.height));
        for (int y = 0; y < c.height; ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
            c.pixels.insert(c.pixels.end(), line, line + c.width);
        }
        changes.push_back(std::move(c));
    }
    if (changes.empty()) return "no frames";
    changes.back().delayMs = deal.lastDelayMs;
    const GifWriteResult r =
        writeAnimatedGifChanges(path.toStdString(), deal.width, deal.height, changes);
    return r.ok ? QString() : QString::fromStdString(r.error);
}

}  // namespace orvala::app
