// The day editor over a book of 10,000 schedules: filling it for one day
// (every day press and date change runs it) and one save of the shown
// schedule, from the panel to the file and back into the panel.

#include "calendar_window_month_fill.h"
#include "context/AppContext.h"
#include "core/Clock.h"
#include "data/records/ScheduleDatabase.h"
#include "editor/DayEditor.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace morvane {
namespace {

constexpr int kRecords = 10000;
const QDate kDay(2026, 12, 8);

struct Book
{
    Book() : clock(QDateTime(kDay, QTime(9, 0))), context(clock, dir.path())
    {
        auto database = CreateScheduleDatabase(DataFilePath(dir.path()));
        CreateMemoTable(*database);
        auto schedules = std::make_unique<ScheduleDatabase>(std::move(database));
        bench::FillSchedules(*schedules, kRecords, QDate());
        // The schedule a save rewrites, on the day shown.
        Recordset& rs = schedules->schedules();
        rs.AddNew();
        rs.SetValue(schedule_fields::Type, 0);
        rs.SetValue(schedule_fields::Year, kDay.year());
        rs.SetValue(schedule_fields::Month, kDay.month());
        rs.SetValue(schedule_fields::Day, kDay.day());
        rs.SetValue(schedule_fields::Message, QStringLiteral("歯医者"));
        rs.Update();
        context.setDatabase(std::move(schedules));
        context.setDisplayMonth(kDay);
    }

    QTemporaryDir dir;
    FixedClock clock;
    AppContext context;
};

void BM_SetEditFrm(benchmark::State& state)
{
    Book book;
    DayEditor editor(book.context);
    for (auto _ : state) {
        editor.SetEditFrm(kDay, false);
        benchmark::DoNotOptimize(editor.rows().size());
    }
    state.counters["rows"] = double(editor.rows().size());
}
BENCHMARK(BM_SetEditFrm)->Unit(benchmark::kMillisecond);

void BM_SaveItem(benchmark::State& state)
{
    Book book;
    DayEditor editor(book.context);
    editor.SetEditFrm(kDay, false);
    const int last = int(editor.rows().size()) - 1;
    editor.rowChosen(last);
    int n = 0;
    for (auto _ : state) {
        editor.textEdited(QStringLiteral("歯医者 %1").arg(++n));
        if (!editor.MNU_F_S_Click())
            state.SkipWithError("the save failed");
    }
}
BENCHMARK(BM_SaveItem)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace morvane
