#pragma once

#include "data/records/ScheduleBounds.h"
#include "data/records/SchedulePattern.h"
#include "search/SearchRows.h"

#include <QDate>
#include <optional>

namespace morvane {

class Recordset;

// The day the editor opens on for a result: the record's year (this year
// for every-year rules) and month (this month for every-month rules), on
// the first such weekday for a weekly rule, the n-th for an n-th weekday
// rule, the computed equinox day for an equinox holiday, the day otherwise.
// A day the month lacks gives the nearest real day of the rule in that
// month: 29 February in a common year gives 28 February, a fifth weekday the
// month has four of gives the fourth. An equinox holiday outside March and
// September, or a rule without a usable day, gives the month's first day.
// Held to the record's bounds: the nearest day within them (DayWithinBounds).
QDate ResultOpenDate(const SchedulePattern& record, QDate today,
                     const ScheduleBounds& bounds = ScheduleBounds());

// Where the row's record is now: its position when the record still
// exists (it may have moved since the search), nothing when it was deleted.
std::optional<int> CurrentPositionOfRow(const Recordset& schedules, const SearchRow& row);

// Shown when a result's record no longer exists.
QString StaleResultMessage();

} // namespace morvane
