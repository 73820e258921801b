#pragma once
// A date as the history files and the service keep it: the user's short date format when it fits
// in ten characters of digits and the usual marks (".", "/", "-"), else "dd.MM.yyyy". Never cut.

#include <QDate>
#include <QLocale>
#include <QString>

namespace orvala::app {

QString shortDate(const QDate& date, const QLocale& locale = QLocale());

}  // namespace orvala::app
