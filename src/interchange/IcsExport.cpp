#include "interchange/IcsExport.h"

#include "calendar_math/WeekFunctions.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/SchedulePattern.h"
#include "interchange/IcsCommon.h"

#include <QTime>
#include <cstring>

namespace morvane {

namespace {

// Recurring schedules start in a leap year well before any user's data, so
// 29 February and every weekday exist from the first year on.
constexpr int kRuleStartYear = 2000;

constexpr std::array<const char*, 8> kDayCodes{"", "SU", "MO", "TU", "WE", "TH", "FR", "SA"};

icaltimetype DateValue(const QDate& date)
{
    icaltimetype t = icaltime_null_date();
    t.year = date.year();
    t.month = date.month();
    t.day = date.day();
    return t;
}

icaltimetype FloatingValue(const QDate& date, const QTime& time)
{
    icaltimetype t = icaltime_null_time();
    t.year = date.year();
    t.month = date.month();
    t.day = date.day();
    t.hour = time.hour();
    t.minute = time.minute();
    return t;
}

QTime ParseTime(const QString& text)
{
    return QTime::fromString(text.trimmed(), QStringLiteral("hh:mm"));
}

void AddX(icalcomponent* event, const char* name, const QString& value)
{
    icalproperty* p = icalproperty_new_x(value.toUtf8().constData());
    icalproperty_set_x_name(p, name);
    icalcomponent_add_property(event, p);
}

// The first date on or after `from` with the given weekday (1 = Sunday).
QDate NextWeekday(QDate from, int weekday)
{
    while (WeekdayNumber(from) != weekday)
        from = from.addDays(1);
    return from;
}

// The first date of `year` (or of the rule start) on which the rule falls,
// with the RRULE text; nothing when the rule cannot be written.
struct Recurrence
{
    QDate first;
    QString rule; // empty: a single date
    QDate last;   // the rule's last day (its UNTIL), or invalid
};

std::optional<Recurrence> UnboundedRecurrenceOf(const ScheduleEntry& e)
{
    const int startYear = e.year != 0 ? e.year : kRuleStartYear;
    // The end of the year or the last day, as a date or, for a timed event,
    // as the last second of that date (the rule's end takes the start's
    // form).
    QDate last = e.year != 0 ? QDate(e.year, 12, 31) : QDate();
    if (e.bounds.last.isValid() && (!last.isValid() || e.bounds.last < last))
        last = e.bounds.last;
    const QString lastText = last.toString(QStringLiteral("yyyyMMdd"));
    const QString until = !last.isValid()                    ? QString()
                          : ParseTime(e.startTime).isValid() ? QStringLiteral(";UNTIL=%1T235959").arg(lastText)
                                                             : QStringLiteral(";UNTIL=%1").arg(lastText);
    if (!e.isWeekdayRule()) {
        if (e.day < 1 || e.day > 31)
            return std::nullopt;
        if (e.year != 0 && e.month != 0) {
            const QDate date(e.year, e.month, e.day);
            if (!date.isValid())
                return std::nullopt;
            return Recurrence{date, {}, {}};
        }
        if (e.month != 0) { // every year on m/d
            int year =
                e.type == 2 || e.type == 3 ? e.birthYear.value_or(kRuleStartYear) : kRuleStartYear;
            QDate first(year, e.month, e.day);
            if (!first.isValid())
                first = QDate(kRuleStartYear, e.month, e.day);
            if (!first.isValid())
                return std::nullopt;
            return Recurrence{
                first,
                QStringLiteral("FREQ=YEARLY;BYMONTH=%1;BYMONTHDAY=%2").arg(e.month).arg(e.day) + until,
                last};
        }
        // Every month on day d: January has every day number.
        return Recurrence{QDate(startYear, 1, e.day),
                          QStringLiteral("FREQ=MONTHLY;BYMONTHDAY=%1").arg(e.day) + until, last};
    }
    const QString dayCode = QString::fromLatin1(kDayCodes[std::size_t(e.dayOfTheWeek)]);
    const QString byMonth = e.month != 0 ? QStringLiteral(";BYMONTH=%1").arg(e.month) : QString();
    const QDate from(startYear, e.month != 0 ? e.month : 1, 1);
    if (e.week == 0) {
        return Recurrence{NextWeekday(from, e.dayOfTheWeek),
                          QStringLiteral("FREQ=WEEKLY;BYDAY=") + dayCode + byMonth + until, last};
    }
    if (e.week < 1 || e.week > 5)
        return std::nullopt;
    // The n-th weekday: the first month from `from` that has one. A fifth
    // weekday of one month comes within the 28 years the weekdays repeat in.
    const int lastYear = e.year != 0 ? e.year : startYear + 28;
    for (QDate month = from; month.year() <= lastYear; month = month.addMonths(1)) {
        if (e.month != 0 && month.month() != e.month)
            continue;
        const QDate date = NextWeekday(month, e.dayOfTheWeek).addDays(7 * (e.week - 1));
        if (date.month() == month.month()) {
            return Recurrence{date,
                              QStringLiteral("FREQ=MONTHLY;BYDAY=%1").arg(e.week) + dayCode +
                                  byMonth + until,
                              last};
        }
    }
    return std::nullopt;
}

// The first day on or after `from` on which the rule falls, as libical
// walks it; invalid when there is none up to its last day.
QDate FirstRuleDate(const Recurrence& r, const QDate& from)
{
    const auto inRange = [&r](const QDate& date) { return !r.last.isValid() || date <= r.last; };
    if (r.rule.isEmpty() || r.first >= from)
        return r.first >= from && inRange(r.first) ? r.first : QDate();
    icalrecur_iterator* it = icalrecur_iterator_new(
        icalrecurrencetype_from_string(r.rule.toLatin1().constData()), DateValue(r.first));
    // Started at `from`: walking there from the rule's first date would take
    // a step for every week since 2000.
    if (it)
        icalrecur_iterator_set_start(it, DateValue(from));
    QDate found;
    for (icaltimetype t = it ? icalrecur_iterator_next(it) : icaltime_null_time();
         !icaltime_is_null_time(t); t = icalrecur_iterator_next(it)) {
        const QDate date(t.year, t.month, t.day);
        if (!inRange(date))
            break;
        if (date >= from) {
            found = date;
            break;
        }
    }
    if (it)
        icalrecur_iterator_free(it);
    return found;
}

// The schedule's event: its rule from the first day its bounds allow.
// Nothing when the rule cannot be written or falls on no day.
std::optional<Recurrence> RecurrenceOf(const ScheduleEntry& e)
{
    std::optional<Recurrence> r = UnboundedRecurrenceOf(e);
    if (!r)
        return std::nullopt;
    if (r->rule.isEmpty())
        return e.bounds.Allows(r->first) ? r : std::nullopt;
    const QDate from = e.bounds.first.isValid() ? std::max(r->first, e.bounds.first) : r->first;
    r->first = FirstRuleDate(*r, from);
    if (!r->first.isValid())
        return std::nullopt;
    return r;
}

// Start and end of the event on `date`, from the record's times.
void AddTimes(icalcomponent* event, const ScheduleEntry& e, const QDate& date)
{
    const QTime start = ParseTime(e.startTime);
    const QTime end = ParseTime(e.endTime);
    if (!start.isValid()) {
        icalcomponent_set_dtstart(event, DateValue(date));
        return;
    }
    icalcomponent_set_dtstart(event, FloatingValue(date, start));
    // An end before the start is on the next day (22:00 to 01:00).
    if (end.isValid())
        icalcomponent_set_dtend(event, FloatingValue(end >= start ? date : date.addDays(1), end));
}

// The alarm rings at its time of day, counted from the start of the event.
void AddAlarm(icalcomponent* event, const ScheduleEntry& e, const QString& summary)
{
    const QTime alarm = ParseTime(e.alarm);
    if (!alarm.isValid())
        return;
    const QTime start = ParseTime(e.startTime);
    const int offset = (start.isValid() ? start : QTime(0, 0)).secsTo(alarm);
    icalcomponent* valarm = icalcomponent_new_valarm();
    icalcomponent_add_property(valarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icaltriggertype trigger{};
    trigger.time = icaltime_null_time();
    trigger.duration = icaldurationtype_from_int(offset);
    icalcomponent_add_property(valarm, icalproperty_new_trigger(trigger));
    icalcomponent_add_property(valarm, icalproperty_new_description(summary.toUtf8().constData()));
    icalcomponent_add_component(event, valarm);
}

ics::Component NewEvent(const ExportRecord& record, const QString& uid, const QDate& date,
                        const QString& rule, const IcsExportOptions& options)
{
    const ScheduleEntry& e = record.entry;
    ics::Component event(icalcomponent_new_vevent());
    icalcomponent* ev = event.get();
    icalcomponent_set_uid(ev, uid.toUtf8().constData());
    icalcomponent_set_dtstamp(ev, icaltime_from_timet_with_zone(options.stamp.toSecsSinceEpoch(), 0,
                                                                icaltimezone_get_utc_timezone()));
    AddTimes(ev, e, date);
    if (!rule.isEmpty()) {
        const icalrecurrencetype recurrence =
            icalrecurrencetype_from_string(rule.toLatin1().constData());
        icalcomponent_add_property(ev, icalproperty_new_rrule(recurrence));
        // Each skipped day the rule would fall on, at the start's time.
        const QTime start = ParseTime(e.startTime);
        for (const QDate& day : e.bounds.skipped) {
            if (day < date || (e.bounds.last.isValid() && day > e.bounds.last))
                continue;
            icalcomponent_add_property(ev, icalproperty_new_exdate(start.isValid()
                                                                       ? FloatingValue(day, start)
                                                                       : DateValue(day)));
        }
    }
    QString message = e.message;
    message.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QString summary = message.section(u'\n', 0, 0);
    icalcomponent_set_summary(ev, summary.toUtf8().constData());
    if (message != summary)
        icalcomponent_set_description(ev, message.toUtf8().constData());
    const QString category = ics::CategoryName(e.type);
    if (!category.isEmpty())
        icalcomponent_add_property(ev, icalproperty_new_categories(category.toUtf8().constData()));
    const QString color = ics::ColorName(e.color);
    if (!color.isEmpty())
        icalcomponent_add_property(ev, icalproperty_new_color(color.toLatin1().constData()));
    AddX(ev, ics::kTypeProperty, QString::number(e.type));
    if (e.mark)
        AddX(ev, ics::kMarkProperty, QString::number(*e.mark));
    if (e.birthYear && (e.type == 2 || e.type == 3))
        AddX(ev, ics::kBirthYearProperty, QString::number(*e.birthYear));
    if (!e.birthPerson.isEmpty())
        AddX(ev, ics::kBirthPersonProperty, e.birthPerson);
    AddAlarm(ev, e, summary);
    return event;
}

QString Uid(qint64 id)
{
    return QStringLiteral("morvane-schedule-%1@quillstone.example").arg(id);
}

} // namespace

QDate IcsFirstDate(const ScheduleEntry& entry)
{
    const std::optional<Recurrence> r = RecurrenceOf(entry);
    return r ? r->first : QDate();
}

std::vector<ExportRecord> ReadExportRecords(Recordset& schedules)
{
    std::vector<ExportRecord> records;
    if (schedules.RecordCount() == 0)
        return records;
    records.reserve(std::size_t(schedules.RecordCount()));
    for (schedules.MoveFirst(); !schedules.IsEOF(); schedules.MoveNext()) {
        if (!ReadSchedulePattern(schedules).type)
            continue;
        records.push_back({schedules.RecordId(), ReadScheduleEntry(schedules)});
    }
    return records;
}

bool WriteIcs(const std::vector<ExportRecord>& records, const IcsExportOptions& options,
              const IcsSink& write, int* skipped)
{
    // The calendar's own lines, then each event written and freed in turn:
    // a file of many schedules is never held whole.
    ics::Component calendar(icalcomponent_new_vcalendar());
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(),
                               icalproperty_new_prodid("-//Quillstone//Morvane//JA"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_calscale("GREGORIAN"));
    char* head = icalcomponent_as_ical_string_r(calendar.get());
    QByteArray opening(head);
    free(head);
    const QByteArray closing = "END:VCALENDAR\r\n";
    if (opening.endsWith(closing))
        opening.chop(closing.size());
    if (!write(opening))
        return false;
    const auto writeEvent = [&write](ics::Component event) {
        char* text = icalcomponent_as_ical_string_r(event.get());
        const bool written = write(QByteArray::fromRawData(text, qsizetype(strlen(text))));
        free(text);
        return written;
    };
    int left = 0;
    for (const ExportRecord& record : records) {
        const ScheduleEntry& e = record.entry;
        if (e.type == 10) {
            // Each year's computed date under one UID per year; the import
            // gathers them back into one record.
            if (e.month != 3 && e.month != 9) {
                ++left;
                continue;
            }
            const int year = options.today.year();
            for (int y = year - options.equinoxYearsBefore; y <= year + options.equinoxYearsAfter;
                 ++y) {
                const QDate date(y, e.month, GetEquinoxDay(y, e.month));
                if (!e.bounds.Allows(date))
                    continue;
                if (!writeEvent(NewEvent(record,
                                         Uid(record.id).replace(u'@', QStringLiteral("-%1@").arg(y)),
                                         date, {}, options)))
                    return false;
            }
            continue;
        }
        const std::optional<Recurrence> recurrence = RecurrenceOf(e);
        if (!recurrence) {
            ++left;
            continue;
        }
        if (!writeEvent(NewEvent(record, Uid(record.id), recurrence->first, recurrence->rule, options)))
            return false;
    }
    if (skipped)
        *skipped = left;
    return write(closing);
}

QByteArray BuildIcs(const std::vector<ExportRecord>& records, const IcsExportOptions& options,
                    int* skipped)
{
    QByteArray bytes;
    WriteIcs(
        records, options,
        [&bytes](const QByteArray& piece) {
            bytes += piece;
            return true;
        },
        skipped);
    return bytes;
}

} // namespace morvane
