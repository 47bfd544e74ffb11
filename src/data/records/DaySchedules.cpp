#include "data/records/DaySchedules.h"

#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleBounds.h"
#include "data/records/ScheduleFields.h"
#include "data/records/SchedulePattern.h"

namespace morvane {

bool EquinoxCheck(const Recordset& schedules, const QDate& date)
{
    return EquinoxCheck(OptionalInt(schedules.GetValue(schedule_fields::Type)), date);
}

std::vector<int> FindSchedulesOn(Recordset& schedules, const QDate& date, DayFilterForm form)
{
    const QString filter = BuildDayFilter(date, form);
    const ScheduleBoundsReader bounds(schedules);
    std::vector<int> positions;
    for (schedules.FindFirst(filter); !schedules.NoMatch(); schedules.FindNext(filter)) {
        if ((form == DayFilterForm::Short || EquinoxCheck(schedules, date)) &&
            bounds.allows(schedules, date))
            positions.push_back(schedules.AbsolutePosition());
    }
    return positions;
}

QDate DayWithinBounds(const SchedulePattern& pattern, const ScheduleBounds& bounds, QDate date)
{
    if (!date.isValid() || bounds.Allows(date))
        return date;
    constexpr int kSearchDays = 8 * 366;
    // Outside the bounds: from the bound it lies beyond, towards the other.
    const bool beforeFirst = bounds.first.isValid() && date < bounds.first;
    const bool afterLast = bounds.last.isValid() && date > bounds.last;
    const QDate from = beforeFirst ? bounds.first : afterLast ? bounds.last : date;
    const int step = afterLast ? -1 : 1;
    for (int i = 0; i < kSearchDays; ++i) {
        const QDate day = from.addDays(i * step);
        if (!bounds.Allows(day))
            continue;
        if (DayRuleMatches(pattern, day))
            return day;
    }
    return date;
}

} // namespace morvane
