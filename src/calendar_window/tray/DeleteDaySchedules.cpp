#include "calendar_window/tray/DeleteDaySchedules.h"

#include "calendar_window/tray/DeleteQuestion.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/DayFilter.h"
#include "data/records/ScheduleFields.h"
#include "data/records/SchedulePattern.h"
#include "ui_toolkit/MsgBox.h"

#include <algorithm>

namespace morvane {

int DeleteDaySchedules(Recordset& schedules, QDate date, QWidget* parent)
{
    const QString filter = BuildDayFilter(date, DayFilterForm::Short);
    int deleted = 0;
    schedules.FindFirst(filter);
    while (!schedules.NoMatch()) {
        // The question box lets timers and other windows run: their searches
        // move the shared recordset and their deletions move positions. Come
        // back to this very record by its id before going on.
        const int position = schedules.AbsolutePosition();
        const qint64 id = schedules.RecordId();
        const QString question =
            DeleteQuestionText(ReadSchedulePattern(schedules),
                               schedules.GetValue(schedule_fields::Message).toString());
        const int answer = MsgBox(
            question, MsgBoxStyle::YesNo + MsgBoxStyle::Question + MsgBoxStyle::DefaultButton2,
            DeleteQuestionTitle, parent);
        const int now = schedules.PositionOfRecordId(id);
        if (now < 0) {
            // Deleted meanwhile: go on from the record before its old place.
            const int before = std::min(position, schedules.RecordCount()) - 1;
            if (before < 0) {
                schedules.FindFirst(filter);
            } else {
                schedules.SetAbsolutePosition(before);
                schedules.FindNext(filter);
            }
            continue;
        }
        schedules.SetAbsolutePosition(now);
        if (answer == MsgBoxResult::Yes) {
            schedules.Delete();
            ++deleted;
        }
        schedules.FindNext(filter);
    }
    return deleted;
}

} // namespace morvane
