#include "data/records/DayFilter.h"

#include "calendar_math/WeekFunctions.h"
#include "data/records/ScheduleCodes.h"
#include "data/records/SchedulePattern.h"

namespace morvane {

QString StrNumber(qint64 number)
{
    const QString digits = QString::number(number);
    return number < 0 ? digits : QLatin1Char(' ') + digits;
}

QString BuildDayFilter(const QDate& date, DayFilterForm form)
{
    const int weekOfMonth = (date.day() - 1) / 7 + 1;
    QString filter = QStringLiteral("([Year] = ") + StrNumber(date.year()) +
                     QStringLiteral(" Or [Year] = 0) and ([Month] = ") + StrNumber(date.month()) +
                     QStringLiteral(" Or [Month] = 0) and ([Day] = ") + StrNumber(date.day()) +
                     QStringLiteral(" Or ([DayOfTheWeek] = ") + StrNumber(WeekdayNumber(date)) +
                     QStringLiteral(" and ([Week] = 0 or [Week] = ") + StrNumber(weekOfMonth);
    if (form == DayFilterForm::Short)
        return filter + QStringLiteral(")))");
    return filter + QStringLiteral("))) Or ([Type] = 10 and [Month] = ") + StrNumber(date.month()) +
           QLatin1Char(')');
}

bool EquinoxCheck(std::optional<int> type, const QDate& date)
{
    if (type != int(ScheduleKind::EquinoxHoliday))
        return true;
    return date.day() == GetEquinoxDay(date.year(), date.month());
}

bool DayRuleMatches(const SchedulePattern& p, const QDate& date, DayFilterForm form)
{
    const int weekOfMonth = (date.day() - 1) / 7 + 1;
    const bool byRule =
        (p.year == date.year() || p.year == 0) && (p.month == date.month() || p.month == 0) &&
        (p.day == date.day() ||
         (p.dayOfTheWeek == WeekdayNumber(date) && (p.week == 0 || p.week == weekOfMonth)));
    if (form == DayFilterForm::Short)
        return byRule;
    const bool equinoxMonth =
        p.type == int(ScheduleKind::EquinoxHoliday) && p.month == date.month();
    return (byRule || equinoxMonth) && EquinoxCheck(p.type, date);
}

} // namespace morvane
