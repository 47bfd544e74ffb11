#include "data/records/SyncBookkeeping.h"

#include "data/engine/DatabaseEngine.h"

namespace morvane {

namespace {

// A new UID: the file's identity and a random part of its own.
#define MORVANE_NEW_UID                                                                        \
    "'morvane-' || (SELECT Value FROM sync_file WHERE Key = 'Identity') || '-' || "            \
    "lower(hex(randomblob(8)))"

constexpr const char* kStatements[] = {
    "CREATE TABLE IF NOT EXISTS sync_file (Key TEXT PRIMARY KEY, Value TEXT NOT NULL)",
    "INSERT OR IGNORE INTO sync_file (Key, Value) VALUES ('Identity', lower(hex(randomblob(8))))",
    // AUTOINCREMENT: an id is never handed out twice, so a journal entry
    // can never be taken for a later life of the same record id.
    "CREATE TABLE IF NOT EXISTS sync_item ("
    " ItemId INTEGER PRIMARY KEY AUTOINCREMENT,"
    " RecordId INTEGER UNIQUE,"
    " Uid TEXT NOT NULL,"
    " Href TEXT,"
    " ETag TEXT,"
    " Agreed TEXT,"
    " Mirror INTEGER NOT NULL DEFAULT 0)",
    "CREATE INDEX IF NOT EXISTS sync_item_href ON sync_item (Href)",
    "CREATE TABLE IF NOT EXISTS sync_journal ("
    " Seq INTEGER PRIMARY KEY AUTOINCREMENT,"
    " ItemId INTEGER NOT NULL UNIQUE,"
    " Change TEXT NOT NULL)",
    "CREATE TABLE IF NOT EXISTS sync_collection (Url TEXT PRIMARY KEY, SyncToken TEXT)",
    // Records that were there before the bookkeeping: each gets its item,
    // and is new to any server.
    "INSERT INTO sync_item (RecordId, Uid) SELECT rowid, " MORVANE_NEW_UID
    " FROM Schedule WHERE rowid NOT IN (SELECT RecordId FROM sync_item WHERE RecordId IS NOT NULL)",
    "INSERT OR IGNORE INTO sync_journal (ItemId, Change) SELECT ItemId, 'add' FROM sync_item"
    " WHERE RecordId IS NOT NULL AND Href IS NULL",
    // The triggers name no field, so fields added to Schedule later need
    // nothing here. A record id given again after its record was deleted
    // starts a new item: the old one keeps the deletion to send.
    "CREATE TRIGGER IF NOT EXISTS sync_schedule_added AFTER INSERT ON Schedule BEGIN"
    " UPDATE sync_item SET RecordId = NULL WHERE RecordId = new.rowid;"
    " INSERT INTO sync_item (RecordId, Uid) VALUES (new.rowid, " MORVANE_NEW_UID ");"
    " INSERT OR REPLACE INTO sync_journal (ItemId, Change)"
    "  SELECT ItemId, 'add' FROM sync_item WHERE RecordId = new.rowid;"
    " END",
    "CREATE TRIGGER IF NOT EXISTS sync_schedule_changed AFTER UPDATE ON Schedule BEGIN"
    " UPDATE sync_item SET RecordId = new.rowid WHERE RecordId = old.rowid AND new.rowid <> old.rowid;"
    " INSERT OR REPLACE INTO sync_journal (ItemId, Change)"
    "  SELECT ItemId, CASE WHEN Href IS NULL THEN 'add' ELSE 'change' END"
    "  FROM sync_item WHERE RecordId = new.rowid;"
    " END",
    "CREATE TRIGGER IF NOT EXISTS sync_schedule_removed AFTER DELETE ON Schedule BEGIN"
    " INSERT OR REPLACE INTO sync_journal (ItemId, Change)"
    "  SELECT ItemId, 'delete' FROM sync_item WHERE RecordId = old.rowid;"
    " UPDATE sync_item SET RecordId = NULL WHERE RecordId = old.rowid;"
    " END",
};

#undef MORVANE_NEW_UID

constexpr int kTriggerCount = 3;

bool Complete(const Database& database)
{
    const auto rows = database.QuerySql(QStringLiteral(
        "SELECT count(*) FROM sqlite_master WHERE type = 'trigger' AND name IN "
        "('sync_schedule_added', 'sync_schedule_changed', 'sync_schedule_removed')"));
    return !rows.empty() && rows.front().front().toInt() == kTriggerCount;
}

} // namespace

void EnsureSyncBookkeeping(Database& database)
{
    if (Complete(database))
        return;
    // All of it or nothing: a file is never left with tables but no
    // triggers.
    const bool ownBatch = !database.InTransaction();
    if (ownBatch)
        database.BeginTrans();
    try {
        for (const char* statement : kStatements)
            database.ExecuteSql(QString::fromUtf8(statement));
        if (ownBatch)
            database.CommitTrans();
    } catch (const EngineError&) {
        if (ownBatch && database.InTransaction())
            database.Rollback();
        throw;
    }
}

bool IsMirrorRecord(const Database& database, qint64 recordId)
{
    if (recordId == 0 || !Complete(database))
        return false;
    const auto rows = database.QuerySql(
        QStringLiteral("SELECT Mirror FROM sync_item WHERE RecordId = ?"), {Value(recordId)});
    return !rows.empty() && rows.front().front().toInt() != 0;
}

} // namespace morvane
