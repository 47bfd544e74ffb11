// One keystroke in the viewer's detail box over a data file of 10,000
// schedules: the record behind the month list row is found and its text
// stored and committed, as every keystroke does. Also a memo's keystroke.

#include "calendar_window_month_fill.h"
#include "data/records/MemoBook.h"
#include "data/records/ScheduleDatabase.h"
#include "viewer/DetailWrite.h"
#include "viewer/MonthList.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace morvane {
namespace {

constexpr int kRecords = 10000;

struct Fixture
{
    Fixture()
    {
        auto database = CreateScheduleDatabase(DataFilePath(dir.path()));
        CreateMemoTable(*database);
        schedules = std::make_unique<ScheduleDatabase>(std::move(database));
        bench::FillSchedules(*schedules, kRecords, QDate(2026, 5, 1));
    }
    QTemporaryDir dir;
    std::unique_ptr<ScheduleDatabase> schedules;
};

void BM_DetailBoxKeystroke_MonthList(benchmark::State& state)
{
    Fixture fixture;
    Recordset& rs = fixture.schedules->schedules();
    const MonthListLook look{QColor(255, 0, 0), QColor(0, 150, 255)};
    ListModel list = ShowMonthList(rs, 2026, 5, -1, QDate(2026, 5, 20), look);
    ListRow* row = nullptr;
    for (ListRow& candidate : list.rows) {
        if (!candidate.key.isEmpty()) {
            row = &candidate;
            break;
        }
    }
    if (!row) {
        state.SkipWithError("no schedule row");
        return;
    }
    QString text = row->text(MonthTextCell);
    int i = 0;
    for (auto _ : state) {
        // A different text each time, so every keystroke is a real write.
        text += QChar(u'a' + (i++ % 26));
        if (text.size() > 60)
            text.truncate(1);
        benchmark::DoNotOptimize(WriteMonthRowText(rs, *row, 2026, 5, 0, text));
    }
}
BENCHMARK(BM_DetailBoxKeystroke_MonthList)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

void BM_DetailBoxKeystroke_Memo(benchmark::State& state)
{
    Fixture fixture;
    MemoBook book(fixture.schedules->memos());
    const QDateTime now(QDate(2026, 5, 20), QTime(9, 0));
    for (int i = 0; i < 200; ++i)
        book.Create(QStringLiteral("メモ %1").arg(i), now);
    QString text;
    int i = 0;
    for (auto _ : state) {
        text += QChar(u'a' + (i++ % 26));
        if (text.size() > 60)
            text.truncate(1);
        benchmark::DoNotOptimize(book.ChangeContent(QStringLiteral("メモ 199"), text, now));
    }
}
BENCHMARK(BM_DetailBoxKeystroke_Memo)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

} // namespace
} // namespace morvane
