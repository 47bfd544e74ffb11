#include "calendar_window/month/MonthCriteria.h"

#include "data/records/DayFilter.h"

namespace morvane {

QString MonthScheduleFilter(int year, int month)
{
    return QStringLiteral("([Year] = ") + StrNumber(year) + QStringLiteral("Or [Year] = 0) and ") +
           QStringLiteral("([Month] = ") + StrNumber(month) + QStringLiteral("Or [Month] = 0)");
}

} // namespace morvane
