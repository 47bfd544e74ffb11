#include "search/SecondCheck.h"

#include "data/records/ScheduleCodes.h"

namespace morvane {

namespace {

int MonthNumber(int year, int month)
{
    return year * 100 + month;
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
    if (here < bounds.startMonth || here > bounds.endMonth)
        return false;
    if (day && here == bounds.startMonth && *day < bounds.startDay)
        return false;
    if (day && here == bounds.endMonth && *day > bounds.endDay)
        return false;
    return true;
}

bool EveryYearPasses(int month, std::optional<int> day, const SearchBounds& bounds)
{
    const int firstYear = bounds.startMonth / 100;
    const int lastYear = bounds.endMonth / 100;
    if (firstYear == lastYear || (bounds.startSet && bounds.endSet)) {
        // The months the range covers, across the year end when it spans
        // two years; two year ends or more cover a whole year.
        if (lastYear - firstYear >= 2)
            return true;
        return Inside(firstYear, month, day, bounds) || Inside(lastYear, month, day, bounds);
    }
    // One end set, the other open: every month counts, with the day bound
    // of the month at the set end.
    if (day && month == bounds.startMonth % 100 && *day < bounds.startDay)
        return false;
    if (day && month == bounds.endMonth % 100 && *day > bounds.endDay)
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
    bounds.startMonth = MonthNumber(bounds.start.year(), bounds.start.month());
    bounds.endMonth = MonthNumber(bounds.end.year(), bounds.end.month());
    bounds.startDay = bounds.start.day();
    bounds.endDay = bounds.end.day();
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

bool ScheduleBoundsMeetRange(const SchedulePattern& record, const ScheduleBounds& schedule,
                             const SearchBounds& bounds)
{
    // Without a range every record is listed, one that falls on no day too:
    // the search is where it can still be found.
    if (schedule.isEmpty() || (!bounds.startSet && !bounds.endSet))
        return true;
    if (bounds.startSet && schedule.last.isValid() && schedule.last < bounds.start)
        return false;
    if (bounds.endSet && schedule.first.isValid() && schedule.first > bounds.end)
        return false;
    const std::optional<int> day = DayOfRule(record);
    if (day && record.year && *record.year != 0 && record.month && *record.month != 0) {
        const QDate date(*record.year, *record.month, *day);
        if (date.isValid() && !schedule.Allows(date))
            return false;
    }
    return true;
}

} // namespace morvane
