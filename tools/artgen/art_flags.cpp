// The flags of the ten languages for the options dialog's language list, drawn from the colour
// emoji font's flag glyphs (Noto Color Emoji, SIL Open Font License): the United Kingdom, Russia,
// Germany, France, Spain, China, Italy, the Czech Republic, Japan and Korea, in the word table's
// language order.

#include <QFontDatabase>
#include <QPainter>
#include <cstdio>
#include <cstdlib>

#include "art_painter.h"
#include "table/art_names.h"

namespace orvala::artgen {

void requireEmojiFont() {
    if (QFontDatabase::families().contains(kEmojiFamily)) return;
    std::fprintf(stderr, "artgen: the font \"%s\" is missing (Debian: fonts-noto-color-emoji)\n",
                 kEmojiFamily);
    std::exit(1);
}

QImage drawFlag(int language) {
    static constexpr const char* kFlags[10] = {"🇬🇧", "🇷🇺", "🇩🇪", "🇫🇷", "🇪🇸",
                                               "🇨🇳", "🇮🇹", "🇨🇿", "🇯🇵", "🇰🇷"};
    requireEmojiFont();
    QImage img(art::kFlagWidth, art::kFlagHeight, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    QFont f(kEmojiFamily);
    f.setPixelSize(art::kFlagWidth);
    p.setFont(f);
    p.drawText(QRectF(img.rect()), Qt::AlignCenter, QString::fromUtf8(kFlags[language % 10]));
    return img;
}

}  // namespace orvala::artgen
