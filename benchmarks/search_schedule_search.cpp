// The schedule search over a book of 10,000 schedules spread over sixty
// years: the criterion run with FindFirst/FindNext, the range check and the
// result rows, without the window; and the search window from its search
// button to the result list painted.

#include "calendar_window_month_fill.h"
#include "context/AppContext.h"
#include "data/records/ScheduleDatabase.h"
#include "search/FindFrm.h"
#include "search/ScheduleSearch.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>
#include <benchmark/benchmark.h>
#include <memory>

namespace morvane {
namespace {

constexpr int kRecords = 10000;

struct Book
{
    Book()
    {
        auto database = CreateScheduleDatabase(DataFilePath(dir.path()));
        CreateMemoTable(*database);
        schedules = std::make_unique<ScheduleDatabase>(std::move(database));
        bench::FillSchedules(*schedules, kRecords, QDate());
    }

    QTemporaryDir dir;
    std::unique_ptr<ScheduleDatabase> schedules;
};

void Run(benchmark::State& state, const SearchRequest& request)
{
    Book book;
    Recordset& rs = book.schedules->schedules();
    SearchOutcome outcome;
    for (auto _ : state) {
        outcome = RunScheduleSearch(rs, request);
        benchmark::DoNotOptimize(outcome.rows.data());
    }
    state.counters["rows"] = double(outcome.rows.size());
}

// A piece of text within two years: the usual search.
void BM_SearchTextInRange(benchmark::State& state)
{
    Run(state, SearchRequest{QStringLiteral("予定 1"), QDate(2026, 3, 1), QDate(2028, 2, 29), 0});
}
BENCHMARK(BM_SearchTextInRange)->Unit(benchmark::kMillisecond);

// Empty text, no range, every kind: every record becomes a row.
void BM_SearchEverything(benchmark::State& state)
{
    Run(state, SearchRequest{});
}
BENCHMARK(BM_SearchEverything)->Unit(benchmark::kMillisecond);

// A text nothing has: the criterion alone over every record.
void BM_SearchNoMatch(benchmark::State& state)
{
    Run(state, SearchRequest{QStringLiteral("旅行"), std::nullopt, std::nullopt, 1});
}
BENCHMARK(BM_SearchNoMatch)->Unit(benchmark::kMillisecond);

QApplication& App()
{
    static int argc = 1;
    static char name[] = "search_schedule_search_benchmark";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QApplication> app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QApplication>(argc, argv);
    }();
    return *app;
}

// The window's search button with empty criteria: every record is listed,
// and the list is painted before the clock stops.
void BM_SearchEverythingPainted(benchmark::State& state)
{
    App();
    Book book;
    FixedClock clock(QDateTime(QDate(2026, 5, 20), QTime(12, 0)));
    AppContext context(clock, book.dir.path());
    context.setDatabase(std::move(book.schedules));
    auto* frm = new FindFrm(context);
    frm->show();
    QApplication::processEvents();
    for (auto _ : state) {
        frm->Command1[0]->click();
        frm->repaint();
        frm->ListView1->viewport()->repaint();
        benchmark::DoNotOptimize(frm->rows().size());
    }
    state.counters["rows"] = double(frm->rows().size());
    delete frm;
    context.closeDatabase();
}
BENCHMARK(BM_SearchEverythingPainted)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace morvane
