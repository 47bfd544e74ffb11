#pragma once

#include "calendar_math/LunisolarEvents.h"

#include <QDate>
#include <QString>
#include <QStringList>

// The rokuyou (先勝, 友引, 先負, 仏滅, 大安, 赤口) of a date, from the lunar
// month and day of the old Japanese lunisolar calendar as the published
// calendars give it: months begin on the day (JST) of the astronomical new
// moon, are numbered by the principal solar terms they hold, and a year of
// thirteen months from winter solstice to winter solstice takes a leap month
// (LunarYear.h). The instants come from series for the apparent longitudes
// of the sun and the moon (LunisolarEvents.h); the months of a lunar year
// are computed once per thread and kept.

namespace morvane {

// One of the six names, or "" for an invalid date or a year outside 1 to 9999.
QString GetRokuyou(QDate date);

// The six names in cycle order: (lunar month + lunar day - 2) mod 6 indexes it.
const QStringList& RokuyouNames();

// The lunar month (1 to 12) and day (from 1) of a date. A leap month carries
// the number of the month it repeats. month and day are 0 for an invalid date
// or a year outside 1 to 9999.
struct LunarDay
{
    int month = 0;
    int day = 0;
    bool leapMonth = false;
};
LunarDay GetLunarDay(QDate date);

} // namespace morvane
