#pragma once
// The table's texts: the four font slots of the settings and the centring of a line of text.
//
// A drawing call names its slot by keyword: "decor" slot 1, "serif" slot 2, "fixed" slot 3,
// "conew" slot 4 (an unknown keyword is taken as "decor"). FontHeight(size, keyword) is
// round(size * FontScale[slot] / 100), halves to even, with size already scaled to the window.
//
// That height is the font's cell height: ascent plus descent, internal leading included, as
// QFontMetrics::height() reports it. Qt sizes a font by its em, so the pixel size is searched
// for: the largest pixel size whose cell height is at most the wanted height (at least 1 pixel).
// With free fonts in place of the Windows ones this keeps the texts as tall as they were meant
// to be and inside their areas.
//
// The Windows font names of the settings file are mapped to installed free fonts: "Comic Sans
// MS" to "Comic Neue", "FixedSys", "Courier New" and "Courier" to "DejaVu Sans Mono", "Times New
// Roman" and the other serif names to "DejaVu Serif"; any other name is used as it stands. Every
// font falls back to "DejaVu Sans" and then to "WenQuanYi Zen Hei", so that Cyrillic, Chinese,
// Japanese and Korean texts render whatever the slot's font holds.

#include <QFont>
#include <QHash>
#include <QPainter>
#include <QString>
#include <QStringList>
#include <array>
#include <string>
#include <string_view>

#include "core/settings/settings.h"

namespace orvala::table {

// The slot index 0..3 of a keyword.
int FontSlotOf(std::string_view keyword);

// The families to try for a font name of the settings file (Windows-1251 bytes), in order.
QStringList FreeFontFamilies(const std::string& settingsName);

// The pixel size at which a font of these families has a cell height of at most `cellHeight`
// pixels, as large as possible; 1 when even that is taller.
int PixelSizeForCellHeight(const QStringList& families, int cellHeight, bool bold);

class TableFonts {
  public:
    TableFonts();  // the default slots
    explicit TableFonts(const Settings& settings);

    int FontHeight(int size, std::string_view keyword) const;
    // The slot's font with a cell height of FontHeight(size, keyword).
    QFont Font(int size, std::string_view keyword, bool bold = false) const;
    const QStringList& families(std::string_view keyword) const;

  private:
    std::array<QStringList, 4> families_;
    std::array<int, 4> scale_{};
    // Pixel sizes found, by slot, weight and cell height.
    mutable QHash<qint64, int> pixelSizes_;
};

// Draws text at x = left + trunc((right - left - text width) / 2) with the top of its cell at
// `top`, in the painter's font and pen, with no background.
void CentreText(const QString& text, int left, int right, QPainter& painter, int top);

}  // namespace orvala::table
