#include "search/SecondCheck.h"

#include "data/records/ScheduleCodes.h"

namespace morvane {

namespace {

int MonthNumber(int year, int month)
{
    return year * 100 + month;
}

int MonthNumber(QDate date)
{
    return MonthNumber(date.year(), date.month());
}

// The day of a day rule; nothing for weekday rules and equinox holidays,
// which only the month bounds limit.
std::optional<int> DayOfRule(const SchedulePattern& record)
{
    if (record.type == int(ScheduleKind::EquinoxHoliday))
        return std::nullopt;
    if (record.week && *record.week >= 0)
        return std::nullopt;
    if (!record.day || *record.day < 1 || *record.day > 31)
        return std::nullopt;
    return record.day;
}

// Whether year/month (and day, when the rule has one) lies inside the range.
bool Inside(int year, int month, std::optional<int> day, const SearchBounds& bounds)
{
    const int here = MonthNumber(year, month);
    const int first = MonthNumber(bounds.start);
    const int last = MonthNumber(bounds.end);
    if (here < first || here > last)
        return false;
    if (day && here == first && *day < bounds.start.day())
        return false;
    if (day && here == last && *day > bounds.end.day())
        return false;
    return true;
}

bool EveryYearPasses(int month, std::optional<int> day, const SearchBounds& bounds)
{
    const int firstYear = bounds.start.year();
    const int lastYear = bounds.end.year();
    if (firstYear == lastYear || (bounds.startSet && bounds.endSet)) {
        // The months the range covers, across the year end when it spans
        // two years; two year ends or more cover a whole year.
        if (lastYear - firstYear >= 2)
            return true;
        return Inside(firstYear, month, day, bounds) || Inside(lastYear, month, day, bounds);
    }
    // One end set, the other open: every month counts, with the day bound
    // of the month at the set end.
    if (day && month == bounds.start.month() && *day < bounds.start.day())
        return false;
    if (day && month == bounds.end.month() && *day > bounds.end.day())
        return false;
    return true;
}

} // namespace

SearchBounds SearchBoundsFor(std::optional<QDate> start, std::optional<QDate> end)
{
    SearchBounds bounds;
    bounds.startSet = start.has_value();
    bounds.endSet = end.has_value();
    bounds.start = start.value_or(EarliestSearchDate);
    bounds.end = end.value_or(LatestSearchDate);
    return bounds;
}

bool PassesSecondCheck(const SchedulePattern& record, const SearchBounds& bounds)
{
    if (record.month == 0)
        return true;
    if (!record.month || !record.year)
        return !bounds.startSet && !bounds.endSet;
    const std::optional<int> day = DayOfRule(record);
    if (*record.year != 0)
        return Inside(*record.year, *record.month, day, bounds);
    return EveryYearPasses(*record.month, day, bounds);
}

} // namespace morvane
