#pragma once
// The four font slots of the settings, named by keyword: "decor" slot 1, "serif" slot 2,
// "fixed" slot 3, "conew" slot 4. The Windows font names the settings file carries are mapped to
// free fonts that are installed with the game: the informal "Comic Sans MS" becomes Andika, which
// writes Latin and Cyrillic in one hand, so a Russian text is not a mix of two fonts. Every font
// falls back to a CJK family so that Chinese, Japanese and Korean texts render.

#include <QFont>
#include <QStringList>

#include "core/settings/settings.h"

namespace orvala::table {

// The families to try for a font name of the settings file (Windows-1251 bytes).
QStringList fontFamilies(const std::string& settingsName);

// round(size * FontScale[slot] / 100): the height in pixels for a design size already scaled.
int FontHeight(const Settings& settings, int size, const char* keyword);

// The font of a slot at that height. The height is the font's cell (ascent + descent), not its
// em: the font gets the largest pixel size whose cell is no taller.
QFont slotFont(const Settings& settings, int size, const char* keyword, bool bold = false);

// The largest pixel size at which the font's cell (ascent + descent) is no taller than `cell`.
int pixelSizeForCell(const QFont& font, int cell);

// A text that does not fit its box is drawn smaller until it does: the font, a pixel smaller at a
// time, until the text is no wider than `width` (never below 6 pixels); the font itself when the
// text fits.
QFont fittingFont(const QFont& font, const QString& text, int width);

}  // namespace orvala::table
