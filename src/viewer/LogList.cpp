#include "viewer/LogList.h"

#include "core/AnsiText.h"

#include <QFile>

namespace morvane {

namespace {

// Reads one field of line from pos; pos ends after the field's comma (or at
// the line's end).
QString ReadField(QStringView line, qsizetype& pos)
{
    while (pos < line.size() && line[pos] == QLatin1Char(' '))
        ++pos;
    QString field;
    if (pos < line.size() && line[pos] == QLatin1Char('"')) {
        const qsizetype close = line.indexOf(QLatin1Char('"'), pos + 1);
        const qsizetype end = close < 0 ? line.size() : close;
        field = line.mid(pos + 1, end - pos - 1).toString();
        pos = close < 0 ? line.size() : close + 1;
        const qsizetype comma = line.indexOf(QLatin1Char(','), pos);
        pos = comma < 0 ? line.size() : comma + 1;
        return field;
    }
    const qsizetype comma = line.indexOf(QLatin1Char(','), pos);
    const qsizetype end = comma < 0 ? line.size() : comma;
    field = line.mid(pos, end - pos).trimmed().toString();
    pos = comma < 0 ? line.size() : comma + 1;
    return field;
}

} // namespace

std::vector<LogEntry> ParseLogText(const QString& text)
{
    std::vector<LogEntry> entries;
    for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        qsizetype pos = 0;
        LogEntry entry;
        entry.when = ReadField(line, pos);
        entry.event = ReadField(line, pos);
        entries.push_back(std::move(entry));
    }
    return entries;
}

LogReadResult ReadLogFile(const QString& path)
{
    LogReadResult result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return result;
    result.read = true;
    result.entries = ParseLogText(FromAnsi(bytes));
    return result;
}

QString LogTooManyRowsText(int rows, const QString& logPath)
{
    return QStringLiteral("ログ出力の件数が多すぎます。(") + QString::number(rows) +
           QStringLiteral("件)\r\n") + logPath +
           QStringLiteral("\r\n\r\nログ一覧の項目を削除し1000件以下に減らすか、"
                          "ログファイルを直接削除してください。");
}

ListModel BuildLogList(const std::vector<LogEntry>& entries)
{
    ListModel model;
    model.caption = QStringLiteral("Morvane [Viewer] - ログ");
    model.statusTitle = QStringLiteral("ログ");
    model.columns = {{QStringLiteral("日時"), 2000, {}}, {QStringLiteral("イベント"), 1000, {}}};
    model.rows.reserve(entries.size());
    for (const LogEntry& entry : entries) {
        ListRow row;
        row.cells = {ListCell{entry.when, {}, false}, ListCell{entry.event, {}, false}};
        model.rows.push_back(std::move(row));
    }
    model.count = int(model.rows.size());
    model.statusCount = CountText(model.count);
    return model;
}

} // namespace morvane
