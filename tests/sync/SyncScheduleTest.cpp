#include "sync/SyncSchedule.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

constexpr qint64 kMinute = 60000;

// Runs every sync that falls due up to `until`, as the timer would, each
// ending `length` ms after it started with `ok`; returns the start times.
std::vector<qint64> RunUntil(SyncSchedule& schedule, qint64 until, bool ok, qint64 length = 0)
{
    std::vector<qint64> starts;
    for (;;) {
        const std::optional<qint64> wake = schedule.nextWake();
        if (!wake || *wake > until)
            return starts;
        const qint64 at = std::max<qint64>(*wake, starts.empty() ? 0 : starts.back() + length);
        EXPECT_TRUE(schedule.startDue(at));
        starts.push_back(at);
        schedule.finished(ok, at + length);
    }
}

TEST(SyncScheduleTest, RunsAtStartThenEveryIntervalAndNotWhenOff)
{
    SyncSchedule schedule;
    schedule.configure(true, 30, 0);
    EXPECT_EQ(RunUntil(schedule, 61 * kMinute, true),
              (std::vector<qint64>{0, 30 * kMinute, 60 * kMinute}));

    SyncSchedule off;
    off.configure(false, 30, 0);
    off.localChange(0);
    off.requestNow(0);
    EXPECT_FALSE(off.nextWake());
    EXPECT_FALSE(off.startDue(100 * kMinute));
}

TEST(SyncScheduleTest, LocalChangesAreDebouncedIntoOneSync)
{
    SyncSchedule schedule;
    schedule.configure(true, 30, 0);
    RunUntil(schedule, 0, true);
    // A burst of saves, each within the quiet time of the one before.
    for (qint64 at : {1000, 3000, 7000, 11000})
        schedule.localChange(at);
    EXPECT_FALSE(schedule.startDue(15999));
    EXPECT_EQ(RunUntil(schedule, 20 * kMinute, true), std::vector<qint64>{16000});
}

TEST(SyncScheduleTest, FailuresRetryAfterGrowingPausesCappedAtTheInterval)
{
    SyncSchedule schedule;
    schedule.configure(true, 10, 0);
    const std::vector<qint64> starts = RunUntil(schedule, 40 * kMinute, false);
    EXPECT_EQ(starts, (std::vector<qint64>{0, 1 * kMinute, 3 * kMinute, 7 * kMinute, 15 * kMinute,
                                           25 * kMinute, 35 * kMinute}));
    // A success starts the pauses over.
    schedule.requestNow(40 * kMinute);
    ASSERT_TRUE(schedule.startDue(40 * kMinute));
    schedule.finished(true, 40 * kMinute);
    schedule.localChange(41 * kMinute);
    ASSERT_TRUE(schedule.startDue(41 * kMinute + SyncSchedule::kDebounceMs));
    schedule.finished(false, 42 * kMinute);
    EXPECT_EQ(schedule.nextWake(), 43 * kMinute);
}

TEST(SyncScheduleTest, AfterAFailureAChangeWaitsForTheRetryButARequestDoesNot)
{
    SyncSchedule schedule;
    schedule.configure(true, 30, 0);
    ASSERT_TRUE(schedule.startDue(0));
    schedule.finished(false, 0);
    schedule.localChange(1000);
    EXPECT_EQ(schedule.nextWake(), kMinute);
    schedule.requestNow(2000);
    EXPECT_TRUE(schedule.startDue(2000));
}

TEST(SyncScheduleTest, RequestsDuringARunQueueExactlyOneMore)
{
    SyncSchedule schedule;
    schedule.configure(true, 30, 0);
    ASSERT_TRUE(schedule.startDue(0));
    EXPECT_FALSE(schedule.nextWake()) << "one sync at a time";
    schedule.requestNow(100);
    schedule.requestNow(200);
    EXPECT_FALSE(schedule.startDue(300));
    schedule.finished(true, 1000);
    ASSERT_TRUE(schedule.startDue(1000));
    schedule.finished(true, 2000);
    EXPECT_EQ(schedule.nextWake(), 2000 + 30 * kMinute);

    // A change during a run is debounced from when it was made, and comes
    // after the run even though the interval starts over.
    const qint64 start = 2000 + 30 * kMinute;
    ASSERT_TRUE(schedule.startDue(start));
    schedule.localChange(start + 10);
    EXPECT_FALSE(schedule.startDue(start + 10 + SyncSchedule::kDebounceMs));
    schedule.finished(true, start + 20000);
    EXPECT_EQ(schedule.nextWake(), start + 10 + SyncSchedule::kDebounceMs);
}

TEST(SyncScheduleTest, ADeferredSyncComesAgainAfterTheQuietTimeWithoutCountingAsFailed)
{
    SyncSchedule schedule;
    schedule.configure(true, 30, 0);
    ASSERT_TRUE(schedule.startDue(0));
    schedule.deferred(100);
    EXPECT_EQ(schedule.failures(), 0);
    EXPECT_EQ(schedule.nextWake(), 100 + SyncSchedule::kDebounceMs);
}

TEST(SyncScheduleTest, NewSettingsRunAtOnceOrStop)
{
    SyncSchedule schedule;
    schedule.configure(true, 30, 0);
    ASSERT_TRUE(schedule.startDue(0));
    schedule.configure(true, 5, 1000); // changed while running
    schedule.finished(false, 2000);
    EXPECT_EQ(schedule.nextWake(), 0) << "the new settings are tried at once";
    schedule.configure(false, 5, 3000);
    EXPECT_FALSE(schedule.nextWake());
}

} // namespace
} // namespace morvane
