#include "interchange/IcsExpansion.h"

#include <QDateTime>
#include <memory>
#include <set>

namespace morvane {

namespace {

// Steps one rule may take. Rules are started near the window, so a rule
// walked by day needs at most a few thousand; the bound only stops rules
// libical cannot start there (those with COUNT) from a far first date.
constexpr int kMaxSteps = 400000;

constexpr int kSecondsPerDay = 86400;

struct IteratorFree
{
    void operator()(icalrecur_iterator* it) const { icalrecur_iterator_free(it); }
};

QDate FrameDate(const icaltimetype& t)
{
    return QDate(t.year, t.month, t.day);
}

template <std::size_t N> bool HasList(const short (&list)[N])
{
    return list[0] != ICAL_RECURRENCE_ARRAY_MAX;
}

template <std::size_t N> void ClearList(short (&list)[N])
{
    list[0] = ICAL_RECURRENCE_ARRAY_MAX;
}

class DateWalk
{
public:
    DateWalk(icalcomponent* event, int dayCount, const QDate& first, const QDate& last, int cap,
             const IcsOccurrences& without)
        : m_event(event), m_dtstart(icalcomponent_get_dtstart(event)),
          m_dayCount(std::max(dayCount, 1)), m_first(first), m_last(last), m_cap(cap),
          m_excluded(without)
    {
        for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY); p;
             p = icalcomponent_get_next_property(event, ICAL_EXDATE_PROPERTY))
            m_excluded.add(icalproperty_get_datetime_with_component(p, event));
    }

    IcsEventDates run()
    {
        IcsEventDates result;
        if (icalcomponent_get_first_property(m_event, ICAL_EXRULE_PROPERTY)) {
            result.leftOut = true;
            return result;
        }
        bool going = add(m_dtstart);
        for (icalproperty* p = icalcomponent_get_first_property(m_event, ICAL_RRULE_PROPERTY);
             p && going; p = icalcomponent_get_next_property(m_event, ICAL_RRULE_PROPERTY)) {
            if (!walkRule(icalproperty_get_rrule(p))) {
                result.leftOut = true;
                return result;
            }
            going = !m_capped;
        }
        for (icalproperty* p = icalcomponent_get_first_property(m_event, ICAL_RDATE_PROPERTY);
             p && going; p = icalcomponent_get_next_property(m_event, ICAL_RDATE_PROPERTY)) {
            const icaldatetimeperiodtype rdate = icalproperty_get_rdate(p);
            icaltimetype t = rdate.period.start;
            if (!icaltime_is_null_time(rdate.time))
                t = icalproperty_get_datetime_with_component(p, m_event);
            else if (!t.zone && !icaltime_is_utc(t))
                t.zone = m_dtstart.zone;
            if (!icaltime_is_null_time(t))
                going = add(t);
        }
        result.dates.assign(m_dates.begin(), m_dates.end());
        result.capped = m_capped;
        return result;
    }

private:
    // Adds the days of one occurrence; false once the cap is reached.
    bool add(const icaltimetype& t)
    {
        if (m_excluded.contains(t))
            return true;
        const QDate start = ics::ToLocal(t).date;
        if (!start.isValid())
            return true;
        for (int i = 0; i < m_dayCount; ++i) {
            const QDate date = start.addDays(i);
            if (date < m_first)
                continue;
            if (date > m_last)
                break;
            if (m_dates.count(date))
                continue;
            if (int(m_dates.size()) >= m_cap) {
                m_capped = true;
                return false;
            }
            m_dates.insert(date);
        }
        return true;
    }

    // A rule more often than daily, as a daily rule of the same days (COUNT
    // becomes the end it gives when nothing limits it). False when it cannot
    // be read by day.
    bool ByDay(icalrecurrencetype& r) const
    {
        const qint64 unit = r.freq == ICAL_SECONDLY_RECURRENCE   ? 1
                            : r.freq == ICAL_MINUTELY_RECURRENCE ? 60
                                                                 : 3600;
        const qint64 period = unit * std::max<qint64>(r.interval, 1);
        if (HasList(r.by_set_pos))
            return false;
        if (r.count > 0) {
            QDateTime end(FrameDate(m_dtstart), QTime(m_dtstart.hour, m_dtstart.minute), Qt::UTC);
            end = end.addSecs(std::min<qint64>(qint64(r.count - 1) * period,
                                               qint64(400) * 366 * kSecondsPerDay));
            icaltimetype until = m_dtstart;
            until.year = end.date().year();
            until.month = end.date().month();
            until.day = end.date().day();
            until.hour = end.time().hour();
            until.minute = end.time().minute();
            if (icaltime_is_null_time(r.until) || icaltime_compare(until, r.until) < 0)
                r.until = until;
            r.count = 0;
        }
        if (period <= kSecondsPerDay || period % kSecondsPerDay == 0) {
            ClearList(r.by_second);
            ClearList(r.by_minute);
            ClearList(r.by_hour);
            r.interval = short(std::min<qint64>(std::max<qint64>(period / kSecondsPerDay, 1), 1000));
            r.freq = ICAL_DAILY_RECURRENCE;
        }
        return true;
    }

    bool walkRule(icalrecurrencetype r)
    {
        if (r.freq == ICAL_SECONDLY_RECURRENCE || r.freq == ICAL_MINUTELY_RECURRENCE ||
            r.freq == ICAL_HOURLY_RECURRENCE) {
            if (!ByDay(r))
                return false;
        }
        const std::unique_ptr<icalrecur_iterator, IteratorFree> it(
            icalrecur_iterator_new(r, m_dtstart));
        if (!it)
            return true;
        // Started a few days early: a zone's date and an event's later days
        // may reach into the window from before it.
        const QDate from = m_first.addDays(-(m_dayCount + 2));
        if (r.count == 0 && FrameDate(m_dtstart) < from) {
            icaltimetype start = m_dtstart;
            start.year = from.year();
            start.month = from.month();
            start.day = from.day();
            icalrecur_iterator_set_start(it.get(), start);
        }
        const QDate after = m_last.addDays(2);
        for (int step = 0;; ++step) {
            if (step >= kMaxSteps) {
                m_capped = true;
                return true;
            }
            icaltimetype t = icalrecur_iterator_next(it.get());
            if (icaltime_is_null_time(t))
                return true;
            t.zone = m_dtstart.zone;
            if (FrameDate(t) > after)
                return true;
            if (!add(t))
                return true;
        }
    }

    icalcomponent* m_event;
    icaltimetype m_dtstart;
    int m_dayCount;
    QDate m_first;
    QDate m_last;
    int m_cap;
    bool m_capped = false;
    std::set<QDate> m_dates;
    IcsOccurrences m_excluded;
};

} // namespace

qint64 IcsInstant(const icaltimetype& t)
{
    if (t.zone && !t.is_date)
        return qint64(icaltime_as_timet_with_zone(t, t.zone));
    return qint64(icaltime_as_timet(t));
}

void IcsOccurrences::add(const icaltimetype& t)
{
    if (icaltime_is_null_time(t))
        return;
    given.push_back(t);
    if (t.is_date)
        days.insert(FrameDate(t));
    else
        moments.insert(IcsInstant(t));
}

bool IcsOccurrences::contains(const icaltimetype& t) const
{
    return days.count(FrameDate(t)) || moments.count(IcsInstant(t));
}

IcsEventDates ExpandEventDates(icalcomponent* event, int dayCount, const QDate& first,
                               const QDate& last, int cap, const IcsOccurrences& without)
{
    return DateWalk(event, dayCount, first, last, cap, without).run();
}

} // namespace morvane
