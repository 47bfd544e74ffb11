#pragma once

#include "data/records/ScheduleBounds.h"
#include "data/records/SchedulePattern.h"

#include <QByteArray>
#include <QString>

namespace morvane {

class Recordset;

// One line of the export (without its line end): the rule in words and the
// text, each in double quotes. Weekday rules and computed-date holidays are
// joined with " , ", dated records with " ,"; the text goes out as it
// stands, quotes and line breaks included, because the files already
// written that way are read back by the users' spreadsheets.
// The rule's bounds follow its label ("…（2026年6月3日から）").
QString CsvLine(const SchedulePattern& pattern, const QString& message,
                const ScheduleBounds& bounds = ScheduleBounds());

// The whole file: one line per record with a numeric Type, in recordset
// order, code page 932, CR LF after every line, no header. Records without
// a numeric Type are removed from the table on the way (*repaired counts
// them).
QByteArray BuildCsvBytes(Recordset& schedules, int* repaired = nullptr);

// Writes bytes to path through a file beside it that replaces path only
// when everything was written, so a failure never leaves a half-written
// file. False with *error naming the file and the reason.
bool WriteExportFile(const QString& path, const QByteArray& bytes, QString* error);

// The texts of the command.
namespace csv_text {
inline const QString EmptyMessage = QStringLiteral("予定がありません。");
inline const QString EmptyTitle = QStringLiteral("エクスポート");
inline const QString DialogTitle = QStringLiteral("エクスポートするファイル");
inline const QString FileName = QStringLiteral("morv.csv");
inline const QString Filter =
    QStringLiteral("CSVファイル(csv)|*.csv|テキストファイル(*.txt)|*.txt|その他(*.*)|*.*");
inline const QString DefaultExtension = QStringLiteral("csv");
inline const QString ErrorTitle = QStringLiteral("ファイル名選択");
} // namespace csv_text

} // namespace morvane
