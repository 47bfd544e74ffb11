#include "calendar_window/tray/DeleteDaySchedules.h"

#include "calendar_window/month/ScheduleFixture.h"
#include "calendar_window/tray/DeleteQuestion.h"
#include "data/records/DaySchedules.h"
#include "data/records/ScheduleFields.h"
#include "ui_toolkit/MsgBox.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

using test::Dated;
using test::Rec;
using test::ScheduleFixture;

struct QuestionCase
{
    const char* name;
    SchedulePattern pattern;
    const char16_t* recurrence;
};

void PrintTo(const QuestionCase& c, std::ostream* out)
{
    *out << c.name;
}

class RecurrenceText : public ::testing::TestWithParam<QuestionCase>
{
};

TEST_P(RecurrenceText, NamesTheRuleOfTheRecord)
{
    EXPECT_EQ(DeleteRecurrenceText(GetParam().pattern), QString::fromUtf16(GetParam().recurrence));
}

// type, year, month, day, week, weekday
INSTANTIATE_TEST_SUITE_P(
    Rules, RecurrenceText,
    ::testing::Values(
        QuestionCase{"OneOff", {0, 2024, 5, 3, -1, -1}, u"2024年5月3日"},
        QuestionCase{"Yearly", {0, 0, 5, 3, -1, -1}, u"毎年5月3日"},
        QuestionCase{"Monthly", {0, 0, 0, 3, -1, -1}, u"毎月3日"},
        // A 0 month replaces the year part even when a year is set.
        QuestionCase{"MonthlyInOneYear", {0, 2024, 0, 3, -1, -1}, u"毎月3日"},
        QuestionCase{"EveryFriday", {0, 0, 0, -1, 0, 6}, u"毎週金曜日"},
        QuestionCase{"EveryFridayOfMay", {0, 0, 5, -1, 0, 6}, u"毎週金曜日"},
        QuestionCase{"SecondMondayOfJanuary", {1, 0, 1, {}, 2, 2}, u"毎年1月第2週月曜日"},
        QuestionCase{"ThirdSundayEveryMonth", {0, 0, 0, -1, 3, 1}, u"毎月第3週日曜日"},
        // A Null week is a date rule.
        QuestionCase{"NullWeek", {1, 0, 11, 3, {}, {}}, u"毎年11月3日"}));

TEST(DeleteQuestion, TextAndTitle)
{
    EXPECT_EQ(DeleteQuestionText({0, 2024, 5, 3, -1, -1}, QStringLiteral("歯医者")),
              QStringLiteral("2024年5月3日の予定を削除してよろしいですか？\n\n『歯医者』"));
    EXPECT_EQ(DeleteQuestionTitle, QStringLiteral("予定の削除"));
}

QStringList Messages(Recordset& schedules)
{
    QStringList messages;
    for (int i = 0; i < schedules.RecordCount(); ++i) {
        schedules.SetAbsolutePosition(i);
        messages << schedules.GetValue(schedule_fields::Message).toString();
    }
    return messages;
}

// Friday 3 May 2024: five schedules fall on it, one (another day) does not.
class DeleteDay : public ::testing::Test
{
protected:
    DeleteDay()
    {
        fixture.add({
            Dated(0, 2024, 5, 3, 9, {}, QStringLiteral("one-off")),
            Dated(0, 2024, 5, 4, 9, {}, QStringLiteral("another day")),
            Dated(0, 0, 5, 3, 9, {}, QStringLiteral("yearly")),
            Dated(0, 0, 0, 3, 9, {}, QStringLiteral("monthly")),
            Rec{0, 0, 0, -1, 0, 6, 9, {}, QStringLiteral("weekly")},
            Rec{0, 0, 5, -1, 1, 6, 9, {}, QStringLiteral("first Friday")},
        });
    }
    ScheduleFixture fixture;
};

TEST_F(DeleteDay, AsksOncePerRecordAndDeletesOnlyOnYes)
{
    MsgBoxScript script;
    script.answer({MsgBoxResult::Yes, MsgBoxResult::No, MsgBoxResult::Yes, MsgBoxResult::Cancel,
                   MsgBoxResult::No});
    EXPECT_EQ(DeleteDaySchedules(fixture.schedules(), QDate(2024, 5, 3)), 4);

    ASSERT_EQ(script.calls().size(), 5u);
    const QStringList asked{QStringLiteral("2024年5月3日"), QStringLiteral("毎年5月3日"),
                            QStringLiteral("毎月3日"), QStringLiteral("毎週金曜日"),
                            QStringLiteral("毎年5月第1週金曜日")};
    const QStringList messages{"one-off", "yearly", "monthly", "weekly", "first Friday"};
    for (int i = 0; i < 5; ++i) {
        const MsgBoxCall& call = script.calls()[std::size_t(i)];
        const QString question =
            asked[i] + "の予定を削除してよろしいですか？\n\n『" + messages[i] + "』";
        EXPECT_EQ(call.title, QStringLiteral("予定の削除"));
        if (i == 0) {
            // A schedule of this day alone: はい or いいえ.
            EXPECT_EQ(call.text, question);
            EXPECT_EQ(call.style,
                      MsgBoxStyle::YesNo + MsgBoxStyle::Question + MsgBoxStyle::DefaultButton2);
            EXPECT_TRUE(call.buttonTexts.empty());
            continue;
        }
        EXPECT_EQ(call.text, question + "\n\n「この日だけ」：2024年5月3日だけを予定から外します。"
                                        "\n「すべて」：この予定をすべての日から削除します。");
        EXPECT_EQ(call.style,
                  MsgBoxStyle::YesNoCancel + MsgBoxStyle::Question + MsgBoxStyle::DefaultButton3);
        EXPECT_EQ(call.buttonTexts,
                  (MsgBoxButtonTexts{{MsgBoxResult::Yes, QStringLiteral("この日だけ")},
                                     {MsgBoxResult::No, QStringLiteral("すべて")}}));
    }
    // この日だけ kept the monthly schedule without this day; キャンセル kept
    // the weekly one whole.
    EXPECT_EQ(Messages(fixture.schedules()), (QStringList{"another day", "monthly", "weekly"}));
    Recordset& schedules = fixture.schedules();
    schedules.SetAbsolutePosition(1);
    EXPECT_EQ(schedules.GetValue(schedule_fields::SkippedDates), Value("2024-05-03"));
    schedules.SetAbsolutePosition(2);
    EXPECT_TRUE(schedules.GetValue(schedule_fields::SkippedDates).isNull());
    EXPECT_EQ(FindSchedulesOn(schedules, QDate(2024, 6, 3)).size(), 1u);

    // The day is asked about again for the weekly schedule alone.
    script.clearCalls();
    EXPECT_EQ(DeleteDaySchedules(fixture.schedules(), QDate(2024, 5, 3)), 0);
    ASSERT_EQ(script.calls().size(), 1u);
    EXPECT_TRUE(script.calls()[0].text.contains(QStringLiteral("『weekly』")));
}

TEST_F(DeleteDay, DefaultAnswerKeepsEverything)
{
    MsgBoxScript script; // no answers: every box takes its default, No
    EXPECT_EQ(DeleteDaySchedules(fixture.schedules(), QDate(2024, 5, 3)), 0);
    EXPECT_EQ(script.calls().size(), 5u);
    EXPECT_EQ(fixture.schedules().RecordCount(), 6);
}

TEST_F(DeleteDay, AnswerDeletesTheRecordAskedAboutWhateverRanMeanwhile)
{
    Recordset& schedules = fixture.schedules();
    MsgBoxScript script;
    // While the first box is open a tick searches the shared recordset, and
    // another window deletes "another day", moving every later record down.
    script.whileNextBoxIsOpen([&] {
        schedules.FindFirst(QStringLiteral("[Message] = 'weekly'"));
        schedules.FindFirst(QStringLiteral("[Message] = 'another day'"));
        schedules.Delete();
        schedules.FindFirst(QStringLiteral("[Message] = 'weekly'"));
    });
    script.answer({MsgBoxResult::No, MsgBoxResult::No});
    EXPECT_EQ(DeleteDaySchedules(schedules, QDate(2024, 5, 3)), 1);
    EXPECT_EQ(Messages(schedules), (QStringList{"one-off", "monthly", "weekly", "first Friday"}));
    EXPECT_EQ(script.calls().size(), 5u) << "every schedule of the day is asked about once";
}

TEST_F(DeleteDay, RecordDeletedWhileAskedIsSkipped)
{
    Recordset& schedules = fixture.schedules();
    MsgBoxScript script;
    script.whileNextBoxIsOpen([&] {
        schedules.FindFirst(QStringLiteral("[Message] = 'one-off'"));
        schedules.Delete();
    });
    script.answer({MsgBoxResult::Yes, MsgBoxResult::No});
    EXPECT_EQ(DeleteDaySchedules(schedules, QDate(2024, 5, 3)), 1);
    EXPECT_EQ(Messages(schedules),
              (QStringList{"another day", "monthly", "weekly", "first Friday"}));
}

TEST_F(DeleteDay, SchedulesTheirBoundsKeepOffTheDayAreNotOffered)
{
    fixture.boundLast(QDate(2024, 5, 4), QDate()); // first Friday, from the day after
    fixture.add(Dated(0, 0, 0, 3, 9, {}, QStringLiteral("monthly, skipping")));
    fixture.boundLast(QDate(), QDate(), {QDate(2024, 5, 3)});
    MsgBoxScript script;
    EXPECT_EQ(DeleteDaySchedules(fixture.schedules(), QDate(2024, 5, 3)), 0);
    EXPECT_EQ(script.calls().size(), 4u);
    for (const MsgBoxCall& call : script.calls()) {
        EXPECT_FALSE(call.text.contains(QStringLiteral("first Friday")));
        EXPECT_FALSE(call.text.contains(QStringLiteral("skipping")));
    }
}

TEST_F(DeleteDay, EquinoxHolidaysAreNotOfferedByTheShortSearch)
{
    fixture.add(Rec{10, 0, 3, {}, {}, {}, 12, {}, QStringLiteral("春分の日")});
    MsgBoxScript script;
    EXPECT_EQ(DeleteDaySchedules(fixture.schedules(), QDate(2024, 3, 20)), 0);
    EXPECT_TRUE(script.calls().empty());
}

} // namespace
} // namespace morvane
