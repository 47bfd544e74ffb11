#include "data/records/ScheduleBounds.h"

#include "data/records/RuleLabel.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

QDate D(int year, int month, int day)
{
    return QDate(year, month, day);
}

const QDate None;

ScheduleBounds Bounds(QDate first, QDate last, std::vector<QDate> skipped = {})
{
    ScheduleBounds bounds;
    bounds.first = first;
    bounds.last = last;
    bounds.skipped = std::move(skipped);
    return bounds;
}

struct AllowsCase
{
    const char* name;
    ScheduleBounds bounds;
    QDate date;
    bool allowed;
};

class BoundsAllowsTest : public ::testing::TestWithParam<AllowsCase>
{
};

TEST_P(BoundsAllowsTest, HoldsTheRuleToItsDays)
{
    const AllowsCase& c = GetParam();
    EXPECT_EQ(c.bounds.Allows(c.date), c.allowed) << c.name;
}

const ScheduleBounds kJune =
    Bounds(D(2026, 6, 3), D(2026, 6, 30), {D(2026, 6, 10), D(2026, 6, 17)});

INSTANTIATE_TEST_SUITE_P(
    Days, BoundsAllowsTest,
    ::testing::Values(AllowsCase{"no bounds", Bounds(None, None), D(1900, 1, 1), true},
                      AllowsCase{"day before the first", kJune, D(2026, 6, 2), false},
                      AllowsCase{"the first day itself", kJune, D(2026, 6, 3), true},
                      AllowsCase{"the last day itself", kJune, D(2026, 6, 30), true},
                      AllowsCase{"day after the last", kJune, D(2026, 7, 1), false},
                      AllowsCase{"a skipped day", kJune, D(2026, 6, 17), false},
                      AllowsCase{"the day after a skipped one", kJune, D(2026, 6, 18), true},
                      AllowsCase{"only a first day, years later", Bounds(D(2026, 6, 3), None),
                                 D(2040, 1, 1), true},
                      AllowsCase{"only a last day, years before", Bounds(None, D(2026, 12, 31)),
                                 D(2000, 1, 1), true},
                      AllowsCase{"only skipped days", Bounds(None, None, {D(2026, 1, 1)}),
                                 D(2026, 1, 1), false}));

TEST(SkippedDatesTest, StoredTextIsInOrderEachDayOnce)
{
    EXPECT_EQ(SkippedDatesText({D(2026, 7, 1), D(2025, 12, 31), D(2026, 7, 1), QDate()}),
              QStringLiteral("2025-12-31 2026-07-01"));
    EXPECT_EQ(SkippedDatesText({}), QString());
}

TEST(SkippedDatesTest, ReadingTakesAnyOrderAndPassesOverWhatIsNoDay)
{
    const std::vector<QDate> expected{D(2025, 12, 31), D(2026, 7, 1)};
    EXPECT_EQ(ParseSkippedDates(QStringLiteral("2026-07-01  2025-12-31 2026-07-01")), expected);
    EXPECT_EQ(ParseSkippedDates(QStringLiteral("2026-02-30 x 2026-7-1 2026-07-01 2025-12-31")),
              expected);
    EXPECT_TRUE(ParseSkippedDates(QString()).empty());
}

TEST(SkippedDatesTest, SkipKeepsTheDaysInOrder)
{
    ScheduleBounds bounds;
    EXPECT_TRUE(bounds.Skip(D(2026, 6, 17)));
    EXPECT_TRUE(bounds.Skip(D(2026, 6, 10)));
    EXPECT_FALSE(bounds.Skip(D(2026, 6, 17)));
    EXPECT_FALSE(bounds.Skip(QDate()));
    EXPECT_EQ(bounds.skipped, (std::vector<QDate>{D(2026, 6, 10), D(2026, 6, 17)}));
    EXPECT_FALSE(bounds.Allows(D(2026, 6, 10)));
}

TEST(BoundDateTest, OnlyTheFullDayFormBounds)
{
    EXPECT_EQ(ParseBoundDate(QStringLiteral("2026-06-03")), D(2026, 6, 3));
    EXPECT_EQ(ParseBoundDate(QStringLiteral(" 2026-06-03 ")), D(2026, 6, 3));
    for (const char* text : {"", "2026-6-3", "2026-02-30", "2026/06/03", "2026-06-03T10:00"})
        EXPECT_FALSE(ParseBoundDate(QString::fromLatin1(text)).isValid()) << text;
    EXPECT_EQ(BoundDateText(D(987, 1, 2)), QStringLiteral("0987-01-02"));
    EXPECT_EQ(BoundDateText(QDate()), QString());
}

struct BoundsLabelCase
{
    ScheduleBounds bounds;
    const char16_t* expected;
};

class BoundsLabelTest : public ::testing::TestWithParam<BoundsLabelCase>
{
};

TEST_P(BoundsLabelTest, FollowsTheRule)
{
    const BoundsLabelCase& c = GetParam();
    const SchedulePattern everyWednesday{0, 0, 0, -1, 0, 4};
    EXPECT_EQ(RuleLabel(everyWednesday, c.bounds), QString::fromUtf16(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Examples, BoundsLabelTest,
    ::testing::Values(
        BoundsLabelCase{Bounds(None, None), u"毎年毎月毎週水曜日"},
        BoundsLabelCase{Bounds(D(2026, 6, 3), None), u"毎年毎月毎週水曜日（2026年6月3日から）"},
        BoundsLabelCase{Bounds(None, D(2026, 12, 31)), u"毎年毎月毎週水曜日（2026年12月31日まで）"},
        BoundsLabelCase{Bounds(D(2026, 6, 3), D(2026, 12, 31), {D(2026, 7, 1)}),
                        u"毎年毎月毎週水曜日（2026年6月3日から2026年12月31日まで）"},
        BoundsLabelCase{Bounds(None, None, {D(2026, 7, 1)}), u"毎年毎月毎週水曜日"}));

} // namespace
} // namespace morvane
