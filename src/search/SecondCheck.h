#pragma once

#include "data/records/ScheduleBounds.h"
#include "data/records/SchedulePattern.h"

#include <QDate>
#include <optional>

namespace morvane {

// The range a search result must fall in. An end the user left unset takes
// the widest dates the pickers offer, so that with no range every dated
// schedule the editor can write is listed.
struct SearchBounds
{
    QDate start;
    QDate end;
    bool startSet = false;
    bool endSet = false;
    // The same as numbers, read once: year * 100 + month, and the days.
    int startMonth = 0;
    int endMonth = 0;
    int startDay = 0;
    int endDay = 0;
};

inline const QDate EarliestSearchDate(1950, 1, 1);
inline const QDate LatestSearchDate(2050, 12, 31);

SearchBounds SearchBoundsFor(std::optional<QDate> start, std::optional<QDate> end);

// Whether a record the criterion let through belongs to the range:
// - every month (Month 0): always;
// - a dated record: its month lies in the range; in the start month of the
//   start year its day must not be before the start day, in the end month of
//   the end year not after the end day;
// - every year in one month: the month lies in the range of months, with
//   the day bounds in the first and last month. With both ends set in
//   different years the range of months runs across the year end (November
//   to February lists November, December, January and February), and a
//   range of a year or more lists every month.
// Weekday rules and equinox holidays have no day and meet only the month
// bounds. A record with no readable Year or Month is listed only when no
// range is set.
bool PassesSecondCheck(const SchedulePattern& record, const SearchBounds& bounds);

// Whether a rule held to its first and last day can fall in the range at
// all: its days and the range overlap, and a dated record's own day is one
// its bounds allow. Skipped days of a repeating rule are not weighed: it
// still falls on its other days. An unset end of the range bounds nothing;
// without a range every record passes.
bool ScheduleBoundsMeetRange(const SchedulePattern& record, const ScheduleBounds& schedule,
                             const SearchBounds& bounds);

} // namespace morvane
