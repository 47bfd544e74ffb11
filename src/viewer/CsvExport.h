#pragma once

#include "data/records/ScheduleBounds.h"
#include "data/records/SchedulePattern.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

namespace morvane {

class Recordset;

// One line of the export (without its line end): the rule in words and the
// text, each in double quotes. Weekday rules and computed-date holidays are
// joined with " , ", dated records with " ,". A quote inside the text is
// doubled (RFC 4180): a lone one would end the field early and split the
// row in a spreadsheet. Line breaks stay inside the quoted field. The
// rule's bounds follow its label ("…（2026年6月3日から）").
QString CsvLine(const SchedulePattern& pattern, const QString& message,
                const ScheduleBounds& bounds = ScheduleBounds());

// The characters of a text that do not come back from code page 932 as
// themselves: emoji and 𠮷 become "?", the wave dash another dash.
struct UnheldCharacters
{
    int count = 0;
    QStringList examples; // the first few different ones, in order
};
inline constexpr int kNamedCharacters = 5;
UnheldCharacters FindUnheldCharacters(const QString& text);

// The whole file as text: one line per record with a numeric Type, in
// recordset order, CR LF after every line, no header. Records without a
// numeric Type are removed from the table on the way (*repaired counts
// them).
struct CsvFile
{
    QString text;
    UnheldCharacters unheld;

    QByteArray ansiBytes() const; // code page 932, the usual form
    QByteArray utf8Bytes() const; // UTF-8 after a byte-order mark, which spreadsheets read
};
CsvFile BuildCsv(Recordset& schedules, int* repaired = nullptr);

// BuildCsv's file in code page 932.
QByteArray BuildCsvBytes(Recordset& schedules, int* repaired = nullptr);

// What the user is told after a file in code page 932 lost characters,
// asking whether to save the same rows as UTF-8 instead.
QString CsvUnheldQuestion(const UnheldCharacters& unheld);

// Writes bytes to path through a file beside it that replaces path only
// when everything was written, so a failure never leaves a half-written
// file. False with *error naming the file and the reason.
bool WriteExportFile(const QString& path, const QByteArray& bytes, QString* error);

// The same with the contents handed over piece by piece: `produce` calls
// its argument with each piece and gives up with false when that answers
// false (the write failed).
using ExportProducer = std::function<bool(const std::function<bool(const QByteArray&)>& write)>;
bool WriteExportFile(const QString& path, const ExportProducer& produce, QString* error);

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
