#include "RecordsTestSupport.h"
#include "data/records/DaySchedules.h"
#include "data/records/ScheduleBounds.h"
#include "data/records/ScheduleDatabase.h"
#include "data/records/ScheduleFields.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace morvane {
namespace {

namespace f = schedule_fields;
using test::AddRecord;

// One small book with a record for every rule shape the day filter must
// tell apart, Null and -1 variants side by side.
class DayMatchingBook
{
public:
    DayMatchingBook()
    {
        OpenScheduleResult opened = OpenScheduleDatabase(m_folder.path());
        m_database = std::move(opened.database);
        Recordset& rs = m_database->schedules();
        const Value Null;
        auto add = [&](const char* message, Value type, Value year, Value month, Value day,
                       Value week, Value weekday) {
            AddRecord(rs, {{f::Type, type},
                           {f::Year, year},
                           {f::Month, month},
                           {f::Day, day},
                           {f::Week, week},
                           {f::DayOfTheWeek, weekday},
                           {f::Message, message}});
        };
        add("31st", 0, 0, 0, 31, Null, Null);
        add("fifth Sunday", 0, 0, 0, -1, 5, 1);
        add("Mondays (-1)", 0, 0, 0, -1, 0, 2);
        add("Mondays (Null)", 0, 0, 0, Null, 0, 2);
        add("equinox", 10, 0, 3, Null, Null, Null);
        add("equinox with day 21", 10, 0, 3, 21, Null, Null);
        add("29 Feb", 0, 0, 2, 29, Null, Null);
        add("8 Dec (-1)", 4, 0, 12, 8, -1, -1);
        add("8 Dec (Null)", 4, 0, 12, 8, Null, Null);
        add("8 Dec 2026", 0, 2026, 12, 8, -1, -1);
        // Mondays from 7 December 2026 to 1 March 2027 except 4 January,
        // and every 8th of December with 2026 skipped.
        const auto bound = [&](QDate first, QDate last, QDate skipped) {
            ScheduleBounds bounds;
            bounds.first = first;
            bounds.last = last;
            bounds.Skip(skipped);
            rs.MoveLast();
            rs.Edit();
            WriteScheduleBounds(rs, bounds);
            rs.Update();
        };
        add("bounded Mondays", 0, 0, 0, -1, 0, 2);
        bound(QDate(2026, 12, 7), QDate(2027, 3, 1), QDate(2027, 1, 4));
        add("8 Dec skipping 2026", 4, 0, 12, 8, -1, -1);
        bound(QDate(), QDate(), QDate(2026, 12, 8));
    }

    // The same question asked of each record held in memory.
    QStringList InMemory(const QDate& date, DayFilterForm form)
    {
        Recordset& rs = m_database->schedules();
        QStringList messages;
        for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
            if (DayRuleMatches(ReadSchedulePattern(rs), date, form) &&
                ReadScheduleBounds(rs).Allows(date))
                messages.append(rs.GetValue(f::Message).toString());
        }
        return messages;
    }

    QStringList On(const QDate& date, DayFilterForm form)
    {
        Recordset& rs = m_database->schedules();
        QStringList messages;
        for (int position : FindSchedulesOn(rs, date, form)) {
            rs.SetAbsolutePosition(position);
            messages.append(rs.GetValue(f::Message).toString());
        }
        return messages;
    }

private:
    QTemporaryDir m_folder;
    std::unique_ptr<ScheduleDatabase> m_database;
};

struct DayCase
{
    QDate date;
    QStringList full;  // full form, after EquinoxCheck
    QStringList brief; // short form
};

void PrintTo(const DayCase& c, std::ostream* os)
{
    *os << c.date.toString(Qt::ISODate).toStdString();
}

class DayMatchingTest : public ::testing::TestWithParam<DayCase>
{
protected:
    static void SetUpTestSuite() { s_book = new DayMatchingBook; }
    static void TearDownTestSuite()
    {
        delete s_book;
        s_book = nullptr;
    }
    static DayMatchingBook* s_book;
};
DayMatchingBook* DayMatchingTest::s_book = nullptr;

TEST_P(DayMatchingTest, FindsExactlyTheSchedulesOfTheDate)
{
    const DayCase& c = GetParam();
    EXPECT_EQ(s_book->On(c.date, DayFilterForm::Full), c.full);
    EXPECT_EQ(s_book->On(c.date, DayFilterForm::Short), c.brief);
}

const QStringList None;
const QStringList Mondays{"Mondays (-1)", "Mondays (Null)"};
const QStringList BothEquinox{"equinox", "equinox with day 21"};
const QStringList EveryYear8Dec{"8 Dec (-1)", "8 Dec (Null)", "8 Dec skipping 2026"};
const QStringList BoundedMondays{"Mondays (-1)", "Mondays (Null)", "bounded Mondays"};

INSTANTIATE_TEST_SUITE_P(Dates, DayMatchingTest,
                         ::testing::Values(
                             // The 31st only in months that have one.
                             DayCase{QDate(2026, 1, 31), {"31st"}, {"31st"}},
                             DayCase{QDate(2026, 4, 30), None, None},
                             DayCase{QDate(2026, 3, 31), {"31st"}, {"31st"}},
                             // Fifth Sundays only (29 March and 29 November 2026).
                             DayCase{QDate(2026, 3, 29), {"fifth Sunday"}, {"fifth Sunday"}},
                             DayCase{QDate(2026, 11, 29), {"fifth Sunday"}, {"fifth Sunday"}},
                             DayCase{QDate(2026, 11, 22), None, None},
                             DayCase{QDate(2026, 3, 1), None, None}, // a first Sunday
                             // Weekday rules with Day -1 and Day Null alike.
                             DayCase{QDate(2026, 3, 2), Mondays, Mondays},
                             // The computed equinox (20 March 2026, 21 March 2027): the full
                             // form finds every March equinox record, the check keeps them only
                             // on the day; the short form sees only a stored Day.
                             DayCase{QDate(2026, 3, 20), BothEquinox, None},
                             DayCase{QDate(2026, 3, 21), None, {"equinox with day 21"}},
                             DayCase{QDate(2027, 3, 21), BothEquinox, {"equinox with day 21"}},
                             DayCase{QDate(2026, 9, 23), None, None},
                             // 29 February exists only in leap years.
                             DayCase{QDate(2028, 2, 29), {"29 Feb"}, {"29 Feb"}},
                             DayCase{QDate(2026, 2, 28), None, None},
                             // Day rules with Week/DayOfTheWeek -1 and Null alike; a one-date
                             // record only in its year. Tuesday 8 December 2026 is also the
                             // second Tuesday, which no weekday record claims.
                             DayCase{QDate(2026, 12, 8),
                                     {"8 Dec (-1)", "8 Dec (Null)", "8 Dec 2026"},
                                     {"8 Dec (-1)", "8 Dec (Null)", "8 Dec 2026"}},
                             DayCase{QDate(2027, 12, 8), EveryYear8Dec, EveryYear8Dec},
                             // A bounded rule: its first and last day, not the days
                             // around them nor a skipped one.
                             DayCase{QDate(2026, 11, 30), Mondays, Mondays},
                             DayCase{QDate(2026, 12, 7), BoundedMondays, BoundedMondays},
                             DayCase{QDate(2027, 1, 4), Mondays, Mondays},
                             DayCase{QDate(2027, 1, 11), BoundedMondays, BoundedMondays},
                             DayCase{QDate(2027, 3, 1), BoundedMondays, BoundedMondays},
                             DayCase{QDate(2027, 3, 8), Mondays, Mondays}));

// The rule of one record in memory decides as the filter does, day by day.
TEST(DayRuleInMemory, AgreesWithTheDayFilterFrom2026To2028)
{
    DayMatchingBook book;
    for (QDate date(2026, 1, 1); date.year() <= 2028; date = date.addDays(1)) {
        for (const DayFilterForm form : {DayFilterForm::Full, DayFilterForm::Short})
            ASSERT_EQ(book.InMemory(date, form), book.On(date, form))
                << date.toString(Qt::ISODate).toStdString() << (form == DayFilterForm::Full);
    }
}

struct WithinCase
{
    const char* name;
    SchedulePattern pattern;
    QDate first, last, skipped;
    QDate date;
    QDate expected;
};

void PrintTo(const WithinCase& c, std::ostream* os)
{
    *os << c.name;
}

class DayWithinBoundsTest : public ::testing::TestWithParam<WithinCase>
{
};

TEST_P(DayWithinBoundsTest, FindsTheNearestDayTheRuleFallsOn)
{
    const WithinCase& c = GetParam();
    ScheduleBounds bounds;
    bounds.first = c.first;
    bounds.last = c.last;
    bounds.Skip(c.skipped);
    EXPECT_EQ(DayWithinBounds(c.pattern, bounds, c.date), c.expected);
}

const SchedulePattern kWednesdays{0, 0, 0, -1, 0, 4};
const QDate NoDay;

INSTANTIATE_TEST_SUITE_P(
    Cases, DayWithinBoundsTest,
    ::testing::Values(WithinCase{"inside", kWednesdays, QDate(2026, 6, 3), NoDay, NoDay,
                                 QDate(2026, 7, 1), QDate(2026, 7, 1)},
                      WithinCase{"before the first day", kWednesdays, QDate(2026, 6, 4), NoDay,
                                 NoDay, QDate(2025, 12, 3), QDate(2026, 6, 10)},
                      WithinCase{"after the last day", kWednesdays, NoDay, QDate(2026, 6, 9), NoDay,
                                 QDate(2026, 12, 2), QDate(2026, 6, 3)},
                      WithinCase{"a skipped day", kWednesdays, NoDay, NoDay, QDate(2026, 6, 3),
                                 QDate(2026, 6, 3), QDate(2026, 6, 10)},
                      WithinCase{"29 February four years on", SchedulePattern{0, 0, 2, 29, -1, -1},
                                 QDate(2025, 1, 1), NoDay, NoDay, QDate(2024, 2, 29),
                                 QDate(2028, 2, 29)},
                      WithinCase{"no day within", SchedulePattern{0, 2026, 5, 5, -1, -1},
                                 QDate(2027, 1, 1), NoDay, NoDay, QDate(2026, 5, 5),
                                 QDate(2026, 5, 5)}));

} // namespace
} // namespace morvane
