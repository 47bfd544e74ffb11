#include "calendar_math/LunarYear.h"
#include "calendar_math/Rokuyou.h"

#include <QDate>
#include <benchmark/benchmark.h>
#include <random>
#include <vector>

namespace {

// Dates spread over the years the program's pickers allow, in a fixed order.
std::vector<QDate> SpreadDates()
{
    std::mt19937 generator(20240503);
    std::uniform_int_distribution<qint64> day(QDate(1951, 1, 1).toJulianDay(),
                                              QDate(2050, 12, 31).toJulianDay());
    std::vector<QDate> dates(1024);
    for (QDate& date : dates)
        date = QDate::fromJulianDay(day(generator));
    return dates;
}

// One call per iteration, as a tooltip or a list row makes it.
void BM_GetRokuyouSpread(benchmark::State& state)
{
    const std::vector<QDate> dates = SpreadDates();
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(morvane::GetRokuyou(dates[next]));
        next = (next + 1) % dates.size();
    }
}
BENCHMARK(BM_GetRokuyouSpread)->Unit(benchmark::kMicrosecond);

// The 31 rows of a month list.
void BM_GetRokuyouMonth(benchmark::State& state)
{
    for (auto _ : state) {
        for (QDate date(2026, 12, 1); date.month() == 12; date = date.addDays(1))
            benchmark::DoNotOptimize(morvane::GetRokuyou(date));
    }
}
BENCHMARK(BM_GetRokuyouMonth)->Unit(benchmark::kMicrosecond);

// What a call costs when its lunar year is not kept yet: the solstices, the
// new moons and (in a year with a leap month) the principal terms, found
// from the full series.
void BM_BuildLunarYear(benchmark::State& state)
{
    int year = 1951;
    for (auto _ : state) {
        benchmark::DoNotOptimize(morvane::BuildLunarYear(year));
        year = year == 2050 ? 1951 : year + 1;
    }
}
BENCHMARK(BM_BuildLunarYear)->Unit(benchmark::kMicrosecond);

} // namespace
