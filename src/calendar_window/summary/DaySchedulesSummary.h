#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace morvane {

class AppContext;
class Recordset;

// The day summaries read from the schedules: every search uses the full day
// filter and drops equinox-day holidays that do not fall on the date, so a
// computed equinox schedule counts and shows only on its day.

// Number of schedules falling on date.
int CountSchedulesOn(Recordset& schedules, QDate date);

// Their messages, in the order the search finds them.
QStringList ScheduleMessagesOn(Recordset& schedules, QDate date);

// Today's summary in layout tipType (TrayTipText), counted from the open
// database (0 schedules while none is open). The options window fills its
// list of layouts with it.
QString getToolTipTextByDate(AppContext& context, int tipType);

} // namespace morvane
