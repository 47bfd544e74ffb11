#include "core/TextToValue.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace morvane {
namespace {

struct ValCase
{
    const char16_t* text;
    double value;
};

class ValTest : public ::testing::TestWithParam<ValCase>
{
};

TEST_P(ValTest, TakesTheLeadingNumber)
{
    EXPECT_DOUBLE_EQ(Val(QStringView(GetParam().text)), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ValTest,
    ::testing::Values(ValCase{u"12px", 12}, ValCase{u"abc", 0}, ValCase{u"", 0}, ValCase{u"-", 0},
                      ValCase{u".", 0}, ValCase{u" 1 2\t3", 123}, ValCase{u"-5", -5},
                      ValCase{u"+7", 7}, ValCase{u"3.25x", 3.25}, ValCase{u".5", 0.5},
                      ValCase{u"1e3", 1000}, ValCase{u"2D2", 200}, ValCase{u"1e", 1},
                      ValCase{u"&H10", 16}, ValCase{u"&hFFFF", -1}, ValCase{u"&H10000", 65536},
                      ValCase{u"&O17", 15}, ValCase{u"&Hz", 0}, ValCase{u"１２", 0}));

TEST(TextToNumberTest, NeedsTheWholeText)
{
    EXPECT_EQ(TextToNumber(u"12"), 12.0);
    EXPECT_EQ(TextToNumber(u" -2147483643 "), -2147483643.0);
    EXPECT_EQ(TextToNumber(u"1.5e2"), 150.0);
    EXPECT_EQ(TextToNumber(u"&H8000"), -32768.0);
    EXPECT_FALSE(TextToNumber(u"12px"));
    EXPECT_FALSE(TextToNumber(u"1 2"));
    EXPECT_FALSE(TextToNumber(u""));
    EXPECT_FALSE(TextToNumber(u"-"));
    EXPECT_FALSE(TextToNumber(u"nan"));
}

TEST(RoundingTest, HalvesGoToEvenAndOverflowIsRefused)
{
    EXPECT_EQ(RoundToInteger(2.5), qint16{2});
    EXPECT_EQ(RoundToInteger(3.5), qint16{4});
    EXPECT_EQ(RoundToInteger(-2.5), qint16{-2});
    EXPECT_EQ(RoundToInteger(32767.4), qint16{32767});
    EXPECT_FALSE(RoundToInteger(32767.5));
    EXPECT_EQ(RoundToInteger(-32768), qint16{-32768});
    EXPECT_FALSE(RoundToInteger(-32769));
    EXPECT_EQ(RoundToLong(-2147483648.0), std::numeric_limits<qint32>::min());
    EXPECT_FALSE(RoundToLong(2147483648.0));
    EXPECT_FALSE(RoundToLong(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(RoundToLong(HUGE_VAL));
}

TEST(TextToBoolTest, WordsInAnyCaseOrNumbers)
{
    EXPECT_EQ(TextToBool(u"True"), true);
    EXPECT_EQ(TextToBool(u"true"), true);
    EXPECT_EQ(TextToBool(u" FALSE "), false);
    EXPECT_EQ(TextToBool(u"-1"), true);
    EXPECT_EQ(TextToBool(u"0"), false);
    EXPECT_FALSE(TextToBool(u"yes"));
    EXPECT_FALSE(TextToBool(u""));
}

} // namespace
} // namespace morvane
