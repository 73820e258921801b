#include "table/table_text.h"

#include <QFontMetrics>
#include <algorithm>

#include "core/text/cp1251.h"
#include "table/table_geometry.h"

namespace orvala::table {
namespace {

const QStringList kSerifNames = {"times new roman", "times",    "serif",        "ms serif",
                                 "georgia",         "garamond", "book antiqua", "palatino linotype",
                                 "cambria"};

QFont fontOf(const QStringList& families, int pixelSize, bool bold) {
    QFont f;
    f.setFamilies(families);
    f.setPixelSize(std::max(1, pixelSize));
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

int cellHeight(const QStringList& families, int pixelSize, bool bold) {
    return QFontMetrics(fontOf(families, pixelSize, bold)).height();
}

}  // namespace

int FontSlotOf(std::string_view keyword) {
    if (keyword == "serif") return 1;
    if (keyword == "fixed") return 2;
    if (keyword == "conew") return 3;
    return 0;  // "decor"
}

QStringList FreeFontFamilies(const std::string& settingsName) {
    const QString name = QString::fromStdString(cp1251ToUtf8(settingsName)).trimmed();
    const QString lower = name.toLower();
    QStringList families;
    if (lower == "comic sans ms" || lower == "comic sans") {
        families << "Comic Neue";
    } else if (lower == "fixedsys" || lower == "courier new" || lower == "courier") {
        families << "DejaVu Sans Mono";
    } else if (kSerifNames.contains(lower)) {
        families << "DejaVu Serif";
    } else if (!name.isEmpty()) {
        families << name;
    }
    for (const char* fallback : {"DejaVu Sans", "WenQuanYi Zen Hei"})
        if (!families.contains(fallback)) families << fallback;
    return families;
}

int PixelSizeForCellHeight(const QStringList& families, int wanted, bool bold) {
    if (wanted <= 1) return 1;
    // The cell is about 1.1 to 1.4 em in the fonts we use; start from the estimate at 100 pixels
    // and step to the largest size that fits. Cell height grows with pixel size, so the steps end.
    const int at100 = std::max(1, cellHeight(families, 100, bold));
    int size = std::max(1, wanted * 100 / at100);
    while (size > 1 && cellHeight(families, size, bold) > wanted) --size;
    while (cellHeight(families, size + 1, bold) <= wanted) ++size;
    return size;
}

TableFonts::TableFonts() : TableFonts(Settings{}) {}

TableFonts::TableFonts(const Settings& settings) {
    for (size_t i = 0; i < 4; ++i) {
        families_[i] = FreeFontFamilies(settings.FontName[i]);
        scale_[i] = settings.FontScale[i];
    }
}

int TableFonts::FontHeight(int size, std::string_view keyword) const {
    const int scale = scale_[static_cast<size_t>(FontSlotOf(keyword))];
    return roundHalfEven(size * static_cast<double>(scale) / 100.0);
}

QFont TableFonts::Font(int size, std::string_view keyword, bool bold) const {
    const int slot = FontSlotOf(keyword);
    const int height = FontHeight(size, keyword);
    const auto& families = families_[static_cast<size_t>(slot)];
    const qint64 key = (static_cast<qint64>(height) << 3) | (slot << 1) | (bold ? 1 : 0);
    auto it = pixelSizes_.find(key);
    if (it == pixelSizes_.end())
        it = pixelSizes_.insert(key, PixelSizeForCellHeight(families, height, bold));
    return fontOf(families, it.value(), bold);
}

const QStringList& TableFonts::families(std::string_view keyword) const {
    return families_[static_cast<size_t>(FontSlotOf(keyword))];
}

void CentreText(const QString& text, int left, int right, QPainter& painter, int top) {
    const QFontMetrics metrics = painter.fontMetrics();
    const int width = metrics.horizontalAdvance(text);
    painter.drawText(left + (right - left - width) / 2, top + metrics.ascent(), text);
}

}  // namespace orvala::table
