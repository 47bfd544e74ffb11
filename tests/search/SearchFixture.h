#pragma once

#include "calendar_window/month/ScheduleFixture.h"

#include <QStringList>

namespace morvane::test {

// Schedule records by rule, each with the text a test looks for.
inline Rec DatedText(int year, int month, int day, const QString& text, int type = 0)
{
    return Rec{type, year, month, day, -1, -1, {}, {}, text};
}

inline Rec EveryYear(int month, int day, const QString& text, int type = 0)
{
    return Rec{type, 0, month, day, -1, -1, {}, {}, text};
}

inline Rec EveryMonth(int day, const QString& text, int year = 0)
{
    return Rec{0, year, 0, day, -1, -1, {}, {}, text};
}

// Week 0: every week; 1 to 5: the n-th weekday.
inline Rec WeekdayRule(int year, int month, int week, int weekday, const QString& text,
                       int type = 0)
{
    return Rec{type, year, month, -1, week, weekday, {}, {}, text};
}

inline Rec EquinoxHoliday(int month, const QString& text)
{
    return Rec{10, 0, month, {}, {}, {}, {}, {}, text};
}

} // namespace morvane::test
