#include "search/SearchCriteria.h"

#include "calendar_math/QtPrinting.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

struct CriterionCase
{
    const char* name;
    SearchRequest request;
    QString expected;
};

void PrintTo(const CriterionCase& c, std::ostream* os)
{
    *os << c.name;
}

const QString kRepeating = QStringLiteral(" Or ([Year] = 0 Or [Month] = 0 Or [DayOfTheWeek] > 0))");

class CriterionTest : public testing::TestWithParam<CriterionCase>
{
};

TEST_P(CriterionTest, ReadsExactly)
{
    EXPECT_EQ(BuildSearchCriterion(GetParam().request), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CriterionTest,
    testing::Values(
        CriterionCase{
            "meeting_from_8_december_ordinary",
            {QStringLiteral("会議"), QDate(2026, 12, 8), std::nullopt, 1},
            QStringLiteral(
                "([Message] Like '*会議*') And (([Year] > 2026 Or ([Year] = 2026 And [Month] > 12) "
                "Or (([Year] = 2026 Or [Year] = 0) And ([Month] = 12 Or [Month] = 0) And ([Day] >= "
                "8))) Or ([Year] = 0 Or [Month] = 0 Or [DayOfTheWeek] > 0)) And [Type] = 0")},
        CriterionCase{"empty_text", {}, QStringLiteral("([Message] Like '**')")},
        CriterionCase{"blanks_around_the_text_go",
                      {QStringLiteral("  歯医者 　"), std::nullopt, std::nullopt, 0},
                      QStringLiteral("([Message] Like '*歯医者*')")},
        CriterionCase{
            "only_an_end",
            {QString(), std::nullopt, QDate(2027, 2, 10), 0},
            QStringLiteral("([Message] Like '**') And (([Year] < 2027 Or ([Year] = 2027 And "
                           "[Month] < 2) Or (([Year] = 2027 Or [Year] = 0) And ([Month] = 2 Or "
                           "[Month] = 0) And [Day] <= 10))") +
                kRepeating},
        CriterionCase{
            "both_ends_and_holidays",
            {QStringLiteral("休み"), QDate(2026, 3, 1), QDate(2026, 5, 31), 6},
            QStringLiteral("([Message] Like '*休み*') And (([Year] > 2026 Or ([Year] = 2026 And "
                           "[Month] > 3) Or (([Year] = 2026 Or [Year] = 0) And ([Month] = 3 Or "
                           "[Month] = 0) And ([Day] >= 1))) And ([Year] < 2026 Or ([Year] = 2026 "
                           "And [Month] < 5) Or (([Year] = 2026 Or [Year] = 0) And ([Month] = 5 Or "
                           "[Month] = 0) And [Day] <= 31))") +
                kRepeating + QStringLiteral(" And ([Type] = 1 or [Type] = 10)")},
        // The user's text is matched literally: quoted, pattern characters
        // bracketed.
        CriterionCase{
            "apostrophe_and_pattern_characters",
            {QStringLiteral("Bob's *#1? [A]"), std::nullopt, std::nullopt, 9 - 1},
            QStringLiteral("([Message] Like '*Bob''s [*][#]1[?] [[]A]*') And [Type] = 21")}),
    [](const testing::TestParamInfo<CriterionCase>& info) { return std::string(info.param.name); });

TEST(SearchCriteria, OnlyAStartHasNoAndBeforeTheRepeatingPiece)
{
    const QString criterion = BuildSearchCriterion({QString(), QDate(2026, 4, 2), std::nullopt, 0});
    EXPECT_EQ(criterion,
              QStringLiteral("([Message] Like '**') And (([Year] > 2026 Or ([Year] = 2026 And "
                             "[Month] > 4) Or (([Year] = 2026 Or [Year] = 0) And ([Month] = 4 Or "
                             "[Month] = 0) And ([Day] >= 2)))") +
                  kRepeating);
}

TEST(SearchCriteria, KindsInListOrderWithTheirPieces)
{
    const auto kinds = SearchKinds();
    ASSERT_EQ(kinds.size(), 9u);
    const char16_t* texts[] = {u"全ての予定", u"普通の予定", u"イベント", u"日記", u"記念日",
                               u"誕生日",     u"祝日",       u"ＴＶ番組", u"雑誌"};
    const char* pieces[] = {"",
                            "[Type] = 0",
                            "[Type] = 4",
                            "[Type] = 5",
                            "[Type] = 3",
                            "[Type] = 2",
                            "([Type] = 1 or [Type] = 10)",
                            "[Type] = 20",
                            "[Type] = 21"};
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        EXPECT_EQ(kinds[i].text, QString::fromUtf16(texts[i])) << i;
        EXPECT_EQ(kinds[i].icon, int(i)) << i;
        EXPECT_EQ(kinds[i].criterionPiece, QLatin1String(pieces[i])) << i;
    }
}

TEST(SearchCriteria, RangeOrderComparesYearAndMonthOnly)
{
    struct Case
    {
        std::optional<QDate> start, end;
        bool inOrder;
    } cases[] = {
        {QDate(2026, 5, 20), QDate(2026, 5, 10), true}, // same month, days not compared
        {QDate(2026, 6, 1), QDate(2026, 5, 31), false},
        {QDate(2027, 1, 1), QDate(2026, 12, 31), false},
        {QDate(2026, 11, 1), QDate(2027, 2, 28), true},
        {QDate(2030, 1, 1), std::nullopt, true},
        {std::nullopt, QDate(1950, 1, 1), true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RangeInOrder({QString(), c.start, c.end, 0}), c.inOrder)
            << c.start.value_or(QDate()).toString().toStdString() << " - "
            << c.end.value_or(QDate()).toString().toStdString();
    }
    EXPECT_EQ(RangeOrderMessage(),
              QStringLiteral("「対象範囲」の指定が誤っています。\r\n左側に検索開始年月、右側に検索"
                             "終了年月を指定してください。"));
}

} // namespace
} // namespace morvane
