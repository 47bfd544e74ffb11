#include "calendar_math/WeekFunctions.h"

#include <array>
#include <cmath>

namespace morvane {

namespace {

// Years a date text of the original program could name.
bool IsValidYearMonthDay(int year, int month, int day)
{
    return year >= 1 && year <= 9999 && QDate::isValid(year, month, day);
}

} // namespace

int WeekdayNumber(QDate date)
{
    if (!date.isValid())
        return 0;
    // Qt numbers Monday 1 ... Sunday 7.
    return date.dayOfWeek() % 7 + 1;
}

QString GetWeekName(int weekday)
{
    static const std::array<QString, 7> names = {
        QStringLiteral("日"), QStringLiteral("月"), QStringLiteral("火"), QStringLiteral("水"),
        QStringLiteral("木"), QStringLiteral("金"), QStringLiteral("土")};
    if (weekday < 1 || weekday > 7)
        return {};
    return names[static_cast<std::size_t>(weekday - 1)];
}

QString GetWeekNameOfDate(QDate date)
{
    return GetWeekName(WeekdayNumber(date));
}

int GetNthWeekday(int year, int month, int n, int weekday)
{
    if (weekday < 1 || weekday > 7)
        return 0;
    if (!IsValidYearMonthDay(year, month, 1))
        return 0;
    const int c = WeekdayNumber(QDate(year, month, 1)) - weekday;
    const int day = c <= 0 ? (n - 1) * 7 - c + 1 : n * 7 - c + 1;
    return IsValidYearMonthDay(year, month, day) ? day : 0;
}

int GetWeekOfMonth(QDate date)
{
    if (!date.isValid())
        return 0;
    return (date.day() - 1) / 7 + 1;
}

int GetEquinoxDay(int year, int month)
{
    if (month != 3 && month != 9)
        return 0;
    // The published approximation carries one pair of constants per period:
    // the mean equinox drifts against the Gregorian leap-year cycle, so one
    // pair cannot hold across 1900 and 2100, which are not leap years.
    const bool spring = month == 3;
    double base = 0;
    int leapOrigin = 1980;
    if (year < 1980) {
        base = spring ? 20.8357 : 23.2588;
        leapOrigin = 1983;
    } else if (year < 2100) {
        base = spring ? 20.8431 : 23.2488;
    } else {
        base = spring ? 21.8510 : 24.2488;
    }
    // Whole leap days since the origin, counted toward zero.
    const int leapDays = (year - leapOrigin) / 4;
    return static_cast<int>(std::floor(base + 0.242194 * (year - 1980) - leapDays));
}

int GetElapsedYears(QDate fromDate, QDate toDate)
{
    if (!fromDate.isValid() || !toDate.isValid())
        return 0;
    const int years = toDate.year() - fromDate.year();
    const bool anniversaryReached =
        toDate.month() * 100 + toDate.day() >= fromDate.month() * 100 + fromDate.day();
    return anniversaryReached ? years : years - 1;
}

} // namespace morvane
