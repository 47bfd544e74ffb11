// A schedule book of 10,000 records: one day's search as the month grid,
// the tray and the editor run it, and opening the data file at start-up.

#include "data/engine/DatabaseEngine.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <random>

namespace morvane {
namespace {

constexpr int kRecords = 10000;

// The full day filter for Tuesday 8 December 2026 (second week), spelt as
// the program spells it: two blanks after "=" before each spliced number.
const char* const kDayFilter =
    "([Year] =  2026 Or [Year] = 0) and ([Month] =  12 Or [Month] = 0) and ([Day] =  8 Or "
    "([DayOfTheWeek] =  3 and ([Week] = 0 or [Week] =  2))) Or ([Type] = 10 and [Month] =  12)";

TableDef ScheduleTable()
{
    TableDef table{"Schedule", {}};
    for (const char* name : {"Type", "Year", "Month", "Day", "Week", "DayOfTheWeek", "BirthYear"})
        table.fields.push_back(IntegerField(name));
    for (const char* name : {"BirthPerson", "StartTime", "EndTime", "Alarm"})
        table.fields.push_back(TextField(name, 0, true));
    table.fields.push_back(LongField("Color"));
    table.fields.push_back(LongField("Mark"));
    table.fields.push_back(TextField("Message", 0, true));
    table.fields.push_back(TextField("AlarmFlag", 0, true));
    return table;
}

// Mostly one-off dates over several years, with yearly, monthly, weekly,
// n-th weekday and equinox records mixed in, in the proportions a
// long-used schedule book has.
void FillSchedules(Recordset& rs)
{
    std::mt19937 random(20261208);
    const auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (int i = 0; i < kRecords; ++i) {
        rs.AddNew();
        const int kind = pick(0, 99);
        rs.SetValue("Type", kind < 80 ? 0 : (kind < 90 ? 4 : (kind < 99 ? 1 : 10)));
        rs.SetValue("StartTime", "");
        rs.SetValue("EndTime", "");
        rs.SetValue("Alarm", pick(0, 9) == 0 ? "09:30" : "");
        rs.SetValue("Color", pick(0, 3) == 0 ? 12 : 0);
        rs.SetValue("Message", QStringLiteral("打ち合わせ %1 件目の予定").arg(i));
        const int pattern = pick(0, 99);
        if (kind == 99) {
            rs.SetValue("Type", 10);
            rs.SetValue("Year", 0);
            rs.SetValue("Month", pick(0, 1) ? 3 : 9);
        } else if (pattern < 75) { // one date
            rs.SetValue("Year", pick(2019, 2027));
            rs.SetValue("Month", pick(1, 12));
            rs.SetValue("Day", pick(1, 28));
            rs.SetValue("Week", -1);
            rs.SetValue("DayOfTheWeek", -1);
        } else if (pattern < 85) { // every year
            rs.SetValue("Year", 0);
            rs.SetValue("Month", pick(1, 12));
            rs.SetValue("Day", pick(1, 28));
        } else if (pattern < 90) { // every month
            rs.SetValue("Year", 0);
            rs.SetValue("Month", 0);
            rs.SetValue("Day", pick(1, 31));
        } else { // every week or n-th weekday
            rs.SetValue("Year", 0);
            rs.SetValue("Month", pick(0, 12));
            rs.SetValue("Day", -1);
            rs.SetValue("Week", pick(0, 5));
            rs.SetValue("DayOfTheWeek", pick(1, 7));
        }
        rs.Update();
    }
}

struct ScheduleFile
{
    QTemporaryDir dir;
    QString path;

    ScheduleFile() : path(dir.filePath("Morva.dat"))
    {
        auto db = Database::CreateDatabase(path);
        db->CreateTable(ScheduleTable());
        auto rs = db->OpenRecordset("Schedule");
        db->BeginTrans();
        FillSchedules(*rs);
        db->CommitTrans();
    }
};

const ScheduleFile& SharedFile()
{
    static const ScheduleFile file;
    return file;
}

void BM_DayFilterPass(benchmark::State& state)
{
    auto db = Database::OpenDatabase(SharedFile().path);
    auto rs = db->OpenRecordset("Schedule");
    const QString filter = QString::fromLatin1(kDayFilter);
    int matches = 0;
    for (auto _ : state) {
        matches = 0;
        rs->FindFirst(filter);
        while (!rs->NoMatch()) {
            ++matches;
            rs->FindNext(filter);
        }
        benchmark::DoNotOptimize(matches);
    }
    state.counters["matches"] = matches;
}
BENCHMARK(BM_DayFilterPass)->Unit(benchmark::kMicrosecond);

void BM_OpenDataFile(benchmark::State& state)
{
    const QString path = SharedFile().path;
    for (auto _ : state) {
        auto db = Database::OpenDatabase(path);
        auto rs = db->OpenRecordset("Schedule");
        rs->MoveFirst();
        benchmark::DoNotOptimize(rs->RecordCount());
        state.PauseTiming();
        rs.reset();
        db.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenDataFile)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace morvane
