#include "app/SyncRun.h"

#include "core/Clock.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleDatabase.h"
#include "data/records/SharedDataFile.h"
#include "sync/CalendarDiscovery.h"
#include "sync/QtDavTransport.h"

#include <QUrl>

namespace morvane {

SyncOutcome RunSyncJob(const SyncJob& job)
{
    SyncOutcome failed;
    const QUrl address = QUrl::fromUserInput(job.calendar.isEmpty() ? job.server : job.calendar);
    if (const QString refused = RefusedAddress(address); !refused.isEmpty()) {
        failed.failure = refused;
        return failed;
    }
    try {
        QtDavTransport transport(job.user, job.password);
        transport.setTrustedFingerprint(job.trustedFingerprint);
        QUrl collection = address;
        if (job.calendar.isEmpty()) {
            const CalendarSearch found = FindCalendars(transport, address);
            if (!found.ok() || found.calendars.empty()) {
                failed.failure = found.ok() ? QStringLiteral("サーバーにカレンダーがありません。")
                                            : found.failure;
                return failed;
            }
            collection = found.calendars.front().url;
        }
        const std::unique_ptr<ScheduleDatabase> database = OpenScheduleDatabaseBeside(job.dataFile);
        const SystemClock clock;
        CalendarSync sync(*database, transport, collection, clock, job.logFolder);
        SyncOutcome outcome = sync.run();
        database->Close();
        return outcome;
    } catch (const EngineError& error) {
        failed.failure = QStringLiteral("データファイルを使えません（%1）").arg(error.message());
        return failed;
    }
}

} // namespace morvane
