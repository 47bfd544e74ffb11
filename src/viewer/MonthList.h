#pragma once

#include "viewer/ListModel.h"
#include "viewer/ViewerRecords.h"

#include <QColor>
#include <QDate>
#include <vector>

namespace morvane {

class Recordset;

struct MonthListLook
{
    QColor sunday;   // SundayColor
    QColor saturday; // SaturdayColor
};

// The five columns: 日, 曜, 六曜, 予定内容 (stretching), the alarm column.
std::vector<ListColumn> MonthListColumns();

// Width of the schedule column for a list this wide (twips).
int MonthScheduleColumnWidth(int listWidth);

// The records the month list of year/month can show, in recordset order,
// and the days of that month that carry a fixed-date holiday of that year or
// of every year (the substitute-holiday look-back asks for those).
struct MonthListInput
{
    std::vector<ViewerRecord> candidates;
    std::vector<bool> fixedHoliday; // indexed by day, 0 to 33
};
MonthListInput ReadMonthListInput(Recordset& schedules, int year, int month, int typeFilter);

// The month list: one or more rows per day, the schedules of the day in
// recordset order; "振替休日" rows after Sunday holidays (after a run of
// consecutive holidays that holds a Sunday), days between two holidays in
// light red, today's rows bold. today decides the bold rows.
ListModel BuildMonthList(const MonthListInput& input, int year, int month, QDate today,
                         const MonthListLook& look);

// Both steps over the recordset.
ListModel ShowMonthList(Recordset& schedules, int year, int month, int typeFilter, QDate today,
                        const MonthListLook& look);

// Weekday letter and cell colours of a day row (SetWeekdayCell).
void SetWeekdayCell(ListRow& row, int weekday, const MonthListLook& look);

} // namespace morvane
