#include "data/records/OneOffDate.h"

#include "calendar_math/WeekFunctions.h"
#include "data/records/ScheduleCodes.h"

#include <algorithm>

namespace morvane {

std::optional<QDate> OneOffDate(const SchedulePattern& p)
{
    if (!p.year || !p.month || *p.year == 0 || *p.month == 0 || p.week == 0 ||
        p.type == int(ScheduleKind::EquinoxHoliday))
        return std::nullopt;
    const QDate first(*p.year, *p.month, 1);
    if (!first.isValid())
        return std::nullopt;
    std::optional<QDate> last;
    const auto consider = [&](int day) {
        if (day >= 1 && day <= first.daysInMonth()) {
            const QDate date(*p.year, *p.month, day);
            last = last ? std::max(*last, date) : date;
        }
    };
    if (p.day)
        consider(*p.day);
    if (p.week && *p.week >= 1 && *p.week <= 5 && p.dayOfTheWeek)
        consider(GetNthWeekday(*p.year, *p.month, *p.week, *p.dayOfTheWeek));
    return last;
}

} // namespace morvane
