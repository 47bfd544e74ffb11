#include "data/records/ScheduleBounds.h"

#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleFields.h"

#include <algorithm>

namespace morvane {

namespace {

constexpr auto kDayFormat = Qt::ISODate;

// The field's position, or -1 when the table lacks it or no record uses
// it: most files bound no rule at all, and a month of ten thousand records
// should not pay for reading three empty fields of each.
int FieldIndexOrNone(const Recordset& schedules, const QString& name)
{
    for (int i = 0; i < schedules.FieldCount(); ++i) {
        if (schedules.Fields(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return schedules.FieldMayHoldValues(i) ? i : -1;
    }
    return -1;
}

QDate DateAt(const Recordset& schedules, int field)
{
    if (field < 0)
        return {};
    const Value value = schedules.GetValue(field);
    return value.isNull() ? QDate() : ParseBoundDate(value.toString());
}

Value StoredDate(const QDate& date)
{
    return date.isValid() ? Value(BoundDateText(date)) : Value::Null();
}

} // namespace

bool ScheduleBounds::Allows(const QDate& date) const
{
    if (first.isValid() && date < first)
        return false;
    if (last.isValid() && date > last)
        return false;
    return skipped.empty() || !std::binary_search(skipped.begin(), skipped.end(), date);
}

bool ScheduleBounds::Skip(const QDate& date)
{
    if (!date.isValid())
        return false;
    const auto at = std::lower_bound(skipped.begin(), skipped.end(), date);
    if (at != skipped.end() && *at == date)
        return false;
    skipped.insert(at, date);
    return true;
}

QString BoundDateText(const QDate& date)
{
    return date.isValid() ? date.toString(kDayFormat) : QString();
}

QDate ParseBoundDate(const QString& text)
{
    // Only the full form "yyyy-MM-dd": "2026-6-3", "2026/06/03" or a date
    // with a time is not what the fields hold.
    const QString trimmed = text.trimmed();
    if (trimmed.size() != 10)
        return {};
    for (int i = 0; i < 10; ++i) {
        const bool dash = i == 4 || i == 7;
        if (dash ? trimmed[i] != QLatin1Char('-') : !trimmed[i].isDigit())
            return {};
    }
    return QDate::fromString(trimmed, kDayFormat);
}

QString SkippedDatesText(const std::vector<QDate>& dates)
{
    std::vector<QDate> ordered;
    for (const QDate& date : dates) {
        if (date.isValid())
            ordered.push_back(date);
    }
    std::sort(ordered.begin(), ordered.end());
    ordered.erase(std::unique(ordered.begin(), ordered.end()), ordered.end());
    QStringList texts;
    for (const QDate& date : ordered)
        texts.append(BoundDateText(date));
    return texts.join(QLatin1Char(' '));
}

std::vector<QDate> ParseSkippedDates(const QString& text)
{
    std::vector<QDate> dates;
    for (const QStringView piece : QStringView(text).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QDate date = ParseBoundDate(piece.toString());
        if (date.isValid())
            dates.push_back(date);
    }
    std::sort(dates.begin(), dates.end());
    dates.erase(std::unique(dates.begin(), dates.end()), dates.end());
    return dates;
}

ScheduleBoundsReader::ScheduleBoundsReader(const Recordset& schedules)
    : m_first(FieldIndexOrNone(schedules, schedule_fields::FirstDate)),
      m_last(FieldIndexOrNone(schedules, schedule_fields::LastDate)),
      m_skipped(FieldIndexOrNone(schedules, schedule_fields::SkippedDates))
{}

ScheduleBounds ScheduleBoundsReader::read(const Recordset& schedules) const
{
    ScheduleBounds bounds;
    bounds.first = DateAt(schedules, m_first);
    bounds.last = DateAt(schedules, m_last);
    if (m_skipped >= 0) {
        const Value skipped = schedules.GetValue(m_skipped);
        if (!skipped.isNull())
            bounds.skipped = ParseSkippedDates(skipped.toString());
    }
    return bounds;
}

bool ScheduleBoundsReader::allows(const Recordset& schedules, const QDate& date) const
{
    return read(schedules).Allows(date);
}

ScheduleBounds ReadScheduleBounds(const Recordset& schedules)
{
    return ScheduleBoundsReader(schedules).read(schedules);
}

void WriteScheduleBounds(Recordset& schedules, const ScheduleBounds& bounds)
{
    namespace f = schedule_fields;
    schedules.SetValue(f::FirstDate, StoredDate(bounds.first));
    schedules.SetValue(f::LastDate, StoredDate(bounds.last));
    const QString skipped = SkippedDatesText(bounds.skipped);
    schedules.SetValue(f::SkippedDates, skipped.isEmpty() ? Value::Null() : Value(skipped));
}

} // namespace morvane
