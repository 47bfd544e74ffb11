#include "data/records/LegacyImport.h"

#include "core/AnsiText.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/LegacyCalIni.h"
#include "data/records/ScheduleFields.h"
#include "data/records/SchedulePattern.h"

#include <QFile>

namespace morvane {

namespace {

void SetText(Recordset& rs, const QString& field, const QString& text)
{
    try {
        rs.SetValue(field, text);
    } catch (const EngineError& error) {
        if (error.code() != EngineErrorCode::FieldTooSmall)
            throw;
        rs.SetValue(field, FitAnsiCapacity(text, rs.Size(field)));
    }
}

void AppendEntry(Recordset& rs, const LegacyEntry& entry, const std::optional<int>& color,
                 const LegacyDateFields& date)
{
    namespace f = schedule_fields;
    rs.AddNew();
    try {
        rs.SetValue(f::Color, NullableInt(color));
        SetText(rs, f::Message, entry.message);
        SetText(rs, f::Alarm, entry.alarm);
        rs.SetValue(f::Type, NullableInt(date.type));
        rs.SetValue(f::Year, NullableInt(date.year));
        rs.SetValue(f::Month, NullableInt(date.month));
        rs.SetValue(f::Day, NullableInt(date.day));
        rs.SetValue(f::Week, NullableInt(date.week));
        rs.SetValue(f::DayOfTheWeek, NullableInt(date.dayOfTheWeek));
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
