#include "alarms/AlarmRules.h"

#include "calendar_math/WeekFunctions.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/DayFilter.h"
#include "data/records/ScheduleFields.h"

namespace morvane {

namespace {

std::optional<QString> OptionalText(const Value& value)
{
    if (value.isNull())
        return std::nullopt;
    return value.toString();
}

bool Is(const std::optional<int>& field, int value)
{
    return field && *field == value;
}

bool IsNoWeekRule(const std::optional<int>& week)
{
    return !week || *week == -1;
}

} // namespace

AlarmFieldIndexes::AlarmFieldIndexes(const Recordset& rs)
    : type(rs.FieldIndex(schedule_fields::Type)), year(rs.FieldIndex(schedule_fields::Year)),
      month(rs.FieldIndex(schedule_fields::Month)), day(rs.FieldIndex(schedule_fields::Day)),
      week(rs.FieldIndex(schedule_fields::Week)),
      dayOfTheWeek(rs.FieldIndex(schedule_fields::DayOfTheWeek)),
      alarm(rs.FieldIndex(schedule_fields::Alarm)),
      alarmFlag(rs.FieldIndex(schedule_fields::AlarmFlag))
{}

AlarmRecord ReadAlarmRecord(const Recordset& schedules)
{
    return ReadAlarmRecord(schedules, AlarmFieldIndexes(schedules));
}

AlarmRecord ReadAlarmRecord(const Recordset& rs, const AlarmFieldIndexes& fields)
{
    AlarmRecord record;
    record.pattern.type = OptionalInt(rs.GetValue(fields.type));
    record.pattern.year = OptionalInt(rs.GetValue(fields.year));
    record.pattern.month = OptionalInt(rs.GetValue(fields.month));
    record.pattern.day = OptionalInt(rs.GetValue(fields.day));
    record.pattern.week = OptionalInt(rs.GetValue(fields.week));
    record.pattern.dayOfTheWeek = OptionalInt(rs.GetValue(fields.dayOfTheWeek));
    record.alarm = OptionalText(rs.GetValue(fields.alarm));
    record.alarmFlag = OptionalText(rs.GetValue(fields.alarmFlag));
    return record;
}

bool HasAlarmTime(const AlarmRecord& record)
{
    return record.alarm && !record.alarm->trimmed().isEmpty();
}

bool IsDatedOneOff(const SchedulePattern& p)
{
    return p.year && *p.year != 0 && p.month && *p.month != 0 && p.day && IsNoWeekRule(p.week);
}

bool DatePassed(const SchedulePattern& p, QDate today)
{
    const int y = today.year();
    const int m = today.month();
    const int d = today.day();
    if (!p.year)
        return false;
    if (*p.year != 0 && *p.year < y)
        return p.month && *p.month != 0 && p.day.has_value();
    if (*p.year == y && Is(p.month, m))
        return IsNoWeekRule(p.week) && p.day && *p.day < d;
    if (*p.year == y)
        return p.month && *p.month != 0 && *p.month < m;
    return false;
}

bool MissedDayAllowed(const SchedulePattern& p, const ScheduleBounds& bounds, QDate today)
{
    if (bounds.isEmpty())
        return true;
    if (IsDatedOneOff(p)) {
        const QDate date(*p.year, *p.month, *p.day);
        if (date.isValid())
            return bounds.Allows(date);
    }
    return !bounds.first.isValid() || bounds.first < today;
}

QString TodayAlarmCriterion(QDate today)
{
    return QStringLiteral("([Year] = ") + StrNumber(today.year()) +
           QStringLiteral(" Or [Year] = 0) and ([Month] = ") + StrNumber(today.month()) +
           QStringLiteral(" Or [Month] = 0) and ([Day] = ") + StrNumber(today.day()) +
           QStringLiteral(" Or ([DayOfTheWeek] = ") + StrNumber(WeekdayNumber(today)) +
           QStringLiteral(" and ([Week] = 0 Or [Week] = ") + StrNumber(GetWeekOfMonth(today)) +
           QStringLiteral(")))");
}

std::optional<QTime> AlarmTime(const QString& alarm)
{
    // "h:mm", "hh:mm" or "hh:mm:ss", blanks around the whole allowed.
    const QStringView text = QStringView(alarm).trimmed();
    int parts[3] = {0, 0, 0};
    int count = 0;
    int digits = 0;
    for (const QChar c : text) {
        if (c == u':') {
            if (digits == 0 || ++count > 2)
                return std::nullopt;
            digits = 0;
        } else if (c >= u'0' && c <= u'9' && digits < 2) {
            parts[count] = parts[count] * 10 + (c.unicode() - u'0');
            ++digits;
        } else {
            return std::nullopt;
        }
    }
    if (count == 0 || digits == 0)
        return std::nullopt;
    const QTime time(parts[0], parts[1], parts[2]);
    if (!time.isValid())
        return std::nullopt;
    return time;
}

QString AlarmTimeText(const QString& alarm)
{
    if (const std::optional<QTime> time = AlarmTime(alarm))
        return time->toString(QStringLiteral("HH:mm"));
    return alarm.trimmed();
}

AlarmMoment::AlarmMoment(const QDateTime& now)
    : today(now.date()), weekday(WeekdayNumber(today)), weekOfMonth(GetWeekOfMonth(today)),
      hhmm(now.time().toString(QStringLiteral("HH:mm")))
{}

bool IsAlarmDue(const AlarmRecord& record, const QDateTime& now)
{
    return IsAlarmDue(record, AlarmMoment(now));
}

bool IsAlarmDue(const AlarmRecord& record, const AlarmMoment& now)
{
    if (!HasAlarmTime(record))
        return false;
    const SchedulePattern& p = record.pattern;
    const int y = now.today.year();
    const int m = now.today.month();
    const int d = now.today.day();
    if (!p.year || !p.month)
        return false;
    if ((*p.year == 0 || *p.year == y) && (*p.month == 0 || *p.month == m)) {
        const bool weekdayRule =
            (Is(p.week, 0) || Is(p.week, now.weekOfMonth)) && Is(p.dayOfTheWeek, now.weekday);
        if (Is(p.day, d) || weekdayRule) {
            // Texts compare like clock times once both are "hh:mm".
            return AlarmTimeText(*record.alarm) <= now.hhmm;
        }
        return p.day && *p.day < d;
    }
    if (*p.year != 0 && *p.year < y)
        return *p.month != 0 && p.day.has_value();
    if (*p.year == y)
        return *p.month < m;
    return false;
}

QString DayText(QDate date)
{
    return QStringLiteral("%1/%2/%3").arg(date.year()).arg(date.month()).arg(date.day());
}

bool OneOffDateBefore(const SchedulePattern& pattern, QDate today)
{
    if (!IsDatedOneOff(pattern))
        return false;
    const QDate date(*pattern.year, *pattern.month, *pattern.day);
    return date.isValid() && date < today;
}

} // namespace morvane
