// The viewer over a data file of 10,000 schedules: the month list (rebuilt
// on every month step and after every edit), the all list built and shown
// in the window, and the CSV export of the whole table.

#include "calendar_window_month_fill.h"
#include "context/AppContext.h"
#include "data/records/ScheduleDatabase.h"
#include "viewer/CsvExport.h"
#include "viewer/ListViewFrm.h"
#include "viewer/MonthList.h"
#include "viewer/ViewerTree.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTreeView>
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

Fixture& Table(bool allInMonth)
{
    static Fixture inMonth(true);
    static Fixture spread(false);
    return allInMonth ? inMonth : spread;
}

void RunMonthList(benchmark::State& state, bool allInMonth)
{
    Recordset& rs = Table(allInMonth).schedules->schedules();
    const MonthListLook look{QColor(255, 0, 0), QColor(0, 150, 255)};
    for (auto _ : state) {
        ListModel model = ShowMonthList(rs, 2026, 5, -1, QDate(2026, 5, 20), look);
        benchmark::DoNotOptimize(model);
    }
}

// 10,000 records over sixty years; about a hundred fall on the month.
void BM_MonthList_RecordsSpreadOverYears(benchmark::State& state)
{
    RunMonthList(state, false);
}
// Every one of the 10,000 records belongs to the month (worst case).
void BM_MonthList_AllRecordsInMonth(benchmark::State& state)
{
    RunMonthList(state, true);
}

QApplication& App()
{
    static int argc = 1;
    static char name[] = "viewer_lists_benchmark";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QApplication> app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QApplication>(argc, argv);
    }();
    return *app;
}

// The all list of 10,000 records: read, built, handed to the list and
// painted in the window.
void BM_AllList_BuiltAndShown(benchmark::State& state)
{
    App();
    FixedClock clock(QDateTime(QDate(2026, 5, 20), QTime(12, 0)));
    QTemporaryDir folder;
    AppContext context(clock, folder.path());
    Fixture fixture(false);
    context.setDatabase(std::move(fixture.schedules));
    ListViewFrm viewer(context);
    viewer.show();
    viewer.selectPath(AllListPath());
    QApplication::processEvents();
    for (auto _ : state) {
        viewer.RefreshListView();
        viewer.ListView1->viewport()->repaint();
        benchmark::DoNotOptimize(viewer.list().rows.size());
    }
    context.closeDatabase();
}

// Export of the whole table to a file.
void BM_Export(benchmark::State& state)
{
    Recordset& rs = Table(false).schedules->schedules();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("morv.csv"));
    for (auto _ : state) {
        QString error;
        const bool written = WriteExportFile(path, BuildCsvBytes(rs), &error);
        benchmark::DoNotOptimize(written);
    }
}

BENCHMARK(BM_MonthList_RecordsSpreadOverYears)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_MonthList_AllRecordsInMonth)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_AllList_BuiltAndShown)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_Export)->Unit(benchmark::kMillisecond)->Repetitions(5);

} // namespace
} // namespace morvane
