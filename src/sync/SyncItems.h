#pragma once

#include "interchange/ScheduleEntry.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace morvane {

class ScheduleDatabase;

// The schedule fields as one text, to tell whether a record still holds
// what was last agreed with the server.
QString EntryText(const ScheduleEntry& entry);

// One row of sync_item with its journal entry, if any.
struct SyncItem
{
    qint64 itemId = 0;
    qint64 recordId = 0; // 0 once the record is gone
    QString uid;
    QString href;        // empty: not on the server
    QString etag;
    QString agreed;      // EntryText last agreed with the server
    bool mirror = false;
    qint64 journalSeq = 0; // 0: not changed here since agreed
};

// Reads and writes the sync bookkeeping of the open data file, and the
// Schedule records it stands for. Writes go into the caller's batch.
class SyncItems
{
public:
    explicit SyncItems(ScheduleDatabase& database) : m_database(database) {}

    std::vector<SyncItem> all() const;
    // The items a sync has to send, delete or settle: changed here, new to
    // the server, or deleted here.
    std::vector<SyncItem> pending() const;
    std::vector<SyncItem> withHref(const QString& href) const;
    std::optional<SyncItem> withUid(const QString& uid) const;

    // The data file's own random identity, part of every UID it makes.
    QString fileIdentity() const;
    // The collection the file was last synced with, and its token.
    QString collectionUrl() const;
    QString syncToken() const;
    void setCollection(const QString& url, const QString& token);
    // The first year of the window the server's events were last turned
    // into dates for (0 when never), and the events turned so.
    int mirrorYear() const;
    void setMirrorYear(int year);
    QStringList mirroredHrefs() const;
    // Another collection: nothing the file knew of the old one holds.
    void forgetServer();

    std::optional<ScheduleEntry> entryOf(qint64 recordId) const;
    // Writes entry over the record; returns the fields as stored.
    ScheduleEntry overwrite(qint64 recordId, const ScheduleEntry& entry);
    // A new record; its id. The trigger gives it an item of its own.
    qint64 add(const ScheduleEntry& entry);
    void removeRecord(qint64 recordId);

    // The item now stands for what the server holds at href.
    void bind(qint64 itemId, const QString& uid, const QString& href, const QString& etag,
              const QString& agreed, bool mirror);
    qint64 itemOfRecord(qint64 recordId) const;
    // The journal entry goes only if no later change replaced it.
    void clearJournal(qint64 itemId, qint64 seq = 0);
    void dropItem(qint64 itemId);
    void markNewToServer(qint64 itemId);

private:
    ScheduleDatabase& m_database;
};

} // namespace morvane
