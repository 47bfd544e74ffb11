#pragma once

// The moon's place for the new moons: the geocentric longitude from the
// published truncation of the ELP-2000/82 lunar theory (its table of the
// largest periodic terms, with the terms for Venus, Jupiter and the Earth's
// flattening),
// referred to the mean equinox of date, light-time included. Within a few
// arc seconds (ten at worst) of the full theory over 1900 to 2100.
//
// Time arguments are Julian centuries of dynamical time (TT) from J2000.0.

namespace morvane {

// The moon's apparent longitude less the nutation, in degrees, [0, 360).
double MoonLongitudeOfMeanEquinox(double t);

} // namespace morvane
