#include "interchange/IcsImport.h"

#include "calendar_math/WeekFunctions.h"
#include "core/AnsiText.h"
#include "data/records/ScheduleCodes.h"
#include "data/records/ScheduleFields.h"
#include "interchange/IcsCommon.h"
#include "interchange/IcsExpansion.h"
#include "interchange/IcsExport.h"
#include "interchange/IcsLines.h"

#include <QDateTime>
#include <QHash>
#include <QScopeGuard>

namespace morvane {

namespace {

using ics::LocalMoment;
using ics::ToLocal;

QString TimeText(const QTime& time)
{
    return time.isValid() ? time.toString(QStringLiteral("hh:mm")) : QString();
}

template <std::size_t N> int ListLength(const short (&list)[N])
{
    int n = 0;
    while (n < int(N) && list[n] != ICAL_RECURRENCE_ARRAY_MAX)
        ++n;
    return n;
}

QString Utf8(const char* text)
{
    return text ? QString::fromUtf8(text) : QString();
}

// The fields every schedule of the event shares: kind, text, colour, mark,
// birth details, times and alarm.
struct EventDetails
{
    ScheduleEntry base;
    LocalMoment start;
    LocalMoment end;
    bool crossesDays = false; // the event ends on a later day
    int dayCount = 1;         // the days it covers
    bool cut = false;
    int alarmsLost = 0;
};

std::optional<int> OptionalNumber(const std::optional<QString>& text)
{
    if (!text)
        return std::nullopt;
    bool ok = false;
    const int value = text->trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

int KindOf(icalcomponent* ev)
{
    if (const std::optional<int> type = OptionalNumber(ics::XValue(ev, ics::kTypeProperty));
        type && IsKnownKind(*type))
        return *type;
    for (icalproperty* p = icalcomponent_get_first_property(ev, ICAL_CATEGORIES_PROPERTY); p;
         p = icalcomponent_get_next_property(ev, ICAL_CATEGORIES_PROPERTY)) {
        for (const QString& name : Utf8(icalproperty_get_categories(p)).split(u',')) {
            if (const std::optional<int> type = ics::TypeOfCategory(name))
                return *type;
        }
    }
    return int(ScheduleKind::Ordinary);
}

QString MessageOf(icalcomponent* ev)
{
    QString summary = Utf8(icalcomponent_get_summary(ev));
    QString description = Utf8(icalcomponent_get_description(ev));
    summary.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    description.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (description.isEmpty())
        return summary;
    if (summary.isEmpty() || description.section(u'\n', 0, 0) == summary)
        return description;
    return summary + u'\n' + description;
}

// The text cut to what the field holds in code page 932, at a character.
QString CutToCapacity(const QString& text, int capacity, bool* cut)
{
    if (AnsiByteLength(text) <= capacity)
        return text;
    *cut = true;
    return FitAnsiCapacity(text, capacity);
}

// The time of day one alarm rings at, when that is on the start's day; an
// alarm relative to the end is counted from the end.
std::optional<QTime> AlarmTime(icalcomponent* alarm, const LocalMoment& start,
                               const LocalMoment& end)
{
    icalproperty* p = icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
    if (!p)
        return std::nullopt;
    const icaltriggertype trigger = icalproperty_get_trigger(p);
    QDateTime when;
    if (!icaltime_is_null_time(trigger.time)) {
        const LocalMoment at = ToLocal(trigger.time);
        when = QDateTime(at.date, at.time.isValid() ? at.time : QTime(0, 0));
    } else {
        LocalMoment base = start;
        icalparameter* related = icalproperty_get_first_parameter(p, ICAL_RELATED_PARAMETER);
        if (related && icalparameter_get_related(related) == ICAL_RELATED_END) {
            // Without a stated end a timed event ends when it starts.
            if (end.date.isValid())
                base = end;
            else if (!start.time.isValid())
                base = {start.date.addDays(1), QTime()};
        }
        when = QDateTime(base.date, base.time.isValid() ? base.time : QTime(0, 0))
                   .addSecs(icaldurationtype_as_int(trigger.duration));
    }
    // A schedule's alarm rings on its own day only.
    if (when.date() != start.date)
        return std::nullopt;
    return when.time();
}

struct AlarmReading
{
    QString time;
    int lost = 0; // alarms, and repetitions of one, a schedule cannot hold
};

// The one alarm a schedule holds: the first that rings on the start's day.
AlarmReading AlarmOf(icalcomponent* ev, const LocalMoment& start, const LocalMoment& end)
{
    AlarmReading reading;
    for (icalcomponent* alarm = icalcomponent_get_first_component(ev, ICAL_VALARM_COMPONENT);
         alarm; alarm = icalcomponent_get_next_component(ev, ICAL_VALARM_COMPONENT)) {
        const std::optional<QTime> at = AlarmTime(alarm, start, end);
        if (!at || (!reading.time.isEmpty() && reading.time != TimeText(*at))) {
            ++reading.lost;
            continue;
        }
        reading.time = TimeText(*at);
        icalproperty* repeat = icalcomponent_get_first_property(alarm, ICAL_REPEAT_PROPERTY);
        if (repeat && icalproperty_get_repeat(repeat) > 0)
            ++reading.lost;
    }
    return reading;
}

EventDetails DetailsOf(icalcomponent* ev)
{
    EventDetails d;
    ScheduleEntry& e = d.base;
    e.type = KindOf(ev);
    d.start = ToLocal(icalcomponent_get_dtstart(ev));
    // libical makes up an end where the event has none; only a stated one
    // counts.
    if (icalcomponent_get_first_property(ev, ICAL_DTEND_PROPERTY) ||
        icalcomponent_get_first_property(ev, ICAL_DURATION_PROPERTY))
        d.end = ToLocal(icalcomponent_get_dtend(ev));
    if (d.start.time.isValid()) {
        e.startTime = TimeText(d.start.time);
        if (d.end.date.isValid()) {
            const bool sameDay = d.end.date == d.start.date && d.end.time >= d.start.time;
            // An end time before the start time is on the next day (22:00 to
            // 01:00, or to 24:00 written as 00:00), as the schedules hold it.
            const bool nextDay = d.end.date == d.start.date.addDays(1) && d.end.time < d.start.time;
            if (sameDay || nextDay)
                e.endTime = TimeText(d.end.time);
            else if (!(d.end.date == d.start.date.addDays(1) && d.end.time == QTime(0, 0)))
                d.crossesDays = true; // midnight to midnight is the whole day
        }
    } else if (d.end.date.isValid() && d.end.date > d.start.date.addDays(1)) {
        d.crossesDays = true;
    }
    if (d.crossesDays) {
        // A whole-day event ends at the start of its end date; a timed one
        // covers its end date too unless it ends at midnight.
        d.dayCount = int(d.start.date.daysTo(d.end.date));
        if (d.start.time.isValid() && d.end.time != QTime(0, 0))
            ++d.dayCount;
    }
    const AlarmReading alarm = AlarmOf(ev, d.start, d.end);
    e.alarm = alarm.time;
    d.alarmsLost = alarm.lost;
    if (icalproperty* color = icalcomponent_get_first_property(ev, ICAL_COLOR_PROPERTY))
        e.color = ics::ColorCode(Utf8(icalproperty_get_color(color)));
    e.mark = OptionalNumber(ics::XValue(ev, ics::kMarkProperty));
    e.birthYear = OptionalNumber(ics::XValue(ev, ics::kBirthYearProperty));
    e.birthPerson = CutToCapacity(ics::XValue(ev, ics::kBirthPersonProperty).value_or(QString()),
                                  text_capacity::Short, &d.cut);
    e.message = CutToCapacity(MessageOf(ev), text_capacity::Message, &d.cut);
    if (e.type != 2)
        e.birthPerson.clear();
    if (e.type != 2 && e.type != 3)
        e.birthYear.reset();
    return d;
}

// An n-th weekday (BYDAY=2TU) into e; false for a position our weeks do not
// have (none, negative, past the fifth).
bool TakeNthWeekday(short byDay, ScheduleEntry& e)
{
    const int position = icalrecurrencetype_day_position(byDay);
    if (position < 1 || position > 5)
        return false;
    e.week = position;
    e.dayOfTheWeek = int(icalrecurrencetype_day_day_of_week(byDay));
    e.day = -1;
    return true;
}

// The schedule rule of an RRULE, filled into e; false when our rules cannot
// hold it.
bool RuleFromRecurrence(const icalrecurrencetype& r, const LocalMoment& start, ScheduleEntry& e)
{
    if (r.interval > 1 || ListLength(r.by_second) || ListLength(r.by_minute) ||
        ListLength(r.by_hour) || ListLength(r.by_year_day) || ListLength(r.by_week_no) ||
        ListLength(r.by_set_pos))
        return false;
    int year = 0;
    // An end on the last day of the start's year: a rule of one year. Other
    // ends become the last day.
    if (!icaltime_is_null_time(r.until) && r.count == 0 &&
        ToLocal(r.until).date == QDate(start.date.year(), 12, 31))
        year = start.date.year();
    const int months = ListLength(r.by_month);
    const int monthDays = ListLength(r.by_month_day);
    const int days = ListLength(r.by_day);
    if (months > 1 || monthDays > 1 || days > 1 || (monthDays && days))
        return false;
    const int month = months ? r.by_month[0] : 0;
    if (month < 0 || month > 12)
        return false;
    e.year = year;
    switch (r.freq) {
    case ICAL_YEARLY_RECURRENCE:
    case ICAL_MONTHLY_RECURRENCE:
        if (r.freq == ICAL_YEARLY_RECURRENCE) {
            // A yearly n-th weekday needs its month named.
            if (days && !months)
                return false;
            e.month = month ? month : start.date.month();
        } else {
            e.month = month;
        }
        if (days)
            return TakeNthWeekday(r.by_day[0], e);
        e.day = monthDays ? r.by_month_day[0] : start.date.day();
        return e.day >= 1 && e.day <= 31;
    case ICAL_WEEKLY_RECURRENCE:
        if (monthDays || (days && icalrecurrencetype_day_position(r.by_day[0]) != 0))
            return false;
        e.month = month;
        e.week = 0;
        e.dayOfTheWeek =
            days ? int(icalrecurrencetype_day_day_of_week(r.by_day[0])) : WeekdayNumber(start.date);
        e.day = -1;
        return true;
    default:
        return false;
    }
}

bool HasProperty(icalcomponent* ev, icalproperty_kind kind)
{
    return icalcomponent_get_first_property(ev, kind) != nullptr;
}

QDate FrameDate(const icaltimetype& t)
{
    return QDate(t.year, t.month, t.day);
}

// How many days the local date of each occurrence lies after its date in
// the file's zone; nothing when that or the local time of day changes over
// the year (a zone with daylight time against ours).
std::optional<int> LocalDayShift(const icaltimetype& start)
{
    if (start.is_date || (!start.zone && !icaltime_is_utc(start)))
        return 0;
    std::optional<std::pair<qint64, QTime>> seen;
    for (int year = start.year; year <= start.year + 1; ++year) {
        for (int month = 1; month <= 12; ++month) {
            icaltimetype t = start;
            t.year = year;
            t.month = month;
            t.day = std::min(start.day, 28);
            const LocalMoment local = ToLocal(t);
            const std::pair<qint64, QTime> here{FrameDate(t).daysTo(local.date), local.time};
            if (seen && *seen != here)
                return std::nullopt;
            seen = here;
        }
    }
    return int(seen->first);
}

// A rule read in the file's zone moved by `shift` local days; false when
// the moved days are not a rule of ours (the 31st a day later, the n-th
// weekday, a rule limited to a year or a month of weekdays).
bool ShiftRule(ScheduleEntry& e, int shift)
{
    if (shift == 0)
        return true;
    if (e.year != 0)
        return false;
    if (e.isWeekdayRule()) {
        if (e.week != 0 || e.month != 0)
            return false;
        e.dayOfTheWeek = (e.dayOfTheWeek - 1 + shift + 7) % 7 + 1;
        return true;
    }
    if (e.month == 0) {
        // Every month: days every month has, before and after.
        const int day = e.day + shift;
        if (e.day < 1 || e.day > 28 || day < 1 || day > 28)
            return false;
        e.day = day;
        return true;
    }
    // Every year: the same moved date in leap and other years.
    const QDate leap = QDate(2000, e.month, e.day).addDays(shift);
    const QDate other = QDate(2001, e.month, e.day).addDays(shift);
    if (!leap.isValid() || !other.isValid() || leap.month() != other.month() ||
        leap.day() != other.day())
        return false;
    e.month = leap.month();
    e.day = leap.day();
    return true;
}

// The schedule the event is, when our rules can hold it. `moved` are
// occurrences other events of the file replace or cancel.
// Steps taken to find the last day of a rule with an end: more stand for a
// rule our schedules need not hold (every day for centuries).
constexpr int kMaxLastDaySteps = 100000;

// The rule's last local day, when it has an end: the day of UNTIL (the one
// before when its time of day comes before the occurrences'), or the day
// of the COUNT-th occurrence; invalid without an end. False when it cannot
// be found.
bool LastDayOf(const icalrecurrencetype& r, const icaltimetype& dtstart, const LocalMoment& start,
               QDate* last)
{
    *last = QDate();
    if (icaltime_is_null_time(r.until) && r.count == 0)
        return true;
    if (r.count == 0) {
        const LocalMoment until = ToLocal(r.until);
        *last = until.time.isValid() && start.time.isValid() && until.time < start.time
                    ? until.date.addDays(-1)
                    : until.date;
        return last->isValid();
    }
    icalrecur_iterator* it = icalrecur_iterator_new(r, dtstart);
    if (!it)
        return false;
    const auto release = qScopeGuard([it] { icalrecur_iterator_free(it); });
    icaltimetype previous = icaltime_null_time();
    for (int step = 0; step < kMaxLastDaySteps; ++step) {
        icaltimetype t = icalrecur_iterator_next(it);
        if (icaltime_is_null_time(t)) {
            if (!icaltime_is_null_time(previous))
                *last = ToLocal(previous).date;
            return last->isValid();
        }
        t.zone = dtstart.zone;
        previous = t;
    }
    return false;
}

// The local days of occurrences given by their start (EXDATE, RECURRENCE-ID)
// that the held rule skips; a time other than the occurrences' takes away
// nothing.
void SkipOccurrences(const std::vector<icaltimetype>& given, int shift, const LocalMoment& start,
                     ScheduleBounds& bounds)
{
    for (const icaltimetype& t : given) {
        if (t.is_date) {
            bounds.Skip(FrameDate(t).addDays(shift));
            continue;
        }
        const LocalMoment local = ToLocal(t);
        if (local.date.isValid() && local.time == start.time)
            bounds.Skip(local.date);
    }
}

std::optional<ScheduleEntry> HeldSchedule(icalcomponent* ev, const EventDetails& d,
                                          const IcsOccurrences& moved)
{
    if (d.crossesDays || HasProperty(ev, ICAL_RDATE_PROPERTY) ||
        HasProperty(ev, ICAL_EXRULE_PROPERTY))
        return std::nullopt;
    ScheduleEntry e = d.base;
    icalproperty* rule = icalcomponent_get_first_property(ev, ICAL_RRULE_PROPERTY);
    if (rule && icalcomponent_get_next_property(ev, ICAL_RRULE_PROPERTY))
        return std::nullopt;
    if (e.type == int(ScheduleKind::EquinoxHoliday)) {
        // One dated event per year stands for the computed day.
        if (d.start.date.month() != 3 && d.start.date.month() != 9)
            e.type = int(ScheduleKind::Holiday);
        else {
            e.year = 0;
            e.month = d.start.date.month();
            e.day = e.week = e.dayOfTheWeek = -1;
            return e;
        }
    }
    if (!rule) {
        // One day: left out when the file takes it away.
        if (!moved.empty() || HasProperty(ev, ICAL_EXDATE_PROPERTY))
            return std::nullopt;
        e.year = d.start.date.year();
        e.month = d.start.date.month();
        e.day = d.start.date.day();
        return e;
    }
    // The rule's days are the file zone's: read them there, then move them
    // with the time.
    const icaltimetype dtstart = icalcomponent_get_dtstart(ev);
    const std::optional<int> shift = LocalDayShift(dtstart);
    if (!shift)
        return std::nullopt;
    const LocalMoment frameStart{FrameDate(dtstart), d.start.time};
    const icalrecurrencetype recurrence = icalproperty_get_rrule(rule);
    if (!RuleFromRecurrence(recurrence, *shift == 0 ? d.start : frameStart, e) ||
        !ShiftRule(e, *shift))
        return std::nullopt;
    if ((e.type == 2 || e.type == 3) && !e.birthYear && e.year == 0 && e.month != 0)
        e.birthYear = d.start.date.year();

    // The rule's days: from its start, up to its end, less the occurrences
    // taken away or moved.
    QDate last;
    if (!LastDayOf(recurrence, dtstart, d.start, &last))
        return std::nullopt;
    // A rule of one year ends with its year.
    if (last.isValid() && e.year == 0)
        e.bounds.last = last;
    IcsOccurrences excluded = moved;
    for (icalproperty* p = icalcomponent_get_first_property(ev, ICAL_EXDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(ev, ICAL_EXDATE_PROPERTY))
        excluded.add(icalproperty_get_datetime_with_component(p, ev));
    SkipOccurrences(excluded.given, *shift, d.start, e.bounds);
    // Our own files start a rule on the first day it falls on: no bound
    // then, so that a schedule comes back as it went out.
    if (IcsFirstDate(e) != d.start.date)
        e.bounds.first = d.start.date;
    if (!IcsFirstDate(e).isValid())
        return std::nullopt;
    return e;
}

// Occurrences that events with a RECURRENCE-ID replace or cancel, by the
// UID of the event they belong to.
using MovedOccurrences = QHash<QByteArray, IcsOccurrences>;

QString ErrorText(int line, const QString& reason)
{
    return QStringLiteral("iCalendarファイルの %1 行目を読み取れません（%2）。\r\n"
                          "何も取り込みませんでした。")
        .arg(line)
        .arg(reason);
}

// libical's own complaint about a component or one inside it.
QString LibicalError(icalcomponent* component)
{
    if (icalproperty* p = icalcomponent_get_first_property(component, ICAL_XLICERROR_PROPERTY))
        return Utf8(icalproperty_get_xlicerror(p));
    for (icalcomponent* inner = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT);
         inner; inner = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT)) {
        const QString error = LibicalError(inner);
        if (!error.isEmpty())
            return error;
    }
    return {};
}

// The occurrences the file's events with a RECURRENCE-ID replace or
// cancel. Only events that name one are parsed here.
MovedOccurrences FindMovedOccurrences(icalcomponent* root, const IcsLineCheck& check)
{
    MovedOccurrences moved;
    for (const IcsLineCheck::Span& span : check.eventSpans) {
        const QByteArray text = check.events.mid(span.from, span.size);
        if (!text.contains("RECURRENCE-ID"))
            continue;
        icalcomponent* parsed = icalparser_parse_string(text.constData());
        if (!parsed)
            continue;
        const ics::Component event(parsed);
        if (icalcomponent_isa(parsed) != ICAL_VEVENT_COMPONENT)
            continue;
        icalcomponent_add_component(root, parsed);
        const auto detach =
            qScopeGuard([root, parsed] { icalcomponent_remove_component(root, parsed); });
        icalproperty* id = icalcomponent_get_first_property(parsed, ICAL_RECURRENCEID_PROPERTY);
        const char* uid = icalcomponent_get_uid(parsed);
        if (id && uid)
            moved[QByteArray(uid)].add(icalproperty_get_datetime_with_component(id, parsed));
    }
    return moved;
}

} // namespace

QString IcsExpandWindowFault(const IcsExpandWindow& window)
{
    if (window.fromYear < kFirstExpandYear || window.toYear > kLastExpandYear ||
        window.fromYear > window.toYear || window.toYear - window.fromYear + 1 > kMaxExpandYears) {
        return QStringLiteral("展開する年の範囲は %1年から%2年までの間で、%3年以内にしてください"
                              "（%4年から%5年が指定されました）。")
            .arg(kFirstExpandYear)
            .arg(kLastExpandYear)
            .arg(kMaxExpandYears)
            .arg(window.fromYear)
            .arg(window.toYear);
    }
    return {};
}

IcsImportPlan ReadIcs(const QByteArray& bytes, const std::optional<IcsExpandWindow>& window,
                      const IcsProgress& progress)
{
    IcsImportPlan plan;
    if (window) {
        if (const QString fault = IcsExpandWindowFault(*window); !fault.isEmpty()) {
            plan.error = fault;
            return plan;
        }
    }
    const IcsLineCheck check = CheckIcsLines(bytes);
    if (!check.ok()) {
        plan.errorLine = check.errorLine;
        plan.error = ErrorText(check.errorLine, check.reason);
        return plan;
    }
    ics::Component calendar(icalparser_parse_string(check.kept.constData()));
    if (!calendar) {
        plan.errorLine = 1;
        plan.error = ErrorText(1, QStringLiteral("iCalendar 形式ではありません"));
        return plan;
    }
    icalcomponent* root = calendar.get();
    const MovedOccurrences moved = FindMovedOccurrences(root, check);
    DistinctSchedules distinct;
    const auto take = [&plan, &distinct](const ScheduleEntry& entry) {
        plan.eventEntries.push_back(distinct.add(entry));
    };
    for (std::size_t index = 0; index < check.eventSpans.size(); ++index) {
        // One event at a time inside the calendar, which holds the zones it
        // names: a file of many events never becomes one large tree.
        if (progress && index % 256 == 0 && !progress(int(index), int(check.eventSpans.size()))) {
            plan = IcsImportPlan{};
            plan.stopped = true;
            plan.error = QStringLiteral("取り込みを中止しました。何も取り込んでいません。");
            return plan;
        }
        const IcsLineCheck::Span span = check.eventSpans[index];
        const QByteArray text = check.events.mid(span.from, span.size);
        const int line = index < check.eventLines.size() ? check.eventLines[index] : 1;
        icalcomponent* parsed = icalparser_parse_string(text.constData());
        if (!parsed || icalcomponent_isa(parsed) != ICAL_VEVENT_COMPONENT) {
            if (parsed)
                icalcomponent_free(parsed);
            plan = IcsImportPlan{};
            plan.errorLine = line;
            plan.error = ErrorText(line, QStringLiteral("予定を読み取れません"));
            return plan;
        }
        icalcomponent_add_component(root, parsed);
        const ics::Component event(parsed);
        const auto detach =
            qScopeGuard([root, parsed] { icalcomponent_remove_component(root, parsed); });
        icalcomponent* ev = parsed;
        const QString libicalError = LibicalError(ev);
        const icaltimetype dtstart = icalcomponent_get_dtstart(ev);
        // A value libical reads in its own way ("2026120\"") must still be
        // a day of the calendar.
        const auto isDay = [](const icaltimetype& t) {
            return QDate::isValid(t.year, t.month, t.day);
        };
        icalproperty* end = icalcomponent_get_first_property(ev, ICAL_DTEND_PROPERTY);
        if (!libicalError.isEmpty() || icaltime_is_null_time(dtstart) ||
            !icaltime_is_valid_time(dtstart) || !isDay(dtstart) ||
            (end && !isDay(icalproperty_get_dtend(end)))) {
            plan = IcsImportPlan{};
            plan.errorLine = line;
            plan.error =
                ErrorText(line, libicalError.isEmpty() ? QStringLiteral("開始日が正しくありません")
                                                       : libicalError);
            return plan;
        }
        // A cancelled occurrence is left out of its own event's dates.
        const bool replacesOccurrence = HasProperty(ev, ICAL_RECURRENCEID_PROPERTY);
        if (icalcomponent_get_status(ev) == ICAL_STATUS_CANCELLED) {
            if (!replacesOccurrence)
                ++plan.cancelled;
            continue;
        }
        if (replacesOccurrence) {
            // One occurrence on its own: a rule copied from the event it
            // belongs to is not this one's.
            for (const icalproperty_kind kind :
                 {ICAL_RRULE_PROPERTY, ICAL_RDATE_PROPERTY, ICAL_EXDATE_PROPERTY, ICAL_EXRULE_PROPERTY}) {
                while (icalproperty* p = icalcomponent_get_first_property(ev, kind)) {
                    icalcomponent_remove_property(ev, p);
                    icalproperty_free(p);
                }
            }
        }
        static const IcsOccurrences none;
        const char* uid = icalcomponent_get_uid(ev);
        const auto movedHere = replacesOccurrence || !uid ? moved.end() : moved.find(QByteArray(uid));
        const IcsOccurrences& without = movedHere == moved.end() ? none : *movedHere;
        const EventDetails details = DetailsOf(ev);
        if (details.cut)
            ++plan.cut;
        if (const std::optional<ScheduleEntry> held = HeldSchedule(ev, details, without)) {
            plan.events.push_back({int(plan.eventEntries.size()), 1, false});
            take(*held);
            ++plan.imported;
            plan.alarmsLost += details.alarmsLost;
            continue;
        }
        ++plan.needExpanding;
        if (plan.expandTitles.size() < kNamedExpandEvents)
            plan.expandTitles << details.base.message.section(u'\n', 0, 0);
        if (!window) {
            ++plan.skipped;
            continue;
        }
        const IcsEventDates found =
            ExpandEventDates(ev, details.dayCount, QDate(window->fromYear, 1, 1),
                             QDate(window->toYear, 12, 31), kMaxDatesPerEvent, without);
        const std::vector<QDate>& dates = found.dates;
        if (found.capped)
            ++plan.capped;
        if (dates.empty()) {
            ++plan.skipped;
            continue;
        }
        plan.events.push_back({int(plan.eventEntries.size()), int(dates.size()), true});
        for (const QDate& date : dates) {
            ScheduleEntry e = details.base;
            if (e.type == int(ScheduleKind::EquinoxHoliday))
                e.type = int(ScheduleKind::Holiday);
            e.year = date.year();
            e.month = date.month();
            e.day = date.day();
            e.week = e.dayOfTheWeek = -1;
            if (details.crossesDays)
                e.endTime.clear();
            if (date != details.start.date && details.crossesDays)
                e.alarm.clear();
            take(e);
        }
        ++plan.expanded;
        plan.alarmsLost += details.alarmsLost;
    }
    plan.entries = distinct.takeEntries();
    return plan;
}

} // namespace morvane
