#include "alarms/AlarmTick.h"

#include "AlarmFixture.h"

#include <gtest/gtest.h>

using namespace morvane;
using namespace morvane::test;

namespace {

const QDate kTuesday(2026, 12, 8);

QDateTime At(int h, int m, int s = 0)
{
    return QDateTime(kTuesday, QTime(h, m, s));
}

} // namespace

TEST(CheckDueAlarms, EmptyListDoesNothing)
{
    AlarmWorld world(At(9, 30));
    world.scan();
    CheckDueAlarms(world.context, world.sound, false);
    EXPECT_EQ(world.flashStarts + world.messages + world.sound.beeps, 0);
}

TEST(CheckDueAlarms, RingsFromTheFirstTickOfItsMinute)
{
    AlarmWorld world(At(9, 29, 59));
    world.add(OneOff(2026, 12, 8, QStringLiteral("9:30")));
    world.scan();
    CheckDueAlarms(world.context, world.sound, false);
    EXPECT_EQ(world.flashStarts, 0);
    world.clock.set(At(9, 30, 0));
    CheckDueAlarms(world.context, world.sound, false);
    EXPECT_EQ(world.flashStarts, 1);
    EXPECT_EQ(world.sound.beeps, 1);
    EXPECT_EQ(world.sound.plays, std::vector<QString>{QStringLiteral("/sounds/alarm.wav")});
}

// Three alarms due at one tick: each is raised in list order, the noises
// come once and the window (FlashIcon off) ends on the last.
TEST(CheckDueAlarms, ThreeDueInOneTick)
{
    for (const bool flash : {true, false}) {
        AlarmWorld world(At(9, 0));
        world.context.settings().FlashIcon = flash;
        world.add(OneOff(2026, 12, 8, QStringLiteral("08:00")));
        world.add(Weekday(0, 3, QStringLiteral("08:30")));
        world.add(OneOff(2026, 12, 7, QStringLiteral("22:00"))); // missed yesterday
        world.scan();
        ASSERT_EQ(world.positions(), (std::vector<int>{2, 0, 1}));
        CheckDueAlarms(world.context, world.sound, false);
        EXPECT_EQ(world.sound.beeps, 1);
        EXPECT_EQ(world.sound.plays.size(), 1u);
        EXPECT_EQ(world.context.alarms.AlarmIndex, 2);
        if (flash) {
            EXPECT_EQ(world.flashStarts, 3);
            EXPECT_EQ(world.messages, 0);
        } else {
            EXPECT_EQ(world.messageIndexes, (std::vector<int>{0, 1, 2}));
        }
    }
}

TEST(CheckDueAlarms, OnlyTheDueEntriesOfTheListRing)
{
    AlarmWorld world(At(9, 0));
    world.add(OneOff(2026, 12, 8, QStringLiteral("08:00")));
    world.add(OneOff(2026, 12, 8, QStringLiteral("12:00")));
    world.add(Weekday(0, 3, QStringLiteral("08:30")));
    world.add(Weekday(0, 3, QStringLiteral("09:01")));
    world.scan();
    CheckDueAlarms(world.context, world.sound, false);
    EXPECT_EQ(world.flashStarts, 2);
    EXPECT_EQ(world.context.alarms.AlarmIndex, 2);
}

TEST(CheckDueAlarms, NothingIsExaminedWhileTheWindowIsVisibleOrAScanRuns)
{
    AlarmWorld world(At(9, 0));
    world.add(OneOff(2026, 12, 8, QStringLiteral("08:00")));
    world.scan();
    world.context.alarms.AlarmList.push_back({7, 12345}); // would be stale
    CheckDueAlarms(world.context, world.sound, true);
    world.context.alarms.scanning = true;
    CheckDueAlarms(world.context, world.sound, false);
    world.context.alarms.scanning = false;
    EXPECT_EQ(world.flashStarts + world.messages + world.scanRequests, 0);
    EXPECT_EQ(world.context.alarms.AlarmList.size(), 2u);
}

TEST(CheckDueAlarms, AcknowledgedOneOffIsListedButNeverRaised)
{
    AlarmWorld world(At(23, 59));
    world.add(OneOff(2026, 12, 7, QStringLiteral(" ")));
    world.scan();
    ASSERT_EQ(world.positions(), std::vector<int>{0});
    CheckDueAlarms(world.context, world.sound, false);
    EXPECT_EQ(world.flashStarts, 0);
}

// Until the alarm window is activated, later ticks and later alarms raise
// again (the icon keeps flashing) but beep and play no more.
TEST(CheckDueAlarms, NoisesOnceUntilTheWindowIsActivated)
{
    AlarmWorld world(At(9, 0));
    world.add(OneOff(2026, 12, 8, QStringLiteral("09:00")));
    world.add(OneOff(2026, 12, 8, QStringLiteral("09:01")));
    world.scan();
    CheckDueAlarms(world.context, world.sound, false);
    world.clock.set(At(9, 1));
    CheckDueAlarms(world.context, world.sound, false);
    EXPECT_EQ(world.flashStarts, 3);
    EXPECT_EQ(world.sound.beeps, 1);
    EXPECT_EQ(world.sound.plays.size(), 1u);
    world.context.alarms.AlarmBeeped = false; // the window was activated
    world.context.alarms.AlarmSounded = false;
    CheckDueAlarms(world.context, world.sound, false);
    EXPECT_EQ(world.sound.beeps, 2);
    EXPECT_EQ(world.sound.plays.size(), 2u);
}

TEST(CheckDueAlarms, SettingsOffMakeNoNoise)
{
    AlarmWorld world(At(9, 0));
    world.context.settings().BeepFlg = false;
    world.context.settings().SoundFlg = false;
    world.add(OneOff(2026, 12, 8, QStringLiteral("09:00")));
    world.scan();
    CheckDueAlarms(world.context, world.sound, false);
    EXPECT_EQ(world.flashStarts, 1);
    EXPECT_EQ(world.sound.beeps, 0);
    EXPECT_TRUE(world.sound.plays.empty());
    EXPECT_FALSE(world.context.alarms.AlarmBeeped);
}

// The machine slept from 9:00 to 14:00 over an alarm of 9:30: the first
// tick after waking rings it, once.
TEST(CheckDueAlarms, AnAlarmMissedAsleepRingsAtTheFirstTickAfterWaking)
{
    AlarmWorld world(At(9, 0));
    world.add(OneOff(2026, 12, 8, QStringLiteral("09:30")));
    world.scan();
    CheckDueAlarms(world.context, world.sound, false);
    EXPECT_EQ(world.flashStarts, 0);
    world.clock.set(At(14, 0, 2));
    CheckDueAlarms(world.context, world.sound, false);
    world.clock.advanceSeconds(5);
    CheckDueAlarms(world.context, world.sound, false);
    EXPECT_EQ(world.sound.beeps, 1);
    EXPECT_EQ(world.sound.plays.size(), 1u);
    EXPECT_GE(world.flashStarts, 1);
}

// A record deleted without a rescan: its entry and those after it point at
// other records. The tick drops them and rescans before anything rings, so
// only the records due ring, each on its own entry.
TEST(CheckDueAlarms, AStalePositionNeverRingsAnotherRecord)
{
    AlarmWorld world(At(9, 0));
    world.context.settings().FlashIcon = false;
    world.add(OneOff(2026, 12, 8, QStringLiteral("08:00"), QStringLiteral("消す")));
    world.add(OneOff(2026, 12, 8, QStringLiteral("20:00"), QStringLiteral("夜")));
    const qint64 due =
        world.add(OneOff(2026, 12, 8, QStringLiteral("08:30"), QStringLiteral("朝")));
    world.scan();
    world.rs().SetAbsolutePosition(0);
    world.rs().Delete(); // nobody told the list

    CheckDueAlarms(world.context, world.sound, false);
    EXPECT_EQ(world.scanRequests, 1);
    ASSERT_EQ(world.messages, 1);
    const AlarmEntry raised = world.context.alarms.AlarmList[std::size_t(world.messageIndexes[0])];
    EXPECT_EQ(raised.recordId, due);
    EXPECT_EQ(world.messageOf(raised.recordId), QStringLiteral("朝"));
}

TEST(CheckDueAlarms, APositionPastTheEndIsDroppedWithoutAnError)
{
    AlarmWorld world(At(9, 0));
    world.add(OneOff(2026, 12, 8, QStringLiteral("08:00")));
    world.context.alarms.AlarmList = {{5, 77}, {-1, 3}};
    EXPECT_NO_THROW(CheckDueAlarms(world.context, world.sound, false));
    EXPECT_EQ(world.scanRequests, 1);
    EXPECT_EQ(world.positions(), std::vector<int>{0});
    EXPECT_EQ(world.flashStarts, 1);
}
