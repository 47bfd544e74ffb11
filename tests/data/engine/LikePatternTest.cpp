#include "data/engine/LikePattern.h"

#include <gtest/gtest.h>

namespace morvane::engine_detail {
namespace {

struct LikeCase
{
    QString pattern;
    QString text;
    bool matches;
};

class LikeMatches : public testing::TestWithParam<LikeCase>
{
};

TEST_P(LikeMatches, AsTheOldEngineDid)
{
    const auto pattern = LikePattern::Compile(GetParam().pattern);
    ASSERT_TRUE(pattern.has_value());
    EXPECT_EQ(pattern->Matches(GetParam().text), GetParam().matches)
        << GetParam().pattern.toStdString() << " ~ " << GetParam().text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, LikeMatches,
    testing::Values(LikeCase{"*", "", true}, LikeCase{"", "", true}, LikeCase{"", "a", false},
                    LikeCase{"?", "", false}, LikeCase{"?", "字", true},
                    LikeCase{"?"
                             "?",
                             QString::fromUtf8("\xF0\xA0\xAE\xB7") + "a", true},
                    LikeCase{"a*c", "abbbc", true}, LikeCase{"a*c", "abbb", false},
                    LikeCase{"*abc", "xxabcabc", true}, LikeCase{"a*b*c", "aXbYc", true},
                    LikeCase{"a*b*c", "aXcYb", false}, LikeCase{"ABC", "abc", true},
                    LikeCase{"[a-c]x", "Bx", true}, LikeCase{"[!a-c]x", "dx", true},
                    LikeCase{"[!a-c]x", "bx", false}, LikeCase{"[xyz]", "Y", true},
                    LikeCase{"#", "5", true}, LikeCase{"#", "x", false}, LikeCase{"[*]", "*", true},
                    LikeCase{"[*]", "a", false}, LikeCase{"[?]", "a", false},
                    LikeCase{"[[]x", "[x", true}, LikeCase{"]", "]", true},
                    LikeCase{"a[]b", "ab", true}, LikeCase{"[-a]", "-", true},
                    LikeCase{"[!]", "!", true}, LikeCase{"*会議*", "定例会議です", true},
                    LikeCase{"*会議*", "会", false}));

TEST(LikePatternDigit, MatchesEachDigitAndNothingElse)
{
    const auto pattern = LikePattern::Compile("a#b");
    ASSERT_TRUE(pattern.has_value());
    for (char digit = '0'; digit <= '9'; ++digit)
        EXPECT_TRUE(pattern->Matches(QStringLiteral("a%1b").arg(QChar(digit)))) << digit;
    for (const char* other : {"a/b", "a:b", "ab", "a12b", "a b"})
        EXPECT_FALSE(pattern->Matches(QString::fromLatin1(other))) << other;
}

TEST(LikePatternCompile, RefusesUnclosedBracketsAndReversedRanges)
{
    QString problem;
    EXPECT_FALSE(LikePattern::Compile("ab[cd", &problem).has_value());
    EXPECT_FALSE(problem.isEmpty());
    EXPECT_FALSE(LikePattern::Compile("[z-a]").has_value());
}

} // namespace
} // namespace morvane::engine_detail
