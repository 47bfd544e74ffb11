#include "viewer/CsvExport.h"

#include "core/AnsiText.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/RuleLabel.h"
#include "data/records/ScheduleCodes.h"
#include "data/records/ScheduleFields.h"
#include "viewer/ViewerRecords.h"

#include <QDir>
#include <QSaveFile>

namespace morvane {

QString CsvLine(const SchedulePattern& p, const QString& message)
{
    const bool weekdayRule = p.week && *p.week >= 0 && *p.week <= 5;
    const bool spaced = weekdayRule || p.type == int(ScheduleKind::EquinoxHoliday);
    const QChar q = QLatin1Char('"');
    return q + RuleLabel(p) + q + (spaced ? QStringLiteral(" , ") : QStringLiteral(" ,")) + q +
           message + q;
}

QByteArray BuildCsvBytes(Recordset& schedules, int* repaired)
{
    const int removed =
        DeleteRecordsWhere(schedules, [](const SchedulePattern& p) { return !p.type.has_value(); });
    if (repaired)
        *repaired = removed;
    QString text;
    for (const ViewerRecord& record : ReadViewerRecords(schedules))
        text += CsvLine(record.pattern, record.message) + QStringLiteral("\r\n");
    return ToAnsi(text);
}

bool WriteExportFile(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    const auto fail = [&](const QString& reason) {
        file.cancelWriting();
        if (error) {
            *error = QStringLiteral("ファイル「") + QDir::toNativeSeparators(path) +
                     QStringLiteral("」に書き込めませんでした。\r\n") + reason;
        }
        return false;
    };
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (file.write(bytes) != bytes.size())
        return fail(file.errorString());
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

} // namespace morvane
