#pragma once

#include "interchange/IcsCommon.h"

#include <QDate>
#include <set>
#include <vector>

namespace morvane {

// The dates (local, ascending, distinct) on which an event falls between
// the first and the last day, both included.
struct IcsEventDates
{
    std::vector<QDate> dates;
    bool capped = false;   // more dates than the cap were there: the first cap kept
    bool leftOut = false;  // a rule that cannot be followed by day (EXRULE, ...)
};

// Occurrences of an event given by their RECURRENCE-ID: a whole day, or a
// moment (IcsInstant).
struct IcsOccurrences
{
    std::set<QDate> days;
    std::set<qint64> moments;
    std::vector<icaltimetype> given; // each as the file gave it

    bool empty() const { return days.empty() && moments.empty(); }
    void add(const icaltimetype& t);
    bool contains(const icaltimetype& t) const;
};

// A moment as seconds, floating times read as UTC: only compared with
// moments of the same event.
qint64 IcsInstant(const icaltimetype& t);

// Walks the event's DTSTART, RRULEs and RDATEs less EXDATEs by day, never
// occurrence by occurrence past what the window needs: a rule is started
// near the window's first day, stops after its last day, and stops at the
// cap. A rule more often than daily (every second, minute or hour) gives the
// days it falls on, found from a daily rule of the same days, since a
// schedule holds one entry per day. dayCount is the number of days one
// occurrence covers; the occurrences in `without` (moved or cancelled
// elsewhere in the file) are left out like EXDATEs.
IcsEventDates ExpandEventDates(icalcomponent* event, int dayCount, const QDate& first,
                               const QDate& last, int cap, const IcsOccurrences& without = {});

} // namespace morvane
