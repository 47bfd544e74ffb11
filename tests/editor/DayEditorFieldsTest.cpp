// The fields of a schedule through a load and a save: what the editor
// shows for a stored rule or time, and that a save after the load keeps it.

#include "editor/DayEditor.h"
#include "editor/EditorFixture.h"
#include "ui_toolkit/MsgBox.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

namespace f = schedule_fields;
using test::EditorFixture;
using test::On;
using test::Rec;

class DayEditorFields : public ::testing::Test
{
protected:
    DayEditor& openOn(QDate day, std::initializer_list<Rec> records)
    {
        fx.open(records);
        editor = std::make_unique<DayEditor>(fx.context);
        editor->SetEditFrm(day, false);
        return *editor;
    }
    void setField(int position, const QString& field, const Value& value)
    {
        fx.rs().SetAbsolutePosition(position);
        fx.rs().Edit();
        fx.rs().SetValue(field, value);
        fx.rs().Update();
    }

    EditorFixture fx;
    std::unique_ptr<DayEditor> editor;
    MsgBoxScript boxes;
};

// --- The n-th weekday saved from the last day of each week ------------------------

struct NthCase
{
    int day; // of December 2026; the 7th is a Monday
    int week;
};

class NthWeekdaySaved : public DayEditorFields, public ::testing::WithParamInterface<NthCase>
{
};

TEST_P(NthWeekdaySaved, StoresTheWeekOfTheShownDay)
{
    const QDate date(2026, 12, GetParam().day);
    const int week = GetParam().week;
    DayEditor& e = openOn(date, {On(date, QStringLiteral("燃えないゴミ"))});
    EXPECT_EQ(e.ruleChoices().days.value(1), QStringLiteral("第%1週月曜日").arg(week));
    e.dayChoiceChosen(day_choice::NthWeekday);
    ASSERT_TRUE(e.MNU_F_S_Click());
    EXPECT_EQ(fx.field(0, f::Day).toInt(), -1);
    EXPECT_EQ(fx.field(0, f::Week).toInt(), week);
    EXPECT_EQ(fx.field(0, f::DayOfTheWeek).toInt(), 2);
    EXPECT_EQ(e.rows()[0].dateLabel, QStringLiteral("2026年12月第%1週月曜日").arg(week));
}

INSTANTIATE_TEST_SUITE_P(LastDayOfEachWeek, NthWeekdaySaved,
                         ::testing::Values(NthCase{7, 1}, NthCase{14, 2}, NthCase{21, 3},
                                           NthCase{28, 4}));

// --- Weekday records loaded and saved again -----------------------------------------

struct WeekCase
{
    int week; // 0: every week
    int day;  // a Tuesday of December 2026 the record falls on
    int choice;
};

class WeekdayRecordLoaded : public DayEditorFields, public ::testing::WithParamInterface<WeekCase>
{
};

TEST_P(WeekdayRecordLoaded, SelectsItsDayChoiceAndKeepsTheRule)
{
    const WeekCase& c = GetParam();
    const QDate date(2026, 12, c.day);
    DayEditor& e = openOn(date, {Rec{0, 0, 0, -1, c.week, 3, {}, {}, QStringLiteral("火曜")}});
    ASSERT_EQ(e.rows().size(), 1u);
    EXPECT_EQ(e.form().dayChoice, c.choice);
    EXPECT_EQ(e.form().yearChoice, 1);
    EXPECT_EQ(e.form().monthChoice, 1);
    e.textEdited(QStringLiteral("火曜の用事"));
    ASSERT_TRUE(e.MNU_F_S_Click());
    EXPECT_EQ(fx.field(0, f::Year).toInt(), 0);
    EXPECT_EQ(fx.field(0, f::Month).toInt(), 0);
    EXPECT_EQ(fx.field(0, f::Day).toInt(), -1);
    EXPECT_EQ(fx.field(0, f::Week).toInt(), c.week);
    EXPECT_EQ(fx.field(0, f::DayOfTheWeek).toInt(), 3);
    EXPECT_EQ(fx.message(0), QStringLiteral("火曜の用事"));
}

INSTANTIATE_TEST_SUITE_P(Weeks, WeekdayRecordLoaded,
                         ::testing::Values(WeekCase{0, 8, day_choice::EveryWeek},
                                           WeekCase{1, 1, day_choice::NthWeekday},
                                           WeekCase{2, 8, day_choice::NthWeekday},
                                           WeekCase{3, 15, day_choice::NthWeekday},
                                           WeekCase{4, 22, day_choice::NthWeekday},
                                           WeekCase{5, 29, day_choice::NthWeekday}));

// --- One end of the time range ----------------------------------------------------------

struct RangeCase
{
    const char* name;
    const char* start;
    const char* end;
};

void PrintTo(const RangeCase& c, std::ostream* out)
{
    *out << c.name;
}

class HalfTimeRange : public DayEditorFields, public ::testing::WithParamInterface<RangeCase>
{
};

TEST_P(HalfTimeRange, ChecksTheBoxAndKeepsTheTimeThroughASave)
{
    const RangeCase& c = GetParam();
    const QDate date(2026, 12, 8);
    fx.open({On(date, QStringLiteral("会議"))});
    setField(0, f::StartTime, QString::fromLatin1(c.start));
    setField(0, f::EndTime, QString::fromLatin1(c.end));
    DayEditor e(fx.context);
    e.SetEditFrm(date, false);
    EXPECT_TRUE(e.form().timeRange);
    EXPECT_TRUE(e.panel().timeRangeVisible);
    if (*c.start) {
        EXPECT_EQ(e.form().startTime, ParseTimeText(QString::fromLatin1(c.start)));
    }
    if (*c.end) {
        EXPECT_EQ(e.form().endTime, ParseTimeText(QString::fromLatin1(c.end)));
    }

    e.textEdited(QStringLiteral("会議（A室）"));
    ASSERT_TRUE(e.MNU_F_S_Click());
    // The time stays, and the end the record never had is not invented.
    EXPECT_EQ(fx.field(0, f::StartTime).toString(), QString::fromLatin1(c.start));
    EXPECT_EQ(fx.field(0, f::EndTime).toString(), QString::fromLatin1(c.end));

    // Set by the user, the missing end is written like any other.
    e.startTimeEdited(QTime(9, 0));
    e.endTimeEdited(QTime(17, 45));
    ASSERT_TRUE(e.MNU_F_S_Click());
    EXPECT_EQ(fx.field(0, f::StartTime).toString(), QStringLiteral("09:00"));
    EXPECT_EQ(fx.field(0, f::EndTime).toString(), QStringLiteral("17:45"));
}

INSTANTIATE_TEST_SUITE_P(Ends, HalfTimeRange,
                         ::testing::Values(RangeCase{"StartOnly", "09:30", ""},
                                           RangeCase{"EndOnly", "", "17:00"}));

// --- The highest mark -------------------------------------------------------------------

TEST_F(DayEditorFields, TheFifteenthMarkLoadsAndIsKept)
{
    const QDate date(2026, 12, 8);
    DayEditor& e = openOn(date, {Rec{0, 2026, 12, 8, -1, -1, 12, 14, QStringLiteral("印")}});
    EXPECT_TRUE(e.form().mark);
    EXPECT_EQ(e.form().markIndex, 14);
    EXPECT_TRUE(e.panel().markListVisible);
    e.textEdited(QStringLiteral("印つき"));
    ASSERT_TRUE(e.MNU_F_S_Click());
    EXPECT_EQ(fx.field(0, f::Mark).toInt(), 14);
}

// --- First and last day --------------------------------------------------------------

// Tuesday 8 December 2026, a weekly Tuesday rule.
TEST_F(DayEditorFields, FirstAndLastDayLoadAreEditedAndSaved)
{
    const QDate date(2026, 12, 8);
    fx.open({Rec{0, 0, 0, -1, 0, 3, {}, {}, QStringLiteral("火曜")}});
    setField(0, f::FirstDate, QStringLiteral("2026-06-02"));
    setField(0, f::SkippedDates, QStringLiteral("2026-12-01"));
    DayEditor e(fx.context);
    e.SetEditFrm(date, false);
    ASSERT_EQ(e.rows().size(), 1u);
    EXPECT_EQ(e.form().firstDate, QDate(2026, 6, 2));
    EXPECT_FALSE(e.form().lastDate.isValid());
    EXPECT_EQ(e.rows()[0].dateLabel, QStringLiteral("毎週火曜日（2026年6月2日から）"));

    // A last day before the first one takes the first one with it.
    e.lastDateEdited(QDate(2026, 5, 1));
    EXPECT_EQ(e.form().firstDate, QDate(2026, 5, 1));
    e.firstDateEdited(QDate(2026, 6, 2));
    EXPECT_EQ(e.form().lastDate, QDate(2026, 6, 2));
    e.lastDateEdited(QDate(2027, 3, 30));
    EXPECT_TRUE(e.Changed);
    EXPECT_EQ(e.rows()[0].dateLabel,
              QStringLiteral("毎週火曜日（2026年6月2日から2027年3月30日まで）"));
    ASSERT_TRUE(e.MNU_F_S_Click());
    EXPECT_EQ(fx.field(0, f::FirstDate), Value("2026-06-02"));
    EXPECT_EQ(fx.field(0, f::LastDate), Value("2027-03-30"));
    EXPECT_EQ(fx.field(0, f::SkippedDates), Value("2026-12-01")); // kept

    e.firstDateEdited(std::nullopt);
    ASSERT_TRUE(e.MNU_F_S_Click());
    EXPECT_TRUE(fx.field(0, f::FirstDate).isNull());

    // Made a rule of this day alone, it loses its bounds.
    e.yearChoiceChosen(0);
    e.monthChoiceChosen(0);
    e.dayChoiceChosen(day_choice::Date);
    EXPECT_FALSE(RuleRepeats(e.form()));
    ASSERT_TRUE(e.MNU_F_S_Click());
    for (const QString& field : {f::FirstDate, f::LastDate, f::SkippedDates})
        EXPECT_TRUE(fx.field(0, field).isNull()) << field.toStdString();
}

} // namespace
} // namespace morvane
