// A book of 10,000 schedules: how long one pass of the day filter takes
// (every day drawn in the month grid runs one) and how long the data file
// takes to open at start.

#include "data/engine/DatabaseEngine.h"
#include "data/records/DaySchedules.h"
#include "data/records/ScheduleDatabase.h"
#include "data/records/ScheduleFields.h"

#include <QDir>
#include <benchmark/benchmark.h>

namespace morvane {
namespace {

constexpr int kRecords = 10000;

// A book as years of use leave it: the sixteen holidays of the initial set
// (two of them equinox days), birthdays and other yearly dates, a few
// monthly days and weekday rules, and one-date entries over ten years for
// the rest.
void FillBook(Recordset& rs)
{
    namespace f = schedule_fields;
    for (int i = 0; i < kRecords; ++i) {
        rs.AddNew();
        if (i < 2) {
            rs.SetValue(f::Type, 10);
            rs.SetValue(f::Year, 0);
            rs.SetValue(f::Month, i == 0 ? 3 : 9);
        } else if (i < 300) {
            rs.SetValue(f::Type, i < 16 ? 1 : 2);
            rs.SetValue(f::Year, 0);
            rs.SetValue(f::Month, 1 + i % 12);
            rs.SetValue(f::Day, 1 + i % 28);
        } else if (i < 350) {
            rs.SetValue(f::Type, 4);
            rs.SetValue(f::Year, 0);
            rs.SetValue(f::Month, 0);
            rs.SetValue(f::Day, 1 + i % 28);
        } else if (i < 400) {
            rs.SetValue(f::Type, 0);
            rs.SetValue(f::Year, 0);
            rs.SetValue(f::Month, i % 3 ? 0 : 1 + i % 12);
            rs.SetValue(f::Day, -1);
            rs.SetValue(f::Week, i % 6);
            rs.SetValue(f::DayOfTheWeek, 1 + i % 7);
        } else {
            const QDate day = QDate(2017, 1, 1).addDays(i % 3650);
            rs.SetValue(f::Type, i % 7 == 0 ? 5 : 0);
            rs.SetValue(f::Year, day.year());
            rs.SetValue(f::Month, day.month());
            rs.SetValue(f::Day, day.day());
            rs.SetValue(f::Week, -1);
            rs.SetValue(f::DayOfTheWeek, -1);
        }
        rs.SetValue(f::Color, 9 + i % 7);
        rs.SetValue(f::Mark, i % 15);
        rs.SetValue(f::Alarm, i % 5 == 0 ? QStringLiteral("09:30") : QString());
        rs.SetValue(f::Message, QStringLiteral("予定 %1 の内容です").arg(i));
        rs.Update();
    }
}

// Writing 10,000 records one committed Update at a time takes minutes, so
// the book is kept between runs in the temporary folder (the name changes
// with the mix) and rebuilt only when it is missing or does not open.
struct Book
{
    QString folder =
        QDir(QDir::tempPath()).filePath(QStringLiteral("morvane-data-records-benchmark-v1"));

    Book()
    {
        {
            OpenScheduleResult existing = OpenScheduleDatabase(folder);
            if (existing.outcome == OpenOutcome::Opened &&
                existing.database->schedules().RecordCount() == kRecords)
                return;
        }
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        OpenScheduleResult created = OpenScheduleDatabase(folder);
        if (!created.ok())
            throw std::runtime_error("cannot create the benchmark book");
        FillBook(created.database->schedules());
    }

    static Book& instance()
    {
        static Book book;
        return book;
    }
};

void BM_DayFilterPass(benchmark::State& state)
{
    OpenScheduleResult opened = OpenScheduleDatabase(Book::instance().folder);
    Recordset& rs = opened.database->schedules();
    // The vernal equinox of 2026, a Friday in the third week: every kind of
    // rule gets its chance to match.
    const QDate date(2026, 3, 20);
    std::size_t found = 0;
    for (auto _ : state) {
        const std::vector<int> positions = FindSchedulesOn(rs, date);
        found = positions.size();
        benchmark::DoNotOptimize(positions.data());
    }
    state.counters["records"] = rs.RecordCount();
    state.counters["found"] = double(found);
}
BENCHMARK(BM_DayFilterPass)->Unit(benchmark::kMicrosecond)->Repetitions(10);

void BM_OpenScheduleDatabase(benchmark::State& state)
{
    const QString folder = Book::instance().folder;
    for (auto _ : state) {
        OpenScheduleResult opened = OpenScheduleDatabase(folder);
        benchmark::DoNotOptimize(opened.database.get());
        if (!opened.ok())
            state.SkipWithError("open failed");
    }
}
BENCHMARK(BM_OpenScheduleDatabase)->Unit(benchmark::kMillisecond)->Repetitions(10);

} // namespace
} // namespace morvane
