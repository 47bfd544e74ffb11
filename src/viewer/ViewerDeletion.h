#pragma once

#include "viewer/ListModel.h"
#include "viewer/LogList.h"

#include <QDate>
#include <QString>
#include <vector>

namespace morvane {

class Recordset;

// The records that selected rows stand for, once each (a recurring schedule
// fills several rows of the month list), in the rows' order. Rows without a
// key stand for no record.
std::vector<qint64> SelectedRecordIds(const std::vector<const ListRow*>& rows);

// Deletes the records with these ids, from the highest position down so
// that no deletion moves a record still to be deleted. Every record is
// found by its id, so a neighbour that moved into a freed position is never
// deleted in its place. Ids no record has any more are skipped. Returns how
// many records were deleted.
int DeleteRecordsById(Recordset& schedules, const std::vector<qint64>& ids);

// The records before `today` that have a concrete year, month and day (yearly,
// monthly and weekly schedules are never among them).
QString PastScheduleFilter(QDate today);
// Deletes them; returns how many.
int DeletePastSchedules(Recordset& schedules, QDate today);

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
