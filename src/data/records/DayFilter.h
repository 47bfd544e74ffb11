#pragma once

#include <QDate>
#include <QString>
#include <optional>

namespace morvane {

// A number as the filter texts have always spelt it: decimal digits, with
// one leading blank when the number is not negative (" 8", "-1").
QString StrNumber(qint64 number);

// Full: the day rule plus every equinox-day holiday of the month, which
// EquinoxCheck then narrows to the computed day. Short: the day rule alone
// (popup "delete the day's schedules", today's alarms).
enum class DayFilterForm
{
    Full,
    Short,
};

// The filter text that finds the schedules falling on date. For Tuesday
// 8 December 2026 the full form is
//   ([Year] =  2026 Or [Year] = 0) and ([Month] =  12 Or [Month] = 0) and
//   ([Day] =  8 Or ([DayOfTheWeek] =  3 and ([Week] = 0 or [Week] =  2))) Or
//   ([Type] = 10 and [Month] =  12)
// (one line, blanks exactly as shown).
QString BuildDayFilter(const QDate& date, DayFilterForm form = DayFilterForm::Full);

// False only for an equinox-day holiday (Type 10) on a day other than the
// computed equinox day of date's month; every record the full filter finds
// must pass it before it counts. A Null Type passes.
bool EquinoxCheck(std::optional<int> type, const QDate& date);

struct SchedulePattern;

// What the filter text of BuildDayFilter decides, for one record's rule
// fields held in memory (a Null field matches nothing), followed by
// EquinoxCheck in the full form.
bool DayRuleMatches(const SchedulePattern& pattern, const QDate& date,
                    DayFilterForm form = DayFilterForm::Full);

} // namespace morvane
