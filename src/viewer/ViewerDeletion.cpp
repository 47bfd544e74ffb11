#include "viewer/ViewerDeletion.h"

#include "core/ActivityLog.h"
#include "data/engine/DatabaseEngine.h"

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

int DeleteRecordsById(Recordset& schedules, const std::vector<qint64>& ids)
{
    std::vector<int> positions;
    for (qint64 id : ids) {
        const int position = schedules.PositionOfRecordId(id);
        if (position >= 0)
            positions.push_back(position);
    }
    std::sort(positions.begin(), positions.end(), std::greater<>());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    for (int position : positions) {
        schedules.SetAbsolutePosition(position);
        schedules.Delete();
    }
    return int(positions.size());
}

QString PastScheduleFilter(QDate today)
{
    const QString y = QString::number(today.year());
    const QString m = QString::number(today.month());
    const QString d = QString::number(today.day());
    return QStringLiteral("([Year] <> 0 And [Month] <> 0 And [Day] <> 0 And [Week] <> 0) And ") +
           QStringLiteral("([Year] < ") + y + QStringLiteral(" Or ([Year] = ") + y +
           QStringLiteral(" And [Month] < ") + m + QStringLiteral(")") +
           QStringLiteral(" Or (([Year] = ") + y + QStringLiteral(") And ([Month] = ") + m +
           QStringLiteral(")") + QStringLiteral(" And [Day] < ") + d + QStringLiteral(")") +
           QStringLiteral(")");
}

int DeletePastSchedules(Recordset& schedules, QDate today)
{
    const QString filter = PastScheduleFilter(today);
    int count = 0;
    for (schedules.FindFirst(filter); !schedules.NoMatch(); schedules.FindNext(filter)) {
        schedules.Delete();
        ++count;
    }
    return count;
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
