#pragma once

#include "data/records/ScheduleBounds.h"
#include "data/records/SchedulePattern.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>

namespace morvane {

// The alarm fields of one schedule record as stored.
struct AlarmRecord
{
    SchedulePattern pattern;
    // Alarm as stored: "hh:mm", "9:30", " " (an acknowledged one-off) or
    // nothing (Null).
    std::optional<QString> alarm;
    // AlarmFlag: the date the alarm was acknowledged on; nothing while armed.
    std::optional<QString> alarmFlag;
};

class Recordset;

// Where the alarm fields stand in a Schedule recordset; looked up once for
// a run over many records.
struct AlarmFieldIndexes
{
    explicit AlarmFieldIndexes(const Recordset& schedules);
    int type, year, month, day, week, dayOfTheWeek, alarm, alarmFlag;
};

// The alarm fields of the current record of a Schedule recordset.
AlarmRecord ReadAlarmRecord(const Recordset& schedules);
AlarmRecord ReadAlarmRecord(const Recordset& schedules, const AlarmFieldIndexes& fields);

// A record with an alarm time worth checking: Trim(Alarm) is not empty.
bool HasAlarmTime(const AlarmRecord& record);

// A dated one-off: Year, Month and Day set (Year and Month not 0) and no
// weekday rule (Week -1 or Null).
bool IsDatedOneOff(const SchedulePattern& pattern);

// Whether a record's own date lies before today, as the scan decides which
// missed one-off alarms to list: a fixed month of an earlier year, an
// earlier day of this month (day rules only), or an earlier month of this
// year. Recurring rules never pass.
bool DatePassed(const SchedulePattern& pattern, QDate today);

// Whether a missed alarm of a record DatePassed lists belongs to a day the
// record's bounds allow: a dated one-off's own day, otherwise a rule that
// had begun by today (its day of that earlier month is not known).
bool MissedDayAllowed(const SchedulePattern& pattern, const ScheduleBounds& bounds, QDate today);

// The criterion that finds today's candidates, numbers spliced as the
// filters have always spelt them (one leading blank). For Tuesday
// 8 December 2026:
//   ([Year] =  2026 Or [Year] = 0) and ([Month] =  12 Or [Month] = 0) and
//   ([Day] =  8 Or ([DayOfTheWeek] =  3 and ([Week] = 0 Or [Week] =  2)))
// (one line).
QString TodayAlarmCriterion(QDate today);

// The stored alarm as "hh:mm" ("9:30" gives "09:30"); a text that is not a
// time comes back trimmed but otherwise as it is, so it never compares as
// due against a clock time.
QString AlarmTimeText(const QString& alarm);
// The hour and minute of a stored alarm; nothing when it is not a time.
std::optional<QTime> AlarmTime(const QString& alarm);

// The clock as the due test compares it, worked out once per tick.
struct AlarmMoment
{
    explicit AlarmMoment(const QDateTime& now);
    QDate today;
    int weekday;     // 1 = Sunday
    int weekOfMonth; // 1 to 5
    QString hhmm;    // "09:30"
};

// Whether the alarm of a listed record is due at `now`. Today's rule: when
// its "hh:mm" has come. An earlier day of this month, an earlier month of
// this year or a fixed date of an earlier year: at once (missed alarms, and
// a weekday rule's entry of yesterday after midnight).
bool IsAlarmDue(const AlarmRecord& record, const QDateTime& now);
bool IsAlarmDue(const AlarmRecord& record, const AlarmMoment& now);

// Day text of a date: "2026/3/5", no leading zeros.
QString DayText(QDate date);

// Whether the record's date lies before today; false for anything that is
// not a dated one-off with a real date.
bool OneOffDateBefore(const SchedulePattern& pattern, QDate today);

} // namespace morvane
