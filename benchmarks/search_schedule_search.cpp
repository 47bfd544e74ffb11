// The schedule search over a book of 10,000 schedules spread over sixty
// years: the criterion run with FindFirst/FindNext, the range check and the
// result rows, without the window.

#include "calendar_window_month_fill.h"
#include "data/records/ScheduleDatabase.h"
#include "search/ScheduleSearch.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

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

} // namespace
} // namespace morvane
