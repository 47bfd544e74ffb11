#include "calendar_window/tray/DeleteDaySchedules.h"

#include "calendar_window/tray/DeleteQuestion.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/DayFilter.h"
#include "data/records/OneOffDate.h"
#include "data/records/ScheduleBounds.h"
#include "data/records/ScheduleFields.h"
#include "data/records/SchedulePattern.h"
#include "ui_toolkit/MsgBox.h"

#include <algorithm>

namespace morvane {

namespace {

enum class Removal
{
    Keep,
    SkipDay,
    Delete,
};

// Asks about the current record; a schedule of other days too may lose this
// day alone.
Removal AskAbout(const Recordset& schedules, QDate date, QWidget* parent)
{
    const SchedulePattern pattern = ReadSchedulePattern(schedules);
    const QString message = schedules.GetValue(schedule_fields::Message).toString();
    if (OneOffDate(pattern)) {
        const int answer =
            MsgBox(DeleteQuestionText(pattern, message),
                   MsgBoxStyle::YesNo + MsgBoxStyle::Question + MsgBoxStyle::DefaultButton2,
                   DeleteQuestionTitle, parent);
        return answer == MsgBoxResult::Yes ? Removal::Delete : Removal::Keep;
    }
    const int answer = MsgBox(
        DeleteRepeatingQuestionText(pattern, message, date),
        MsgBoxStyle::YesNoCancel + MsgBoxStyle::Question + MsgBoxStyle::DefaultButton3,
        DeleteQuestionTitle,
        {{MsgBoxResult::Yes, DeleteThisDayOnly}, {MsgBoxResult::No, DeleteEveryDay}}, parent);
    if (answer == MsgBoxResult::Yes)
        return Removal::SkipDay;
    return answer == MsgBoxResult::No ? Removal::Delete : Removal::Keep;
}

} // namespace

int DeleteDaySchedules(Recordset& schedules, QDate date, QWidget* parent)
{
    const QString filter = BuildDayFilter(date, DayFilterForm::Short);
    const ScheduleBoundsReader bounds(schedules);
    int deleted = 0;
    schedules.FindFirst(filter);
    while (!schedules.NoMatch()) {
        if (!bounds.allows(schedules, date)) {
            schedules.FindNext(filter);
            continue;
        }
        // The question box lets timers and other windows run: their searches
        // move the shared recordset and their deletions move positions. Come
        // back to this very record by its id before going on.
        const int position = schedules.AbsolutePosition();
        const qint64 id = schedules.RecordId();
        const Removal answer = AskAbout(schedules, date, parent);
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
        if (answer == Removal::Delete) {
            schedules.Delete();
            ++deleted;
        } else if (answer == Removal::SkipDay) {
            ScheduleBounds held = bounds.read(schedules);
            held.Skip(date);
            schedules.Edit();
            WriteScheduleBounds(schedules, held);
            schedules.Update();
            ++deleted;
        }
        schedules.FindNext(filter);
    }
    return deleted;
}

} // namespace morvane
