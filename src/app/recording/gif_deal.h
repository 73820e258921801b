#pragma once
// A recorded deal as the recorder keeps it (the first picture whole, then each change as the
// rectangle that changed, its unchanged pixels clear), and its writing as an animated GIF. Whole
// pictures are never rebuilt: the encoder takes the changes as they are.

#include <QImage>
#include <QRect>
#include <QString>
#include <vector>

namespace orvala::app {

struct DealPictures {
    struct Patch {
        QRect rect;
        QImage pixels;
    };
    int width = 0, height = 0;
    int delayMs = 1000;  // every frame but the last
    int lastDelayMs = 5000;
    std::vector<Patch> patches;
};

// Writes the deal; an empty string, or what went wrong.
QString writeDealGif(const DealPictures& deal, const QString& path);

}  // namespace orvala::app
