#pragma once

#include <QtGlobal>
#include <vector>

namespace morvane {

// One candidate of today's alarm list: the record's position in the
// schedule recordset, as the tick and the alarm window address it, and the
// record's id, which tells whether that position still holds the record
// the entry was made for.
struct AlarmEntry
{
    int position = -1; // -1 once the alarm was acknowledged
    qint64 recordId = 0;

    bool live() const { return position != -1; }
    friend bool operator==(const AlarmEntry&, const AlarmEntry&) = default;
};

// Today's alarms and their flags, shared by the scan, the tick, the alarm
// window and the editor.
struct AlarmState
{
    std::vector<AlarmEntry> AlarmList;
    // Index in AlarmList of the alarm raised last; the alarm window works on it.
    int AlarmIndex = 0;
    // The beep / the sound file was given since the alarm window was last
    // activated.
    bool AlarmBeeped = false;
    bool AlarmSounded = false;
    // A scan is between two finds: the tick leaves the list alone.
    bool scanning = false;
    // The table changed while a scan let events run: that scan starts over
    // when it is done, instead of a second one running inside it.
    bool rescanPending = false;

    // Upper bound of the list; -1 when it is empty.
    int AlarmListMax() const { return int(AlarmList.size()) - 1; }

    // The record at position was deleted: its entries are spent and the
    // entries of later records move down with them, so no rescan is needed.
    void recordDeleted(int position)
    {
        for (AlarmEntry& entry : AlarmList) {
            if (entry.position == position)
                entry.position = -1;
            else if (entry.position > position)
                --entry.position;
        }
    }
};

} // namespace morvane
