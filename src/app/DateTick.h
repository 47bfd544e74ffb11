#pragma once

#include <QDate>

namespace morvane {

class AppContext;
class MonthView;

// The date part of the 5-second tick (AlarmWiring::Timer1_Timer runs the
// whole tick): on the first tick of a new day the calendar returns to the current month
// (cursor, tray tip and day icon follow), the alarms are scanned again and
// dateChanged is announced. Returns whether the date had changed.
//
// The whole date is compared, not only the day of the month, so a machine
// that wakes up a month later on the same day number still moves on.
bool DateTick(AppContext& context, MonthView& view, QDate& lastDate);

// Asks for today's alarm list to be rebuilt; the alarm wiring answers
// before this returns.
void ScanAlarms(AppContext& context);

} // namespace morvane
