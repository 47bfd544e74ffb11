#include "calendar_window/summary/DaySchedulesSummary.h"

#include "calendar_window/summary/TrayTipText.h"
#include "context/AppContext.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/DaySchedules.h"
#include "data/records/ScheduleDatabase.h"
#include "data/records/ScheduleFields.h"

namespace morvane {

int CountSchedulesOn(Recordset& schedules, QDate date)
{
    return int(FindSchedulesOn(schedules, date, DayFilterForm::Full).size());
}

QStringList ScheduleMessagesOn(Recordset& schedules, QDate date)
{
    QStringList messages;
    for (const int position : FindSchedulesOn(schedules, date, DayFilterForm::Full)) {
        schedules.SetAbsolutePosition(position);
        messages.append(schedules.GetValue(schedule_fields::Message).toString());
    }
    return messages;
}

QString getToolTipTextByDate(AppContext& context, int tipType)
{
    const QDate today = context.clock().today();
    ScheduleDatabase* database = context.database();
    const int count = database ? CountSchedulesOn(database->schedules(), today) : 0;
    return TrayTipText(tipType, today, count);
}

} // namespace morvane
