// orvala-tool calendar: the calendar cards of one day, one line a card: "date D MONTH SIGN",
// "year NAME", then "holiday PICTURE HINT" for each holiday in table order.

#include <iostream>
#include <string>

#include "commands.h"
#include "core/calendar/calendar_day.h"
#include "core/lang/language.h"

namespace orvala::tool {

int runCalendar(Args& args) {
    const auto dateText = args.value("date");
    const auto lang = args.value("lang");
    args.finish();
    if (!dateText) throw UsageError("--date is required");
    const int language = lang ? parseInt(*lang, "--lang", 0, kLanguageCount - 1) : 0;
    const auto date = calendar::parseIsoDate(*dateText);
    if (!date)
        throw UsageError("--date \"" + *dateText +
                         "\" is not a date YYYY-MM-DD between 1900-01-01 and 2100-12-31");
    const auto day = calendar::calendarDay(*date, language);
    if (!day) throw UsageError("--date \"" + *dateText + "\" has no calendar");
    std::cout << "date " << day->date.day << ' ' << day->date.month << ' ' << day->date.zodiac.hint
              << '\n';
    std::cout << "year " << day->year.hint << '\n';
    for (const auto& card : day->holidays)
        std::cout << "holiday " << card.picture << ' ' << card.hint << '\n';
    return 0;
}

}  // namespace orvala::tool
