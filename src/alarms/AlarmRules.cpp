#include "alarms/AlarmRules.h"

#include "calendar_math/WeekFunctions.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/DayFilter.h"
#include "data/records/ScheduleFields.h"

#include <QStringList>

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

AlarmRecord ReadAlarmRecord(const Recordset& schedules)
{
    AlarmRecord record;
    record.pattern = ReadSchedulePattern(schedules);
    record.alarm = OptionalText(schedules.GetValue(schedule_fields::Alarm));
    record.alarmFlag = OptionalText(schedules.GetValue(schedule_fields::AlarmFlag));
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
    const QStringList parts = alarm.trimmed().split(QLatin1Char(':'));
    if (parts.size() < 2 || parts.size() > 3)
        return std::nullopt;
    int values[3] = {0, 0, 0};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        bool ok = false;
        const QString part = parts[i].trimmed();
        values[i] = part.toInt(&ok);
        if (!ok || part.isEmpty() || part.size() > 2)
            return std::nullopt;
    }
    const QTime time(values[0], values[1], values[2]);
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

bool IsAlarmDue(const AlarmRecord& record, const QDateTime& now)
{
    if (!HasAlarmTime(record))
        return false;
    const SchedulePattern& p = record.pattern;
    const QDate today = now.date();
    const int y = today.year();
    const int m = today.month();
    const int d = today.day();
    if (!p.year || !p.month)
        return false;
    if ((*p.year == 0 || *p.year == y) && (*p.month == 0 || *p.month == m)) {
        const bool weekdayRule = (Is(p.week, 0) || Is(p.week, GetWeekOfMonth(today))) &&
                                 Is(p.dayOfTheWeek, WeekdayNumber(today));
        if (Is(p.day, d) || weekdayRule) {
            // Texts compare like clock times once both are "hh:mm".
            return AlarmTimeText(*record.alarm) <= now.time().toString(QStringLiteral("HH:mm"));
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
