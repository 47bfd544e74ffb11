#include "data/records/LegacyImport.h"

#include "core/AnsiText.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/LegacyCalIni.h"
#include "data/records/ScheduleFields.h"

#include <QFile>

namespace morvane {

namespace {

Value ValueOf(const std::optional<int>& number)
{
    return number ? Value(*number) : Value::Null();
}

// The longest start of text that fits in capacity bytes of code page 932.
QString FitToCapacity(const QString& text, int capacity)
{
    QString fitted;
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString piece = text.mid(i, length);
        bytes += AnsiByteLength(piece);
        if (bytes > capacity)
            break;
        fitted += piece;
        i += length;
    }
    return fitted;
}

void SetText(Recordset& rs, const QString& field, const QString& text)
{
    try {
        rs.SetValue(field, text);
    } catch (const EngineError& error) {
        if (error.code() != EngineErrorCode::FieldTooSmall)
            throw;
        rs.SetValue(field, FitToCapacity(text, rs.Size(field)));
    }
}

void AppendEntry(Recordset& rs, const LegacyEntry& entry, const std::optional<int>& color,
                 const LegacyDateFields& date)
{
    namespace f = schedule_fields;
    rs.AddNew();
    try {
        rs.SetValue(f::Color, ValueOf(color));
        SetText(rs, f::Message, entry.message);
        SetText(rs, f::Alarm, entry.alarm);
        rs.SetValue(f::Type, ValueOf(date.type));
        rs.SetValue(f::Year, ValueOf(date.year));
        rs.SetValue(f::Month, ValueOf(date.month));
        rs.SetValue(f::Day, ValueOf(date.day));
        rs.SetValue(f::Week, ValueOf(date.week));
        rs.SetValue(f::DayOfTheWeek, ValueOf(date.dayOfTheWeek));
        rs.Update();
    } catch (...) {
        rs.CancelUpdate();
        throw;
    }
}

} // namespace

LegacyImportResult ImportLegacyFile(const QString& path, Recordset& schedules,
                                    const MessageSink& sink)
{
    LegacyImportResult result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return result;
    result.readable = true;

    QStringList leftOut;
    for (const LegacyEntry& entry : ParseLegacyEntries(FromAnsi(bytes))) {
        const std::optional<int> color = LegacyColorCode(entry.color);
        const LegacyDateFields date = ConvertLegacyDateCode(entry.code, color);
        if (date.fifthWeekOrLater) {
            leftOut.append(entry.message);
            continue;
        }
        AppendEntry(schedules, entry, color, date);
        ++result.imported;
    }
    result.skipped = int(leftOut.size());
    // One warning for all of them: a file with thousands would otherwise
    // ask for thousands of clicks.
    if (!leftOut.isEmpty() && sink)
        sink({FifthWeekWarningText(leftOut), MessageIcon::Exclamation, AppTitle});
    return result;
}

} // namespace morvane
