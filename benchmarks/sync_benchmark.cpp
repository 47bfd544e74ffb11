// A book of 10,000 schedules synced with a calendar: the CPU one sync with
// nothing to do takes in the program, and how many requests it sends. The
// server is the in-memory collection of the tests, so only the program's
// own work is measured.

#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleDatabase.h"
#include "sync/CalendarSync.h"
#include "sync/CannedServer.h"
#include "sync/SyncItems.h"

#include "core/Clock.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace morvane {
namespace {

constexpr int kRecords = 10000;

struct SyncedBook
{
    // In memory where the system has it: the first sync commits once per
    // schedule sent.
    QTemporaryDir folder{QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm/morvane-bench-XXXXXX")
                                                   : QDir::tempPath() + QStringLiteral("/morvane-bench-XXXXXX")};
    std::unique_ptr<ScheduleDatabase> db;
    test::CannedServer server;
    FixedClock clock{QDateTime(QDate(2026, 12, 11), QTime(9, 0))};

    SyncedBook()
    {
        db = std::move(OpenScheduleDatabase(folder.path()).database);
        SyncItems items(*db);
        db->database().BeginTrans();
        for (int i = 0; i < kRecords; ++i) {
            ScheduleEntry e;
            e.year = 2020 + i % 10;
            e.month = 1 + i % 12;
            e.day = 1 + i % 28;
            e.startTime = QStringLiteral("09:30");
            e.message = QStringLiteral("予定 %1").arg(i);
            items.add(e);
        }
        db->database().CommitTrans();
        run();
    }
    SyncOutcome run()
    {
        CalendarSync sync(*db, server, server.url(), clock, folder.path());
        return sync.run();
    }
};

void BM_SyncWithNothingToDo(benchmark::State& state)
{
    static SyncedBook book;
    std::size_t requests = 0;
    for (auto _ : state) {
        book.server.log.clear();
        const SyncOutcome outcome = book.run();
        requests = book.server.log.size();
        benchmark::DoNotOptimize(outcome);
    }
    state.counters["requests"] = double(requests);
}
BENCHMARK(BM_SyncWithNothingToDo)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

} // namespace
} // namespace morvane
