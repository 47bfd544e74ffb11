#include "viewer/ViewerDeletion.h"

#include "core/ActivityLog.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/OneOffDate.h"
#include "viewer/ViewerRecords.h"

#include <QSaveFile>
#include <algorithm>

namespace morvane {

std::vector<qint64> SelectedRecordIds(const std::vector<const ListRow*>& rows)
{
    std::vector<qint64> ids;
    for (const ListRow* row : rows) {
        if (!row || row->key.isEmpty() || row->recordId == 0)
            continue;
        if (std::find(ids.begin(), ids.end(), row->recordId) == ids.end())
            ids.push_back(row->recordId);
    }
    return ids;
}

StoredRecord ReadStoredRecord(const Recordset& recordset)
{
    StoredRecord record;
    const int count = recordset.FieldCount();
    record.fields.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i)
        record.fields.emplace_back(recordset.Fields(i).name, recordset.GetValue(i));
    return record;
}

void RestoreRecords(Recordset& recordset, const std::vector<StoredRecord>& records)
{
    for (const StoredRecord& record : records) {
        recordset.AddNew();
        try {
            for (const auto& [name, value] : record.fields)
                recordset.SetValue(name, value);
            recordset.Update();
        } catch (...) {
            recordset.CancelUpdate();
            throw;
        }
    }
}

void InOneBatch(Database& database, const std::function<void()>& changes)
{
    database.BeginTrans();
    try {
        changes();
        database.CommitTrans();
    } catch (...) {
        if (database.InTransaction()) {
            try {
                database.Rollback();
            } catch (...) {
                // The first failure is the one to report.
            }
        }
        throw;
    }
}

int DeleteRecordsById(Recordset& schedules, const std::vector<qint64>& ids,
                      std::vector<StoredRecord>* removed)
{
    std::vector<int> positions;
    for (qint64 id : ids) {
        const int position = schedules.PositionOfRecordId(id);
        if (position >= 0)
            positions.push_back(position);
    }
    std::sort(positions.begin(), positions.end(), std::greater<>());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    std::vector<StoredRecord> fields;
    for (int position : positions) {
        schedules.SetAbsolutePosition(position);
        if (removed)
            fields.push_back(ReadStoredRecord(schedules));
        schedules.Delete();
    }
    if (removed)
        removed->assign(fields.rbegin(), fields.rend());
    return int(positions.size());
}

bool IsPastSchedule(const SchedulePattern& pattern, QDate today, const ScheduleBounds& bounds)
{
    std::optional<QDate> last = OneOffDate(pattern);
    if (bounds.last.isValid())
        last = last ? std::min(*last, bounds.last) : bounds.last;
    return last && *last < today;
}

int DeletePastSchedules(Recordset& schedules, QDate today, std::vector<StoredRecord>* removed)
{
    const ScheduleBoundsReader bounds(schedules);
    const std::vector<qint64> ids = RecordIdsWhere(schedules, [&](const SchedulePattern& p) {
        return IsPastSchedule(p, today, bounds.read(schedules));
    });
    return DeleteRecordsById(schedules, ids, removed);
}

bool RewriteLogFile(const QString& path, const std::vector<LogEntry>& entries, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    for (const LogEntry& entry : entries) {
        const QByteArray line = LogLineBytes(entry.when, entry.event);
        if (file.write(line) != line.size())
            break;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

namespace delete_text {

QString BulkQuestion(int count)
{
    return QStringLiteral("選択された") + QString::number(count) +
           QStringLiteral("件の予定を一括削除します。\r\n削除してもよろしいですか");
}

QString PastQuestion()
{
    return QStringLiteral("昨日までの予定を一括削除します。\r\n削除してもよろしいですか？\r\n\r\n"
                          "(毎年,毎月,毎週指定の予定は対象外)");
}

QString PastDone(int count)
{
    return QString::number(count) + QStringLiteral("件の予定を削除しました");
}

} // namespace delete_text

} // namespace morvane
