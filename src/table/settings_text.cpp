#include "table/settings_text.h"

#include "core/text/cp1251.h"

namespace orvala::table {

QString fromSettingsText(const std::string& cp1251) {
    return QString::fromStdString(cp1251ToUtf8(cp1251));
}

std::string toSettingsText(const QString& text) {
    return utf8ToCp1251(text.toStdString());
}

}  // namespace orvala::table
