#pragma once

#include <QDate>

namespace morvane {

class AppContext;
class MonthView;

// The 5-second tick of the running program. For now it watches the date:
// on the first tick of a new day the calendar returns to the current month
// (cursor, tray tip and day icon follow), the alarms are scanned again and
// dateChanged is announced. Returns whether the date had changed.
//
// The whole date is compared, not only the day of the month, so a machine
// that wakes up a month later on the same day number still moves on.
bool DateTick(AppContext& context, MonthView& view, QDate& lastDate);

// Rebuilds today's alarm list. Nothing listens before the alarm subsystem
// exists.
void ScanAlarms(AppContext& context);

} // namespace morvane
