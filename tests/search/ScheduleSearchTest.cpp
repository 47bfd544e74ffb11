#include "search/ScheduleSearch.h"

#include "calendar_math/QtPrinting.h"
#include "search/SearchFixture.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

using namespace morvane::test;

QStringList Messages(const SearchOutcome& outcome)
{
    QStringList texts;
    for (const SearchRow& row : outcome.rows)
        texts << row.message;
    return texts;
}

QStringList Listed(std::initializer_list<Rec> records, const SearchRequest& request)
{
    ScheduleFixture fixture;
    fixture.add(records);
    return Messages(RunScheduleSearch(fixture.schedules(), request));
}

SearchRequest Range(std::optional<QDate> start, std::optional<QDate> end, int kind = 0)
{
    return SearchRequest{QString(), start, end, kind};
}

// --- Ranges --------------------------------------------------------------------

TEST(ScheduleSearch, EveryYearRecordsInsideOneYearsRange)
{
    EXPECT_EQ(Listed({EveryYear(4, 15, "April"), EveryYear(6, 15, "June")},
                     Range(QDate(2026, 3, 1), QDate(2026, 5, 31))),
              QStringList{"April"});
    // The start day bounds the start month.
    EXPECT_EQ(Listed({EveryYear(3, 10, "10 March"), EveryYear(3, 25, "25 March")},
                     Range(QDate(2026, 3, 20), QDate(2026, 5, 31))),
              QStringList{"25 March"});
}

TEST(ScheduleSearch, EveryMonthRecordsAreListedWhateverTheRange)
{
    const auto records = {EveryMonth(1, "1st"), EveryMonth(31, "31st"),
                          EveryMonth(15, "2020 15th", 2020), WeekdayRule(0, 0, 0, 2, "Mondays"),
                          DatedText(2026, 8, 1, "August")};
    EXPECT_EQ(Listed(records, Range(QDate(2026, 6, 10), QDate(2026, 6, 20))),
              (QStringList{"1st", "31st", "2020 15th", "Mondays"}));
    EXPECT_EQ(Listed(records, Range(std::nullopt, QDate(1951, 1, 1))),
              (QStringList{"1st", "31st", "2020 15th", "Mondays"}));
}

TEST(ScheduleSearch, StartDayAfterEndDayInOneMonthListsOnlyRepeatingRecords)
{
    EXPECT_EQ(Listed({DatedText(2026, 5, 15, "dated"), EveryYear(5, 15, "every 15 May"),
                      EveryMonth(15, "every 15th"), WeekdayRule(0, 5, 2, 3, "2nd Tue of May")},
                     Range(QDate(2026, 5, 20), QDate(2026, 5, 10))),
              (QStringList{"every 15th", "2nd Tue of May"}));
}

TEST(ScheduleSearch, WithoutRangeEveryYearTheEditorWritesIsListed)
{
    EXPECT_EQ(Listed({DatedText(1951, 1, 1, "1951"), DatedText(2026, 7, 7, "2026"),
                      DatedText(2050, 12, 31, "2050")},
                     Range(std::nullopt, std::nullopt)),
              (QStringList{"1951", "2026", "2050"}));
}

TEST(ScheduleSearch, EveryYearRecordsAcrossTheYearEnd)
{
    const auto months = {EveryYear(10, 31, "Oct"), EveryYear(11, 1, "Nov"),
                         EveryYear(12, 25, "Dec"), EveryYear(1, 1, "Jan"),
                         EveryYear(2, 28, "Feb"),  EveryYear(3, 1, "Mar")};
    EXPECT_EQ(Listed(months, Range(QDate(2026, 11, 1), QDate(2027, 2, 28))),
              (QStringList{"Nov", "Dec", "Jan", "Feb"}));
    // The day bounds hold in the first and the last month.
    EXPECT_EQ(Listed({EveryYear(11, 10, "10 Nov"), EveryYear(11, 20, "20 Nov"),
                      EveryYear(2, 5, "5 Feb"), EveryYear(2, 20, "20 Feb")},
                     Range(QDate(2026, 11, 15), QDate(2027, 2, 10))),
              (QStringList{"20 Nov", "5 Feb"}));
    // A range longer than a year holds every day of the year.
    EXPECT_EQ(
        Listed({EveryYear(3, 10, "10 Mar"), EveryYear(5, 25, "25 May"), EveryYear(9, 1, "1 Sep")},
               Range(QDate(2026, 3, 20), QDate(2027, 5, 10))),
        (QStringList{"10 Mar", "25 May", "1 Sep"}));
}

// Start and end two or more calendar years apart: the range holds every
// month whole at least once, so an every-year record of any month and day
// is listed, while dated records keep to the range.
TEST(ScheduleSearch, EveryYearRecordsOfEveryMonthOverTwoYearEnds)
{
    std::vector<Rec> records;
    QStringList everyMonth;
    for (int month = 1; month <= 12; ++month) {
        const QString text = QStringLiteral("every %1/%2").arg(month).arg(month == 2 ? 28 : 1);
        records.push_back(EveryYear(month, month == 2 ? 28 : 1, text));
        everyMonth << text;
    }
    records.push_back(EveryYear(11, 10, "10 Nov"));
    records.push_back(EveryYear(2, 20, "20 Feb"));
    records.push_back(DatedText(2026, 11, 10, "dated before"));
    records.push_back(DatedText(2027, 6, 15, "dated inside"));
    records.push_back(DatedText(2028, 2, 20, "dated after"));
    for (const auto& [start, end] : {std::pair{QDate(2026, 11, 15), QDate(2028, 2, 10)},
                                     std::pair{QDate(2026, 1, 1), QDate(2028, 12, 31)},
                                     std::pair{QDate(2026, 12, 31), QDate(2030, 1, 1)}}) {
        ScheduleFixture fixture;
        for (const Rec& rec : records)
            fixture.add(rec);
        const QStringList listed =
            Messages(RunScheduleSearch(fixture.schedules(), Range(start, end)));
        for (const QString& text : everyMonth + QStringList{"10 Nov", "20 Feb", "dated inside"})
            EXPECT_TRUE(listed.contains(text))
                << text.toStdString() << " from " << start << " to " << end;
        if (start == QDate(2026, 11, 15)) {
            EXPECT_FALSE(listed.contains("dated before"));
            EXPECT_FALSE(listed.contains("dated after"));
        }
    }
}

TEST(ScheduleSearch, DayBoundsHoldOnlyInTheFirstAndLastMonthOfTheRange)
{
    EXPECT_EQ(Listed({DatedText(2026, 3, 5, "before start"), DatedText(2026, 3, 20, "start day"),
                      DatedText(2026, 5, 25, "May 2026"), DatedText(2027, 3, 5, "March 2027"),
                      DatedText(2027, 5, 10, "end day"), DatedText(2027, 5, 25, "after end")},
                     Range(QDate(2026, 3, 20), QDate(2027, 5, 10))),
              (QStringList{"start day", "May 2026", "March 2027", "end day"}));
}

TEST(ScheduleSearch, WeekdayRulesMeetOnlyTheMonthBounds)
{
    EXPECT_EQ(Listed({WeekdayRule(2026, 3, 0, 2, "Mondays of March 2026"),
                      WeekdayRule(2026, 6, 1, 2, "1st Monday of June 2026"),
                      WeekdayRule(0, 3, 1, 1, "1st Sunday of March"), EquinoxHoliday(3, "春分の日"),
                      EquinoxHoliday(9, "秋分の日")},
                     Range(QDate(2026, 3, 20), QDate(2026, 5, 31))),
              (QStringList{"Mondays of March 2026", "1st Sunday of March", "春分の日"}));
}

TEST(ScheduleSearch, RulesAreListedOnlyWhereTheirFirstAndLastDayMeetTheRange)
{
    ScheduleFixture fixture;
    fixture.add(WeekdayRule(0, 0, 0, 4, "水曜 6月3日から"));
    fixture.boundLast(QDate(2026, 6, 3), QDate());
    fixture.add(WeekdayRule(0, 0, 0, 4, "水曜 2025年まで"));
    fixture.boundLast(QDate(), QDate(2025, 12, 31));
    fixture.add(DatedText(2026, 5, 13, "13日 なし"));
    fixture.boundLast(QDate(), QDate(), {QDate(2026, 5, 13)});
    fixture.add(EveryMonth(13, "2026年の毎月13日"));
    fixture.boundLast(QDate(2026, 1, 1), QDate(2026, 12, 31));
    const auto listed = [&](const SearchRequest& request) {
        return Messages(RunScheduleSearch(fixture.schedules(), request));
    };
    EXPECT_EQ(listed(Range(QDate(2026, 5, 1), QDate(2026, 5, 31))),
              (QStringList{"2026年の毎月13日"}));
    EXPECT_EQ(listed(Range(QDate(2026, 6, 3), std::nullopt)),
              (QStringList{"水曜 6月3日から", "2026年の毎月13日"}));
    EXPECT_EQ(listed(Range(std::nullopt, QDate(2025, 6, 1))), (QStringList{"水曜 2025年まで"}));
    const SearchOutcome all = RunScheduleSearch(fixture.schedules(), Range({}, {}));
    EXPECT_EQ(Messages(all).size(), 4);
    EXPECT_EQ(all.rows.front().ruleText, QStringLiteral("毎年毎月毎週水曜日（2026年6月3日から）"));
}

TEST(ScheduleSearch, HolidayKindFindsBothHolidayCodes)
{
    EXPECT_EQ(Listed({DatedText(2026, 5, 5, "こどもの日", 1), EquinoxHoliday(3, "春分の日"),
                      DatedText(2026, 5, 6, "ordinary", 0), DatedText(2026, 5, 7, "event", 4)},
                     Range(std::nullopt, std::nullopt, 6)),
              (QStringList{"こどもの日", "春分の日"}));
}

// --- Text ------------------------------------------------------------------------

TEST(ScheduleSearch, TextIsMatchedLiterally)
{
    ScheduleFixture fixture;
    for (const char* text : {"Bob's party", "Bobs party", "50*off", "50 off", "what?", "whatX",
                             "#1 fan", "11 fan", "[draft]", "d", "100%", "1000"})
        fixture.add(DatedText(2026, 1, 1, QString::fromUtf8(text)));
    const struct
    {
        const char* text;
        QStringList listed;
    } cases[] = {
        {"'", {"Bob's party"}},   {"Bob's", {"Bob's party"}},
        {"*", {"50*off"}},        {"?", {"what?"}},
        {"#", {"#1 fan"}},        {"[", {"[draft]"}},
        {"[draft]", {"[draft]"}}, {"%", {"100%"}},
        {" 50*", {"50*off"}},     {"''", {}},
    };
    for (const auto& c : cases) {
        SearchRequest request;
        request.text = QString::fromUtf8(c.text);
        EXPECT_EQ(Messages(RunScheduleSearch(fixture.schedules(), request)), c.listed) << c.text;
    }
}

TEST(ScheduleSearch, EmptyTextListsEveryScheduleWithAText)
{
    ScheduleFixture fixture;
    fixture.add({DatedText(2026, 1, 1, "a"), DatedText(2026, 1, 2, "")});
    Recordset& rs = fixture.schedules();
    rs.AddNew();
    rs.SetValue(QStringLiteral("Type"), Value(0));
    rs.SetValue(QStringLiteral("Year"), Value(2026));
    rs.SetValue(QStringLiteral("Month"), Value(1));
    rs.SetValue(QStringLiteral("Day"), Value(3));
    rs.Update(); // Message stays Null
    EXPECT_EQ(Messages(RunScheduleSearch(rs, SearchRequest{})), (QStringList{"a", ""}));
}

// --- Repairs, counts and keys --------------------------------------------------------

TEST(ScheduleSearch, BrokenRecordIsRemovedAndCounted)
{
    ScheduleFixture fixture;
    fixture.add(Rec{std::nullopt, 2026, 1, 1, -1, -1, {}, {}, "broken"});
    const SearchOutcome outcome = RunScheduleSearch(fixture.schedules(), SearchRequest{});
    EXPECT_TRUE(outcome.rows.empty());
    EXPECT_EQ(outcome.count, 1);
    EXPECT_EQ(outcome.removedBroken, 1);
    EXPECT_EQ(fixture.schedules().RecordCount(), 0);
    EXPECT_EQ(SearchResultCaption(outcome.count),
              QStringLiteral("検索結果：1件の予定が見つかりました"));
}

TEST(ScheduleSearch, RowsKeepPositionsAndIdsAcrossARemoval)
{
    ScheduleFixture fixture;
    fixture.add({DatedText(2026, 1, 1, "first"),
                 Rec{std::nullopt, 2026, 1, 2, -1, -1, {}, {}, "broken"},
                 DatedText(2026, 1, 3, "third"), DatedText(2026, 1, 4, "fourth")});
    Recordset& rs = fixture.schedules();
    const qint64 thirdId = rs.RecordIdAt(2);
    const SearchOutcome outcome = RunScheduleSearch(rs, SearchRequest{});
    ASSERT_EQ(outcome.rows.size(), 3u);
    EXPECT_EQ(outcome.count, 4);
    EXPECT_EQ(outcome.rows[0].key, QStringLiteral("K0000K0001"));
    EXPECT_EQ(outcome.rows[1].key, QStringLiteral("K0001K0002"));
    EXPECT_EQ(outcome.rows[2].key, QStringLiteral("K0002K0003"));
    EXPECT_EQ(outcome.rows[1].recordId, thirdId);
    rs.SetAbsolutePosition(outcome.rows[1].position);
    EXPECT_EQ(rs.GetValue(QStringLiteral("Message")).toString(), QStringLiteral("third"));
}

TEST(ScheduleSearch, WrongOrderSearchesNothing)
{
    ScheduleFixture fixture;
    fixture.add(Rec{std::nullopt, 2026, 1, 1, -1, -1, {}, {}, "broken"});
    const SearchOutcome outcome =
        RunScheduleSearch(fixture.schedules(), Range(QDate(2026, 6, 1), QDate(2026, 5, 31)));
    EXPECT_FALSE(outcome.rangeInOrder);
    EXPECT_EQ(outcome.count, 0);
    EXPECT_EQ(fixture.schedules().RecordCount(), 1);
}

TEST(ScheduleSearch, NothingFoundCaption)
{
    EXPECT_EQ(SearchResultCaption(0),
              QStringLiteral("検索結果：条件に合う予定が見つかりませんでした"));
    EXPECT_EQ(SearchResultCaption(12), QStringLiteral("検索結果：12件の予定が見つかりました"));
}

} // namespace
} // namespace morvane
