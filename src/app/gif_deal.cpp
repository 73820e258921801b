#include "app/gif_deal.h"

#include <QPainter>

#include "gif/gif_writer.h"

namespace orvala::app {

QString writeDealGif(const DealPictures& deal, const QString& path) {
    // The deal's pictures again, whole, one after the other.
    std::vector<GifFrame> frames;
    frames.reserve(deal.patches.size());
    QImage picture(deal.width, deal.height, QImage::Format_RGB32);
    picture.fill(Qt::black);
    for (const auto& patch : deal.patches) {
        {
            QPainter p(&picture);
            p.drawImage(patch.rect.topLeft(), patch.pixels);
        }
        GifFrame f;
        f.width = deal.width;
        f.height = deal.height;
        f.delayMs = deal.delayMs;
        f.pixels.resize(static_cast<size_t>(deal.width) * static_cast<size_t>(deal.height));
        for (int y = 0; y < deal.height; ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
            for (int x = 0; x < deal.width; ++x)
                f.pixels[static_cast<size_t>(y) * static_cast<size_t>(deal.width) +
                         static_cast<size_t>(x)] = line[x] | 0xFF000000u;
        }
        frames.push_back(std::move(f));
    }
    if (frames.empty()) return "no frames";
    frames.back().delayMs = deal.lastDelayMs;
    const GifWriteResult r = writeAnimatedGif(path.toStdString(), frames);
    return r.ok ? QString() : QString::fromStdString(r.error);
}

}  // namespace orvala::app
