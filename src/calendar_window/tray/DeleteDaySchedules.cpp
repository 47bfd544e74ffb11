#include "calendar_window/tray/DeleteDaySchedules.h"

#include "calendar_window/tray/DeleteQuestion.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/DayFilter.h"
#include "data/records/ScheduleFields.h"
#include "data/records/SchedulePattern.h"
#include "ui_toolkit/MsgBox.h"

namespace morvane {

int DeleteDaySchedules(Recordset& schedules, QDate date, QWidget* parent)
{
    const QString filter = BuildDayFilter(date, DayFilterForm::Short);
    int deleted = 0;
    schedules.FindFirst(filter);
    while (!schedules.NoMatch()) {
        // The question box lets timers run, and their searches move the
        // shared recordset: come back to this record before going on.
        const int position = schedules.AbsolutePosition();
        const QString question =
            DeleteQuestionText(ReadSchedulePattern(schedules),
                               schedules.GetValue(schedule_fields::Message).toString());
        const int answer = MsgBox(
            question, MsgBoxStyle::YesNo + MsgBoxStyle::Question + MsgBoxStyle::DefaultButton2,
            DeleteQuestionTitle, parent);
        schedules.SetAbsolutePosition(position);
        if (answer == MsgBoxResult::Yes) {
            schedules.Delete();
            ++deleted;
        }
        schedules.FindNext(filter);
    }
    return deleted;
}

} // namespace morvane
