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
#include <QHash>
#include <QSaveFile>
#include <cerrno>

namespace morvane {

QString CsvLine(const SchedulePattern& p, const QString& message, const ScheduleBounds& bounds)
{
    const bool weekdayRule = p.week && *p.week >= 0 && *p.week <= 5;
    const bool spaced = weekdayRule || p.type == int(ScheduleKind::EquinoxHoliday);
    const QChar q = QLatin1Char('"');
    QString text = message;
    text.replace(q, QStringLiteral("\"\""));
    return q + RuleLabel(p, bounds) + q + (spaced ? QStringLiteral(" , ") : QStringLiteral(" ,")) +
           q + text + q;
}

UnheldCharacters FindUnheldCharacters(const QString& text)
{
    UnheldCharacters unheld;
    // A character is held when it comes back from code page 932 as itself;
    // each different one is converted once.
    QHash<char32_t, bool> known;
    for (const char32_t c : text.toUcs4()) {
        if (c < 0x80)
            continue;
        auto found = known.find(c);
        if (found == known.end()) {
            const QString one = QString::fromUcs4(&c, 1);
            found = known.insert(c, FromAnsi(ToAnsi(one)) == one);
            if (!found.value() && unheld.examples.size() < kNamedCharacters)
                unheld.examples << one;
        }
        if (!found.value())
            ++unheld.count;
    }
    return unheld;
}

QByteArray CsvFile::ansiBytes() const
{
    return ToAnsi(text);
}

QByteArray CsvFile::utf8Bytes() const
{
    return "\xEF\xBB\xBF" + text.toUtf8();
}

CsvFile BuildCsv(Recordset& schedules, int* repaired)
{
    const int removed =
        DeleteRecordsWhere(schedules, [](const SchedulePattern& p) { return !p.type.has_value(); });
    if (repaired)
        *repaired = removed;
    CsvFile file;
    for (const ViewerRecord& record : ReadViewerRecords(schedules))
        file.text += CsvLine(record.pattern, record.message, record.bounds) + QStringLiteral("\r\n");
    file.unheld = FindUnheldCharacters(file.text);
    return file;
}

QByteArray BuildCsvBytes(Recordset& schedules, int* repaired)
{
    return BuildCsv(schedules, repaired).ansiBytes();
}

QString CsvUnheldQuestion(const UnheldCharacters& unheld)
{
    return QStringLiteral("Shift_JIS（コードページ932）で表せない文字が %1 文字あり、"
                          "「?」などに置き換えて書き出しました（%2）。\r\n\r\n"
                          "同じ内容を UTF-8（BOM付き）で保存し直しますか？"
                          "表計算ソフトはその形式も読み込めます。")
        .arg(unheld.count)
        .arg(QStringLiteral("「") + unheld.examples.join(QStringLiteral("」「")) +
             QStringLiteral("」"));
}

bool WriteExportFile(const QString& path, const ExportProducer& produce, QString* error)
{
    qint64 wanted = 0; // the bytes handed over so far, for the reason of a failure
    const auto fail = [&](const QFileDevice& file, int errorNumber) {
        if (error) {
            *error = QStringLiteral("ファイル「") + QDir::toNativeSeparators(path) +
                     QStringLiteral("」に書き込めませんでした。\r\n") +
                     FileWriteReason(path, wanted, errorNumber, file.error(), file.errorString());
        }
        return false;
    };
    // Each piece in turn; the error number of the first that fails.
    const auto writeAll = [&](QFileDevice& file, int* errorNumber) {
        return produce([&](const QByteArray& piece) {
            wanted += piece.size();
            errno = 0;
            if (file.write(piece) == piece.size())
                return true;
            *errorNumber = errno;
            return false;
        });
    };
    int errorNumber = 0;
    const QFileInfo target(path);
    if (target.exists() && !target.isFile() && !target.isDir()) {
        // A device or a pipe cannot be replaced: it is written as it is.
        QFile device(path);
        errno = 0;
        if (!device.open(QIODevice::WriteOnly))
            return fail(device, errno);
        if (!writeAll(device, &errorNumber))
            return fail(device, errorNumber);
        errno = 0;
        if (!device.flush())
            return fail(device, errno);
        return true;
    }
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return fail(file, errno);
    if (!writeAll(file, &errorNumber))
        return fail(file, errorNumber); // the half-written file beside it is removed
    errno = 0;
    if (!file.commit())
        return fail(file, errno);
    return true;
}

bool WriteExportFile(const QString& path, const QByteArray& bytes, QString* error)
{
    return WriteExportFile(
        path, [&bytes](const std::function<bool(const QByteArray&)>& write) { return write(bytes); },
        error);
}

} // namespace morvane
