#include "calendar_math/WeekFunctions.h"

#include "calendar_math/QtPrinting.h"

#include <cmath>
#include <gtest/gtest.h>

namespace morvane {
namespace {

TEST(WeekFunctions, WeekdayNumbersStartOnSunday)
{
    EXPECT_EQ(WeekdayNumber(QDate(2024, 1, 7)), 1); // Sunday
    EXPECT_EQ(WeekdayNumber(QDate(2024, 1, 1)), 2); // Monday
    EXPECT_EQ(WeekdayNumber(QDate(2024, 5, 3)), 6); // Friday
    EXPECT_EQ(WeekdayNumber(QDate(2024, 1, 6)), 7); // Saturday
    EXPECT_EQ(WeekdayNumber(QDate()), 0);
}

TEST(WeekFunctions, WeekNamesAndOutOfRangeNumbers)
{
    const QString expected[] = {"", "日", "月", "火", "水", "木", "金", "土", ""};
    for (int weekday = 0; weekday <= 8; ++weekday)
        EXPECT_EQ(GetWeekName(weekday), expected[weekday]) << weekday;
    EXPECT_EQ(GetWeekName(-1), "");
    EXPECT_EQ(GetWeekNameOfDate(QDate(2024, 5, 3)), "金");
    EXPECT_EQ(GetWeekNameOfDate(QDate()), "");
}

struct NthWeekdayCase
{
    int year, month, n, weekday, expected;
};

class NthWeekday : public testing::TestWithParam<NthWeekdayCase>
{
};

TEST_P(NthWeekday, DayOrZero)
{
    const NthWeekdayCase& c = GetParam();
    EXPECT_EQ(GetNthWeekday(c.year, c.month, c.n, c.weekday), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, NthWeekday,
                         testing::Values(
                             // January 2024 starts on a Monday.
                             NthWeekdayCase{2024, 1, 2, 2, 8}, NthWeekdayCase{2024, 1, 1, 1, 7},
                             NthWeekdayCase{2024, 1, 1, 2, 1}, NthWeekdayCase{2024, 1, 5, 4, 31},
                             NthWeekdayCase{2024, 1, 5, 5, 0},
                             // Leap February has a fifth Thursday, 2023's February none at all.
                             NthWeekdayCase{2024, 2, 5, 5, 29}, NthWeekdayCase{2023, 2, 5, 4, 0},
                             // Coming-of-age day, second Monday of January 2026.
                             NthWeekdayCase{2026, 1, 2, 2, 12},
                             // Invalid months, years, weekdays and counts.
                             NthWeekdayCase{2024, 13, 1, 2, 0}, NthWeekdayCase{2024, 0, 1, 2, 0},
                             NthWeekdayCase{0, 1, 1, 2, 0}, NthWeekdayCase{10000, 1, 1, 2, 0},
                             NthWeekdayCase{2024, 1, 1, 0, 0}, NthWeekdayCase{2024, 1, 1, 8, 0},
                             NthWeekdayCase{2024, 1, 0, 2, 0}, NthWeekdayCase{2024, 1, 6, 2, 0}));

// Whatever it returns must be the n-th such weekday, and it may only give up
// when the month really has no n-th one.
TEST(WeekFunctions, NthWeekdayAgreesWithTheCalendarForADecade)
{
    for (int year = 2020; year <= 2030; ++year) {
        for (int month = 1; month <= 12; ++month) {
            for (int weekday = 1; weekday <= 7; ++weekday) {
                for (int n = 1; n <= 5; ++n) {
                    const int day = GetNthWeekday(year, month, n, weekday);
                    if (day == 0) {
                        const QDate firstOfMonth(year, month, 1);
                        int count = 0;
                        for (QDate d = firstOfMonth; d.month() == month; d = d.addDays(1))
                            count += WeekdayNumber(d) == weekday ? 1 : 0;
                        EXPECT_LT(count, n) << year << "/" << month << " " << n << "x" << weekday;
                        continue;
                    }
                    const QDate date(year, month, day);
                    ASSERT_TRUE(date.isValid());
                    EXPECT_EQ(WeekdayNumber(date), weekday);
                    EXPECT_EQ(GetWeekOfMonth(date), n);
                }
            }
        }
    }
}

TEST(WeekFunctions, WeekOfMonthCountsFromTheFirst)
{
    const struct
    {
        int day, week;
    } cases[] = {{1, 1},  {7, 1},  {8, 2},  {14, 2}, {15, 3},
                 {21, 3}, {22, 4}, {28, 4}, {29, 5}, {31, 5}};
    for (const auto& c : cases)
        EXPECT_EQ(GetWeekOfMonth(QDate(2024, 1, c.day)), c.week) << c.day;
    EXPECT_EQ(GetWeekOfMonth(QDate()), 0);
}

TEST(WeekFunctions, EquinoxDays)
{
    const struct
    {
        int year, month, day;
    } cases[] = {
        {2023, 3, 21},
        {2024, 3, 20},
        {2025, 3, 20},
        {2026, 3, 20},
        {2027, 3, 21},
        {2023, 9, 23},
        {2024, 9, 22},
        {2025, 9, 23},
        {2026, 9, 23},
        // Before 1980 the older constants apply.
        {1979, 3, 21},
        {1979, 9, 24},
        {1960, 3, 20},
        {1948, 3, 21},
        {1948, 9, 23},
        {1900, 3, 21},
        {1900, 9, 23},
        // From 2100 on: 2100 is no leap year, so the days move back by one.
        {2100, 3, 20},
        {2100, 9, 23},
        {2101, 3, 21},
        {2101, 9, 23},
        {2150, 3, 21},
        {2150, 9, 23},
        // Any other month has no equinox.
        {2026, 5, 0},
        {2026, 1, 0},
        {2026, 12, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetEquinoxDay(c.year, c.month), c.day) << c.year << "/" << c.month;
}

TEST(WeekFunctions, EquinoxDaysOf1980To2099AreThoseOfEarlierReleases)
{
    // Holidays already stored and shown for these years must not move.
    for (int year = 1980; year <= 2099; ++year) {
        const double k = year - 1980;
        EXPECT_EQ(GetEquinoxDay(year, 3),
                  int(std::floor(20.8431 + 0.242194 * k - std::floor(k / 4))))
            << year;
        EXPECT_EQ(GetEquinoxDay(year, 9),
                  int(std::floor(23.2488 + 0.242194 * k - std::floor(k / 4))))
            << year;
    }
}

TEST(WeekFunctions, ElapsedYearsCountOnTheAnniversaryItself)
{
    const struct
    {
        QDate from, to;
        int years;
    } cases[] = {
        {QDate(2000, 5, 10), QDate(2026, 5, 9), 25},
        {QDate(2000, 5, 10), QDate(2026, 5, 10), 26},
        {QDate(2000, 5, 10), QDate(2000, 5, 10), 0},
        {QDate(2000, 5, 10), QDate(2000, 12, 31), 0},
        // Born on 29 February: the next year of age starts on 1 March.
        {QDate(2000, 2, 29), QDate(2023, 2, 28), 22},
        {QDate(2000, 2, 29), QDate(2023, 3, 1), 23},
        {QDate(2000, 2, 29), QDate(2024, 2, 29), 24},
        {QDate(), QDate(2024, 1, 1), 0},
        {QDate(2000, 1, 1), QDate(), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetElapsedYears(c.from, c.to), c.years) << c.from << " to " << c.to;
}

} // namespace
} // namespace morvane
