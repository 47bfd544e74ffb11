#include "data/records/DayFilter.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

TEST(DayFilterTest, FullFormForTuesday8December2026IsByteForByte)
{
    EXPECT_EQ(BuildDayFilter(QDate(2026, 12, 8), DayFilterForm::Full),
              QStringLiteral("([Year] =  2026 Or [Year] = 0) and ([Month] =  12 Or [Month] = 0) "
                             "and ([Day] =  8 Or ([DayOfTheWeek] =  3 and ([Week] = 0 or "
                             "[Week] =  2))) Or ([Type] = 10 and [Month] =  12)"));
}

TEST(DayFilterTest, ShortFormClosesTheWeekTestAndHasNoEquinoxTerm)
{
    EXPECT_EQ(BuildDayFilter(QDate(2026, 12, 8), DayFilterForm::Short),
              QStringLiteral("([Year] =  2026 Or [Year] = 0) and ([Month] =  12 Or [Month] = 0) "
                             "and ([Day] =  8 Or ([DayOfTheWeek] =  3 and ([Week] = 0 or "
                             "[Week] =  2)))"));
}

TEST(DayFilterTest, WeekOfMonthAndWeekdayFollowTheDate)
{
    // Sunday 31 May 2026: fifth week, weekday 1.
    const QString filter = BuildDayFilter(QDate(2026, 5, 31));
    EXPECT_TRUE(filter.contains(QStringLiteral("[DayOfTheWeek] =  1 and")));
    EXPECT_TRUE(filter.contains(QStringLiteral("[Week] =  5)))")));
    EXPECT_TRUE(filter.contains(QStringLiteral("[Day] =  31 Or")));
}

TEST(DayFilterTest, StrNumberPutsOneBlankBeforeNonNegativeNumbers)
{
    EXPECT_EQ(StrNumber(0), QStringLiteral(" 0"));
    EXPECT_EQ(StrNumber(2026), QStringLiteral(" 2026"));
    EXPECT_EQ(StrNumber(-1), QStringLiteral("-1"));
}

struct EquinoxCase
{
    std::optional<int> type;
    QDate date;
    bool kept;
};

class EquinoxCheckTest : public ::testing::TestWithParam<EquinoxCase>
{
};

TEST_P(EquinoxCheckTest, KeepsEquinoxHolidaysOnlyOnTheComputedDay)
{
    const EquinoxCase& c = GetParam();
    EXPECT_EQ(EquinoxCheck(c.type, c.date), c.kept) << c.date.toString(Qt::ISODate).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Cases, EquinoxCheckTest,
                         ::testing::Values(EquinoxCase{10, QDate(2026, 3, 20), true},
                                           EquinoxCase{10, QDate(2026, 3, 21), false},
                                           EquinoxCase{10, QDate(2027, 3, 21), true},
                                           EquinoxCase{10, QDate(2026, 9, 23), true},
                                           EquinoxCase{10, QDate(2026, 9, 22), false},
                                           EquinoxCase{10, QDate(2026, 5, 20),
                                                       false}, // no equinox in May
                                           EquinoxCase{1, QDate(2026, 3, 21), true},
                                           EquinoxCase{std::nullopt, QDate(2026, 3, 21), true}));

} // namespace
} // namespace morvane
