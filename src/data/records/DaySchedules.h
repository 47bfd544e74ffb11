#pragma once

#include "data/records/DayFilter.h"
#include "data/records/ScheduleBounds.h"
#include "data/records/SchedulePattern.h"

#include <QDate>
#include <vector>

namespace morvane {

class Recordset;

// EquinoxCheck of the current record of a Schedule recordset.
bool EquinoxCheck(const Recordset& schedules, const QDate& date);

// Positions of the schedules falling on date, in recordset order: the full
// day filter through FindFirst/FindNext, each match kept only when it
// passes EquinoxCheck and its bounds allow date (ScheduleBounds). Leaves the
// last match current. Short form: the filter and the bounds (EquinoxCheck
// is not needed there).
std::vector<int> FindSchedulesOn(Recordset& schedules, const QDate& date,
                                 DayFilterForm form = DayFilterForm::Full);

// The day to open a record on, for a window that picked `date` from its rule
// alone: date when the bounds allow it, otherwise the day nearest to it
// within the bounds on which the rule falls (searched over eight years, so a
// 29 February is found too); date itself when there is none.
QDate DayWithinBounds(const SchedulePattern& pattern, const ScheduleBounds& bounds, QDate date);

} // namespace morvane
