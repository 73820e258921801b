#include "core/calendar/calendar_day.h"

#include "core/calendar/calendar_words.h"
#include "core/calendar/date_rules.h"
#include "core/calendar/signs.h"

namespace orvala::calendar {

namespace {

bool entryFallsOn(const CalendarEntry& entry, const CivilDate& date) {
    if (entry.dayOfYear256) return dayOfYear(date) == 256;
    const auto rule = parseDateRule(entry.date);
    return rule && ruleFallsOn(*rule, date);
}

}  // namespace

std::string holidayHint(const CalendarEntry& entry, int year, int language) {
    const int lang = language >= 0 && language < 10 ? language : 0;
    std::string hint(entry.names[lang]);
    std::string extra;
    const auto rule = parseDateRule(entry.date);
    // Before the event happened, or in its own year, there is no anniversary to tell.
    if (rule && rule->kind == DateRule::Kind::Fixed && rule->year > 0 && year > rule->year)
        extra = std::to_string(year - rule->year).append(anniversarySuffix(lang));
    const std::string_view kind = holidayKindName(entry.kind, lang);
    if (!kind.empty()) {
        if (!extra.empty()) extra += ", ";
        extra += kind;
    }
    if (!extra.empty()) hint.append(" (").append(extra).append(")");
    return hint;
}

std::optional<CalendarDay> calendarDay(const CivilDate& date, int language) {
    if (!isSupportedDate(date)) return std::nullopt;
    CalendarDay result;
    const int zodiac = zodiacIndex(date.month, date.day);
    result.date.day = date.day;
    result.date.month = std::string(monthName(date.month, language));
    result.date.sunday = weekdayOf(date) == 1;
    result.date.zodiac = {std::string(zodiacPicture(zodiac)),
                          std::string(zodiacName(zodiac, language))};
    const int animal = yearAnimalIndex(date.year);
    result.year = {std::string(yearAnimalPicture(animal)),
                   std::string(yearAnimalName(animal, language))};
    for (const CalendarEntry& entry : holidayTable())
        if (entryFallsOn(entry, date))
            result.holidays.push_back(
                {std::string(entry.picture), holidayHint(entry, date.year, language)});
    return result;
}

}  // namespace orvala::calendar
