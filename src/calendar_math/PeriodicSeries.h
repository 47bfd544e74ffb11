#pragma once

#include <cstddef>

// The sums of periodic terms behind the sun and moon longitudes. Kept apart
// from the astronomy because it is the one hot loop of the rokuyou: a call
// evaluates a few thousand terms.

namespace morvane {

// Terms are worked in blocks of this many, so each column is readable up to
// PaddedTermCount(size) entries; whatever stands past size is ignored.
inline constexpr std::size_t kTermBlock = 8;
inline constexpr std::size_t kMaxPeriodicTerms = 64;

constexpr std::size_t PaddedTermCount(std::size_t size)
{
    return (size + kTermBlock - 1) / kTermBlock * kTermBlock;
}

struct PeriodicSeries
{
    const double* amplitude; // degrees
    const double* rate;      // degrees per Julian century
    const double* phase;     // degrees
    std::size_t size;        // at most kMaxPeriodicTerms
};

// Sum of amplitude * cos(radiansPerDegree * NormalizeAngle(rate * t + phase))
// over the terms, added in table order.
double SumPeriodicSeries(const PeriodicSeries& series, double t, double radiansPerDegree);

// The cosine the series use, within one unit in the last place of std::cos
// for arguments in [0, 2 pi]; any other argument goes to std::cos.
double SeriesCosine(double radians);

} // namespace morvane
