#pragma once

#include "calendar_window/month/ScheduleFixture.h"
#include "context/AppContext.h"
#include "core/Clock.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleFields.h"
#include "editor/DayEditor.h"

#include <memory>

namespace morvane::test {

// A day editor over a fresh data file at Tuesday 8 December 2026, 14:20.
class EditorFixture
{
public:
    explicit EditorFixture(QDateTime now = QDateTime(QDate(2026, 12, 8), QTime(14, 20)))
        : clock(now), context(clock, QString())
    {
        context.MarkSymbols = StandardMarkSymbols();
        context.setDisplayMonth(now.date());
    }

    // Adds records, then opens the data file in the context.
    void open(std::initializer_list<Rec> records = {})
    {
        schedules.add(records);
        context.setDatabase(schedules.release());
    }

    Recordset& rs() { return context.database()->schedules(); }
    int count() { return rs().RecordCount(); }

    Value field(int position, const QString& name)
    {
        rs().SetAbsolutePosition(position);
        return rs().GetValue(name);
    }
    QString message(int position) { return field(position, schedule_fields::Message).toString(); }

    FixedClock clock;
    ScheduleFixture schedules; // its folder outlives the open data file
    AppContext context;
};

// One-date record with a text.
inline Rec On(QDate date, const QString& text, int type = 0)
{
    return Rec{type, date.year(), date.month(), date.day(), -1, -1, {}, {}, text};
}

} // namespace morvane::test
