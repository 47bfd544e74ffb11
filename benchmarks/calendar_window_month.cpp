// The month model over a data file of 10,000 schedules: every redraw of the
// calendar (month steps, edits, midnight) rebuilds it.

#include "calendar_window/month/MonthModel.h"
#include "core/context/AppContext.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleDatabase.h"
#include "data/records/ScheduleFields.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace morvane {
namespace {

constexpr int kRecords = 10000;

// Each record gets one of the patterns the month pass distinguishes.
void AddRecord(Recordset& rs, int i, bool allInMonth)
{
    namespace f = schedule_fields;
    rs.AddNew();
    const int pattern = i % 5;
    const int year = allInMonth ? (i % 2 ? 2026 : 0) : 1990 + i % 60;
    const int month = allInMonth ? (i % 3 ? 5 : 0) : 1 + i % 12;
    rs.SetValue(f::Type, Value(i % 7 == 0 ? 1 : 0));
    rs.SetValue(f::Year, Value(year));
    rs.SetValue(f::Month, Value(month));
    if (pattern < 3) {
        rs.SetValue(f::Day, Value(1 + i % 31));
        rs.SetValue(f::Week, Value(-1));
        rs.SetValue(f::DayOfTheWeek, Value(-1));
    } else {
        rs.SetValue(f::Day, Value(-1));
        rs.SetValue(f::Week, Value(pattern == 3 ? 0 : 1 + i % 5));
        rs.SetValue(f::DayOfTheWeek, Value(1 + i % 7));
    }
    rs.SetValue(f::Color, Value(9 + i % 7));
    if (i % 2)
        rs.SetValue(f::Mark, Value(i % 15));
    rs.SetValue(f::Message, Value(QStringLiteral(u"予定 %1").arg(i)));
    rs.Update();
}

struct Fixture
{
    explicit Fixture(bool allInMonth)
    {
        auto database = CreateScheduleDatabase(DataFilePath(dir.path()));
        CreateMemoTable(*database);
        schedules = std::make_unique<ScheduleDatabase>(std::move(database));
        for (int i = 0; i < kRecords; ++i)
            AddRecord(schedules->schedules(), i, allInMonth);
    }
    QTemporaryDir dir;
    std::unique_ptr<ScheduleDatabase> schedules;
};

void Run(benchmark::State& state, bool allInMonth)
{
    static Fixture inMonth(true);
    static Fixture spread(false);
    Fixture& fixture = allInMonth ? inMonth : spread;
    const Settings settings;
    const MarkSymbolTable marks = StandardMarkSymbols();
    const QDateTime now(QDate(2026, 5, 20), QTime(12, 0));
    for (auto _ : state) {
        MonthModel model = BuildMonthModel(QDate(2026, 5, 1), settings,
                                           &fixture.schedules->schedules(), now, marks);
        benchmark::DoNotOptimize(model);
    }
}

// Every one of the 10,000 records belongs to the month (worst case).
void BM_MonthModel_AllRecordsInMonth(benchmark::State& state)
{
    Run(state, true);
}
// 10,000 records over sixty years; about a hundred fall on the month.
void BM_MonthModel_RecordsSpreadOverYears(benchmark::State& state)
{
    Run(state, false);
}

BENCHMARK(BM_MonthModel_AllRecordsInMonth)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_MonthModel_RecordsSpreadOverYears)->Unit(benchmark::kMillisecond)->Repetitions(5);

} // namespace
} // namespace morvane
