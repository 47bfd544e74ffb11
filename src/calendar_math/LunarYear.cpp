#include "calendar_math/LunarYear.h"

#include "calendar_math/LunisolarEvents.h"

namespace morvane {

namespace {

constexpr double kSynodicMonth = 29.530588853;
constexpr double kTropicalYear = 365.2422;
constexpr int kWinterSolstice = 270;
// 1999-12-22, near the winter solstice of 1999 (2451533 is 1999-12-21).
constexpr double kSolsticeNear1999 = 2451534;

// A few hundred bytes a year: two centuries fit without one year pushing out
// another.
constexpr int kCachedYears = 256;

double WinterSolstice(int year)
{
    return SolarTermInstant(kWinterSolstice, kSolsticeNear1999 + (year - 1999) * kTropicalYear);
}

// The new moon that opens the month holding the day of `instant`.
double NewMoonOnOrBeforeDay(double instant)
{
    double moon = NewMoonTime(instant);
    if (moon > instant)
        moon = NewMoonInstant(moon - kSynodicMonth);
    const double next = NewMoonInstant(moon + kSynodicMonth);
    return DayOf(next) <= DayOf(instant) ? next : moon;
}

// Which month of a thirteen-month year is the leap month: the first that
// holds no principal term (the month of the solstice always holds one).
int FirstMonthWithoutPrincipalTerm(const LunarYear& year, double solstice)
{
    std::array<qint32, 11> termDays{};
    for (int k = 1; k <= 11; ++k) {
        const double longitude = NormalizeAngle(kWinterSolstice + 30.0 * k);
        termDays[k - 1] = DayOf(SolarTermInstant(longitude, solstice + k * kTropicalYear / 12));
    }
    for (int i = 1; i < year.monthCount; ++i) {
        bool holdsTerm = false;
        for (qint32 day : termDays)
            holdsTerm = holdsTerm || (day >= year.firstDay[i] && day < year.firstDay[i + 1]);
        if (!holdsTerm)
            return i;
    }
    return -1;
}

} // namespace

LunarYear BuildLunarYear(int winterYear)
{
    LunarYear year;
    year.winterYear = winterYear;
    const double solstice = WinterSolstice(winterYear);
    const qint32 nextSolsticeDay = DayOf(WinterSolstice(winterYear + 1));

    double moon = NewMoonOnOrBeforeDay(solstice);
    year.firstDay[0] = DayOf(moon);
    int count = 0;
    while (count < LunarYear::kMaxMonths) {
        const double next = NewMoonInstant(moon + kSynodicMonth);
        if (DayOf(next) > nextSolsticeDay)
            break;
        year.firstDay[++count] = DayOf(next);
        moon = next;
    }
    year.monthCount = count;

    // The traditional rule names each month by the principal term it holds
    // and makes a month without one a leap month. Now and then a month holds
    // two terms, and that rule can no longer number the months: the first
    // time since the rule was made is 2033, where it would want a leap
    // seventh month and skip the tenth. The calendar makers settled that a
    // leap month goes only into a year of thirteen months from solstice to
    // solstice, the first month there without a principal term (so 2033 has
    // a leap eleventh month, 閏11月, from 22 December); a year of twelve
    // months has none, whatever its months hold. Everywhere else this agrees
    // with the traditional rule.
    if (year.monthCount == LunarYear::kMaxMonths)
        year.leapIndex = FirstMonthWithoutPrincipalTerm(year, solstice);

    year.number[0] = 11;
    for (int i = 1; i < year.monthCount; ++i)
        year.number[i] = i == year.leapIndex ? year.number[i - 1] : year.number[i - 1] % 12 + 1;
    return year;
}

const LunarYear& CachedLunarYear(int winterYear)
{
    // One table per thread, so callers on any thread need no lock; a year's
    // slot is fixed by its number, so the table never grows.
    thread_local std::array<LunarYear, kCachedYears> cache{};
    LunarYear& slot = cache[static_cast<std::size_t>(((winterYear % kCachedYears) + kCachedYears) %
                                                     kCachedYears)];
    if (slot.monthCount == 0 || slot.winterYear != winterYear)
        slot = BuildLunarYear(winterYear);
    return slot;
}

} // namespace morvane
