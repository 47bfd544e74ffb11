#include "alarms/AlarmRules.h"

#include "alarms/AlarmCaption.h"
#include "calendar_math/QtPrinting.h"

#include <gtest/gtest.h>

using namespace morvane;

namespace {

// Tuesday 8 December 2026, in the second week of its month.
const QDate kTuesday(2026, 12, 8);

SchedulePattern Dated(int year, int month, int day)
{
    return SchedulePattern{0, year, month, day, -1, -1};
}
SchedulePattern WeekdayRule(int year, int month, int week, int weekday)
{
    return SchedulePattern{0, year, month, -1, week, weekday};
}

AlarmRecord Alarm(SchedulePattern pattern, std::optional<QString> alarm)
{
    return AlarmRecord{pattern, std::move(alarm), std::nullopt};
}

QDateTime At(QDate date, int h, int m, int s = 0)
{
    return QDateTime(date, QTime(h, m, s));
}

} // namespace

TEST(TodayAlarmCriterion, SplicesNumbersWithTheirLeadingBlank)
{
    EXPECT_EQ(TodayAlarmCriterion(kTuesday),
              QStringLiteral("([Year] =  2026 Or [Year] = 0) and ([Month] =  12 Or [Month] = 0) "
                             "and ([Day] =  8 Or ([DayOfTheWeek] =  3 and ([Week] = 0 Or "
                             "[Week] =  2)))"));
}

TEST(AlarmTimeText, ComparesLikeClockTimes)
{
    EXPECT_EQ(AlarmTimeText(QStringLiteral("9:30")), QStringLiteral("09:30"));
    EXPECT_EQ(AlarmTimeText(QStringLiteral("09:30")), QStringLiteral("09:30"));
    EXPECT_EQ(AlarmTimeText(QStringLiteral(" 7:05 ")), QStringLiteral("07:05"));
    EXPECT_EQ(AlarmTimeText(QStringLiteral("23:59:30")), QStringLiteral("23:59"));
    EXPECT_EQ(AlarmTimeText(QStringLiteral("朝")), QStringLiteral("朝"));
    EXPECT_EQ(AlarmTimeText(QStringLiteral("25:00")), QStringLiteral("25:00"));
    EXPECT_FALSE(AlarmTime(QStringLiteral(" ")));
}

struct DatePassedCase
{
    const char* name;
    SchedulePattern pattern;
    bool passed;
};

TEST(DatePassed, OnlyOneOffDatesBeforeToday)
{
    const DatePassedCase cases[] = {
        {"yesterday", Dated(2026, 12, 7), true},
        {"today", Dated(2026, 12, 8), false},
        {"tomorrow", Dated(2026, 12, 9), false},
        {"last month", Dated(2026, 11, 30), true},
        {"next month", Dated(2027, 1, 1), false},
        {"last year", Dated(2025, 12, 31), true},
        {"every month of last year", Dated(2025, 0, 5), false},
        {"every year", Dated(0, 12, 1), false},
        {"every month", Dated(0, 0, 1), false},
        {"2nd Tuesday of this month", WeekdayRule(2026, 12, 2, 3), false},
        {"2nd Tuesday of last December", WeekdayRule(2025, 12, 2, 3), true},
        {"import without a day", SchedulePattern{0, 2025, 3, std::nullopt, std::nullopt, 1}, false},
        {"Null year", SchedulePattern{0, std::nullopt, 12, 1, -1, -1}, false},
    };
    for (const DatePassedCase& c : cases)
        EXPECT_EQ(DatePassed(c.pattern, kTuesday), c.passed) << c.name;
}

struct DueCase
{
    const char* name;
    AlarmRecord record;
    QDateTime now;
    bool due;
};

TEST(IsAlarmDue, ByTimeTodayAtOnceForMissedDays)
{
    const QString nineThirty = QStringLiteral("09:30");
    const DueCase cases[] = {
        {"one second early", Alarm(Dated(2026, 12, 8), nineThirty), At(kTuesday, 9, 29, 59), false},
        {"at the minute", Alarm(Dated(2026, 12, 8), nineThirty), At(kTuesday, 9, 30, 0), true},
        {"stored without the zero", Alarm(Dated(2026, 12, 8), QStringLiteral("9:30")),
         At(kTuesday, 9, 30, 0), true},
        {"without the zero, early", Alarm(Dated(2026, 12, 8), QStringLiteral("9:30")),
         At(kTuesday, 9, 29, 59), false},
        {"later that day", Alarm(Dated(2026, 12, 8), nineThirty), At(kTuesday, 17, 0), true},
        {"acknowledged one-off", Alarm(Dated(2026, 12, 8), QStringLiteral(" ")),
         At(kTuesday, 23, 59), false},
        {"Null alarm", Alarm(Dated(2026, 12, 8), std::nullopt), At(kTuesday, 23, 59), false},
        {"not a time", Alarm(Dated(2026, 12, 8), QStringLiteral("朝")), At(kTuesday, 23, 59),
         false},
        {"yesterday, whatever the time", Alarm(Dated(2026, 12, 7), QStringLiteral("23:00")),
         At(kTuesday, 0, 0, 3), true},
        {"last month", Alarm(Dated(2026, 11, 30), nineThirty), At(kTuesday, 0, 0), true},
        {"last year", Alarm(Dated(2025, 12, 31), nineThirty), At(kTuesday, 0, 0), true},
        {"tomorrow", Alarm(Dated(2026, 12, 9), nineThirty), At(kTuesday, 23, 59), false},
        {"next year", Alarm(Dated(2027, 12, 8), nineThirty), At(kTuesday, 23, 59), false},
        {"every Tuesday, early", Alarm(WeekdayRule(0, 0, 0, 3), QStringLiteral("10:00")),
         At(kTuesday, 9, 59), false},
        {"every Tuesday, on time", Alarm(WeekdayRule(0, 0, 0, 3), QStringLiteral("10:00")),
         At(kTuesday, 10, 0), true},
        {"2nd Tuesday", Alarm(WeekdayRule(0, 0, 2, 3), nineThirty), At(kTuesday, 9, 30), true},
        // Yesterday's weekday entry, checked on the first tick after midnight.
        {"Monday's entry on Tuesday", Alarm(WeekdayRule(0, 0, 0, 2), QStringLiteral("23:50")),
         At(kTuesday, 0, 0, 2), true},
        {"monthly on the 8th", Alarm(Dated(0, 0, 8), nineThirty), At(kTuesday, 9, 30), true},
        {"yearly on 8 December", Alarm(Dated(0, 12, 8), nineThirty), At(kTuesday, 9, 30), true},
        // The 31st's entry after a change of month: the day number is not less.
        {"31st on the 1st", Alarm(Dated(0, 0, 31), nineThirty), At(QDate(2027, 1, 1), 0, 0, 3),
         false},
        {"Null day", Alarm(SchedulePattern{0, 0, 0, std::nullopt, -1, -1}, nineThirty),
         At(kTuesday, 23, 0), false},
        {"Null month", Alarm(SchedulePattern{0, 2026, std::nullopt, 1, -1, -1}, nineThirty),
         At(kTuesday, 23, 0), false},
        // The machine slept through the alarm minute and woke hours later.
        {"woke up in the afternoon", Alarm(Dated(2026, 12, 8), nineThirty),
         At(kTuesday, 14, 12, 40), true},
    };
    for (const DueCase& c : cases)
        EXPECT_EQ(IsAlarmDue(c.record, c.now), c.due) << c.name;
}

struct CaptionCase
{
    SchedulePattern pattern;
    std::optional<QString> alarm;
    const char16_t* caption;
};

TEST(AlarmCaptionLine, NamesTheRuleAndTheTime)
{
    const CaptionCase cases[] = {
        {Dated(0, 0, 15), QStringLiteral("09:05"), u"[毎月15日 9:05] のアラーム"},
        {Dated(0, 3, 5), QStringLiteral("07:30"), u"[毎年3月5日 7:30] のアラーム"},
        {Dated(2026, 12, 8), QStringLiteral("09:30"), u"[2026年12月8日 9:30] のアラーム"},
        {WeekdayRule(0, 0, 0, 2), QStringLiteral("08:00"), u"[毎週月曜日 8:00] のアラーム"},
        {WeekdayRule(0, 0, 2, 3), QStringLiteral("10:00"), u"[毎月第2週火曜日 10:00] のアラーム"},
        {WeekdayRule(0, 5, 2, 1), QStringLiteral("7:5"), u"[毎年5月第2週日曜日 7:05] のアラーム"},
        {Dated(2026, 0, 20), QStringLiteral("12:00"), u"[2026年毎月20日 12:00] のアラーム"},
        {Dated(2026, 12, 8), QStringLiteral(" "), u"[2026年12月8日 のアラーム"},
        {Dated(2026, 12, 8), std::nullopt, u"[2026年12月8日 のアラーム"},
    };
    for (const CaptionCase& c : cases)
        EXPECT_EQ(AlarmCaptionLine(c.pattern, c.alarm), QString::fromUtf16(c.caption));
}

TEST(OneOffDateBefore, ComparesDatesNotTexts)
{
    // As texts "2026/10/1" sorts before "2026/9/30"; as dates it is later.
    EXPECT_TRUE(OneOffDateBefore(Dated(2026, 9, 30), QDate(2026, 10, 1)));
    EXPECT_FALSE(OneOffDateBefore(Dated(2026, 12, 10), QDate(2026, 12, 9)));
    EXPECT_FALSE(OneOffDateBefore(Dated(2026, 12, 9), QDate(2026, 12, 9)));
    EXPECT_FALSE(OneOffDateBefore(WeekdayRule(0, 0, 0, 3), QDate(2026, 12, 9)));
    EXPECT_FALSE(OneOffDateBefore(Dated(0, 3, 5), QDate(2026, 12, 9)));
    EXPECT_EQ(DayText(QDate(2026, 3, 5)), QStringLiteral("2026/3/5"));
}
