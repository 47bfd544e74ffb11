#pragma once

#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleBounds.h"
#include "data/records/SchedulePattern.h"
#include "viewer/ListModel.h"
#include "viewer/LogList.h"

#include <QDate>
#include <QString>
#include <functional>
#include <utility>
#include <vector>

namespace morvane {

class Database;
class Recordset;

// The fields of one record as stored, by name, so that a deleted record can
// be put back whole (its alarm state and every field the lists do not show).
struct StoredRecord
{
    std::vector<std::pair<QString, Value>> fields;
};

// The current record's fields.
StoredRecord ReadStoredRecord(const Recordset& recordset);

// Appends the records again, in their order, each with every field it had.
// They take new positions at the end of the table.
void RestoreRecords(Recordset& recordset, const std::vector<StoredRecord>& records);

// What the last deletion of the viewer removed, for its undo command.
struct DeletedRecords
{
    bool memos = false; // from the Memo table; otherwise schedules
    std::vector<StoredRecord> records;
};

// Runs `changes` as one batch of the data file: all of them reach the file,
// or, when the file refuses one, none; the engine's error is raised again
// after the batch was given up.
void InOneBatch(Database& database, const std::function<void()>& changes);

// The records that selected rows stand for, once each (a recurring schedule
// fills several rows of the month list), in the rows' order. Rows without a
// key stand for no record.
std::vector<qint64> SelectedRecordIds(const std::vector<const ListRow*>& rows);

// Deletes the records with these ids, from the highest position down so
// that no deletion moves a record still to be deleted. Every record is
// found by its id, so a neighbour that moved into a freed position is never
// deleted in its place. Ids no record has any more are skipped. Returns how
// many records were deleted; `removed`, when given, receives their fields in
// table order.
int DeleteRecordsById(Recordset& schedules, const std::vector<qint64>& ids,
                      std::vector<StoredRecord>* removed = nullptr);

// A schedule whose last day lies before `today`: a one-off one, or one
// whose bounds end before today. Schedules that repeat without a last day
// (every year, month or week) never are.
bool IsPastSchedule(const SchedulePattern& pattern, QDate today,
                    const ScheduleBounds& bounds = ScheduleBounds());
// Deletes them; returns how many (their fields into `removed` when given).
int DeletePastSchedules(Recordset& schedules, QDate today,
                        std::vector<StoredRecord>* removed = nullptr);

// Replaces the log file with these entries, in this order, in the log's line
// format. The new file is written beside the old one and then takes its
// place, so a failure leaves the old log whole; false with error set then.
bool RewriteLogFile(const QString& path, const std::vector<LogEntry>& entries, QString* error);

// The messages and titles of the delete commands.
namespace delete_text {
inline const QString Title = QStringLiteral("予定の削除");
inline const QString NothingInRange = QStringLiteral("選択された範囲での予定がありません");
inline const QString NothingSelected = QStringLiteral("削除する予定が選択されていません。");
inline const QString BulkTitle = QStringLiteral("予定の一括削除");
QString BulkQuestion(int count);
inline const QString MemoTitle = QStringLiteral("メモの削除");
inline const QString NoMemo = QStringLiteral("削除するメモがありません。");
inline const QString PastTitle = QStringLiteral("過去の予定を削除");
QString PastQuestion();
QString PastDone(int count);
inline const QString PastNone = QStringLiteral("過去の予定が見つかりませんでした");
} // namespace delete_text

} // namespace morvane
