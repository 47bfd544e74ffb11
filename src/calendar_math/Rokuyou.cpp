#include "calendar_math/Rokuyou.h"

#include "calendar_math/PeriodicSeries.h"

#include <array>
#include <cmath>

namespace morvane {

namespace {

constexpr double kDegree = 3.14159265358979 / 180;
// Japan is 540 minutes ahead of universal time.
constexpr double kTimeZone = -540.0 / 1440.0;
constexpr double kJ2000 = 2451545;
constexpr double kCentury = 36525;
// One second: both iterations stop once a correction is smaller.
constexpr double kEpsilon = 1.0 / 86400.0;
// Day number of 1970-01-01 (one less than its Julian day number).
constexpr qint64 kUnixEpochDay = 2440587;

// The solar-term iteration shrinks its error about thirtyfold per pass and
// needs five or six; the cap only guarantees an end.
constexpr int kMaxSolarTermPasses = 64;

struct PeriodicTerm
{
    double amplitude; // degrees
    double rate;      // degrees per Julian century
    double phase;     // degrees
};

// The first 14 terms of the sun's series; the 15th (the equation of the
// centre, with its secular decrease) is applied separately.
constexpr std::array<PeriodicTerm, 14> kSunTerms = {{
    {0.0004, 31557, 161},
    {0.0004, 29930, 48},
    {0.0005, 2281, 221},
    {0.0005, 155, 118},
    {0.0006, 33718, 316},
    {0.0007, 9038, 64},
    {0.0007, 3035, 110},
    {0.0007, 65929, 45},
    {0.0013, 22519, 352},
    {0.0015, 45038, 254},
    {0.0018, 445267, 208},
    {0.0018, 19, 159},
    {0.002, 32964, 158},
    {0.02, 71998.1, 265.1},
}};

// Summed smallest first, in this order.
constexpr std::array<PeriodicTerm, 61> kMoonTerms = {{
    {0.0003, 2322131, 191},       {0.0003, 4067, 70},         {0.0003, 549197, 220},
    {0.0003, 1808933, 58},        {0.0003, 349472, 337},      {0.0003, 381404, 354},
    {0.0003, 958465, 340},        {0.0004, 12006, 187},       {0.0004, 39871, 223},
    {0.0005, 509131, 242},        {0.0005, 1745069, 24},      {0.0005, 1908795, 90},
    {0.0006, 2258267, 156},       {0.0006, 111869, 38},       {0.0007, 27864, 127},
    {0.0007, 485333, 186},        {0.0007, 405201, 50},       {0.0007, 790672, 114},
    {0.0008, 1403732, 98},        {0.0009, 858602, 129},      {0.0011, 1920802, 186},
    {0.0012, 1267871, 249},       {0.0016, 1856938, 152},     {0.0018, 401329, 274},
    {0.0021, 341337, 16},         {0.0021, 71998, 85},        {0.0021, 990397, 357},
    {0.0022, 818536, 151},        {0.0023, 922466, 163},      {0.0024, 99863, 122},
    {0.0026, 1379739, 17},        {0.0027, 918399, 182},      {0.0028, 1934, 145},
    {0.0037, 541062, 259},        {0.0038, 1781068, 21},      {0.004, 133, 29},
    {0.004, 1844932, 56},         {0.004, 1331734, 283},      {0.005, 481266, 205},
    {0.0052, 31932, 107},         {0.0068, 926533, 323},      {0.0079, 449334, 188},
    {0.0085, 826671, 111},        {0.01, 1431597, 315},       {0.0107, 1303870, 246},
    {0.011, 489205, 142},         {0.0125, 1443603, 52},      {0.0154, 75870, 41},
    {0.0304, 513197.9, 222.5},    {0.0347, 445267.1, 27.9},   {0.0409, 441199.8, 47.4},
    {0.0458, 854535.2, 148.2},    {0.0533, 1367733.1, 280.7}, {0.0571, 377336.3, 13.2},
    {0.0588, 63863.5, 124.2},     {0.1144, 966404, 276.5},    {0.1851, 35999.05, 87.53},
    {0.2136, 954397.74, 179.93},  {0.6583, 890534.22, 145.7}, {1.274, 413335.35, 10.74},
    {6.2888, 477198.868, 44.963},
}};

// The series loop wants each column of a table contiguous, padded to whole
// blocks with terms of no amplitude.
template <std::size_t N> struct TermColumns
{
    std::array<double, PaddedTermCount(N)> amplitude{};
    std::array<double, PaddedTermCount(N)> rate{};
    std::array<double, PaddedTermCount(N)> phase{};
};

template <std::size_t N> constexpr TermColumns<N> Columns(const std::array<PeriodicTerm, N>& terms)
{
    TermColumns<N> columns;
    for (std::size_t i = 0; i < N; ++i) {
        columns.amplitude[i] = terms[i].amplitude;
        columns.rate[i] = terms[i].rate;
        columns.phase[i] = terms[i].phase;
    }
    return columns;
}

constexpr TermColumns<kSunTerms.size()> kSunColumns = Columns(kSunTerms);
constexpr TermColumns<kMoonTerms.size()> kMoonColumns = Columns(kMoonTerms);

template <std::size_t N> double SumTerms(const TermColumns<N>& columns, double t)
{
    static_assert(N <= kMaxPeriodicTerms);
    const PeriodicSeries series{columns.amplitude.data(), columns.rate.data(), columns.phase.data(),
                                N};
    return SumPeriodicSeries(series, t, kDegree);
}

// std::floor without the library call, which the iterations make thousands
// of times; the same value for every finite x.
double Floor(double x)
{
    if (!(std::abs(x) < 4.0e18))
        return std::floor(x);
    const double truncated = static_cast<double>(static_cast<qint64>(x));
    return truncated > x ? truncated - 1 : truncated;
}

// Round half to even, independent of the floating-point environment.
double RoundHalfEven(double x)
{
    const double lower = Floor(x);
    const double fraction = x - lower;
    if (fraction > 0.5)
        return lower + 1;
    if (fraction < 0.5)
        return lower;
    return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

// The day number of a moment's date.
double DayOf(double moment)
{
    return Floor(moment);
}

struct LunarMonth
{
    int number = 0;
    double firstDay = 0;
};

int WrapMonth(int number)
{
    return number > 12 ? number - 12 : number;
}

} // namespace

const QStringList& RokuyouNames()
{
    static const QStringList names = {QStringLiteral("先勝"), QStringLiteral("友引"),
                                      QStringLiteral("先負"), QStringLiteral("仏滅"),
                                      QStringLiteral("大安"), QStringLiteral("赤口")};
    return names;
}

double NormalizeAngle(double a)
{
    return a - 360 * Floor(a / 360);
}

double JulianCenturies(double tm1, double tm2)
{
    return (tm2 + 0.5) / kCentury + (tm1 - kJ2000) / kCentury;
}

double SunLongitude(double t)
{
    double th = SumTerms(kSunColumns, t);
    const double a = NormalizeAngle(35999.05 * t + 267.52);
    const double equationOfCentre = std::cos(kDegree * a);
    th -= 0.0048 * t * equationOfCentre;
    th += 1.9147 * equationOfCentre;
    double m = NormalizeAngle(36000.7695 * t);
    m = NormalizeAngle(m + 280.4659);
    return NormalizeAngle(th + m);
}

double MoonLongitude(double t)
{
    const double th = SumTerms(kMoonColumns, t);
    double m = NormalizeAngle(481267.8809 * t);
    m = NormalizeAngle(m + 218.3162);
    return NormalizeAngle(th + m);
}

SolarTerm SolarTermTime(qint32 tm, int step)
{
    double tm1 = tm;
    double tm2 = kTimeZone;
    SolarTerm term;
    term.longitude = step * static_cast<int>(Floor(SunLongitude(JulianCenturies(tm1, tm2)) / step));

    double d1 = 0;
    double d2 = 1;
    for (int pass = 0; std::abs(d1 + d2) > kEpsilon && pass < kMaxSolarTermPasses; ++pass) {
        double delta = SunLongitude(JulianCenturies(tm1, tm2)) - term.longitude;
        if (delta > 180)
            delta -= 360;
        else if (delta < -180)
            delta += 360;
        d1 = Floor(delta * 365.2 / 360);
        d2 = delta * 365.2 / 360 - d1;
        tm1 -= d1;
        tm2 -= d2;
        if (tm2 < 0) {
            tm2 += 1;
            tm1 -= 1;
        }
    }
    term.time = tm1 + tm2 - kTimeZone;
    return term;
}

double NewMoonTime(double tm)
{
    int counter = 1;
    double tm1 = Floor(tm);
    double tm2 = tm - tm1 + kTimeZone;
    double d1 = 0;
    double d2 = 1;
    while (std::abs(d1 + d2) > kEpsilon) {
        ++counter;
        const double t = JulianCenturies(tm1, tm2);
        const double sun = SunLongitude(t);
        const double moon = MoonLongitude(t);
        double delta = moon - sun;
        if (sun >= 0 && sun <= 20 && moon >= 300)
            delta = 360 - NormalizeAngle(delta);
        else if (std::abs(delta) > 40)
            delta = NormalizeAngle(delta);
        d1 = Floor(delta * 29.530589 / 360);
        d2 = delta * 29.530589 / 360 - d1;
        tm1 -= d1;
        tm2 -= d2;
        if (tm2 < 0) {
            tm2 += 1;
            tm1 -= 1;
        }
        if (counter == 15 && std::abs(d1 + d2) > kEpsilon) {
            // Wandered off: start again from a month earlier.
            tm1 = Floor(tm - 26);
            tm2 = 0;
        } else if (counter > 30 && std::abs(d1 + d2) > kEpsilon) {
            // Still no convergence: hand back the starting instant.
            tm1 = tm;
            tm2 = 0;
            break;
        }
    }
    return tm1 + tm2 - kTimeZone;
}

LunarDay GetLunarDay(QDate date)
{
    if (!date.isValid() || date.year() < 1 || date.year() > 9999)
        return {};
    const qint32 tm0 = static_cast<qint32>(kUnixEpochDay + QDate(1970, 1, 1).daysTo(date));

    // Principal solar terms: the last solstice or equinox, then four more.
    std::array<double, 5> chu{};
    const SolarTerm quarter = SolarTermTime(tm0, 90);
    chu[0] = quarter.time;
    const int firstMonth = quarter.longitude / 30 + 2;
    for (std::size_t i = 1; i < chu.size(); ++i)
        chu[i] = SolarTermTime(static_cast<qint32>(RoundHalfEven(chu[i - 1] + 32)), 30).time;

    // Six consecutive new moons from around chu[0].
    std::array<double, 6> saku{};
    saku[0] = NewMoonTime(chu[0]);
    for (std::size_t j = 1; j < saku.size(); ++j) {
        saku[j] = NewMoonTime(saku[j - 1] + 30);
        // The same new moon found again: look further ahead.
        if (std::abs(DayOf(saku[j - 1]) - DayOf(saku[j])) <= 26)
            saku[j] = NewMoonTime(saku[j - 1] + 35);
    }

    // Make saku[0] the last new moon on or before the day of chu[0].
    if (DayOf(saku[1]) <= DayOf(chu[0])) {
        for (std::size_t i = 0; i < 4; ++i)
            saku[i] = saku[i + 1];
        saku[4] = NewMoonTime(saku[3] + 35);
    } else if (DayOf(saku[0]) > DayOf(chu[0])) {
        for (std::size_t i = 4; i > 0; --i)
            saku[i] = saku[i - 1];
        saku[0] = NewMoonTime(saku[0] - 27);
    }

    // Four new moons within three principal-term steps: one of these months
    // holds no principal term and repeats the number of the month before it.
    bool leap = DayOf(saku[4]) <= DayOf(chu[3]);
    std::size_t leapIndex = saku.size();

    std::array<LunarMonth, 6> months{};
    months[0] = {firstMonth, DayOf(saku[0])};
    for (std::size_t e = 1; e < months.size(); ++e) {
        if (leap && e > 1 && (chu[e - 1] <= DayOf(saku[e - 1]) || chu[e - 1] >= DayOf(saku[e]))) {
            months[e - 1] = {months[e - 2].number, DayOf(saku[e - 1])};
            leapIndex = e - 1;
            leap = false;
        }
        months[e] = {WrapMonth(months[e - 1].number + 1), DayOf(saku[e])};
    }

    // The month the date falls in. The date is never before months[0] (that
    // new moon lies on or before chu[0], which lies on or before the date);
    // the clamp only keeps the index in range.
    std::size_t k = months.size() - 1;
    for (std::size_t i = 0; i < months.size(); ++i) {
        if (tm0 < months[i].firstDay) {
            k = i == 0 ? 0 : i - 1;
            break;
        }
        if (tm0 == months[i].firstDay) {
            k = i;
            break;
        }
    }

    LunarDay result;
    result.month = months[k].number;
    result.day = static_cast<int>(tm0 - months[k].firstDay) + 1;
    result.leapMonth = k == leapIndex;
    return result;
}

QString GetRokuyou(QDate date)
{
    const LunarDay lunar = GetLunarDay(date);
    if (lunar.month == 0)
        return {};
    const int index = ((lunar.month + lunar.day - 2) % 6 + 6) % 6;
    return RokuyouNames().at(index);
}

} // namespace morvane
