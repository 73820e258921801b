#include "table/fonts.h"

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
        families << "Comic Neue";
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

QFont slotFont(const Settings& settings, int size, const char* keyword, bool bold) {
    QFont f;
    f.setFamilies(fontFamilies(settings.FontName[static_cast<size_t>(slotOf(keyword))]));
    f.setPixelSize(std::max(1, FontHeight(settings, size, keyword)));
    f.setBold(bold);
    return f;
}

}  // namespace orvala::table
