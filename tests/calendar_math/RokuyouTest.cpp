#include "calendar_math/Rokuyou.h"

#include "calendar_math/PeriodicSeries.h"
#include "calendar_math/QtPrinting.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace morvane {
namespace {

// The day number the rokuyou routines use for a date (1970-01-01 is 2440587).
qint32 DayNumber(QDate date)
{
    return static_cast<qint32>(2440587 + QDate(1970, 1, 1).daysTo(date));
}

struct LunarCase
{
    QDate date;
    int month;
    int day;
    bool leapMonth;
    const char* rokuyou;
};

void PrintTo(const LunarCase& c, std::ostream* os)
{
    *os << c.date;
}

class KnownLunarDates : public testing::TestWithParam<LunarCase>
{
};

TEST_P(KnownLunarDates, LunarDayAndRokuyou)
{
    const LunarCase& c = GetParam();
    const LunarDay lunar = GetLunarDay(c.date);
    EXPECT_EQ(lunar.month, c.month);
    EXPECT_EQ(lunar.day, c.day);
    EXPECT_EQ(lunar.leapMonth, c.leapMonth);
    EXPECT_EQ(GetRokuyou(c.date), QString::fromUtf8(c.rokuyou));
}

INSTANTIATE_TEST_SUITE_P(Cases, KnownLunarDates,
                         testing::Values(
                             // New year's days of the old calendar always begin with 先勝.
                             LunarCase{QDate(2024, 2, 10), 1, 1, false, "先勝"},
                             LunarCase{QDate(2025, 1, 29), 1, 1, false, "先勝"},
                             LunarCase{QDate(2026, 2, 17), 1, 1, false, "先勝"},
                             // The day before a lunar new year ends the twelfth month.
                             LunarCase{QDate(2024, 2, 9), 12, 30, false, "大安"},
                             LunarCase{QDate(2024, 1, 1), 11, 20, false, "赤口"},
                             LunarCase{QDate(2026, 1, 1), 11, 13, false, "大安"},
                             LunarCase{QDate(2026, 12, 8), 10, 30, false, "先負"},
                             // First days of leap months carry the number of the month they repeat.
                             LunarCase{QDate(2023, 3, 22), 2, 1, true, "友引"},
                             LunarCase{QDate(2020, 5, 23), 4, 1, true, "仏滅"},
                             // The day before each of them is the last of the ordinary month.
                             LunarCase{QDate(2023, 3, 21), 2, 30, false, "先勝"},
                             LunarCase{QDate(2020, 5, 22), 4, 30, false, "先負"},
                             // A leap month ends and the next month follows its number.
                             LunarCase{QDate(2023, 4, 20), 3, 1, false, "先負"}));

TEST(Rokuyou, NoNameForDatesOutsideTheCalendar)
{
    EXPECT_EQ(GetRokuyou(QDate()), "");
    EXPECT_EQ(GetRokuyou(QDate(0, 12, 31)), "");
    EXPECT_EQ(GetRokuyou(QDate(10000, 1, 1)), "");
    EXPECT_EQ(GetLunarDay(QDate()).month, 0);
}

// Two centuries day by day: every call ends with one of the six names, and
// the lunar calendar it implies is whole: days count up by one, months of 29
// or 30 days follow each other by number, and a leap month repeats the
// number of the month before it.
//
// One seam is inherent: each date is numbered from the last solstice or
// equinox before it, and in 2033 the autumn window sees a leap seventh
// month while the winter window sees a leap eleventh. The numbering changes
// once, where the windows meet, at the new moon of 22 December 2033.
TEST(Rokuyou, TwoCenturiesFormAConsistentLunarCalendar)
{
    const QStringList& names = RokuyouNames();
    ASSERT_EQ(names.size(), 6);
    const QDate seam(2033, 12, 22);
    LunarDay previous = GetLunarDay(QDate(1899, 12, 31));
    int leapMonths = 0;
    for (QDate date(1900, 1, 1); date <= QDate(2100, 12, 31); date = date.addDays(1)) {
        const LunarDay lunar = GetLunarDay(date);
        SCOPED_TRACE(date.toString(Qt::ISODate).toStdString());
        ASSERT_GE(lunar.month, 1);
        ASSERT_LE(lunar.month, 12);
        ASSERT_GE(lunar.day, 1);
        ASSERT_LE(lunar.day, 30);
        if (lunar.day == 1) {
            ASSERT_GE(previous.day, 29);
            leapMonths += lunar.leapMonth ? 1 : 0;
            const int expectedMonth =
                lunar.leapMonth && date != seam ? previous.month : previous.month % 12 + 1;
            ASSERT_EQ(lunar.month, expectedMonth);
        } else {
            ASSERT_EQ(lunar.day, previous.day + 1);
            ASSERT_EQ(lunar.month, previous.month);
            ASSERT_EQ(lunar.leapMonth, previous.leapMonth);
        }
        ASSERT_EQ(GetRokuyou(date), names.at((lunar.month + lunar.day - 2) % 6));
        previous = lunar;
    }
    // Seven leap months in every nineteen years.
    EXPECT_NEAR(leapMonths, 201 * 7 / 19, 2);
}

// The series lose accuracy far from the present, but every date the program
// can hold still ends in a name.
TEST(Rokuyou, EveryYearFromOneTo9999Terminates)
{
    for (QDate date(1, 1, 1); date.year() <= 9999; date = date.addDays(97)) {
        const LunarDay lunar = GetLunarDay(date);
        ASSERT_GE(lunar.day, 1) << date;
        ASSERT_LE(lunar.day, 30) << date;
        ASSERT_TRUE(RokuyouNames().contains(GetRokuyou(date))) << date;
    }
    EXPECT_TRUE(RokuyouNames().contains(GetRokuyou(QDate(9999, 12, 31))));
}

TEST(Rokuyou, NormalizeAngleFloors)
{
    const struct
    {
        double angle, normalized;
    } cases[] = {{0, 0}, {359.5, 359.5}, {360, 0}, {370, 10}, {-10, 350}, {-720, 0}, {1090, 10}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(NormalizeAngle(c.angle), c.normalized) << c.angle;
}

struct EventCase
{
    const char* what;
    QDate searchFrom;
    QDate expectedDay;
    int longitude; // solar terms only
};

void PrintTo(const EventCase& c, std::ostream* os)
{
    *os << c.what;
}

class SolarTerms : public testing::TestWithParam<EventCase>
{
};

TEST_P(SolarTerms, FoundOnTheirJapaneseDate)
{
    const EventCase& c = GetParam();
    const int step = c.longitude % 90 == 0 ? 90 : 30;
    const SolarTerm term = SolarTermTime(DayNumber(c.searchFrom), step);
    EXPECT_EQ(term.longitude, c.longitude);
    EXPECT_EQ(std::floor(term.time), DayNumber(c.expectedDay));
    // At the instant found the sun stands on the term's longitude.
    const double day = std::floor(term.time);
    const double sun = SunLongitude(JulianCenturies(day, term.time - day - 0.375));
    EXPECT_NEAR(NormalizeAngle(sun - c.longitude + 180) - 180, 0, 1e-4);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SolarTerms,
    testing::Values(
        // Vernal equinox 2024-03-20 12:06 JST, summer solstice 2024-06-21
        // 05:51, winter solstice 2023-12-22 12:27, 小満 2024-05-20 21:59.
        EventCase{"vernal equinox", QDate(2024, 4, 1), QDate(2024, 3, 20), 0},
        EventCase{"summer solstice", QDate(2024, 6, 30), QDate(2024, 6, 21), 90},
        EventCase{"winter solstice", QDate(2024, 1, 15), QDate(2023, 12, 22), 270},
        EventCase{"principal term 60", QDate(2024, 6, 1), QDate(2024, 5, 20), 60}));

class NewMoons : public testing::TestWithParam<EventCase>
{
};

TEST_P(NewMoons, FoundOnTheirJapaneseDate)
{
    const EventCase& c = GetParam();
    EXPECT_EQ(std::floor(NewMoonTime(DayNumber(c.searchFrom))), DayNumber(c.expectedDay));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NewMoons,
    testing::Values(
        // New moons 2024-02-10 07:59 JST, 2023-03-22 02:23, 2024-01-11 20:57.
        EventCase{"ten days after", QDate(2024, 2, 20), QDate(2024, 2, 10), 0},
        EventCase{"on the day", QDate(2023, 3, 22), QDate(2023, 3, 22), 0},
        EventCase{"late in the month", QDate(2024, 2, 5), QDate(2024, 1, 11), 0},
        // Only a day ahead: the iteration goes forward to it.
        EventCase{"one day before", QDate(2024, 2, 9), QDate(2024, 2, 10), 0}));

// The series' own cosine stands in for std::cos; it must agree to the last
// bit or one unit in it.
TEST(PeriodicSeries, CosineMatchesTheLibrary)
{
    constexpr int kSteps = 200000;
    constexpr double kTwoPi = 6.283185307179586;
    for (int i = 0; i <= kSteps; ++i) {
        const double x = kTwoPi * i / kSteps;
        const double expected = std::cos(x);
        const double ulp = std::nextafter(std::abs(expected), 2.0) - std::abs(expected);
        ASSERT_LE(std::abs(SeriesCosine(x) - expected), std::max(ulp, 1e-20)) << x;
    }
    EXPECT_EQ(SeriesCosine(-1.0), std::cos(-1.0));
    EXPECT_EQ(SeriesCosine(100.0), std::cos(100.0));
}

TEST(PeriodicSeries, SumMatchesTheTermByTermFormula)
{
    // Columns padded to a whole block; the padding must not count.
    const double amplitude[kTermBlock] = {6.2888, 1.274, 0.6583, 0.0003, 99, 99, 99, 99};
    const double rate[kTermBlock] = {477198.868, 413335.35, 890534.22, 2322131};
    const double phase[kTermBlock] = {44.963, 10.74, 145.7, 191};
    const PeriodicSeries series{amplitude, rate, phase, 4};
    constexpr double kDegree = 3.14159265358979 / 180;
    for (double t = -20; t <= 80; t += 0.01234) {
        double expected = 0;
        for (int i = 0; i < 4; ++i)
            expected += amplitude[i] * std::cos(kDegree * NormalizeAngle(rate[i] * t + phase[i]));
        ASSERT_NEAR(SumPeriodicSeries(series, t, kDegree), expected, 1e-14) << t;
    }
    // Times too far out for the fast path still sum correctly.
    const double far = 1.0e6;
    double expected = 0;
    for (int i = 0; i < 4; ++i)
        expected += amplitude[i] * std::cos(kDegree * NormalizeAngle(rate[i] * far + phase[i]));
    EXPECT_DOUBLE_EQ(SumPeriodicSeries(series, far, kDegree), expected);
    EXPECT_TRUE(
        std::isnan(SumPeriodicSeries(series, std::numeric_limits<double>::quiet_NaN(), kDegree)));
}

} // namespace
} // namespace morvane
