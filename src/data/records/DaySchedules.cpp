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

} // namespace morvane
