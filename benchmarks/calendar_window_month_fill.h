#pragma once

// Schedules for the month benchmarks: every pattern the month pass tells
// apart (dates, every week, n-th weekdays; with and without a mark), in one
// batch.

#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleDatabase.h"
#include "data/records/ScheduleFields.h"

#include <QDate>
#include <QString>

namespace morvane::bench {

// count records; with a valid month every one of them falls on that month
// (its year or every year, its month or every month), otherwise they are
// spread over sixty years and all months.
inline void FillSchedules(ScheduleDatabase& database, int count, QDate month)
{
    namespace f = schedule_fields;
    Recordset& rs = database.schedules();
    database.database().BeginTrans();
    for (int i = 0; i < count; ++i) {
        rs.AddNew();
        const int pattern = i % 5;
        const int year = month.isValid() ? (i % 2 ? month.year() : 0) : 1990 + i % 60;
        const int monthNumber = month.isValid() ? (i % 3 ? month.month() : 0) : 1 + i % 12;
        rs.SetValue(f::Type, Value(i % 7 == 0 ? 1 : 0));
        rs.SetValue(f::Year, Value(year));
        rs.SetValue(f::Month, Value(monthNumber));
        if (pattern < 3) {
            rs.SetValue(f::Day, Value(1 + i % 31));
            rs.SetValue(f::Week, Value(-1));
            rs.SetValue(f::DayOfTheWeek, Value(-1));
        } else {
            rs.SetValue(f::Day, Value(-1));
            rs.SetValue(f::Week, Value(pattern == 3 ? 0 : 1 + i % 5));
            rs.SetValue(f::DayOfTheWeek, Value(1 + i % 7));
        }
        rs.SetValue(f::Color, Value(9 + i % 7));
        if (i % 2)
            rs.SetValue(f::Mark, Value(i % 15));
        rs.SetValue(f::Message, Value(QStringLiteral(u"予定 %1").arg(i)));
        rs.Update();
    }
    database.database().CommitTrans();
}

} // namespace morvane::bench
