#pragma once

// The sun's place for the solar terms: the Earth's heliocentric longitude
// and distance from the truncated VSOP87 planetary theory (series D, referred
// to the mean ecliptic and equinox of date), turned round to the geocentric
// sun, moved to the FK5 frame and corrected for aberration. Within an arc
// second of the full theory over 1900 to 2100.
//
// Time arguments are Julian centuries of dynamical time (TT) from J2000.0.

namespace morvane {

// The sun's apparent longitude less the nutation, in degrees, [0, 360).
double SunLongitudeOfMeanEquinox(double t);

// The nutation in longitude, in degrees, from the largest terms of the 1980
// IAU theory (within 0.05 arc seconds of all of it).
double NutationInLongitude(double t);

} // namespace morvane
