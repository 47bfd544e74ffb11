#include "interchange/ScheduleEntry.h"

#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleFields.h"
#include "data/records/SchedulePattern.h"

#include <QHashFunctions>

namespace morvane {

namespace f = schedule_fields;

namespace {

QString Text(const Recordset& schedules, const QString& field)
{
    const Value value = schedules.GetValue(field);
    return value.isNull() ? QString() : value.toString();
}

std::size_t IdentityHash(const ScheduleEntry& e)
{
    return qHashMulti(0, e.type, e.year, e.month, e.day, e.week, e.dayOfTheWeek, e.message,
                      e.startTime, e.endTime, e.bounds.first, e.bounds.last, e.bounds.skipped.size());
}

} // namespace

int DistinctSchedules::find(const ScheduleEntry& entry) const
{
    const auto [from, to] = m_index.equal_range(IdentityHash(entry));
    for (auto it = from; it != to; ++it) {
        if (m_entries[std::size_t(it->second)].sameSchedule(entry))
            return it->second;
    }
    return -1;
}

int DistinctSchedules::add(const ScheduleEntry& entry)
{
    if (const int at = find(entry); at >= 0)
        return at;
    const int at = int(m_entries.size());
    m_entries.push_back(entry);
    m_index.emplace(IdentityHash(entry), at);
    return at;
}

std::vector<ScheduleEntry> DistinctSchedules::takeEntries()
{
    m_index.clear();
    return std::move(m_entries);
}

ScheduleEntry ReadScheduleEntry(const Recordset& schedules)
{
    ScheduleEntry e;
    const SchedulePattern p = ReadSchedulePattern(schedules);
    e.type = p.type.value_or(0);
    e.year = p.year.value_or(0);
    e.month = p.month.value_or(0);
    e.day = p.day.value_or(-1);
    e.week = p.week.value_or(-1);
    e.dayOfTheWeek = p.dayOfTheWeek.value_or(-1);
    if (e.type == 10) {
        // The computed holiday uses none of them, whatever they hold.
        e.day = e.week = e.dayOfTheWeek = -1;
        e.year = 0;
    }
    e.birthYear = OptionalInt(schedules.GetValue(f::BirthYear));
    e.birthPerson = Text(schedules, f::BirthPerson);
    e.startTime = Text(schedules, f::StartTime).trimmed();
    e.endTime = Text(schedules, f::EndTime).trimmed();
    e.alarm = Text(schedules, f::Alarm).trimmed();
    e.color = OptionalInt(schedules.GetValue(f::Color)).value_or(0);
    e.mark = OptionalInt(schedules.GetValue(f::Mark));
    e.message = Text(schedules, f::Message);
    e.bounds = ReadScheduleBounds(schedules);
    return e;
}

void WriteScheduleEntry(Recordset& schedules, const ScheduleEntry& e)
{
    schedules.SetValue(f::Type, Value(e.type));
    schedules.SetValue(f::Year, Value(e.year));
    schedules.SetValue(f::Month, Value(e.month));
    if (e.type == 10) {
        schedules.SetValue(f::Day, Value::Null());
        schedules.SetValue(f::Week, Value::Null());
        schedules.SetValue(f::DayOfTheWeek, Value::Null());
    } else {
        schedules.SetValue(f::Day, Value(e.day));
        schedules.SetValue(f::Week, Value(e.week));
        schedules.SetValue(f::DayOfTheWeek, Value(e.dayOfTheWeek));
    }
    schedules.SetValue(f::BirthYear, NullableInt(e.birthYear));
    schedules.SetValue(f::BirthPerson, Value(e.birthPerson));
    schedules.SetValue(f::StartTime, Value(e.startTime));
    schedules.SetValue(f::EndTime, Value(e.endTime));
    schedules.SetValue(f::Alarm, Value(e.alarm));
    schedules.SetValue(f::Color, Value(e.color));
    schedules.SetValue(f::Mark, NullableInt(e.mark));
    schedules.SetValue(f::Message, Value(e.message));
    schedules.SetValue(f::AlarmFlag, Value::Null());
    WriteScheduleBounds(schedules, e.bounds);
}

} // namespace morvane
