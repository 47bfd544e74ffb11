#include "calendar_math/LunisolarEvents.h"

#include "calendar_math/DeltaT.h"
#include "calendar_math/MoonSeries.h"
#include "calendar_math/SunSeries.h"

#include <cmath>

namespace morvane {

namespace {

constexpr double kDegree = 3.14159265358979323846 / 180;
// Japan is 540 minutes ahead of universal time.
constexpr double kTimeZone = -540.0 / 1440.0;
constexpr double kJ2000 = 2451545;
constexpr double kCentury = 36525;
constexpr double kSecondsPerDay = 86400;
constexpr double kSynodicMonth = 29.530588853;

// The searches stop once a correction is below a hundredth of a second; each
// pass cuts the error a hundredfold or more, so four or five passes do. The
// cap only guarantees an end, far outside the years the series are made for.
constexpr double kSearchTolerance = 0.01 / kSecondsPerDay;
constexpr int kMaxSearchPasses = 20;

// The angle a - b brought into [-180, 180).
double SignedDifference(double a, double b)
{
    return NormalizeAngle(a - b + 180) - 180;
}

double CenturiesAt(double instant)
{
    const double day = std::floor(instant);
    return JulianCenturies(day, instant - day + kTimeZone);
}

// Rates of change in degrees per day, from the leading terms of the
// theories: close enough (a few parts in a thousand) for every search pass
// to gain two or three digits.
double MeanAnomalyOfSun(double t)
{
    return kDegree * (357.5291 + 35999.0503 * t);
}

double SunRate(double t)
{
    return 0.9856474 + 0.0329 * std::cos(MeanAnomalyOfSun(t));
}

double ElongationRate(double t)
{
    const double mp = kDegree * (134.9634 + 477198.8675 * t);
    const double d = kDegree * (297.8502 + 445267.1114 * t);
    return 12.1907487 + 1.4341 * std::cos(mp) + 0.2516 * std::cos(2 * d - mp) +
           0.2801 * std::cos(2 * d) + 0.0974 * std::cos(2 * mp) -
           0.0329 * std::cos(MeanAnomalyOfSun(t));
}

// The moon's lead over the sun; the nutation moves both alike and drops out.
double Elongation(double t)
{
    return MoonLongitudeOfMeanEquinox(t) - SunLongitudeOfMeanEquinox(t);
}

} // namespace

double NormalizeAngle(double a)
{
    return a - 360 * std::floor(a / 360);
}

double JulianCenturies(double tm1, double tm2)
{
    const double universal = (tm2 + 0.5) / kCentury + (tm1 - kJ2000) / kCentury;
    const double deltaT = DeltaTSeconds(2000 + universal * 100);
    return universal + deltaT / kSecondsPerDay / kCentury;
}

double SunLongitude(double t)
{
    return NormalizeAngle(SunLongitudeOfMeanEquinox(t) + NutationInLongitude(t));
}

double MoonLongitude(double t)
{
    return NormalizeAngle(MoonLongitudeOfMeanEquinox(t) + NutationInLongitude(t));
}

double SolarTermInstant(double longitude, double guess)
{
    double instant = guess;
    for (int pass = 0; pass < kMaxSearchPasses; ++pass) {
        const double t = CenturiesAt(instant);
        const double step = SignedDifference(SunLongitude(t), longitude) / SunRate(t);
        instant -= step;
        if (std::abs(step) < kSearchTolerance)
            break;
    }
    return instant;
}

double NewMoonInstant(double guess)
{
    double instant = guess;
    for (int pass = 0; pass < kMaxSearchPasses; ++pass) {
        const double t = CenturiesAt(instant);
        const double step = SignedDifference(Elongation(t), 0) / ElongationRate(t);
        instant -= step;
        if (std::abs(step) < kSearchTolerance)
            break;
    }
    return instant;
}

SolarTerm SolarTermTime(qint32 tm, int step)
{
    const double start = tm;
    const double longitude = SunLongitude(CenturiesAt(start));
    SolarTerm term;
    term.longitude = step * static_cast<int>(std::floor(longitude / step));
    const double behind = NormalizeAngle(longitude - term.longitude);
    term.time = SolarTermInstant(term.longitude, start - behind / 0.9856474);
    // A term reached just at midnight belongs to the day it starts.
    if (term.time > start)
        term.time = start;
    return term;
}

double NewMoonTime(double tm)
{
    const double elongation = NormalizeAngle(Elongation(CenturiesAt(tm)));
    const double mean = kSynodicMonth / 360;
    const double guess = elongation > 320 ? tm + (360 - elongation) * mean : tm - elongation * mean;
    return NewMoonInstant(guess);
}

qint32 DayOf(double instant)
{
    return static_cast<qint32>(std::floor(instant));
}

} // namespace morvane
