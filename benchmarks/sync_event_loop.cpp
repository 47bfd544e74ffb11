// The calendar's event loop while a sync runs: the sync goes on its worker
// thread with its own connection to the data file, as in the running
// program, while the main thread steps one month every 16 ms the way the
// calendar redraws (the month model over the windows' own rows). Prints the
// longest gap between two ticks beyond their 16 ms (a stall of the event
// loop), the 99th percentile, the longest month step, and the reading back
// of the rows on the main thread once the sync is done.
//
//   sync_event_loop <program folder> <collection URL> <user> <password file>

#include "app/SyncRun.h"
#include "calendar_window/month/MonthModel.h"
#include "context/AppContext.h"
#include "core/Settings.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleDatabase.h"
#include "data/records/SharedDataFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace morvane;

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 5) {
        std::fputs("usage: sync_event_loop <program folder> <collection URL> <user> <password file>\n",
                    stderr);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QFile secret(QString::fromLocal8Bit(argv[4]));
    if (!secret.open(QIODevice::ReadOnly))
        return 2;
    SyncJob job;
    job.dataFile = DataFilePath(folder);
    job.logFolder = folder;
    job.server = job.calendar = QString::fromLocal8Bit(argv[2]);
    job.user = QString::fromLocal8Bit(argv[3]);
    job.password = QString::fromUtf8(secret.readLine()).trimmed();

    OpenScheduleResult opened = OpenScheduleDatabase(folder);
    if (!opened.ok()) {
        std::fprintf(stderr, "%s\n", qPrintable(opened.failure.text));
        return 1;
    }
    ScheduleDatabase& database = *opened.database;
    ShareDataFile(database.database(), true);

    SyncOutcome outcome;
    QThread* worker = QThread::create([&] { outcome = RunSyncJob(job); });

    const Settings settings;
    const MarkSymbolTable marks = StandardMarkSymbols();
    QDate month(2026, 1, 1);
    QElapsedTimer clock;
    clock.start();
    qint64 lastTick = -1, longestStep = 0;
    std::vector<qint64> stalls;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 start = clock.nsecsElapsed();
        if (lastTick >= 0)
            stalls.push_back(std::max<qint64>(0, start - lastTick - 16'000'000));
        lastTick = start;
        const MonthModel model = BuildMonthModel(month, settings, &database.schedules(),
                                                 QDateTime::currentDateTime(), marks);
        month = model.firstDay.addMonths(1);
        longestStep = std::max(longestStep, clock.nsecsElapsed() - start);
    });
    QObject::connect(worker, &QThread::finished, &app, &QCoreApplication::quit);
    tick.start(16);
    const qint64 syncStart = clock.nsecsElapsed();
    worker->start(QThread::LowPriority);
    app.exec();
    const qint64 syncTime = clock.nsecsElapsed() - syncStart;
    tick.stop();
    worker->wait();
    delete worker;

    QElapsedTimer reload;
    reload.start();
    ShareDataFile(database.database(), false);
    ReloadScheduleRows(database.database());
    const qint64 reloadNs = reload.nsecsElapsed();

    std::sort(stalls.begin(), stalls.end());
    const auto ms = [](qint64 ns) { return double(ns) / 1e6; };
    const qint64 worst = stalls.empty() ? 0 : stalls.back();
    const qint64 p99 = stalls.empty() ? 0 : stalls[stalls.size() * 99 / 100];
    std::printf("sync: %s (%.1f s)\n", qPrintable(outcome.ok() ? SyncSummary(outcome.counts)
                                                                  : outcome.failure),
                ms(syncTime) / 1000);
    std::printf("month steps during the sync: %zu, longest step %.2f ms\n", stalls.size() + 1,
                ms(longestStep));
    std::printf("event-loop stall beyond 16 ms: longest %.2f ms, 99th percentile %.2f ms\n",
                ms(worst), ms(p99));
    std::printf("rows read back on the main thread after the sync: %.2f ms (%d schedules)\n",
                ms(reloadNs), database.schedules().RecordCount());
    return outcome.ok() ? 0 : 1;
}
