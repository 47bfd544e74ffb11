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
    try {
        QtDavTransport transport(job.user, job.password);
        transport.setTrustedFingerprint(job.trustedFingerprint);
        const SyncTarget target =
            CollectionToSync(transport, QUrl::fromUserInput(job.server), job.calendar);
        if (!target.ok()) {
            failed.failure = target.failure;
            return failed;
        }
        const std::unique_ptr<ScheduleDatabase> database = OpenScheduleDatabaseBeside(job.dataFile);
        const SystemClock clock;
        CalendarSync sync(*database, transport, target.collection, clock, job.logFolder);
        SyncOutcome outcome = sync.run();
        database->Close();
        return outcome;
    } catch (const EngineError& error) {
        failed.failure = QStringLiteral("データファイルを使えません（%1）").arg(error.message());
        return failed;
    }
}

} // namespace morvane
