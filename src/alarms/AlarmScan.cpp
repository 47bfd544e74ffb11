#include "alarms/AlarmScan.h"

#include "alarms/AlarmRules.h"
#include "context/AlarmState.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleBounds.h"

#include <QElapsedTimer>

namespace morvane {

namespace {

const QString kHasAlarmText = QStringLiteral("Not([Alarm] = '' )");

class ScanGuard
{
public:
    explicit ScanGuard(AlarmState& state) : m_state(state) { m_state.scanning = true; }
    ~ScanGuard() { m_state.scanning = false; }
    ScanGuard(const ScanGuard&) = delete;
    ScanGuard& operator=(const ScanGuard&) = delete;

private:
    AlarmState& m_state;
};

AlarmEntry EntryOfCurrent(const Recordset& schedules)
{
    return AlarmEntry{schedules.AbsolutePosition(), schedules.RecordId()};
}

// Pass 1. False when the record the pass stood on vanished while events
// ran; the scan then starts over.
bool ListMissedOneOffs(std::vector<AlarmEntry>& list, Recordset& schedules, QDate today,
                       const std::function<void()>& yield, int yieldEvery)
{
    QElapsedTimer sinceYield;
    sinceYield.start();
    const AlarmFieldIndexes fields(schedules);
    const ScheduleBoundsReader bounds(schedules);
    schedules.FindFirst(kHasAlarmText);
    while (!schedules.NoMatch()) {
        const AlarmRecord record = ReadAlarmRecord(schedules, fields);
        if (!record.alarmFlag && DatePassed(record.pattern, today) &&
            MissedDayAllowed(record.pattern, bounds.read(schedules), today))
            list.push_back(EntryOfCurrent(schedules));
        if (yield && sinceYield.elapsed() >= yieldEvery) {
            const qint64 id = schedules.RecordId();
            yield();
            sinceYield.restart();
            // Whatever ran may have moved the shared recordset or changed
            // the table: go on from this record, wherever it is now.
            const int position = schedules.PositionOfRecordId(id);
            if (position < 0)
                return false;
            schedules.SetAbsolutePosition(position);
        }
        schedules.FindNext(kHasAlarmText);
    }
    return true;
}

// Pass 2.
void ListToday(std::vector<AlarmEntry>& list, Recordset& schedules, QDate today)
{
    const QString criterion = TodayAlarmCriterion(today);
    const AlarmFieldIndexes fields(schedules);
    const ScheduleBoundsReader bounds(schedules);
    schedules.FindFirst(criterion);
    while (!schedules.NoMatch()) {
        const AlarmRecord record = ReadAlarmRecord(schedules, fields);
        if (HasAlarmTime(record) && !record.alarmFlag && bounds.allows(schedules, today))
            list.push_back(EntryOfCurrent(schedules));
        schedules.FindNext(criterion);
    }
}

// Entries of pass 1 whose record moved while events ran follow it; entries
// of a record deleted meanwhile go.
void FollowMovedRecords(std::vector<AlarmEntry>& list, const Recordset& schedules)
{
    std::erase_if(list, [&schedules](AlarmEntry& entry) {
        if (schedules.RecordIdAt(entry.position) == entry.recordId)
            return false;
        entry.position = schedules.PositionOfRecordId(entry.recordId);
        return entry.position < 0;
    });
}

} // namespace

void ScanAlarms(AlarmState& state, Recordset& schedules, QDate today,
                const std::function<void()>& yield, int yieldEveryMilliseconds)
{
    if (state.scanning) {
        state.rescanPending = true;
        return;
    }
    ScanGuard guard(state);
    std::vector<AlarmEntry> list;
    do {
        state.rescanPending = false;
        list.clear();
        if (!ListMissedOneOffs(list, schedules, today, yield, yieldEveryMilliseconds)) {
            state.rescanPending = true;
            continue;
        }
        FollowMovedRecords(list, schedules);
        ListToday(list, schedules, today);
    } while (state.rescanPending);
    state.AlarmList = std::move(list);
}

} // namespace morvane
