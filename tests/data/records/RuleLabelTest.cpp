#include "data/records/RuleLabel.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

struct DateLabelCase
{
    int year, month, day, week, weekday;
    const char16_t* expected;
};

class MakeDateLabelTest : public ::testing::TestWithParam<DateLabelCase>
{
};

TEST_P(MakeDateLabelTest, CompactsEveryYearMonthAndWeek)
{
    const DateLabelCase& c = GetParam();
    EXPECT_EQ(MakeDateLabel(c.year, c.month, c.day, c.week, c.weekday),
              QString::fromUtf16(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Examples, MakeDateLabelTest,
    ::testing::Values(DateLabelCase{2026, 12, 8, 0, 0, u"2026年12月8日"},
                      DateLabelCase{0, 5, 5, 0, 0, u"毎年5月5日"},
                      DateLabelCase{0, 0, 15, 0, 0, u"毎月15日"},
                      DateLabelCase{2026, 0, 15, 0, 0, u"2026年毎月15日"},
                      DateLabelCase{0, 0, -1, 0, 2, u"毎週月曜日"},
                      DateLabelCase{0, 1, -1, 2, 2, u"毎年1月第2週月曜日"},
                      DateLabelCase{0, 0, -1, 3, 6, u"毎月第3週金曜日"},
                      DateLabelCase{0, 5, -1, 2, 1, u"毎年5月第2週日曜日"},
                      DateLabelCase{2026, 12, -1, 0, 3, u"2026年12月毎週火曜日"},
                      DateLabelCase{2026, 0, 0, 0, 4, u"2026年毎月毎週水曜日"}));

struct RuleLabelCase
{
    SchedulePattern pattern;
    const char16_t* expected;
};

class RuleLabelTest : public ::testing::TestWithParam<RuleLabelCase>
{
};

TEST_P(RuleLabelTest, WritesYearAndMonthPartsAlways)
{
    const RuleLabelCase& c = GetParam();
    EXPECT_EQ(RuleLabel(c.pattern), QString::fromUtf16(c.expected));
}

constexpr std::nullopt_t Null = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    Examples, RuleLabelTest,
    ::testing::Values(RuleLabelCase{{0, 0, 0, 15, -1, -1}, u"毎年毎月15日"},
                      RuleLabelCase{{0, 0, 0, -1, 0, 2}, u"毎年毎月毎週月曜日"},
                      RuleLabelCase{{10, 0, 3, Null, Null, Null}, u"毎年3月(日計算)"},
                      RuleLabelCase{{1, 0, 5, Null, 2, 1}, u"毎年5月第2週日曜日"},
                      RuleLabelCase{{0, 2016, 3, 21, Null, Null}, u"2016年3月21日"},
                      // The weekday rule wins over the kind: an equinox
                      // record with a stray Week still reads as a weekday.
                      RuleLabelCase{{10, 0, 9, Null, 0, 1}, u"毎年9月毎週日曜日"}));

TEST(MakeDateLabelOfRecordTest, ReadsStoredNullsAndMinusOneAsUnset)
{
    EXPECT_EQ(MakeDateLabel(SchedulePattern{0, 0, 1, Null, 2, 2}),
              QStringLiteral("毎年1月第2週月曜日"));
    EXPECT_EQ(MakeDateLabel(SchedulePattern{0, 0, 0, -1, -1, 2}), QStringLiteral("毎週月曜日"));
    EXPECT_EQ(MakeDateLabel(SchedulePattern{0, 0, 5, 5, -1, -1}), QStringLiteral("毎年5月5日"));
}

TEST(MakeDateLabelOfRecordTest, DescribesEquinoxHolidaysAsComputed)
{
    EXPECT_EQ(MakeDateLabel(SchedulePattern{10, 0, 3, Null, Null, Null}),
              QStringLiteral("毎年3月(日計算)"));
}

} // namespace
} // namespace morvane
