#include "viewer/CsvExport.h"

#include "core/AnsiText.h"
#include "core/FileErrorReason.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/RuleLabel.h"
#include "data/records/ScheduleCodes.h"
#include "data/records/ScheduleFields.h"
#include "viewer/ViewerRecords.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

namespace morvane {

QString CsvLine(const SchedulePattern& p, const QString& message, const ScheduleBounds& bounds)
{
    const bool weekdayRule = p.week && *p.week >= 0 && *p.week <= 5;
    const bool spaced = weekdayRule || p.type == int(ScheduleKind::EquinoxHoliday);
    const QChar q = QLatin1Char('"');
    return q + RuleLabel(p, bounds) + q + (spaced ? QStringLiteral(" , ") : QStringLiteral(" ,")) +
           q + message + q;
}

QByteArray BuildCsvBytes(Recordset& schedules, int* repaired)
{
    const int removed =
        DeleteRecordsWhere(schedules, [](const SchedulePattern& p) { return !p.type.has_value(); });
    if (repaired)
        *repaired = removed;
    QString text;
    for (const ViewerRecord& record : ReadViewerRecords(schedules))
        text += CsvLine(record.pattern, record.message, record.bounds) + QStringLiteral("\r\n");
    return ToAnsi(text);
}

bool WriteExportFile(const QString& path, const QByteArray& bytes, QString* error)
{
    const auto fail = [&](const QFileDevice& file, int errorNumber) {
        if (error) {
            *error = QStringLiteral("ファイル「") + QDir::toNativeSeparators(path) +
                     QStringLiteral("」に書き込めませんでした。\r\n") +
                     FileWriteReason(path, bytes.size(), errorNumber, file.error(),
                                     file.errorString());
        }
        return false;
    };
    const QFileInfo target(path);
    if (target.exists() && !target.isFile() && !target.isDir()) {
        // A device or a pipe cannot be replaced: it is written as it is.
        QFile device(path);
        errno = 0;
        if (!device.open(QIODevice::WriteOnly))
            return fail(device, errno);
        errno = 0;
        if (device.write(bytes) != bytes.size() || !device.flush())
            return fail(device, errno);
        return true;
    }
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return fail(file, errno);
    errno = 0;
    if (file.write(bytes) != bytes.size())
        return fail(file, errno); // the half-written file beside it is removed
    errno = 0;
    if (!file.commit())
        return fail(file, errno);
    return true;
}

} // namespace morvane
