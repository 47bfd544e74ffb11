#pragma once

class QDateTime;

namespace morvane {

class AlarmSound;
class AppContext;

// The alarm part of the 5-second tick. Does nothing while the alarm window
// is visible or a scan is under way. Otherwise every live entry of the
// alarm list whose record is due now is raised, in list order, with
// AlarmIndex naming it; AlarmIndex ends at the last one raised.
//
// An entry whose position no longer holds its record (the table changed
// without a rescan) is dropped and the list is rescanned
// (alarmScanRequested) before anything rings, so an alarm never rings for
// a record it was not made for. Engine errors reach the caller.
//
// Returns whether the whole list was looked at and nothing rang: until the
// minute, the date or the list changes, another look would find the same.
bool CheckDueAlarms(AppContext& context, AlarmSound& sound, bool alarmWindowVisible);
bool CheckDueAlarms(AppContext& context, AlarmSound& sound, bool alarmWindowVisible,
                    const QDateTime& now);

// Raises the alarm of entry AlarmIndex: the beep and the sound file at most
// once until the alarm window is next activated, then the tray flasher
// (FlashIcon) or the alarm window at once.
void RaiseAlarm(AppContext& context, AlarmSound& sound);

} // namespace morvane
