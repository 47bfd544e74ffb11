// Today's alarm list over a book of 10,000 schedules of which 1,000 carry
// an alarm (the scan runs at start, after every change and at midnight),
// and one 5-second tick over 1,000 live alarms of today, none due yet.

#include "alarms/AlarmScan.h"
#include "alarms/AlarmSound.h"
#include "alarms/AlarmTick.h"
#include "context/AppContext.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleDatabase.h"
#include "data/records/ScheduleFields.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace morvane {
namespace {

const QDate kToday(2026, 12, 8);

class SilentSound final : public AlarmSound
{
public:
    void beep() override {}
    void play(const QString&) override {}
};

// 10,000 schedules over ten years; every tenth carries an alarm: one-offs
// of past days (some acknowledged), of today and of later days, weekly,
// monthly and yearly ones.
void FillBook(Recordset& rs, int records, int alarmEvery)
{
    namespace f = schedule_fields;
    for (int i = 0; i < records; ++i) {
        rs.AddNew();
        rs.SetValue(f::Type, 0);
        const int kind = (i / alarmEvery) % 5;
        if (i % alarmEvery == 0 && kind == 1) {
            rs.SetValue(f::Year, 0);
            rs.SetValue(f::Month, 0);
            rs.SetValue(f::Day, -1);
            rs.SetValue(f::Week, 0);
            rs.SetValue(f::DayOfTheWeek, 1 + i % 7);
        } else if (i % alarmEvery == 0 && kind == 2) {
            rs.SetValue(f::Year, 0);
            rs.SetValue(f::Month, i % 3 ? 0 : 1 + i % 12);
            rs.SetValue(f::Day, 1 + i % 28);
            rs.SetValue(f::Week, -1);
        } else {
            const QDate day = QDate(2017, 1, 1).addDays(i % 3650);
            rs.SetValue(f::Year, day.year());
            rs.SetValue(f::Month, day.month());
            rs.SetValue(f::Day, day.day());
            rs.SetValue(f::Week, -1);
            rs.SetValue(f::DayOfTheWeek, -1);
        }
        if (i % alarmEvery == 0)
            rs.SetValue(f::Alarm, kind == 3 ? QStringLiteral(" ") : QStringLiteral("09:30"));
        rs.SetValue(f::Message, QStringLiteral("予定 %1").arg(i));
        rs.Update();
    }
}

struct Book
{
    Book(int records, int alarmEvery, QTime now)
        : clock(QDateTime(kToday, now)), context(clock, dir.path())
    {
        auto database = CreateScheduleDatabase(DataFilePath(dir.path()));
        CreateMemoTable(*database);
        context.setDatabase(std::make_unique<ScheduleDatabase>(std::move(database)));
        Database& db = context.database()->database();
        db.BeginTrans();
        FillBook(schedules(), records, alarmEvery);
        db.CommitTrans();
    }
    Recordset& schedules() { return context.database()->schedules(); }

    QTemporaryDir dir;
    FixedClock clock;
    AppContext context;
};

void BM_ScanAlarms(benchmark::State& state)
{
    Book book(10000, 10, QTime(9, 0));
    for (auto _ : state) {
        ScanAlarms(book.context.alarms, book.schedules(), kToday);
        benchmark::DoNotOptimize(book.context.alarms.AlarmList.data());
    }
    state.counters["listed"] = double(book.context.alarms.AlarmList.size());
}
BENCHMARK(BM_ScanAlarms)->Unit(benchmark::kMillisecond);

// 1,000 alarms of today at 23:59, checked at noon: every entry is read and
// tested, none rings.
void BM_TickOverLiveEntries(benchmark::State& state)
{
    Book book(1000, 1, QTime(12, 0));
    Recordset& rs = book.schedules();
    for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
        rs.Edit();
        rs.SetValue(schedule_fields::Year, kToday.year());
        rs.SetValue(schedule_fields::Month, kToday.month());
        rs.SetValue(schedule_fields::Day, kToday.day());
        rs.SetValue(schedule_fields::Alarm, QStringLiteral("23:59"));
        rs.Update();
    }
    ScanAlarms(book.context.alarms, rs, kToday);
    SilentSound sound;
    for (auto _ : state)
        CheckDueAlarms(book.context, sound, false);
    state.counters["entries"] = double(book.context.alarms.AlarmList.size());
}
BENCHMARK(BM_TickOverLiveEntries)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace morvane
