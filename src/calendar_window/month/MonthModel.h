#pragma once

#include "context/AppContext.h"
#include "core/Settings.h"

#include <QColor>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <array>
#include <optional>

namespace morvane {

class Recordset;

// Mouse pointer of a cell: the custom hand over days (and the blank cells
// before day 1), the default one elsewhere.
inline constexpr int CustomPointer = 99;
inline constexpr int DefaultPointer = 0;

// Cell 0 is the title; cells 1 to 49 form a 7 x 7 grid, cell = row * 7 +
// column with column 1 = Sunday ... 7 = Saturday. Row 0 is the weekday
// header, rows 1 to 6 the weeks.
inline constexpr int CellCount = 50;
inline constexpr int FirstWeekCell = 8;
inline constexpr int LastCell = 49;

// What one cell shows.
struct DayCell
{
    std::optional<int> day; // day of month, none for a blank or header cell
    QColor textColor;       // colour of the day number or weekday name
    QString markGlyph;      // glyph of the mark layer, "" for none
    QColor markColor;       // colour of the glyph
    int pointer = DefaultPointer;
    bool cursor = false; // today's cell while the current month is shown

    bool operator==(const DayCell&) const = default;
};

// Everything the calendar window shows for one month.
struct MonthModel
{
    QDate firstDay;
    int daysInMonth = 0;
    QString title;
    bool titleClockRunning = false;
    std::array<DayCell, CellCount> cells{}; // 1 to 49 used
};

// Days of date's month (29 for February of a Gregorian leap year).
int CalcDaysInMonth(QDate date);

// Cell of day in the month that begins on firstDay (day + weekday of the
// first + 6); 0 when day is not a day of that month.
int CellOfDay(QDate firstDay, int day);
// Day shown in cell for the month of firstDay, none for blank and header
// cells and for the title.
std::optional<int> DayInCell(QDate firstDay, int cell);

// The title line follows the month; types 6 to 10 add the time of day.
bool IsValidTitleType(int titleType);
// Types 6 to 10 show the time and tick once a second.
bool TitleHasClock(int titleType);
// The title for displayMonth, the time part from now.
QString TitleText(int titleType, QDate displayMonth, const QDateTime& now);

// The month as the window shows it, rebuilt from the schedules on every call.
// Walks the schedules of firstDay's year and month (and of every year and
// every month) in the recordset's order; a later record overwrites what an
// earlier one drew in the same cell. A record draws, and counts as a holiday,
// only on the days its bounds allow (ScheduleBounds). An equinox-day holiday stored as a plain
// date (a "春分の日"/"秋分の日" record) is converted in the database on the way:
// that is the only write. now gives the cursor (today's cell while today's
// month is shown) and the clock part of the title. A TitleType outside 0 to
// 10 is drawn as 0.
//
// Without a recordset only the grid and the title are built. A database
// failure stops the schedule part where it happened: the model then holds
// what was built so far and *error (when given) the message.
MonthModel BuildMonthModel(QDate firstDay, const Settings& settings, Recordset* schedules,
                           const QDateTime& now, const MarkSymbolTable& markSymbols,
                           QString* error = nullptr);

} // namespace morvane
