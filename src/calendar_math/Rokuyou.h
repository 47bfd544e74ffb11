#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// The rokuyou (先勝, 友引, 先負, 仏滅, 大安, 赤口) of a date, from the lunar
// month and day of the old Japanese lunisolar calendar. The calendar around
// the date is rebuilt on every call from the instants of the principal solar
// terms and of the new moons, found by iterating truncated series for the
// apparent longitudes of the sun and the moon. Nothing is cached or tabulated
// by date.
//
// Day numbers ("tm") are Julian day numbers less one, so that 1970-01-01 is
// 2440587; an instant is a day number plus a fraction of a day, on Japan
// Standard Time (the series are evaluated 9 hours earlier, in universal time).

namespace morvane {

// One of the six names, or "" for an invalid date or a year outside 1 to 9999.
QString GetRokuyou(QDate date);

// The six names in cycle order: (lunar month + lunar day - 2) mod 6 indexes it.
const QStringList& RokuyouNames();

// The lunar month (1 to 12) and day (from 1) of a date. A leap month carries
// the number of the month it repeats. month and day are 0 for an invalid date
// or a year outside 1 to 9999. Each date is numbered within the months around
// the last solstice or equinox before it; where two such windows place the
// leap month differently (2033: a leap seventh month seen from the autumn, a
// leap eleventh from the winter) the numbering changes where they meet.
struct LunarDay
{
    int month = 0;
    int day = 0;
    bool leapMonth = false;
};
LunarDay GetLunarDay(QDate date);

// a - 360 * floor(a / 360), in [0, 360).
double NormalizeAngle(double a);

// Julian centuries from J2000.0 of the instant tm1 + tm2 (days, universal
// time fraction in tm2), the time argument of the two series below.
double JulianCenturies(double tm1, double tm2);

// Apparent longitudes in degrees, [0, 360), at t Julian centuries.
double SunLongitude(double t);
double MoonLongitude(double t);

// The instant at which the sun's longitude last reached a multiple of step
// degrees at or before the start of day tm, and that multiple.
struct SolarTerm
{
    double time = 0;
    int longitude = 0;
};
SolarTerm SolarTermTime(qint32 tm, int step);

// The instant of the new moon the iteration converges to from instant tm:
// normally the last one before tm, but the following one when that lies only
// a few days ahead (a small negative elongation is not turned round).
// GetRokuyou allows for that.
double NewMoonTime(double tm);

} // namespace morvane
