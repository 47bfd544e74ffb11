#pragma once

#include <QString>
#include <QUrl>

namespace morvane {

class Clock;
class DavTransport;
class ScheduleDatabase;

struct SyncCounts
{
    int sent = 0;            // schedules written to the server
    int received = 0;        // schedules written here from the server
    int deletedThere = 0;    // deletions sent
    int deletedHere = 0;     // deletions received
    int conflicts = 0;
    int notSent = 0;         // schedules one event cannot hold (kept here only)
};

struct SyncOutcome
{
    SyncCounts counts;
    QString failure; // why the sync stopped, in Japanese; empty when it ran through

    bool ok() const { return failure.isEmpty(); }
};

// "同期しました（送信 3件、受信 1件）" and the rest of the counts.
QString SyncSummary(const SyncCounts& counts);

// One two-way sync of the schedules with one calendar collection.
//
// Receiving comes first: what the server changed since the last sync
// (sync-collection with the stored token, else every ETag through a
// calendar-query compared with the stored ones) is fetched and written here
// in one batch together with the new token, so a sync stopped at any point
// writes all of it or none. Then every item the journal names is sent, each
// written back here once the server answered. A resource is named by its
// UID, so a sync run again after one that was killed finds what the first
// one sent (If-None-Match refuses it twice) and never doubles it.
//
// Conflicts: the server's version becomes the schedule, and the version
// here is kept as a new schedule on the same day whose text begins with
// "（競合）"; a record changed on one side and deleted on the other is
// kept. A version on the server that is the one agreed, or one this file
// sent itself and never heard back about, is no change of another side.
// Each conflict is written to the activity log in logFolder.
//
// A fault of the network or the server stops the sync with the reason;
// what was written here before it stays consistent.
class CalendarSync
{
public:
    CalendarSync(ScheduleDatabase& database, DavTransport& transport, const QUrl& collection,
                 const Clock& clock, QString logFolder);
    SyncOutcome run();

private:
    struct Run;
    ScheduleDatabase& m_database;
    DavTransport& m_transport;
    QUrl m_collection;
    const Clock& m_clock;
    QString m_logFolder;
};

} // namespace morvane
