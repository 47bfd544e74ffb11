#pragma once

#include <cstddef>

// The sums of periodic terms behind the sun and moon longitudes. Kept apart
// from the astronomy because it is the one hot loop of the rokuyou: a call
// evaluates a few thousand terms.

namespace morvane {

struct PeriodicSeries
{
    const double* amplitude; // degrees
    const double* rate;      // degrees per Julian century
    const double* phase;     // degrees
    std::size_t size;        // at most kMaxPeriodicTerms
};

inline constexpr std::size_t kMaxPeriodicTerms = 64;

// Sum of amplitude * cos(radiansPerDegree * NormalizeAngle(rate * t + phase))
// over the terms, added in table order.
double SumPeriodicSeries(const PeriodicSeries& series, double t, double radiansPerDegree);

// The cosine the series use, within one unit in the last place of std::cos
// for arguments in [0, 2 pi]; any other argument goes to std::cos.
double SeriesCosine(double radians);

} // namespace morvane
