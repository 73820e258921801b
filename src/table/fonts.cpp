#include "table/fonts.h"

#include <QFontMetrics>
#include <QHash>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "table/settings_text.h"

namespace orvala::table {
namespace {

int slotOf(const char* keyword) {
    if (std::strcmp(keyword, "serif") == 0) return 1;
    if (std::strcmp(keyword, "fixed") == 0) return 2;
    if (std::strcmp(keyword, "conew") == 0) return 3;
    return 0;  // "decor"
}

}  // namespace

QStringList fontFamilies(const std::string& settingsName) {
    const QString name = fromSettingsText(settingsName).trimmed();
    QStringList families;
    const QString lower = name.toLower();
    if (lower == "comic sans ms")
        families << "Andika"
                 << "Comic Neue";
    else if (lower == "fixedsys" || lower == "courier new" || lower == "courier")
        families << "DejaVu Sans Mono";
    else if (lower.contains("times") || lower == "serif")
        families << "DejaVu Serif";
    else if (!name.isEmpty())
        families << name;
    families << "DejaVu Sans"
             << "WenQuanYi Zen Hei";
    return families;
}

int FontHeight(const Settings& settings, int size, const char* keyword) {
    const int scale = settings.FontScale[static_cast<size_t>(slotOf(keyword))];
    return static_cast<int>(std::nearbyint(size * scale / 100.0));
}

int pixelSizeForCell(const QFont& font, int cell) {
    cell = std::max(1, cell);
    // The table asks for the same few sizes over and over; measuring is not free.
    static QHash<QString, int> known;
    const QString key =
        font.families().join('|') + (font.bold() ? "|b|" : "|r|") + QString::number(cell);
    if (const auto it = known.constFind(key); it != known.constEnd()) return *it;
    QFont f = font;
    auto cellAt = [&f](int px) {
        f.setPixelSize(px);
        return QFontMetrics(f).height();
    };
    // Cells grow about in proportion to the em: start from that guess, then settle by steps.
    const int atCell = cellAt(cell);
    int px = atCell > 0 ? std::max(1, static_cast<int>(std::lround(double(cell) * cell / atCell)))
                        : cell;
    while (px > 1 && cellAt(px) > cell) --px;
    while (px < 4 * cell && cellAt(px + 1) <= cell) ++px;
    known.insert(key, px);
    return px;
}

QFont fittingFont(const QFont& font, const QString& text, int width) {
    constexpr int kSmallest = 6;
    QFont f = font;
    if (f.pixelSize() <= 0) f.setPixelSize(QFontMetrics(font).height());
    while (f.pixelSize() > kSmallest && QFontMetrics(f).horizontalAdvance(text) > width)
        f.setPixelSize(f.pixelSize() - 1);
    return f;
}

QFont slotFont(const Settings& settings, int size, const char* keyword, bool bold) {
    QFont f;
    f.setFamilies(fontFamilies(settings.FontName[static_cast<size_t>(slotOf(keyword))]));
    f.setBold(bold);
    f.setPixelSize(pixelSizeForCell(f, FontHeight(settings, size, keyword)));
    return f;
}

}  // namespace orvala::table
