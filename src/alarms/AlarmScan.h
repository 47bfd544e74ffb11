#pragma once

#include <QDate>
#include <functional>

namespace morvane {

class Recordset;
struct AlarmState;

// Rebuilds the alarm list from the schedule table in two passes: first the
// missed one-off alarms (a record with an alarm text whose own date has
// passed and that was never acknowledged), then today's candidates (today's
// rule, an alarm time, not acknowledged); both only on days the record's
// bounds allow (ScheduleBounds). Each entry keeps the record's
// position and id. Moves the current record of `schedules`.
//
// `yield` lets the windows breathe during a long first pass; it runs at most
// every `yieldEveryMilliseconds`. While the scan runs `state.scanning` is
// set so that the tick leaves the list alone. A scan asked for from inside
// `yield` (the table changed meanwhile) is not nested: the running scan
// starts over once it has finished. Engine errors reach the caller, with
// the list left as it was.
void ScanAlarms(AlarmState& state, Recordset& schedules, QDate today,
                const std::function<void()>& yield = {}, int yieldEveryMilliseconds = 30);

} // namespace morvane
