#pragma once

// What the interchange tests compare: the days the program shows each
// schedule on (the month grid's own day check over a data file), and the
// days libical's recurrence iterator gives for an event.

#include "data/engine/DatabaseEngine.h"
#include "data/records/DaySchedules.h"
#include "data/records/ScheduleDatabase.h"

#include <QDateTime>
#include <QDir>
#include <QTemporaryDir>
#include <map>
#include <memory>
#include <set>

extern "C" {
#include <libical/ical.h>
}

namespace morvane::test {

using DaySet = std::set<QDate>;

// A new data file in a folder of dir.
inline std::unique_ptr<ScheduleDatabase> NewScheduleFile(const QTemporaryDir& dir,
                                                         const QString& name)
{
    const QString folder = dir.filePath(name);
    QDir().mkpath(folder);
    std::unique_ptr<Database> database = CreateScheduleDatabase(DataFilePath(folder));
    CreateMemoTable(*database);
    return std::make_unique<ScheduleDatabase>(std::move(database));
}

// The days from first to last on which each record (by identity) shows.
inline std::map<qint64, DaySet> ShownDays(Recordset& schedules, const QDate& first,
                                          const QDate& last)
{
    std::map<qint64, DaySet> shown;
    for (QDate day = first; day <= last; day = day.addDays(1)) {
        for (const int position : FindSchedulesOn(schedules, day))
            shown[schedules.RecordIdAt(position)].insert(day);
    }
    return shown;
}

inline QDate FrameDay(const icaltimetype& t)
{
    return QDate(t.year, t.month, t.day);
}

// The day in Japan time (the tests' TZ) an occurrence starts on; a date or
// a floating time as written.
inline QDate LocalDay(const icaltimetype& t)
{
    if (t.is_date || (!t.zone && !icaltime_is_utc(t)))
        return FrameDay(t);
    const icaltimezone* zone = t.zone ? t.zone : icaltimezone_get_utc_timezone();
    return QDateTime::fromSecsSinceEpoch(icaltime_as_timet_with_zone(t, zone)).toLocalTime().date();
}

inline bool SameOccurrence(const icaltimetype& a, const icaltimetype& b)
{
    if (a.is_date || b.is_date)
        return FrameDay(a) == FrameDay(b);
    const auto seconds = [](const icaltimetype& t) {
        return t.zone ? icaltime_as_timet_with_zone(t, t.zone) : icaltime_as_timet(t);
    };
    return seconds(a) == seconds(b);
}

// The local days from first to last that the event's occurrences cover, as
// libical's recurrence iterator walks its RRULE from DTSTART; EXDATEs and
// the occurrences in `without` left out. dayCount: the days one covers.
inline DaySet OccurrenceDays(icalcomponent* event, const QDate& first, const QDate& last,
                             const std::vector<icaltimetype>& without = {}, int dayCount = 1)
{
    const icaltimetype start = icalcomponent_get_dtstart(event);
    std::vector<icaltimetype> excluded = without;
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_EXDATE_PROPERTY))
        excluded.push_back(icalproperty_get_datetime_with_component(p, event));
    DaySet days;
    const auto take = [&](const icaltimetype& t) {
        for (const icaltimetype& x : excluded) {
            if (SameOccurrence(t, x))
                return;
        }
        const QDate day = LocalDay(t);
        for (int i = 0; i < dayCount; ++i) {
            if (day.addDays(i) >= first && day.addDays(i) <= last)
                days.insert(day.addDays(i));
        }
    };
    icalproperty* rule = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY);
    if (!rule) {
        take(start);
        return days;
    }
    icalrecur_iterator* it = icalrecur_iterator_new(icalproperty_get_rrule(rule), start);
    for (icaltimetype t = icalrecur_iterator_next(it); !icaltime_is_null_time(t);
         t = icalrecur_iterator_next(it)) {
        t.zone = start.zone;
        if (FrameDay(t) > last.addDays(2))
            break;
        take(t);
    }
    icalrecur_iterator_free(it);
    return days;
}

// The days of one set missing from the other, for a message.
inline QString DayDifference(const DaySet& shown, const DaySet& expected)
{
    QStringList only, missing;
    for (const QDate& d : shown) {
        if (!expected.count(d))
            only << d.toString(Qt::ISODate);
    }
    for (const QDate& d : expected) {
        if (!shown.count(d))
            missing << d.toString(Qt::ISODate);
    }
    return QStringLiteral("shown but no occurrence: %1; occurrence not shown: %2")
        .arg(only.mid(0, 5).join(u' '), missing.mid(0, 5).join(u' '));
}

} // namespace morvane::test
