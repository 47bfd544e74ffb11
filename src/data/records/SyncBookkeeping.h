#pragma once

#include <QtGlobal>

namespace morvane {

class Database;

// What the data file keeps for syncing its schedules with a calendar
// server, beside the Schedule table:
//
// - sync_file: the file's own random identity (Key 'Identity'), part of
//   every UID the file hands out, so that two files never give the same
//   UID to different schedules.
// - sync_item: one row per life of a schedule record: RecordId (the
//   record's id; Null once the record is gone), its UID, and what the
//   server holds of it (Href, ETag) with the fields last agreed on
//   (Agreed). Mirror rows stand for dates of a server event a schedule
//   cannot hold; they are never sent.
// - sync_journal: the items changed here since they were last agreed on,
//   one row each (the latest Change: 'add', 'change' or 'delete'), in
//   order of Seq.
// - sync_collection: the calendar collection synced with (Url) and its
//   sync token.
//
// Triggers on Schedule write sync_item and sync_journal inside the very
// statement that changes a record, so every path that writes the table,
// this program's or any other's, is journaled in the same transaction:
// no change can be saved without its entry.
//
// Adds whatever of it a file lacks (a file of an older version), giving
// the records already there their items. Nothing is written when all is
// present. EngineError when the file refuses the change.
void EnsureSyncBookkeeping(Database& database);

// Whether the record with recordId stands for dates of a server event that
// a schedule cannot hold: it is refreshed from the server and never sent, so
// it is changed there, not here. False in a file without the bookkeeping.
bool IsMirrorRecord(const Database& database, qint64 recordId);

} // namespace morvane
