#include "core/calendar/calendar_day.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/calendar/date_rules.h"

namespace orvala::calendar {
namespace {

std::vector<std::string> hintsOn(int y, int m, int d, int language = 0) {
    std::vector<std::string> hints;
    const auto day = calendarDay({y, m, d}, language);
    if (!day)
        ADD_FAILURE() << "no calendar day " << y << '-' << m << '-' << d;
    else
        for (const auto& card : day->holidays) hints.push_back(card.hint);
    return hints;
}

bool shows(int y, int m, int d, const std::string& hint) {
    for (const auto& h : hintsOn(y, m, d))
        if (h == hint) return true;
    return false;
}

TEST(HolidayTable, EveryEntryIsWellFormed) {
    const auto table = holidayTable();
    EXPECT_EQ(table.size(), 82u);
    std::set<std::string_view> pictures;
    for (const auto& entry : table) {
        EXPECT_TRUE(parseDateRule(entry.date)) << entry.date;
        EXPECT_EQ(entry.picture.size(), 9u) << entry.picture;
        EXPECT_TRUE(entry.picture.starts_with("R_")) << entry.picture;
        pictures.insert(entry.picture);
        for (const auto name : entry.names) EXPECT_FALSE(name.empty()) << entry.picture;
    }
    EXPECT_EQ(pictures.size(), table.size());
}

TEST(CalendarDay, HintsCarryAnniversaryAndKind) {
    EXPECT_EQ(hintsOn(2022, 5, 9),
              std::vector<std::string>{
                  "Victory day in Great Patriotic war (77-th anniversary, Russian Festival)"});
    EXPECT_EQ(hintsOn(2022, 5, 9, 1),
              std::vector<std::string>{"День Победы в Великой Отечественной войне (77-я "
                                       "годовщина, Российский праздник)"});
    EXPECT_EQ(hintsOn(2023, 1, 1), std::vector<std::string>{"New Year"});
    EXPECT_EQ(hintsOn(2023, 1, 1, 5), std::vector<std::string>{"元旦"});
    // Kind only, and a kind code that shows no kind.
    EXPECT_EQ(hintsOn(2023, 10, 3),
              std::vector<std::string>{"Day of German unity (German holiday)"});
    EXPECT_EQ(hintsOn(2023, 6, 22), std::vector<std::string>{"Day of remembrance and mourning"});
    // No anniversary before the event or in its own year; the holiday itself stays.
    EXPECT_EQ(hintsOn(1945, 5, 9),
              std::vector<std::string>{"Victory day in Great Patriotic war (Russian Festival)"});
    EXPECT_EQ(hintsOn(1900, 5, 9),
              std::vector<std::string>{"Victory day in Great Patriotic war (Russian Festival)"});
    // Several holidays of one day, in table order.
    EXPECT_EQ(hintsOn(2023, 9, 8),
              (std::vector<std::string>{"Borodino day (211-th anniversary, Russian Festival)",
                                        "Nativity of the Mother of God (Catholic feast)"}));
}

TEST(CalendarDay, MovableHolidays) {
    EXPECT_TRUE(shows(2024, 9, 12, "Programmer`s day"));
    EXPECT_FALSE(shows(2024, 9, 13, "Programmer`s day"));
    EXPECT_TRUE(shows(2023, 9, 13, "Programmer`s day"));
    for (int day = 1; day <= 31; ++day)
        EXPECT_EQ(shows(2022, 1, day, "Martin Luther King Day (Holiday United States)"), day == 17)
            << day;
    EXPECT_TRUE(shows(2023, 11, 23, "Thanksgiving (Holiday United States)"));
    // 2021: Orthodox Easter 2 May, Catholic 4 April; Orthodox Ascension and Trinity fall on
    // Thursday 10 June and Sunday 20 June.
    EXPECT_EQ(hintsOn(2021, 5, 2), (std::vector<std::string>{"Day Of Madrid (Spanish holiday)",
                                                             "Easter (The Orthodox holiday)"}));
    EXPECT_EQ(hintsOn(2021, 4, 4), std::vector<std::string>{"Easter (Catholic feast)"});
    EXPECT_TRUE(shows(2021, 4, 25, "The entry into Jerusalem (The Orthodox holiday)"));
    EXPECT_TRUE(shows(2021, 6, 10, "Ascension Of Our Lord (The Orthodox holiday)"));
    EXPECT_TRUE(shows(2021, 6, 20, "Trinity Sunday (The Orthodox holiday)"));
    // 2025: both Easters on 20 April, the Orthodox card first.
    EXPECT_EQ(hintsOn(2025, 4, 20), (std::vector<std::string>{"Easter (The Orthodox holiday)",
                                                              "Easter (Catholic feast)"}));
}

TEST(CalendarDay, DateAndYearCards) {
    const auto day = calendarDay({2022, 5, 8}, 2).value();
    EXPECT_EQ(day.date.day, 8);
    EXPECT_EQ(day.date.month, "Mai");
    EXPECT_TRUE(day.date.sunday);
    EXPECT_EQ(day.date.zodiac.picture, "R_02");
    EXPECT_EQ(day.date.zodiac.hint, "Stier");
    EXPECT_EQ(day.year.picture, "R_VOSTIGR");
    EXPECT_EQ(day.year.hint, "Jahr des Tigers");
    EXPECT_FALSE(calendarDay({2022, 5, 9}, 0)->date.sunday);
    EXPECT_EQ(calendarDay({2024, 1, 1}, 0)->year.hint, "Year Of The Dragon");
    EXPECT_FALSE(calendarDay({2023, 2, 29}, 0));
    EXPECT_FALSE(calendarDay({2101, 1, 1}, 0));
    // An unknown language reads as English rather than out of the tables.
    EXPECT_EQ(calendarDay({2023, 1, 1}, 42)->date.month, "January");
}

}  // namespace
}  // namespace orvala::calendar
