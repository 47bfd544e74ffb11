#include "calendar_math/PeriodicSeries.h"

#include <cmath>
#include <cstdint>

// The terms are independent until they are added, so the per-term work is a
// plain loop the compiler vectorises; its own cosine keeps that loop free of
// library calls. On x86-64 Linux a second copy is built for AVX-512 and
// chosen at load time. The file is compiled without floating-point
// contraction, so every copy computes the very same bits.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && defined(__ELF__)
#define MORVANE_SERIES_CLONES __attribute__((target_clones("arch=x86-64-v4", "default")))
#else
#define MORVANE_SERIES_CLONES
#endif

namespace morvane {

namespace {

// Beyond this many centuries the fast path's integer conversions could
// overflow; such times fall back to the library.
constexpr double kFastPathCenturies = 10000;

constexpr double kTwoOverPi = 6.36619772367581382433e-01;
// pi / 2 in two parts; the first has 33 significant bits, so multiples of it
// by small quadrant numbers are exact.
constexpr double kPiOver2Hi = 1.57079632673412561417e+00;
constexpr double kPiOver2Lo = 6.07710050650619224932e-11;

// Whole turns are counted with a multiplication rather than a division, the
// slowest step of the loop. The two can only disagree for an angle within a
// unit in the last place of a whole turn, and then both ways reduce it to
// the same point of the circle.
constexpr double kTurnsPerDegree = 1.0 / 360;

// floor for |x| < 2^31, branch-free so that the loop vectorises.
inline double SmallFloor(double x)
{
    const double truncated = static_cast<double>(static_cast<std::int32_t>(x));
    return truncated - (truncated > x ? 1.0 : 0.0);
}

// cos(x) for x in [-pi/4, 9 pi/4]: reduce to r in [-pi/4, pi/4] by quadrant,
// then near-minimax polynomials in r^2 (Chebyshev fits with errors below
// 1e-19 for cos r and 1e-17 for sin r / r).
inline double CosineKernel(double x)
{
    const std::int32_t quadrant = static_cast<std::int32_t>(x * kTwoOverPi + 0.5);
    const double n = quadrant;
    const double r = (x - n * kPiOver2Hi) - n * kPiOver2Lo;
    const double z = r * r;
    const double cosR =
        1.0 +
        z * (-0.5 +
             z * (0.04166666666666645 +
                  z * (-0.0013888888888861095 +
                       z * (2.4801587283881152e-05 +
                            z * (-2.7557313097790086e-07 +
                                 z * (2.0875582380663952e-09 + z * -1.1353379638297575e-11))))));
    const double sinR =
        r + r * z *
                (-0.16666666666666616 +
                 z * (0.008333333333320363 +
                      z * (-0.000198412698286503 +
                           z * (2.755731337640013e-06 +
                                z * (-2.5050716974102745e-08 + z * 1.5894736651849094e-10)))));
    // cos of quadrant 0..3: cos r, -sin r, -cos r, sin r.
    const double magnitude = (quadrant & 1) ? sinR : cosR;
    return ((quadrant + 1) & 2) ? -magnitude : magnitude;
}

double SumWithLibrary(const PeriodicSeries& series, double t, double radiansPerDegree)
{
    double sum = 0;
    for (std::size_t i = 0; i < series.size; ++i) {
        const double a = series.rate[i] * t + series.phase[i];
        sum += series.amplitude[i] * std::cos(radiansPerDegree * (a - 360 * std::floor(a / 360)));
    }
    return sum;
}

MORVANE_SERIES_CLONES
double SumFast(const double* amplitude, const double* rate, const double* phase, std::size_t size,
               double t, double radiansPerDegree)
{
    // Whole blocks, so the loop has no scalar remainder; the padding terms
    // are worked but never added.
    double values[kMaxPeriodicTerms];
    const std::size_t blocks = PaddedTermCount(size) / kTermBlock;
    for (std::size_t block = 0; block < blocks; ++block) {
        for (std::size_t j = 0; j < kTermBlock; ++j) {
            const std::size_t i = block * kTermBlock + j;
            const double a = rate[i] * t + phase[i];
            const double x = radiansPerDegree * (a - 360 * SmallFloor(a * kTurnsPerDegree));
            values[i] = amplitude[i] * CosineKernel(x);
        }
    }
    double sum = 0;
    for (std::size_t i = 0; i < size; ++i)
        sum += values[i];
    return sum;
}

MORVANE_SERIES_CLONES
double SumCombinationFast(const CombinationSeries& series,
                          const double (&arguments)[kCombinedArguments], double e,
                          double radiansPerDegree)
{
    double values[kMaxPeriodicTerms];
    const double* const m0 = series.multiplier[0];
    const double* const m1 = series.multiplier[1];
    const double* const m2 = series.multiplier[2];
    const double* const m3 = series.multiplier[3];
    const double e1 = e - 1;
    const std::size_t blocks = PaddedTermCount(series.size) / kTermBlock;
    for (std::size_t block = 0; block < blocks; ++block) {
        for (std::size_t j = 0; j < kTermBlock; ++j) {
            const std::size_t i = block * kTermBlock + j;
            const double a = m0[i] * arguments[0] + m1[i] * arguments[1] + m2[i] * arguments[2] +
                             m3[i] * arguments[3] + series.phase[i];
            const double x = radiansPerDegree * (a - 360 * SmallFloor(a * kTurnsPerDegree));
            // e^p for p in {0, 1, 2} without a branch.
            const double p = series.power[i];
            const double scale = 1 + p * e1 + p * (p - 1) * 0.5 * e1 * e1;
            values[i] = series.amplitude[i] * scale * CosineKernel(x);
        }
    }
    double sum = 0;
    for (std::size_t i = 0; i < series.size; ++i)
        sum += values[i];
    return sum;
}

} // namespace

double SumCombinationSeries(const CombinationSeries& series,
                            const double (&arguments)[kCombinedArguments], double e,
                            double radiansPerDegree)
{
    bool small = series.size <= kMaxPeriodicTerms;
    for (double argument : arguments)
        small = small && std::abs(argument) <= 360;
    if (small)
        return SumCombinationFast(series, arguments, e, radiansPerDegree);
    double sum = 0;
    for (std::size_t i = 0; i < series.size; ++i) {
        double a = series.phase[i];
        for (std::size_t j = 0; j < kCombinedArguments; ++j)
            a += series.multiplier[j][i] * arguments[j];
        const double p = series.power[i];
        const double scale = p == 0 ? 1 : p == 1 ? e : e * e;
        sum += series.amplitude[i] * scale *
               std::cos(radiansPerDegree * (a - 360 * std::floor(a / 360)));
    }
    return sum;
}

double SumPeriodicSeries(const PeriodicSeries& series, double t, double radiansPerDegree)
{
    if (series.size > kMaxPeriodicTerms || !(std::abs(t) <= kFastPathCenturies))
        return SumWithLibrary(series, t, radiansPerDegree);
    return SumFast(series.amplitude, series.rate, series.phase, series.size, t, radiansPerDegree);
}

double SeriesCosine(double radians)
{
    constexpr double kTwoPi = 6.283185307179586;
    if (!(radians >= 0 && radians <= kTwoPi))
        return std::cos(radians);
    return CosineKernel(radians);
}

} // namespace morvane
