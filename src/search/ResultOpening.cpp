#include "search/ResultOpening.h"

#include "calendar_math/WeekFunctions.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/DaySchedules.h"
#include "data/records/ScheduleCodes.h"

#include <algorithm>

namespace morvane {

namespace {

// The n-th weekday of the month, or the last one when the month has fewer.
int NthOrLastWeekday(int year, int month, int n, int weekday)
{
    for (int k = std::clamp(n, 1, 5); k >= 1; --k) {
        if (const int day = GetNthWeekday(year, month, k, weekday); day > 0)
            return day;
    }
    return 0;
}

} // namespace

QDate ResultOpenDate(const SchedulePattern& record, QDate today, const ScheduleBounds& bounds)
{
    const int year = (!record.year || *record.year == 0) ? today.year() : *record.year;
    const int month =
        (!record.month || *record.month == 0) ? today.month() : std::clamp(*record.month, 1, 12);
    const QDate first(year, month, 1);
    if (!first.isValid())
        return today;

    int day = 0;
    if (record.week && *record.week >= 0 && *record.week <= 5) {
        const int n = *record.week == 0 ? 1 : *record.week;
        day = NthOrLastWeekday(year, month, n, record.dayOfTheWeek.value_or(0));
    } else if (record.type == int(ScheduleKind::EquinoxHoliday)) {
        day = GetEquinoxDay(year, month);
    } else if (record.day && *record.day >= 1) {
        day = std::min(*record.day, first.daysInMonth());
    }
    return DayWithinBounds(record, bounds, day > 0 ? QDate(year, month, day) : first);
}

std::optional<int> CurrentPositionOfRow(const Recordset& rs, const SearchRow& row)
{
    if (row.position >= 0 && rs.RecordIdAt(row.position) == row.recordId)
        return row.position;
    const int moved = rs.PositionOfRecordId(row.recordId);
    if (moved < 0)
        return std::nullopt;
    return moved;
}

QString StaleResultMessage()
{
    return QStringLiteral("この予定は検索の後で削除されたため、開くことができません。\n"
                          "もう一度検索してください。");
}

} // namespace morvane
