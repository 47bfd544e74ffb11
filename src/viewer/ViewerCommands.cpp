#include "viewer/ViewerCommands.h"

#include "calendar_math/WeekFunctions.h"
#include "data/records/DaySchedules.h"
#include "data/records/ScheduleCodes.h"
#include "viewer/ViewerTree.h"

#include <algorithm>

namespace morvane {

YearMonth StepListMonth(YearMonth current, int step)
{
    int month = current.month + step;
    int year = current.year;
    if (month < 1) {
        month = 12;
        --year;
    } else if (month > 12) {
        month = 1;
        ++year;
    }
    return {year, month};
}

QStringList JumpDropDownEntries()
{
    QStringList entries{QStringLiteral("ジャンプ指定"),
                        QStringLiteral("-"),
                        QStringLiteral("今月"),
                        QStringLiteral("-"),
                        QStringLiteral("前年"),
                        QStringLiteral("次年"),
                        QStringLiteral("-")};
    for (int month = 1; month <= 12; ++month)
        entries << QString::number(month) + QStringLiteral("月");
    return entries;
}

JumpChoice ResolveJumpEntry(const QString& entry, YearMonth list, QDate today)
{
    using Action = JumpChoice::Action;
    if (entry == QStringLiteral("ジャンプ指定"))
        return {Action::JumpDialog, list};
    if (entry == QStringLiteral("今月"))
        return {Action::ShowMonth, {today.year(), today.month()}};
    if (entry == QStringLiteral("前年"))
        return {Action::ShowMonth, {list.year - 1, list.month}};
    if (entry == QStringLiteral("次年"))
        return {Action::ShowMonth, {list.year + 1, list.month}};
    if (entry.isEmpty() || entry == QStringLiteral("-") || !entry.at(0).isDigit())
        return {};
    int month = entry.at(0).digitValue();
    if (month == 1 && entry != QStringLiteral("1月") && entry.size() >= 2 && entry.at(1).isDigit())
        month = entry.left(2).toInt();
    if (month < 1 || month > 12)
        return {};
    return {Action::ShowMonth, {list.year, month}};
}

QDate EditDateOfRecord(const SchedulePattern& p, QDate today, const ScheduleBounds& bounds)
{
    const int year = p.year.value_or(0) == 0 ? today.year() : *p.year;
    const int month = p.month.value_or(0) == 0 ? today.month() : *p.month;
    const QDate first(year, month, 1);
    if (!first.isValid())
        return today;
    int day = 1;
    const int weekday = p.dayOfTheWeek.value_or(0);
    if (p.week == 0 && weekday >= 1 && weekday <= 7)
        day = GetNthWeekday(year, month, 1, weekday);
    else if (p.week && *p.week >= 1 && *p.week <= 5 && weekday >= 1 && weekday <= 7)
        day = GetNthWeekday(year, month, *p.week, weekday);
    else if (p.type == int(ScheduleKind::EquinoxHoliday))
        day = GetEquinoxDay(year, month);
    else
        day = p.day.value_or(1);
    day = std::clamp(day, 1, first.daysInMonth());
    return DayWithinBounds(p, bounds, QDate(year, month, day));
}

CommandStates StatesAfterRebuild(const QString& path, int rowCount)
{
    if (rowCount == 0) {
        // The first memo has to come from somewhere.
        CommandStates empty;
        empty.fileNew = path.startsWith(tree_text::Memos);
        return empty;
    }
    const bool log = path == tree_text::Log;
    return {!log, true, !log, true};
}

ActivationStates StatesAfterActivation(const QString& path, int selectedRows)
{
    if (selectedRows >= 2)
        return {};
    const bool log = path == tree_text::Log;
    return {!log, true, !log && path != tree_text::Schedules};
}

SortState NextSortState(SortState state, int column)
{
    if (state.clicked && state.column == column)
        return {column, !state.descending, true};
    return {column, false, true};
}

bool MonthNavigationEnabled(const QString& path)
{
    return path == MonthListPath();
}

} // namespace morvane
