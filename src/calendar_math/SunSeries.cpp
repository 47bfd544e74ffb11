#include "calendar_math/SunSeries.h"

#include "calendar_math/PeriodicSeries.h"

#include <array>
#include <cmath>

namespace morvane {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegreesPerRadian = 180 / kPi;
constexpr double kRadiansPerDegree = kPi / 180;
constexpr double kArcSecond = 1.0 / 3600;

// One term of the planetary theory: A cos(B + C tau), A in units of 1e-8
// (radians for the longitude, astronomical units for the distance), B in
// radians, C in radians per Julian millennium.
struct VsopTerm
{
    double a;
    double b;
    double c;
};

// The Earth's longitude, VSOP87D truncated as in the standard published
// abridgement: L = (L0 + L1 tau + ... + L5 tau^5) * 1e-8 radians.
constexpr std::array<VsopTerm, 64> kL0 = {{
    {175347046, 0, 0},
    {3341656, 4.6692568, 6283.0758500},
    {34894, 4.62610, 12566.15170},
    {3497, 2.7441, 5753.3849},
    {3418, 2.8289, 3.5231},
    {3136, 3.6277, 77713.7715},
    {2676, 4.4181, 7860.4194},
    {2343, 6.1352, 3930.2097},
    {1324, 0.7425, 11506.7698},
    {1273, 2.0371, 529.6910},
    {1199, 1.1096, 1577.3435},
    {990, 5.233, 5884.927},
    {902, 2.045, 26.298},
    {857, 3.508, 398.149},
    {780, 1.179, 5223.694},
    {753, 2.533, 5507.553},
    {505, 4.583, 18849.228},
    {492, 4.205, 775.523},
    {357, 2.920, 0.067},
    {317, 5.849, 11790.629},
    {284, 1.899, 796.298},
    {271, 0.315, 10977.079},
    {243, 0.345, 5486.778},
    {206, 4.806, 2544.314},
    {205, 1.869, 5573.143},
    {202, 2.458, 6069.777},
    {156, 0.833, 213.299},
    {132, 3.411, 2942.463},
    {126, 1.083, 20.775},
    {115, 0.645, 0.980},
    {103, 0.636, 4694.003},
    {102, 0.976, 15720.839},
    {102, 4.267, 7.114},
    {99, 6.21, 2146.17},
    {98, 0.68, 155.42},
    {86, 5.98, 161000.69},
    {85, 1.30, 6275.96},
    {85, 3.67, 71430.70},
    {80, 1.81, 17260.15},
    {79, 3.04, 12036.46},
    {75, 1.76, 5088.63},
    {74, 3.50, 3154.69},
    {74, 4.68, 801.82},
    {70, 0.83, 9437.76},
    {62, 3.98, 8827.39},
    {61, 1.82, 7084.90},
    {57, 2.78, 6286.60},
    {56, 4.39, 14143.50},
    {56, 3.47, 6279.55},
    {52, 0.19, 12139.55},
    {52, 1.33, 1748.02},
    {51, 0.28, 5856.48},
    {49, 0.49, 1194.45},
    {41, 5.37, 8429.24},
    {41, 2.40, 19651.05},
    {39, 6.17, 10447.39},
    {37, 6.04, 10213.29},
    {37, 2.57, 1059.38},
    {36, 1.71, 2352.87},
    {36, 1.78, 6812.77},
    {33, 0.59, 17789.85},
    {30, 0.44, 83996.85},
    {30, 2.74, 1349.87},
    {25, 3.16, 4690.48},
}};

constexpr std::array<VsopTerm, 34> kL1 = {{
    {628331966747.0, 0, 0},     {206059, 2.678235, 6283.075850},
    {4303, 2.6351, 12566.1517}, {425, 1.590, 3.523},
    {119, 5.796, 26.298},       {109, 2.966, 1577.344},
    {93, 2.59, 18849.23},       {72, 1.14, 529.69},
    {68, 1.87, 398.15},         {67, 4.41, 5507.55},
    {59, 2.89, 5223.69},        {56, 2.17, 155.42},
    {45, 0.40, 796.30},         {36, 0.47, 775.52},
    {29, 2.65, 7.11},           {21, 5.34, 0.98},
    {19, 1.85, 5486.78},        {19, 4.97, 213.30},
    {17, 2.99, 6275.96},        {16, 0.03, 2544.31},
    {16, 1.43, 2146.17},        {15, 1.21, 10977.08},
    {12, 2.83, 1748.02},        {12, 3.26, 5088.63},
    {12, 5.27, 1194.45},        {12, 2.08, 4694.00},
    {11, 0.77, 553.57},         {10, 1.30, 6286.60},
    {10, 4.24, 1349.87},        {9, 2.70, 242.73},
    {9, 5.64, 951.72},          {8, 5.30, 2352.87},
    {6, 2.65, 9437.76},         {6, 4.67, 4690.48},
}};

constexpr std::array<VsopTerm, 20> kL2 = {{
    {52919, 0, 0},     {8720, 1.0721, 6283.0758}, {309, 0.867, 12566.152}, {27, 0.05, 3.52},
    {16, 5.19, 26.30}, {16, 3.68, 155.42},        {10, 0.76, 18849.23},    {9, 2.06, 77713.77},
    {7, 0.83, 775.52}, {5, 4.66, 1577.34},        {4, 1.03, 7.11},         {4, 3.44, 5573.14},
    {3, 5.14, 796.30}, {3, 6.05, 5507.55},        {3, 1.19, 242.73},       {3, 6.12, 529.69},
    {3, 0.31, 398.15}, {3, 2.28, 553.57},         {2, 4.38, 5223.69},      {2, 3.75, 0.98},
}};

constexpr std::array<VsopTerm, 7> kL3 = {{
    {289, 5.844, 6283.076},
    {35, 0, 0},
    {17, 5.49, 12566.15},
    {3, 5.20, 155.42},
    {1, 4.72, 3.52},
    {1, 5.30, 18849.23},
    {1, 5.97, 242.73},
}};

constexpr std::array<VsopTerm, 3> kL4 = {
    {{114, 3.142, 0}, {8, 4.13, 6283.08}, {1, 3.84, 12566.15}}};

constexpr std::array<VsopTerm, 1> kL5 = {{{1, 3.14, 0}}};

// The Earth's distance, only for the aberration (20.5" / R): the leading
// terms are ample there.
constexpr std::array<VsopTerm, 8> kR0 = {{
    {100013989, 0, 0},
    {1670700, 3.0984635, 6283.0758500},
    {13956, 3.05525, 12566.15170},
    {3084, 5.1985, 77713.7715},
    {1628, 1.1739, 5753.3849},
    {1576, 2.8469, 7860.4194},
    {925, 5.453, 11506.770},
    {542, 4.564, 3930.210},
}};

constexpr std::array<VsopTerm, 3> kR1 = {{
    {103019, 1.107490, 6283.075850},
    {1721, 1.0644, 12566.1517},
    {702, 3.142, 0},
}};

constexpr std::array<VsopTerm, 2> kR2 = {{{4359, 5.7846, 6283.0758}, {124, 5.579, 12566.152}}};

// The same terms in the series loop's units: degrees and degrees per Julian
// century (the theory counts in millennia).
template <std::size_t N> constexpr PeriodicColumns<N> Columns(const std::array<VsopTerm, N>& terms)
{
    PeriodicColumns<N> columns;
    for (std::size_t i = 0; i < N; ++i) {
        columns.amplitude[i] = terms[i].a;
        columns.rate[i] = terms[i].c * kDegreesPerRadian / 10;
        columns.phase[i] = terms[i].b * kDegreesPerRadian;
    }
    return columns;
}

constexpr PeriodicColumns<kL0.size()> kL0Columns = Columns(kL0);
constexpr PeriodicColumns<kL1.size()> kL1Columns = Columns(kL1);
constexpr PeriodicColumns<kL2.size()> kL2Columns = Columns(kL2);
constexpr PeriodicColumns<kL3.size()> kL3Columns = Columns(kL3);
constexpr PeriodicColumns<kL4.size()> kL4Columns = Columns(kL4);
constexpr PeriodicColumns<kL5.size()> kL5Columns = Columns(kL5);
constexpr PeriodicColumns<kR0.size()> kR0Columns = Columns(kR0);
constexpr PeriodicColumns<kR1.size()> kR1Columns = Columns(kR1);
constexpr PeriodicColumns<kR2.size()> kR2Columns = Columns(kR2);

template <std::size_t N> double Sum(const PeriodicColumns<N>& columns, double t)
{
    return SumPeriodicSeries(columns.Series(), t, kRadiansPerDegree);
}

// One term of the nutation in longitude: (s + st * t) * 0.0001" *
// sin(d D + m M + m' M' + f F + o Omega).
struct NutationTerm
{
    int d, m, mp, f, o;
    double s, st;
};

// Every term of the 1980 theory of 0.002" or more.
constexpr std::array<NutationTerm, 25> kNutation = {{
    {0, 0, 0, 0, 1, -171996, -174.2}, {-2, 0, 0, 2, 2, -13187, -1.6}, {0, 0, 0, 2, 2, -2274, -0.2},
    {0, 0, 0, 0, 2, 2062, 0.2},       {0, 1, 0, 0, 0, 1426, -3.4},    {0, 0, 1, 0, 0, 712, 0.1},
    {-2, 1, 0, 2, 2, -517, 1.2},      {0, 0, 0, 2, 1, -386, -0.4},    {0, 0, 1, 2, 2, -301, 0},
    {-2, -1, 0, 2, 2, 217, -0.5},     {-2, 0, 1, 0, 0, -158, 0},      {-2, 0, 0, 2, 1, 129, 0.1},
    {0, 0, -1, 2, 2, 123, 0},         {2, 0, 0, 0, 0, 63, 0},         {0, 0, 1, 0, 1, 63, 0.1},
    {2, 0, -1, 2, 2, -59, 0},         {0, 0, -1, 0, 1, -58, -0.1},    {0, 0, 1, 2, 1, -51, 0},
    {-2, 0, 2, 0, 0, 48, 0},          {0, 0, -2, 2, 1, 46, 0},        {2, 0, 0, 2, 2, -38, 0},
    {0, 0, 2, 2, 2, -31, 0},          {0, 0, 2, 0, 0, 29, 0},         {-2, 0, 1, 2, 2, 29, 0},
    {0, 0, 0, 2, 0, 26, 0},
}};

double Polynomial(double t, double c0, double c1, double c2, double c3)
{
    return c0 + t * (c1 + t * (c2 + t * c3));
}

} // namespace

double SunLongitudeOfMeanEquinox(double t)
{
    const double tau = t / 10;
    const double earth =
        Sum(kL0Columns, t) +
        tau * (Sum(kL1Columns, t) +
               tau * (Sum(kL2Columns, t) +
                      tau * (Sum(kL3Columns, t) +
                             tau * (Sum(kL4Columns, t) + tau * Sum(kL5Columns, t)))));
    const double distance =
        (Sum(kR0Columns, t) + tau * (Sum(kR1Columns, t) + tau * Sum(kR2Columns, t))) * 1e-8;
    // Geocentric: the sun stands opposite the Earth. Then the small turn
    // from the theory's dynamical frame to FK5, and the aberration.
    double longitude = earth * 1e-8 * kDegreesPerRadian + 180;
    longitude -= 0.09033 * kArcSecond;
    longitude -= 20.4898 * kArcSecond / distance;
    return longitude - 360 * std::floor(longitude / 360);
}

double NutationInLongitude(double t)
{
    const double d = Polynomial(t, 297.85036, 445267.111480, -0.0019142, 1.0 / 189474);
    const double m = Polynomial(t, 357.52772, 35999.050340, -0.0001603, -1.0 / 300000);
    const double mp = Polynomial(t, 134.96298, 477198.867398, 0.0086972, 1.0 / 56250);
    const double f = Polynomial(t, 93.27191, 483202.017538, -0.0036825, 1.0 / 327270);
    const double o = Polynomial(t, 125.04452, -1934.136261, 0.0020708, 1.0 / 450000);
    double sum = 0;
    for (const NutationTerm& term : kNutation) {
        const double argument = term.d * d + term.m * m + term.mp * mp + term.f * f + term.o * o;
        sum += (term.s + term.st * t) * std::sin(kRadiansPerDegree * std::fmod(argument, 360.0));
    }
    return sum * 0.0001 * kArcSecond;
}

} // namespace morvane
