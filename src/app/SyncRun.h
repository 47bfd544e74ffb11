#pragma once

#include "sync/CalendarSync.h"

#include <QString>

namespace morvane {

// What one background sync needs, copied for the worker thread.
struct SyncJob
{
    QString dataFile;   // Morva.dat, held open by the windows
    QString logFolder;  // where conflicts are written down
    QString server;     // a calendar collection or a server address
    QString calendar;   // the collection picked; empty: the first one found
    QString user;
    QString password;
    QString trustedFingerprint;
};

// One sync of job.dataFile with the server, through a connection of its
// own to the file (the windows' connection must share it meanwhile). Runs
// on any thread; every fault ends in the outcome's failure.
SyncOutcome RunSyncJob(const SyncJob& job);

} // namespace morvane
