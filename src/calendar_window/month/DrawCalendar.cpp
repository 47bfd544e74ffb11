#include "calendar_window/month/DrawCalendar.h"

#include "calendar_math/WeekFunctions.h"
#include "calendar_window/month/MonthModel.h"
#include "calendar_window/month/MonthView.h"
#include "context/AppContext.h"
#include "data/records/ScheduleDatabase.h"

namespace morvane {

QString DrawCalendar(AppContext& context, MonthView& view, const QString& firstDay)
{
    const QDate date = ParseDateText(firstDay);
    if (!date.isValid()) {
        const QString message = QStringLiteral(u"日付「%1」を表示できません。").arg(firstDay);
        emit context.events().warningRaised(message);
        return message;
    }
    const QDate first(date.year(), date.month(), 1);
    context.DisplayMonth = firstDay;
    context.DaysInMonth = CalcDaysInMonth(first);

    Settings& settings = context.settings();
    if (!IsValidTitleType(settings.TitleType))
        settings.TitleType = 0;

    QString error;
    ScheduleDatabase* database = context.database();
    const MonthModel model =
        BuildMonthModel(first, settings, database ? &database->schedules() : nullptr,
                        context.clock().now(), context.MarkSymbols, &error);

    // The start-up window's bar continues from the window load (0 to 70).
    for (int cell = 7; cell <= LastCell; cell += 7)
        emit context.events().startupProgress(cell * 30 / 49 + 70);

    view.setTitleClock(false);
    view.showMonth(model);
    view.setTitleClock(model.titleClockRunning);

    if (!error.isEmpty())
        emit context.events().warningRaised(error);

    emit context.events().monthDrawn(first);
    DrawTodayCursor(context, view, FirstDayText(first));
    view.paintCalendarBackground();
    return error;
}

int TodayCursorCell(QDate firstDay, QDate today)
{
    if (!firstDay.isValid() || !today.isValid() || firstDay.year() != today.year() ||
        firstDay.month() != today.month())
        return 0;
    return WeekdayNumber(QDate(today.year(), today.month(), 1)) + today.day() + 6;
}

int DrawTodayCursor(AppContext& context, MonthView& view, const QString& firstDay)
{
    const QDate today = context.clock().today();
    const int cell = TodayCursorCell(ParseDateText(firstDay), today);
    view.showTodayCursor(cell);
    if (cell != 0)
        emit context.events().todayCursorPlaced(today);
    return cell;
}

} // namespace morvane
