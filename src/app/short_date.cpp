#include "app/short_date.h"

#include <QRegularExpression>

namespace orvala::app {

QString shortDate(const QDate& date, const QLocale& locale) {
    const QString shown = locale.toString(date, QLocale::ShortFormat);
    // A month's name, a blank or a longer form does not survive a ten-column field.
    static const QRegularExpression allowed(QStringLiteral("^[0-9./-]{1,10}$"));
    if (allowed.match(shown).hasMatch()) return shown;
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

}  // namespace orvala::app
