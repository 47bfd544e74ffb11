#include "AlarmFixture.h"

#include <gtest/gtest.h>

using namespace morvane;
using namespace morvane::test;

namespace {

const QDateTime kTuesdayMorning(QDate(2026, 12, 8), QTime(8, 0));

} // namespace

TEST(ScanAlarms, EmptyTableOrNoAlarmGivesAnEmptyList)
{
    AlarmWorld world(kTuesdayMorning);
    world.context.alarms.AlarmList = {{3, 99}}; // left over from before
    world.scan();
    EXPECT_EQ(world.context.alarms.AlarmListMax(), -1);

    AlarmRec noAlarm = OneOff(2026, 12, 8, QString());
    noAlarm.alarm.reset();
    world.add(noAlarm);
    world.add(OneOff(2026, 12, 8, QString()));
    world.scan();
    EXPECT_EQ(world.context.alarms.AlarmListMax(), -1);
}

TEST(ScanAlarms, MissedOneOffsFirstThenToday)
{
    AlarmWorld world(kTuesdayMorning);
    AlarmRec acknowledgedToday = OneOff(2026, 12, 8, QStringLiteral("07:00"));
    acknowledgedToday.alarmFlag = QStringLiteral("2026/12/08");
    AlarmRec acknowledgedYesterday = OneOff(2026, 12, 7, QStringLiteral("07:00"));
    acknowledgedYesterday.alarmFlag = QStringLiteral("2026/12/08");

    world.add(Weekday(0, 3, QStringLiteral("10:00")));        // 0 every Tuesday
    world.add(OneOff(2026, 12, 7, QStringLiteral("20:00")));  // 1 missed yesterday
    world.add(Weekday(0, 2, QStringLiteral("10:00")));        // 2 every Monday
    world.add(OneOff(2026, 12, 7, QStringLiteral(" ")));      // 3 acknowledged one-off
    world.add(Weekday(2, 3, QStringLiteral("09:00")));        // 4 2nd Tuesday
    world.add(Weekday(3, 3, QStringLiteral("09:00")));        // 5 3rd Tuesday
    world.add(acknowledgedToday);                             // 6
    world.add(acknowledgedYesterday);                         // 7
    world.add(OneOff(2026, 12, 8, QStringLiteral(" ")));      // 8 blank alarm today
    world.add(Monthly(8, QStringLiteral("9:30")));            // 9
    world.add(Yearly(12, 8, QStringLiteral("12:00")));        // 10
    world.add(OneOff(2026, 11, 30, QStringLiteral("12:00"))); // 11 missed last month
    world.add(OneOff(2026, 12, 9, QStringLiteral("12:00")));  // 12 tomorrow
    world.add(Monthly(7, QStringLiteral("9:30")));            // 13 yesterday's monthly
    world.scan();

    EXPECT_EQ(world.positions(), (std::vector<int>{1, 3, 11, 0, 4, 9, 10}));
    for (const AlarmEntry& entry : world.context.alarms.AlarmList)
        EXPECT_EQ(entry.recordId, world.rs().RecordIdAt(entry.position));
    EXPECT_FALSE(world.context.alarms.scanning);
}

// Tuesday 8 December 2026: today's rules and missed one-offs count only on
// days their bounds allow.
TEST(ScanAlarms, OnlyDaysTheBoundsAllowRing)
{
    AlarmWorld world(kTuesdayMorning);
    const QDate today = world.clock.today();
    const QDate yesterday = today.addDays(-1);
    const qint64 skippedToday = world.add(Weekday(0, 3, QStringLiteral("10:00")));
    world.bound(skippedToday, QDate(), QDate(), {today});
    const qint64 fromTomorrow = world.add(Weekday(0, 3, QStringLiteral("10:00")));
    world.bound(fromTomorrow, today.addDays(1), QDate());
    const qint64 endedYesterday = world.add(Monthly(8, QStringLiteral("10:00")));
    world.bound(endedYesterday, QDate(), yesterday);
    const qint64 endsToday = world.add(Weekday(0, 3, QStringLiteral("10:00")));
    world.bound(endsToday, QDate(2026, 1, 1), today, {yesterday});
    const qint64 missedButSkipped = world.add(OneOff(2026, 12, 7, QStringLiteral("20:00")));
    world.bound(missedButSkipped, QDate(), QDate(), {yesterday});
    const qint64 missed = world.add(OneOff(2026, 12, 7, QStringLiteral("20:00")));
    world.bound(missed, yesterday, yesterday);
    world.scan();
    EXPECT_EQ(world.positions(), (std::vector<int>{5, 3}));
}

TEST(ScanAlarms, NthWeekdayOnlyInItsWeek)
{
    struct Case
    {
        QDate day;
        bool listed;
    };
    const Case cases[] = {
        {QDate(2026, 12, 1), false},  {QDate(2026, 12, 8), true},  {QDate(2026, 12, 14), false},
        {QDate(2026, 12, 15), false}, {QDate(2026, 12, 9), false},
    };
    for (const Case& c : cases) {
        AlarmWorld world(QDateTime(c.day, QTime(8, 0)));
        world.add(Weekday(2, 3, QStringLiteral("09:00")));
        world.scan();
        EXPECT_EQ(world.context.alarms.AlarmListMax() == 0, c.listed) << c.day.toString();
    }
}

TEST(ScanAlarms, ListsTensOfThousandsOfAlarms)
{
    AlarmWorld world(kTuesdayMorning);
    Database& database = world.context.database()->database();
    database.BeginTrans();
    for (int i = 0; i < 40000; ++i)
        world.add(i % 2 ? OneOff(2026, 12, 1, QStringLiteral("09:00"))
                        : Weekday(0, 3, QStringLiteral("09:00")));
    database.CommitTrans();
    world.scan();
    ASSERT_EQ(world.context.alarms.AlarmList.size(), 40000u);
    EXPECT_EQ(world.context.alarms.AlarmListMax(), 39999);
    EXPECT_EQ(world.context.alarms.AlarmList.back().position, 39998);
}

// While the first pass lets events run, another window deletes a record and
// asks for a scan: that scan is not nested, the running one starts over and
// every entry ends up on its own record.
TEST(ScanAlarms, ATableChangeWhileEventsRunStartsTheScanOver)
{
    AlarmWorld world(kTuesdayMorning);
    std::vector<qint64> ids;
    for (int day = 1; day <= 7; ++day)
        ids.push_back(world.add(OneOff(2026, 12, day, QStringLiteral("09:00"))));
    int yields = 0;
    bool scanningSeen = true;
    const auto yield = [&] {
        ++yields;
        scanningSeen = scanningSeen && world.context.alarms.scanning;
        if (yields == 3) {
            Recordset& rs = world.rs();
            rs.SetAbsolutePosition(0); // the record of 1 December goes
            rs.Delete();
            world.context.alarms.recordDeleted(0);
            ScanAlarms(world.context.alarms, rs, world.clock.today()); // the editor asks
            rs.MoveLast(); // and leaves the recordset elsewhere
        }
    };
    ScanAlarms(world.context.alarms, world.rs(), world.clock.today(), yield, 0);

    EXPECT_TRUE(scanningSeen);
    EXPECT_GT(yields, 6);
    EXPECT_FALSE(world.context.alarms.scanning);
    EXPECT_FALSE(world.context.alarms.rescanPending);
    ASSERT_EQ(world.context.alarms.AlarmList.size(), 6u);
    for (std::size_t i = 0; i < 6; ++i) {
        const AlarmEntry& entry = world.context.alarms.AlarmList[i];
        EXPECT_EQ(entry.recordId, ids[i + 1]);
        EXPECT_EQ(entry.position, int(i));
    }
}
