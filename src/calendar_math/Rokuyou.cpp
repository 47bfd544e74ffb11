#include "calendar_math/Rokuyou.h"

#include "calendar_math/LunarYear.h"

namespace morvane {

namespace {

// Day number of 1970-01-01 (one less than its Julian day number).
constexpr qint64 kUnixEpochDay = 2440587;

} // namespace

const QStringList& RokuyouNames()
{
    static const QStringList names = {QStringLiteral("先勝"), QStringLiteral("友引"),
                                      QStringLiteral("先負"), QStringLiteral("仏滅"),
                                      QStringLiteral("大安"), QStringLiteral("赤口")};
    return names;
}

LunarDay GetLunarDay(QDate date)
{
    if (!date.isValid() || date.year() < 1 || date.year() > 9999)
        return {};
    const qint32 day = static_cast<qint32>(kUnixEpochDay + QDate(1970, 1, 1).daysTo(date));

    // The lunar year opened by this December's solstice, or else last
    // December's.
    const LunarYear* year = &CachedLunarYear(date.year());
    if (day < year->firstDay[0])
        year = &CachedLunarYear(date.year() - 1);
    if (!year->Contains(day))
        return {};

    int k = 0;
    while (k + 1 < year->monthCount && day >= year->firstDay[k + 1])
        ++k;
    LunarDay result;
    result.month = year->number[k];
    result.day = static_cast<int>(day - year->firstDay[k]) + 1;
    result.leapMonth = k == year->leapIndex;
    return result;
}

QString GetRokuyou(QDate date)
{
    const LunarDay lunar = GetLunarDay(date);
    if (lunar.month == 0)
        return {};
    const int index = ((lunar.month + lunar.day - 2) % 6 + 6) % 6;
    return RokuyouNames().at(index);
}

} // namespace morvane
