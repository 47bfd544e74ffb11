#include "calendar_math/DeltaT.h"

#include <array>

namespace morvane {

namespace {

// The long-term trend of the Earth's slowing rotation, used far from the
// years with observations.
double LongTermParabola(double year)
{
    const double u = (year - 1820) / 100;
    return -20 + 32 * u * u;
}

// Observed yearly means since 2005 (the polynomial fitted up to then runs
// ahead of what the Earth did afterwards), then a straight approach to the
// long-term expression that takes over in 2050.
struct DeltaTPoint
{
    double year;
    double seconds;
};
constexpr std::array<DeltaTPoint, 6> kRecent = {{
    {2005, 64.69},
    {2010, 66.07},
    {2015, 67.64},
    {2020, 69.36},
    {2025, 69.2},
    {2050, 93.0},
}};

} // namespace

double DeltaTSeconds(double year)
{
    // Polynomial fits to the observed values (Espenak and Meeus).
    if (year < 1800)
        return LongTermParabola(year);
    if (year < 1860) {
        const double t = year - 1800;
        return 13.72 +
               t * (-0.332447 +
                    t * (0.0068612 +
                         t * (0.0041116 +
                              t * (-0.00037436 + t * (0.0000121272 +
                                                      t * (-0.0000001699 + t * 0.000000000875))))));
    }
    if (year < 1900) {
        const double t = year - 1860;
        return 7.62 +
               t * (0.5737 + t * (-0.251754 + t * (0.01680668 + t * (-0.0004473624 + t / 233174))));
    }
    if (year < 1920) {
        const double t = year - 1900;
        return -2.79 + t * (1.494119 + t * (-0.0598939 + t * (0.0061966 + t * -0.000197)));
    }
    if (year < 1941) {
        const double t = year - 1920;
        return 21.20 + t * (0.84493 + t * (-0.076100 + t * 0.0020936));
    }
    if (year < 1961) {
        const double t = year - 1950;
        return 29.07 + t * (0.407 + t * (-1.0 / 233 + t / 2547));
    }
    if (year < 1986) {
        const double t = year - 1975;
        return 45.45 + t * (1.067 + t * (-1.0 / 260 - t / 718));
    }
    if (year < kRecent.front().year) {
        const double t = year - 2000;
        return 63.86 + t * (0.3345 + t * (-0.060374 +
                                          t * (0.0017275 + t * (0.000651814 + t * 0.00002373599))));
    }
    for (std::size_t i = 1; i < kRecent.size(); ++i) {
        if (year < kRecent[i].year) {
            const DeltaTPoint& a = kRecent[i - 1];
            const DeltaTPoint& b = kRecent[i];
            return a.seconds + (b.seconds - a.seconds) * (year - a.year) / (b.year - a.year);
        }
    }
    if (year < 2150)
        return LongTermParabola(year) - 0.5628 * (2150 - year);
    return LongTermParabola(year);
}

} // namespace morvane
