#include "app/DateTick.h"

#include "calendar_window/month/DrawCalendar.h"
#include "context/AppContext.h"

namespace morvane {

void ScanAlarms(AppContext& context)
{
    emit context.events().alarmScanRequested();
}

bool DateTick(AppContext& context, MonthView& view, QDate& lastDate)
{
    const QDate today = context.clock().today();
    if (today == lastDate)
        return false;
    context.setDisplayMonth(today);
    DrawCalendar(context, view, context.DisplayMonth);
    context.LastDay = today.day();
    lastDate = today;
    ScanAlarms(context);
    emit context.events().dateChanged(today);
    return true;
}

} // namespace morvane
