#include "core/calendar/date_rules.h"

#include <gtest/gtest.h>

#include "core/calendar/easter.h"
#include "core/calendar/signs.h"

namespace orvala::calendar {
namespace {

CivilDate d(int y, int m, int day) {
    return CivilDate{y, m, day};
}

TEST(Easter, MatchesPublishedTables) {
    // Western and Orthodox Easter as the churches published them; 2018 is the Orthodox case
    // where Easter falls in April of the Julian calendar with a + b < 10.
    EXPECT_EQ(catholicEaster(2018), d(2018, 4, 1));
    EXPECT_EQ(catholicEaster(2021), d(2021, 4, 4));
    EXPECT_EQ(catholicEaster(2024), d(2024, 3, 31));
    EXPECT_EQ(catholicEaster(2025), d(2025, 4, 20));
    EXPECT_EQ(catholicEaster(1900), d(1900, 4, 15));
    EXPECT_EQ(catholicEaster(2008), d(2008, 3, 23));
    EXPECT_EQ(catholicEaster(2038), d(2038, 4, 25));
    EXPECT_EQ(catholicEaster(2100), d(2100, 3, 28));
    EXPECT_EQ(orthodoxEaster(2018), d(2018, 4, 8));
    EXPECT_EQ(orthodoxEaster(2021), d(2021, 5, 2));
    EXPECT_EQ(orthodoxEaster(2024), d(2024, 5, 5));
    EXPECT_EQ(orthodoxEaster(2025), d(2025, 4, 20));
    EXPECT_EQ(orthodoxEaster(2000), d(2000, 4, 30));
    EXPECT_EQ(orthodoxEaster(1900), d(1900, 4, 22));
    // From March 2100 the Julian calendar is 14 days behind, not 13.
    EXPECT_EQ(orthodoxEaster(2100), d(2100, 5, 2));
    EXPECT_EQ(orthodoxEaster(1899), std::nullopt);
    EXPECT_EQ(catholicEaster(2101), std::nullopt);
}

TEST(DateRules, EasterOffsetsAndWeekdayRules) {
    const auto palm = parseDateRule("pasha.p-07");
    ASSERT_TRUE(palm);
    EXPECT_TRUE(ruleFallsOn(*palm, d(2021, 4, 25)));
    EXPECT_FALSE(ruleFallsOn(*palm, d(2021, 5, 2)));
    const auto trinity = parseDateRule("pasha.p+50");
    ASSERT_TRUE(trinity);
    EXPECT_TRUE(ruleFallsOn(*trinity, d(2024, 6, 24)));  // a leap year: 5 May + 50 days
    const auto western = parseDateRule("pasha.k000");
    ASSERT_TRUE(western);
    EXPECT_TRUE(ruleFallsOn(*western, d(2024, 3, 31)));

    // The third Monday of January 2022 is the 17th, and no other January day is.
    const auto third = parseDateRule("****3.2.01");
    ASSERT_TRUE(third);
    for (int day = 1; day <= 31; ++day)
        EXPECT_EQ(ruleFallsOn(*third, d(2022, 1, day)), day == 17) << day;
    const auto thanksgiving = parseDateRule("****4.5.11");
    ASSERT_TRUE(thanksgiving);
    EXPECT_TRUE(ruleFallsOn(*thanksgiving, d(2023, 11, 23)));
    EXPECT_FALSE(ruleFallsOn(*thanksgiving, d(2023, 11, 30)));  // a fifth Thursday
    // The last Sunday of February in a leap year may be the 29th; in May, the 25th or later.
    const auto lastFeb = parseDateRule("****l.1.02");
    ASSERT_TRUE(lastFeb);
    EXPECT_TRUE(ruleFallsOn(*lastFeb, d(2004, 2, 29)));
    EXPECT_FALSE(ruleFallsOn(*lastFeb, d(2004, 2, 22)));
    const auto lastMay = parseDateRule("****l.2.05");
    ASSERT_TRUE(lastMay);
    EXPECT_TRUE(ruleFallsOn(*lastMay, d(2024, 5, 27)));
    EXPECT_FALSE(ruleFallsOn(*lastMay, d(2024, 5, 20)));

    const auto fixed = parseDateRule("09.05.1945");
    ASSERT_TRUE(fixed);
    EXPECT_EQ(fixed->year, 1945);
    EXPECT_TRUE(ruleFallsOn(*fixed, d(2022, 5, 9)));
    EXPECT_FALSE(ruleFallsOn(*fixed, d(2022, 5, 10)));
}

TEST(DateRules, MalformedFieldsAndDatesAreRefused) {
    for (const char* bad :
         {"", "pasha.x000", "pasha.p*40", "pasha.p+4x", "****5.2.01", "****3.8.01", "****3.2.13",
          "****3-2.01", "32.01.0000", "30.02.0000", "1.1.2000xx", "01.01.200", "ab.cd.efgh"})
        EXPECT_FALSE(parseDateRule(bad)) << bad;
    EXPECT_FALSE(parseIsoDate("2022-02-29"));
    EXPECT_FALSE(parseIsoDate("1899-12-31"));
    EXPECT_FALSE(parseIsoDate("2101-01-01"));
    EXPECT_FALSE(parseIsoDate("2022-5-09"));
    EXPECT_FALSE(parseIsoDate("2022-05-0x"));
    EXPECT_EQ(parseIsoDate("2100-12-31"), d(2100, 12, 31));
    // A date that does not exist never matches, whatever the rule.
    EXPECT_FALSE(ruleFallsOn(*parseDateRule("pasha.k000"), d(2024, 2, 30)));
}

TEST(Signs, ZodiacBoundariesAndYearAnimal) {
    struct Case {
        int month, day, sign;
    };
    for (const Case c :
         {Case{3, 20, 11}, Case{3, 21, 0}, Case{6, 21, 2}, Case{6, 22, 3}, Case{8, 23, 4},
          Case{8, 24, 5}, Case{11, 22, 7}, Case{11, 23, 8}, Case{12, 21, 8}, Case{12, 22, 9},
          Case{1, 1, 9}, Case{1, 20, 9}, Case{1, 21, 10}, Case{2, 21, 11}})
        EXPECT_EQ(zodiacIndex(c.month, c.day), c.sign) << c.month << '-' << c.day;
    EXPECT_EQ(zodiacPicture(zodiacIndex(12, 31)), "R_10");
    EXPECT_EQ(yearAnimalPicture(yearAnimalIndex(2020)), "R_VOSKRIS");
    EXPECT_EQ(yearAnimalPicture(yearAnimalIndex(2024)), "R_VOSDRAG");
    EXPECT_EQ(yearAnimalPicture(yearAnimalIndex(2016)), "R_VOSMONK");
}

}  // namespace
}  // namespace orvala::calendar
