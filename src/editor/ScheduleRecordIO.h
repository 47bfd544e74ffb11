#pragma once

#include "editor/ScheduleForm.h"

#include <QDate>
#include <QString>

namespace morvane {

class Recordset;

// Status panels 4 and 5 of the shown schedule.
struct ScheduleStatus
{
    QString dayCounter; // "今日", "あと3日", "13,149日経過"
    QString occasion;   // "36歳の誕生日", "10周年記念" or ""
};

// Loads the current record of a Schedule recordset into the panel for the
// day shown: the kind's rules first, then every stored value over them.
// A Type the kind list cannot show leaves the kind the panel shows.
ScheduleStatus LoadScheduleForm(const Recordset& schedules, QDate shown, QDate today,
                                ScheduleForm& form, PanelState& state);

// Writes the panel into the edit buffer of schedules (after Edit or AddNew)
// for the day shown. EngineError as SetValue raises it (FieldTooSmall for a
// text too long for Message); a refused value leaves the buffer as it was,
// so the caller cancels and nothing is written.
void WriteScheduleForm(Recordset& schedules, const ScheduleForm& form, QDate shown);

// The list row texts of the current record.
QString StoredDateLabel(const Recordset& schedules);

} // namespace morvane
