#pragma once

#include <cstddef>

// The sums of periodic terms behind the sun and moon longitudes. Kept apart
// from the astronomy because it is the one hot loop of the rokuyou: a lunar
// year evaluates tens of thousands of terms.

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

// A table's columns laid out for the series loop, padded to whole blocks
// with terms of no amplitude.
template <std::size_t N> struct PeriodicColumns
{
    static_assert(N <= kMaxPeriodicTerms);
    double amplitude[PaddedTermCount(N)]{};
    double rate[PaddedTermCount(N)]{};
    double phase[PaddedTermCount(N)]{};

    constexpr PeriodicSeries Series() const { return {amplitude, rate, phase, N}; }
};

// Sum of amplitude * cos(radiansPerDegree * NormalizeAngle(rate * t + phase))
// over the terms, added in table order.
double SumPeriodicSeries(const PeriodicSeries& series, double t, double radiansPerDegree);

// Terms whose argument is an integer combination of a few fundamental
// arguments (the lunar theory's D, M, M', F): amplitude * scale(power) *
// cos(radiansPerDegree * NormalizeAngle(sum_j multiplier[j] * argument[j] +
// phase)), where scale is 1, e or e * e for power 0, 1 or 2 (the lunar
// theory's eccentricity factor for terms in the sun's anomaly).
inline constexpr std::size_t kCombinedArguments = 4;

struct CombinationSeries
{
    const double* amplitude;                      // degrees
    const double* multiplier[kCombinedArguments]; // small whole numbers
    const double* phase;                          // degrees
    const double* power;                          // 0, 1 or 2
    std::size_t size;                             // at most kMaxPeriodicTerms
};

double SumCombinationSeries(const CombinationSeries& series,
                            const double (&arguments)[kCombinedArguments], double e,
                            double radiansPerDegree);

// The cosine the series use, within one unit in the last place of std::cos
// for arguments in [0, 2 pi]; any other argument goes to std::cos.
double SeriesCosine(double radians);

} // namespace morvane
