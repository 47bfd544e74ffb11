// The month model over a data file of 10,000 schedules: every redraw of the
// calendar (month steps, edits, midnight) rebuilds it.

#include "calendar_window/month/MonthModel.h"
#include "calendar_window_month_fill.h"
#include "context/AppContext.h"
#include "data/records/ScheduleDatabase.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace morvane {
namespace {

constexpr int kRecords = 10000;
const QDate kMonth(2026, 5, 1);

struct Fixture
{
    explicit Fixture(bool allInMonth)
    {
        auto database = CreateScheduleDatabase(DataFilePath(dir.path()));
        CreateMemoTable(*database);
        schedules = std::make_unique<ScheduleDatabase>(std::move(database));
        bench::FillSchedules(*schedules, kRecords, allInMonth ? kMonth : QDate());
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
        MonthModel model =
            BuildMonthModel(kMonth, settings, &fixture.schedules->schedules(), now, marks);
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
