#include "calendar_math/MoonSeries.h"

#include "calendar_math/PeriodicSeries.h"

#include <array>
#include <cmath>
#include <cstdlib>

namespace morvane {

namespace {

constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180;

// One periodic term of the longitude: amplitude (1e-6 degrees) * sin(d D +
// m M + m' M' + f F), multiplied by E^|m| for the decreasing eccentricity of
// the Earth's orbit.
struct LunarTerm
{
    int d, m, mp, f;
    double amplitude;
};

constexpr std::array<LunarTerm, 59> kLongitudeTerms = {{
    {0, 0, 1, 0, 6288774}, {2, 0, -1, 0, 1274027}, {2, 0, 0, 0, 658314},  {0, 0, 2, 0, 213618},
    {0, 1, 0, 0, -185116}, {0, 0, 0, 2, -114332},  {2, 0, -2, 0, 58793},  {2, -1, -1, 0, 57066},
    {2, 0, 1, 0, 53322},   {2, -1, 0, 0, 45758},   {0, 1, -1, 0, -40923}, {1, 0, 0, 0, -34720},
    {0, 1, 1, 0, -30383},  {2, 0, 0, -2, 15327},   {0, 0, 1, 2, -12528},  {0, 0, 1, -2, 10980},
    {4, 0, -1, 0, 10675},  {0, 0, 3, 0, 10034},    {4, 0, -2, 0, 8548},   {2, 1, -1, 0, -7888},
    {2, 1, 0, 0, -6766},   {1, 0, -1, 0, -5163},   {1, 1, 0, 0, 4987},    {2, -1, 1, 0, 4036},
    {2, 0, 2, 0, 3994},    {4, 0, 0, 0, 3861},     {2, 0, -3, 0, 3665},   {0, 1, -2, 0, -2689},
    {2, 0, -1, 2, -2602},  {2, -1, -2, 0, 2390},   {1, 0, 1, 0, -2348},   {2, -2, 0, 0, 2236},
    {0, 1, 2, 0, -2120},   {0, 2, 0, 0, -2069},    {2, -2, -1, 0, 2048},  {2, 0, 1, -2, -1773},
    {2, 0, 0, 2, -1595},   {4, -1, -1, 0, 1215},   {0, 0, 2, 2, -1110},   {3, 0, -1, 0, -892},
    {2, 1, 1, 0, -810},    {4, -1, -2, 0, 759},    {0, 2, -1, 0, -713},   {2, 2, -1, 0, -700},
    {2, 1, -2, 0, 691},    {2, -1, 0, -2, 596},    {4, 0, 1, 0, 549},     {0, 0, 4, 0, 537},
    {4, -1, 0, 0, 520},    {1, 0, -2, 0, -487},    {2, 1, 0, -2, -399},   {0, 0, 2, -2, -381},
    {1, 1, 1, 0, 351},     {3, 0, -2, 0, -340},    {4, 0, -3, 0, 330},    {2, -1, 2, 0, 327},
    {0, 2, 1, 0, -323},    {1, 1, -1, 0, 299},     {2, 0, 3, 0, 294},
}};

struct LunarColumns
{
    static constexpr std::size_t kSize = kLongitudeTerms.size();
    double amplitude[PaddedTermCount(kSize)]{};
    double multiplier[kCombinedArguments][PaddedTermCount(kSize)]{};
    double phase[PaddedTermCount(kSize)]{};
    double power[PaddedTermCount(kSize)]{};

    CombinationSeries Series() const
    {
        return {amplitude,
                {multiplier[0], multiplier[1], multiplier[2], multiplier[3]},
                phase,
                power,
                kSize};
    }
};

constexpr LunarColumns MakeColumns()
{
    LunarColumns columns;
    for (std::size_t i = 0; i < LunarColumns::kSize; ++i) {
        const LunarTerm& term = kLongitudeTerms[i];
        columns.amplitude[i] = term.amplitude * 1e-6;
        columns.multiplier[0][i] = term.d;
        columns.multiplier[1][i] = term.m;
        columns.multiplier[2][i] = term.mp;
        columns.multiplier[3][i] = term.f;
        // sin x = cos(x - 90 degrees)
        columns.phase[i] = -90;
        columns.power[i] = term.m < 0 ? -term.m : term.m;
    }
    return columns;
}

constexpr LunarColumns kColumns = MakeColumns();

double Reduce(double degrees)
{
    return degrees - 360 * std::floor(degrees / 360);
}

} // namespace

double MoonLongitudeOfMeanEquinox(double t)
{
    const double t2 = t * t;
    const double t3 = t2 * t;
    const double t4 = t3 * t;
    // Mean longitude (light-time included), mean elongation, the sun's and
    // the moon's mean anomalies and the argument of latitude.
    const double meanLongitude =
        Reduce(218.3164477 + 481267.88123421 * t - 0.0015786 * t2 + t3 / 538841 - t4 / 65194000);
    const double d =
        Reduce(297.8501921 + 445267.1114034 * t - 0.0018819 * t2 + t3 / 545868 - t4 / 113065000);
    const double m = Reduce(357.5291092 + 35999.0502909 * t - 0.0001536 * t2 + t3 / 24490000);
    const double mp =
        Reduce(134.9633964 + 477198.8675055 * t + 0.0087414 * t2 + t3 / 69699 - t4 / 14712000);
    const double f =
        Reduce(93.2720950 + 483202.0175233 * t - 0.0036539 * t2 - t3 / 3526000 + t4 / 863310000);
    const double e = 1 - 0.002516 * t - 0.0000074 * t2;

    const double arguments[kCombinedArguments] = {d, m, mp, f};
    double sum = SumCombinationSeries(kColumns.Series(), arguments, e, kRadiansPerDegree);
    // Venus (A1), Jupiter (A2) and the Earth's flattening.
    const double a1 = 119.75 + 131.849 * t;
    const double a2 = 53.09 + 479264.290 * t;
    sum += 1e-6 * (3958 * std::sin(kRadiansPerDegree * Reduce(a1)) +
                   1962 * std::sin(kRadiansPerDegree * Reduce(meanLongitude - f)) +
                   318 * std::sin(kRadiansPerDegree * Reduce(a2)));
    return Reduce(meanLongitude + sum);
}

} // namespace morvane
