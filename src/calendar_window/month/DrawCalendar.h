#pragma once

#include <QDate>
#include <QString>

namespace morvane {

class AppContext;
class MonthView;

// Redraws the calendar for the month of firstDay ("2026/12/01"): sets
// DisplayMonth and DaysInMonth, builds the month from the schedules, shows it,
// ticks the month in the jump menu (monthDrawn), places the today cursor and
// repaints the background. A stored TitleType outside 0 to 10 is reset to 0.
//
// A failure while reading the schedules does not end the program: the month
// is shown as far as it was built, the remaining steps still run, and the
// message is raised once through AppEvents::warningRaised. Returns that
// message, or "" when everything went well.
QString DrawCalendar(AppContext& context, MonthView& view, const QString& firstDay);

// Places or removes today's cursor for the month of firstDay; when that month
// is the current one, announces todayCursorPlaced so that the tray tip is
// refreshed. Returns the cell of the cursor, 0 for none.
int DrawTodayCursor(AppContext& context, MonthView& view, const QString& firstDay);

// Cell of the today cursor when the month of firstDay is shown, 0 when
// firstDay is not in today's month.
int TodayCursorCell(QDate firstDay, QDate today);

} // namespace morvane
