// The filter language on rows held in memory: what each filter selects,
// and what it refuses.

#include "data/engine/DatabaseEngine.h"
#include "data/engine/FilterEvaluator.h"
#include "data/engine/FilterParser.h"

#include <gtest/gtest.h>
#include <set>

namespace morvane {
namespace {

using engine_detail::BoundFilter;
using engine_detail::ParseFilter;

const std::vector<FieldDef> kFields = {
    IntegerField("Type"), IntegerField("Year"), IntegerField("Month"),
    IntegerField("Day"),  IntegerField("Week"), IntegerField("DayOfTheWeek"),
    TextField("Alarm"),   TextField("Message"), TextField("Title"),
};

const Value N; // Null

// Rows chosen so that each case below tells a right answer from the
// plausible wrong ones (precedence, Null handling, case).
const std::vector<std::vector<Value>> kRows = {
    // 0: one date, 8 December 2026, with an alarm
    {0, 2026, 12, 8, -1, -1, "09:00", "会議 in Room A", "Bob's notes"},
    // 1: second Tuesday of every December
    {1, 0, 12, N, 2, 3, "", "定例", ""},
    // 2: equinox-style record, nothing but kind and month
    {10, 0, 12, N, N, N, N, "春分の日", N},
    // 3: one date in 2025
    {4, 2025, 1, 15, N, N, " ", "50% off *sale*", "a?b"},
    // 4: day 8 of every month, no text
    {0, 0, 0, 8, N, N, "07:30", N, "MEMO"},
};

std::set<int> Matching(const QString& filter)
{
    const auto parsed = ParseFilter(filter);
    const auto bound = BoundFilter::Bind(*parsed, kFields, [](const QString& name) {
        for (size_t i = 0; i < kFields.size(); ++i) {
            if (kFields[i].name.compare(name, Qt::CaseInsensitive) == 0)
                return int(i);
        }
        return -1;
    });
    // The engine keeps tables by column.
    std::vector<std::vector<Value>> columns(kFields.size());
    for (const auto& row : kRows) {
        for (size_t field = 0; field < kFields.size(); ++field)
            columns[field].push_back(row[field]);
    }
    std::set<int> rows;
    for (size_t i = 0; i < kRows.size(); ++i) {
        if (bound->Matches(engine_detail::RowRef{columns.data(), i}))
            rows.insert(int(i));
    }
    return rows;
}

struct SelectCase
{
    const char* what;
    QString filter;
    std::set<int> rows;
};

class FilterSelects : public testing::TestWithParam<SelectCase>
{
};

TEST_P(FilterSelects, TheExpectedRows)
{
    EXPECT_EQ(Matching(GetParam().filter), GetParam().rows) << GetParam().filter.toStdString();
}

const QString kDayFilter8Dec2026 = QStringLiteral(
    "([Year] =  2026 Or [Year] = 0) and ([Month] =  12 Or [Month] = 0) and ([Day] =  8 Or "
    "([DayOfTheWeek] =  3 and ([Week] = 0 or [Week] =  2))) Or ([Type] = 10 and [Month] =  12)");

INSTANTIATE_TEST_SUITE_P(
    Filters, FilterSelects,
    testing::Values(
        SelectCase{"number", "[Type] = 0", {0, 4}},
        SelectCase{"field name case, no blanks", "[type]=0", {0, 4}},
        SelectCase{"bare field name", "Type = 0", {0, 4}},
        SelectCase{"negative number", "[Week] = -1", {0}},
        SelectCase{"blank after minus", "[Week] = - 1", {0}},
        SelectCase{"tabs and line breaks", "  [Type]\t=\n0  ", {0, 4}},
        SelectCase{
            "and binds tighter than or", "[Type] = 0 or [Type] = 1 and [Year] = 2026", {0, 4}},
        SelectCase{"parentheses override", "([Type] = 0 or [Type] = 1) and [Year] = 0", {1, 4}},
        SelectCase{"keywords in any case", "[Type] = 0 OR [Type] = 1 AnD [Year] = 0", {0, 1, 4}},
        SelectCase{"Null never equals", "[Day] = 8", {0, 4}},
        SelectCase{"Null never differs", "[Day] <> 8", {3}},
        SelectCase{"Not of a Null comparison is false", "Not([Day] = 8)", {3}},
        SelectCase{"non-empty alarm", "Not([Alarm] = '' )", {0, 3, 4}},
        SelectCase{"double Not", "Not(Not([Alarm] = ''))", {1}},
        SelectCase{"Not of false Or Null stays unknown", "Not([Type] = 99 Or [Day] = 8)", {3}},
        SelectCase{"Not without parentheses", "Not [Type] = 0 and [Year] = 0", {1, 2}},
        SelectCase{"Is Null", "[Day] Is Null", {1, 2}},
        SelectCase{"Is Not Null", "[Day] is not null", {0, 3, 4}},
        SelectCase{"day filter, full form", kDayFilter8Dec2026, {0, 1, 2, 4}},
        SelectCase{"no blank before Or",
                   "([Year] =  2026Or [Year] = 0) and ([Month] =  12Or [Month] = 0)",
                   {0, 1, 2, 4}},
        SelectCase{
            "no blank after Or", "([Message] = '定例') Or([Type] = 10 and [Month] = 12)", {1, 2}},
        SelectCase{"text ignores ASCII case", "[Title] = 'memo'", {4}},
        SelectCase{"doubled apostrophe", "[Title] = 'Bob''s notes'", {0}},
        SelectCase{"double quotes", "[Title] = \"Bob's notes\"", {0}},
        SelectCase{"empty text", "[Title] = ''", {1}},
        SelectCase{"text order", "[Alarm] < '08:00'", {1, 3, 4}},
        SelectCase{"quoted number in a number field", "[Year] = '2026'", {0}},
        SelectCase{"literal first", "2025 < [Year]", {0}},
        SelectCase{"ranges", "[Year] > 2025 Or ([Year] = 2025 And [Month] >= 1)", {0, 3}},
        SelectCase{"Like substring", "[Message] Like '*会議*'", {0}},
        SelectCase{"Like ignores case", "[Message] like '*ROOM*'", {0}},
        SelectCase{"Like ** skips Null only", "[Message] Like '**'", {0, 1, 2, 3}},
        SelectCase{"Like ? is one character",
                   "[Message] Like '?"
                   "?'",
                   {1}},
        SelectCase{"Like bracketed star", "[Message] Like '*[*]*'", {3}},
        SelectCase{"Like # is a digit", "[Message] Like '#0%*'", {3}},
        SelectCase{"Like on a number field", "[Year] Like '20*'", {0, 3}},
        SelectCase{"search criterion",
                   "([Message] Like '*会議*') And (([Year] > 2026 Or ([Year] = 2026 And [Month] "
                   "> 12) Or (([Year] = 2026 Or [Year] = 0) And ([Month] = 12 Or [Month] = 0) "
                   "And ([Day] >= 8))) Or ([Year] = 0 Or [Month] = 0 Or [DayOfTheWeek] > 0)) "
                   "And [Type] = 0",
                   {0}},
        SelectCase{"constant comparison", "1 = 1 and [Type] = 4", {3}}));

TEST(FilterText, QuotedTextNeverLeavesItsQuotes)
{
    EXPECT_EQ(QuoteFilterText("Bob's notes"), "'Bob''s notes'");
    EXPECT_EQ(Matching("[Title] = " + QuoteFilterText("Bob's notes")), std::set<int>{0});
    // A title written to break out of the quotes reaches no other record.
    EXPECT_EQ(Matching("[Title] = " + QuoteFilterText("x' Or [Type] = '0")), std::set<int>{});
    EXPECT_EQ(Matching("[Title] = " + QuoteFilterText("'")), std::set<int>{});
}

TEST(FilterText, SearchTextPatternCharactersMatchLiterally)
{
    const auto search = [](const QString& text) {
        return Matching("[Message] Like " +
                        QuoteFilterText("*" + LikePatternForLiteral(text) + "*"));
    };
    EXPECT_EQ(search("*"), std::set<int>{3});
    EXPECT_EQ(search("?"), std::set<int>{});
    EXPECT_EQ(search("*sale*"), std::set<int>{3});
    EXPECT_EQ(search("0%"), std::set<int>{3});
    EXPECT_EQ(search("room"), std::set<int>{0});
    EXPECT_EQ(LikePatternForLiteral("a*b?c#d[e]"), "a[*]b[?]c[#]d[[]e]");
}

class MalformedFilter : public testing::TestWithParam<const char*>
{
};

TEST_P(MalformedFilter, IsRefusedWithTheSyntaxError)
{
    try {
        Matching(QString::fromUtf8(GetParam()));
        FAIL() << "accepted: " << GetParam();
    } catch (const EngineError& error) {
        EXPECT_EQ(error.code(), EngineErrorCode::FilterSyntax) << error.what();
        EXPECT_TRUE(error.message().contains(QString::fromUtf8(GetParam()))) << error.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Filters, MalformedFilter,
                         testing::Values("[Title] = 'Bob's notes'", "[Title] = 'abc", "([Type] = 0",
                                         "[Type] = 0)", "[Type] = ", "[Type] 0", "[Type = 0",
                                         "[] = 0", "", "   ", "[Type] = 0 and", "and [Type] = 0",
                                         "[Type] == 0", "[Type] = 1.5", "[Message] Like '[abc'",
                                         "[Message] Like '[z-a]'", "[Message] Like [Title]",
                                         "[Type] = 0 [Year] = 0", "[Day] Is 5", "Not",
                                         "[Type] = 99999999999999999999", "[Type] ! 0",
                                         "[Type] = 0 & [Year] = 0"));

TEST(FilterErrors, NamesAndTypesAreCheckedAgainstTheTable)
{
    const auto codeOf = [](const char* filter) {
        try {
            Matching(QString::fromUtf8(filter));
        } catch (const EngineError& error) {
            return error.number();
        }
        return 0;
    };
    EXPECT_EQ(codeOf("[Nope] = 1"), 3070);
    EXPECT_EQ(codeOf("[Year] = 'abc'"), 3464);
    EXPECT_EQ(codeOf("[Year] = '2026'"), 0);
}

TEST(FilterErrors, DeepNestingIsRefusedNotCrashed)
{
    const QString deep = QString(5000, QLatin1Char('(')) + "[Type] = 0" + QString(5000, ')');
    EXPECT_THROW(Matching(deep), EngineError);
}

} // namespace
} // namespace morvane
