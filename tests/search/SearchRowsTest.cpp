#include "search/SearchRows.h"

#include "calendar_math/QtPrinting.h"
#include "search/ResultOpening.h"
#include "search/SearchFixture.h"

#include <QColor>
#include <gtest/gtest.h>

namespace morvane {
namespace {

using namespace morvane::test;

SchedulePattern Pattern(std::optional<int> type, std::optional<int> year, std::optional<int> month,
                        std::optional<int> day, std::optional<int> week = -1,
                        std::optional<int> weekday = -1)
{
    return SchedulePattern{type, year, month, day, week, weekday};
}

TEST(SearchRows, RuleTextAndIcon)
{
    const struct
    {
        SchedulePattern record;
        const char16_t* text;
        int icon;
    } cases[] = {
        {Pattern(0, 2026, 12, 8), u"2026年12月8日", 1},
        {Pattern(4, 0, 0, -1, 0, 2), u"毎年毎月毎週月曜日", 2},
        {Pattern(5, 2026, 0, 15), u"2026年毎月15日", 3},
        {Pattern(3, 0, 5, 5), u"毎年5月5日", 4},
        {Pattern(2, 0, 1, 1, std::nullopt, std::nullopt), u"毎年1月1日", 5},
        {Pattern(1, 0, 1, -1, 2, 2), u"毎年1月第2週月曜日", 6},
        {Pattern(10, 0, 3, std::nullopt, std::nullopt, std::nullopt), u"毎年3月(日計算)", 6},
        {Pattern(20, 0, 0, -1, 5, 1), u"毎年毎月第5週日曜日", 7},
        {Pattern(21, 2027, 2, 29), u"2027年2月29日", 8},
        {Pattern(99, 2026, 1, 1), u"2026年1月1日", 0}, // a code without an icon
    };
    for (const auto& c : cases) {
        const SearchRow row = MakeSearchRow(c.record, QStringLiteral("x"), std::nullopt, 0, 1, 1);
        EXPECT_EQ(row.ruleText, QString::fromUtf16(c.text));
        EXPECT_EQ(row.icon, c.icon) << row.ruleText.toStdString();
    }
}

TEST(SearchRows, MessageColour)
{
    const auto rgb = [](int r, int g, int b) {
        return std::optional<QRgb>(qRgb(r, g, b));
    };
    const struct
    {
        std::optional<int> color;
        std::optional<QRgb> shown;
    } cases[] = {
        {std::nullopt, std::nullopt}, // the list's own
        {0, rgb(0, 0, 0)},            // no colour: black
        {14, rgb(128, 128, 0)},       // 黄 as the palette's dark yellow
        {15, rgb(0, 0, 0)},           // 白 as black
        {9, rgb(0, 0, 255)},
        {12, rgb(255, 0, 0)},
        {13, rgb(255, 0, 255)},
        {4, rgb(128, 0, 0)}, // imported codes keep their colour
        {16, std::nullopt},
        {-3, std::nullopt}, // outside the palette
    };
    for (const auto& c : cases)
        EXPECT_EQ(SearchTextColor(c.color), c.shown) << c.color.value_or(-99);
}

TEST(SearchRows, KeysAddressAnyPosition)
{
    const struct
    {
        int position;
        int row;
        const char* key;
    } cases[] = {
        {12, 3, "K0012K0003"},
        {0, 1, "K0000K0001"},
        {9999, 10000, "K9999K10000"},
        {12345, 3, "K12345K0003"},
        {1234567, 22222, "K1234567K22222"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SearchRowKey(c.position, c.row), QLatin1String(c.key));
        EXPECT_EQ(PositionOfSearchRowKey(QLatin1String(c.key)), c.position) << c.key;
    }
    for (const char* bad : {"", "K", "KK0001", "12K0001", "Kx12K0001", "K-1K0001"})
        EXPECT_EQ(PositionOfSearchRowKey(QLatin1String(bad)), std::nullopt) << bad;
}

// --- Opening a result ----------------------------------------------------------------

TEST(ResultOpening, DayTheEditorOpensOn)
{
    const QDate today(2026, 12, 8); // a Tuesday
    const struct
    {
        const char* name;
        SchedulePattern record;
        QDate opened;
    } cases[] = {
        {"weekly_every_month", Pattern(0, 0, 0, -1, 0, 2), QDate(2026, 12, 7)},
        {"weekly_in_a_month", Pattern(0, 2027, 3, -1, 0, 4), QDate(2027, 3, 3)},
        {"weekly_every_year_in_march", Pattern(0, 0, 3, -1, 0, 1), QDate(2026, 3, 1)},
        {"nth_weekday", Pattern(1, 0, 1, -1, 2, 2), QDate(2026, 1, 12)},
        {"dated", Pattern(0, 2027, 5, 5), QDate(2027, 5, 5)},
        {"every_month_day", Pattern(0, 0, 0, 31), QDate(2026, 12, 31)},
        {"equinox", Pattern(10, 0, 3, std::nullopt, std::nullopt, std::nullopt),
         QDate(2026, 3, 20)},
        // Days the month lacks: the nearest real day of the rule.
        {"29_february_in_a_common_year", Pattern(0, 0, 2, 29), QDate(2026, 2, 28)},
        {"31st_of_a_30_day_month", Pattern(0, 2026, 11, 31), QDate(2026, 11, 30)},
        {"fifth_sunday_of_a_four_sunday_month", Pattern(0, 2026, 2, -1, 5, 1), QDate(2026, 2, 22)},
        {"fifth_tuesday_of_this_month", Pattern(0, 0, 0, -1, 5, 3), QDate(2026, 12, 29)},
        {"equinox_holiday_in_april", Pattern(10, 0, 4, std::nullopt, std::nullopt, std::nullopt),
         QDate(2026, 4, 1)},
        {"weekday_rule_without_weekday", Pattern(0, 0, 6, -1, 0, std::nullopt), QDate(2026, 6, 1)},
        {"day_rule_without_day", Pattern(0, 0, 6, std::nullopt), QDate(2026, 6, 1)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResultOpenDate(c.record, today), c.opened) << c.name;
}

TEST(ResultOpening, RowFindsItsRecordOrNone)
{
    ScheduleFixture fixture;
    fixture.add(
        {DatedText(2026, 1, 1, "a"), DatedText(2026, 1, 2, "b"), DatedText(2026, 1, 3, "c")});
    Recordset& rs = fixture.schedules();
    SearchRow rowOfC;
    rowOfC.position = 2;
    rowOfC.recordId = rs.RecordIdAt(2);
    SearchRow rowOfA;
    rowOfA.position = 0;
    rowOfA.recordId = rs.RecordIdAt(0);
    EXPECT_EQ(CurrentPositionOfRow(rs, rowOfC), 2);

    // "a" goes: "c" moves to position 1 and position 0 now holds "b".
    rs.SetAbsolutePosition(0);
    rs.Delete();
    EXPECT_EQ(CurrentPositionOfRow(rs, rowOfC), 1);
    EXPECT_EQ(CurrentPositionOfRow(rs, rowOfA), std::nullopt);
}

} // namespace
} // namespace morvane
