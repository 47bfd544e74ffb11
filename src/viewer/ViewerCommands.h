#pragma once

#include "data/records/ScheduleBounds.h"
#include "data/records/SchedulePattern.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

namespace morvane {

struct YearMonth
{
    int year = 0;
    int month = 0;
    bool operator==(const YearMonth&) const = default;
};

// Previous (-1) or next (+1) month, across the year's end.
YearMonth StepListMonth(YearMonth current, int step);

// The 19 entries of the jump button's drop-down menu: "ジャンプ指定", "-",
// "今月", "-", "前年", "次年", "-", "1月" ... "12月".
QStringList JumpDropDownEntries();

// What choosing a drop-down entry does.
struct JumpChoice
{
    enum class Action
    {
        Nothing,
        JumpDialog,
        ShowMonth, // the month list of `month`, all types
    };
    Action action = Action::Nothing;
    YearMonth month;
};
JumpChoice ResolveJumpEntry(const QString& entry, YearMonth listMonth, QDate today);

// The day the edit command of the all list opens for a record: in the
// record's year and month, the current ones when it repeats yearly or
// monthly; its weekday rule, computed equinox day or day. A day the month
// does not have (31 in a 30-day month) becomes the month's last day.
// Held to the record's bounds: the nearest day within them (DayWithinBounds).
QDate EditDateOfRecord(const SchedulePattern& pattern, QDate today,
                       const ScheduleBounds& bounds = ScheduleBounds());

// Enabled states after a rebuild (rows present or not) and after a row
// activation (how many rows are selected).
struct CommandStates
{
    bool fileNew = false;    // MNU_F_N and item_new
    bool edit = false;       // MNU_E_E
    bool editButton = false; // item_edit
    bool remove = false;     // MNU_E_D and item_delete
};
CommandStates StatesAfterRebuild(const QString& path, int rowCount);

struct ActivationStates
{
    bool editButton = false; // item_edit
    bool edit = false;       // MNU_E_E
    bool detailBox = false;  // Text1
};
ActivationStates StatesAfterActivation(const QString& path, int selectedRows);

// The sort of the log list: by a column, ascending or descending. A click
// on a column header sorts by it ascending; further clicks on the same
// header toggle the order.
struct SortState
{
    int column = 0;
    bool descending = false;
    bool clicked = false; // a header was clicked since the window opened
    bool operator==(const SortState&) const = default;
};
SortState NextSortState(SortState state, int clickedColumn);

// The month navigation (MNU_V_B, MNU_V_J, MNU_V_N and their buttons) works
// on the month list of all types only.
bool MonthNavigationEnabled(const QString& path);

} // namespace morvane
