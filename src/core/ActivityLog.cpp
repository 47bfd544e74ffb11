#include "core/ActivityLog.h"

#include "core/AnsiText.h"

#include <QDir>
#include <QFile>

namespace morvane {

QString LogFilePath(const QString& folder)
{
    return QDir(folder).filePath(QStringLiteral("Morva.log"));
}

QString LogTimestamp(const QDateTime& moment)
{
    return moment.toString(QStringLiteral("yyyy/MM/dd HH:mm.ss"));
}

QByteArray LogLineBytes(QStringView timestamp, QStringView event)
{
    QString line;
    line.reserve(timestamp.size() + event.size() + 5);
    line += u'"';
    line += timestamp;
    line += QStringLiteral("\",\"");
    line += event;
    line += u'"';
    QByteArray bytes = ToAnsi(line);
    bytes.append("\r\n");
    return bytes;
}

bool AppendLogLine(const QString& folder, QStringView event, const Clock& clock)
{
    const QByteArray line = LogLineBytes(LogTimestamp(clock.now()), event);
    QFile file(LogFilePath(folder));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const bool written = file.write(line) == line.size();
    file.close();
    return written && file.error() == QFileDevice::NoError;
}

} // namespace morvane
