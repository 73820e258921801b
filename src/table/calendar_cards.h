#pragma once
// The calendar cards of the main menu drawn from the calendar library "ZorCalendar01.dll": card 1
// the date (day number, month, zodiac sign), card 2 the year's animal, then one card per holiday
// of the day, each with its hint in the chosen language.

#include <QImage>
#include <QSize>
#include <QString>
#include <vector>

#include "core/calendar/civil_date.h"

namespace orvala::table {

struct CalendarCardPicture {
    QImage image;  // the card at the asked size, transparent around the leaf
    QString hint;
};

struct BuiltCalendar {
    bool ok = false;  // false: no library, a damaged one, or a date the calendar does not know
    std::vector<CalendarCardPicture> cards;
};

// The library at `libraryPath` is opened for the call and released at its end. The day number
// is drawn at daySize points, red on Sundays; the month name at monthSize points, one point
// smaller when it is longer than eight characters. Sizes are the design's points; the cards
// are drawn at cardSize pixels, the font scaled with them.
BuiltCalendar BuildCalendar(const QString& libraryPath, const QString& fontName, int daySize,
                            int monthSize, int language, const calendar::CivilDate& today,
                            QSize cardSize);

}  // namespace orvala::table
