#pragma once

#include <QtGlobal>

// The two kinds of instant the old Japanese calendar is built from: the
// solar terms (the sun's apparent longitude reaching a multiple of 15 or 30
// degrees) and the new moons (the moon's apparent longitude equal to the
// sun's), found to a small fraction of a second of the series.
//
// Day numbers ("tm") are Julian day numbers less one, so that 1970-01-01 is
// 2440587; an instant is a day number plus a fraction of a day, on Japan
// Standard Time. The series run on dynamical time: an instant is turned into
// universal time (9 hours earlier) and then moved on by Delta T.

namespace morvane {

// a - 360 * floor(a / 360), in [0, 360).
double NormalizeAngle(double a);

// Julian centuries of dynamical time from J2000.0 at the universal-time
// instant tm1 + tm2 (a day number and a fraction, which may be negative),
// the time argument of the two longitudes below.
double JulianCenturies(double tm1, double tm2);

// Apparent longitudes in degrees, [0, 360), at t Julian centuries, each the
// true longitude of the mean equinox plus the nutation in longitude.
double SunLongitude(double t);
double MoonLongitude(double t);

// The instant (JST) at which the sun's apparent longitude reaches
// `longitude`, searched from a guess within a few weeks of it.
double SolarTermInstant(double longitude, double guess);

// The instant (JST) of the new moon nearest a guess within about ten days of
// it.
double NewMoonInstant(double guess);

// The instant at which the sun's longitude last reached a multiple of step
// degrees at or before the start of day tm, and that multiple.
struct SolarTerm
{
    double time = 0;
    int longitude = 0;
};
SolarTerm SolarTermTime(qint32 tm, int step);

// The new moon last before instant tm, or the next one when that lies only
// a few days ahead (an elongation short of a new moon by less than 40
// degrees counts as the coming new moon).
double NewMoonTime(double tm);

// The day number of an instant's date.
qint32 DayOf(double instant);

} // namespace morvane
