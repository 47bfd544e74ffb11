#include "alarms/AlarmTick.h"

#include "alarms/AlarmRules.h"
#include "alarms/AlarmSound.h"
#include "context/AppContext.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleDatabase.h"

#include <QDateTime>

namespace morvane {

namespace {

bool HoldsItsRecord(const AlarmEntry& entry, const Recordset& schedules)
{
    return schedules.RecordIdAt(entry.position) == entry.recordId;
}

// Drops the live entries whose position holds another record (or none).
// True when any was dropped.
bool DropStaleEntries(AlarmState& alarms, const Recordset& schedules)
{
    const auto dropped = std::erase_if(alarms.AlarmList, [&schedules](const AlarmEntry& entry) {
        return entry.live() && !HoldsItsRecord(entry, schedules);
    });
    return dropped > 0;
}

} // namespace

bool CheckDueAlarms(AppContext& context, AlarmSound& sound, bool alarmWindowVisible)
{
    return CheckDueAlarms(context, sound, alarmWindowVisible, context.clock().now());
}

bool CheckDueAlarms(AppContext& context, AlarmSound& sound, bool alarmWindowVisible,
                    const QDateTime& moment)
{
    AlarmState& alarms = context.alarms;
    ScheduleDatabase* database = context.database();
    if (alarmWindowVisible || alarms.scanning || !database)
        return false;
    Recordset& schedules = database->schedules();
    bool quiet = true;
    if (DropStaleEntries(alarms, schedules)) {
        emit context.events().alarmScanRequested();
        quiet = false;
    }

    const AlarmMoment now(moment);
    const AlarmFieldIndexes fields(schedules);
    for (std::size_t i = 0; i < alarms.AlarmList.size(); ++i) {
        const AlarmEntry entry = alarms.AlarmList[i];
        // Still checked one by one: without a scan connected the stale
        // entries stay dropped, and nothing may ring for another record.
        if (!entry.live() || !HoldsItsRecord(entry, schedules))
            continue;
        schedules.SetAbsolutePosition(entry.position);
        if (IsAlarmDue(ReadAlarmRecord(schedules, fields), now)) {
            alarms.AlarmIndex = int(i);
            RaiseAlarm(context, sound);
            quiet = false;
        }
    }
    return quiet;
}

void RaiseAlarm(AppContext& context, AlarmSound& sound)
{
    const Settings& settings = context.settings();
    AlarmState& alarms = context.alarms;
    if (settings.BeepFlg && !alarms.AlarmBeeped) {
        sound.beep();
        alarms.AlarmBeeped = true;
    }
    if (settings.SoundFlg && !alarms.AlarmSounded) {
        sound.play(settings.SoundFile);
        alarms.AlarmSounded = true;
    }
    if (settings.FlashIcon)
        emit context.events().alarmFlashRequested(true);
    else
        emit context.events().alarmMessageRaised();
}

} // namespace morvane
