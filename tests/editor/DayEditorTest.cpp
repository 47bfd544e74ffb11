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

const QDate kDay(2026, 12, 8); // today in the fixture, a Tuesday

class DayEditorTest : public ::testing::Test
{
protected:
    DayEditor& openOn(QDate day, std::initializer_list<Rec> records = {})
    {
        fx.open(records);
        editor = std::make_unique<DayEditor>(fx.context);
        editor->SetEditFrm(day, false);
        return *editor;
    }

    EditorFixture fx;
    std::unique_ptr<DayEditor> editor;
    MsgBoxScript boxes;
};

// --- Filling the day -----------------------------------------------------------

TEST_F(DayEditorTest, ListsTheDaysSchedulesWithKeysLabelsAndColours)
{
    DayEditor& e = openOn(kDay, {On(kDay, QStringLiteral("歯医者")),
                                 On(kDay.addDays(1), QStringLiteral("another day")),
                                 Rec{2, 0, 12, 8, -1, -1, 14, {}, QStringLiteral("誕生日")},
                                 Rec{20, 0, 0, -1, 0, 3, 15, {}, QStringLiteral("ドラマ")}});
    ASSERT_EQ(e.rows().size(), 3u);
    EXPECT_EQ(e.rows()[0].key(), QStringLiteral("k0"));
    EXPECT_EQ(e.rows()[1].key(), QStringLiteral("k2"));
    EXPECT_EQ(e.rows()[2].key(), QStringLiteral("k3"));
    EXPECT_EQ(e.rows()[0].dateLabel, QStringLiteral("2026年12月8日"));
    EXPECT_EQ(e.rows()[1].dateLabel, QStringLiteral("毎年12月8日"));
    EXPECT_EQ(e.rows()[2].dateLabel, QStringLiteral("毎週火曜日"));
    EXPECT_EQ(e.rows()[1].icon, 5);      // 誕生日
    EXPECT_EQ(e.rows()[2].colorCode, 0); // 白 is listed in black
    EXPECT_EQ(e.countText(), QStringLiteral("3件"));
    EXPECT_EQ(e.selectedRow(), 0);
    EXPECT_EQ(e.form().text, QStringLiteral("歯医者"));
    EXPECT_EQ(e.dayCounterText(), QStringLiteral("今日"));
    EXPECT_FALSE(e.Changed);
    EXPECT_TRUE(e.rokuyouCaption().startsWith(QStringLiteral("の予定 [")));
}

TEST_F(DayEditorTest, EquinoxHolidayOnItsComputedDayOnly)
{
    fx.open({Rec{10, 0, 3, {}, {}, {}, 12, {}, QStringLiteral("春分の日")}});
    DayEditor e(fx.context);
    e.SetEditFrm(QDate(2026, 3, 20), false);
    ASSERT_EQ(e.rows().size(), 1u);
    EXPECT_EQ(e.rows()[0].dateLabel, QStringLiteral("毎年3月(日計算)"));
    e.SetEditFrm(QDate(2026, 3, 21), false);
    EXPECT_TRUE(e.rows().empty());
    e.SetEditFrm(QDate(2027, 3, 21), false);
    EXPECT_EQ(e.rows().size(), 1u);
}

TEST_F(DayEditorTest, EquinoxHolidaySavedWithoutAChangeOfKindStaysComputed)
{
    fx.open({Rec{10, 0, 3, {}, {}, {}, 12, {}, QStringLiteral("春分の日")}});
    DayEditor e(fx.context);
    e.SetEditFrm(QDate(2026, 3, 20), false);
    EXPECT_EQ(e.form().kindIndex, kind_index::Holiday);
    e.textEdited(QStringLiteral("春分の日（祝）"));
    ASSERT_TRUE(e.MNU_F_S_Click());
    EXPECT_EQ(fx.field(0, f::Type).toInt(), 10);
    EXPECT_TRUE(fx.field(0, f::Day).isNull());
    EXPECT_EQ(fx.field(0, f::Month).toInt(), 3);
    EXPECT_EQ(fx.message(0), QStringLiteral("春分の日（祝）"));
    e.SetEditFrm(QDate(2027, 3, 21), false);
    EXPECT_EQ(e.rows().size(), 1u); // still on next year's computed day
}

struct DuplicateCase
{
    const char* name;
    bool fromViewer;
    const char16_t* treePath;
    bool searchVisible;
    int selected;
};

void PrintTo(const DuplicateCase& c, std::ostream* out)
{
    *out << c.name;
}

class DuplicateText : public DayEditorTest, public ::testing::WithParamInterface<DuplicateCase>
{
};

TEST_P(DuplicateText, SelectsTheLastRowWithTheOtherWindowsText)
{
    const DuplicateCase& c = GetParam();
    fx.context.viewer.treePath = QString::fromUtf16(c.treePath);
    fx.context.viewer.selectedScheduleText = QStringLiteral("会議");
    fx.context.search.visible = c.searchVisible;
    fx.context.search.selectedScheduleText = QStringLiteral("会議");
    fx.open({On(kDay, QStringLiteral("会議")), On(kDay, QStringLiteral("昼食")),
             On(kDay, QStringLiteral("会議")), On(kDay, QStringLiteral("帰宅"))});
    DayEditor e(fx.context);
    e.SetEditFrm(kDay, c.fromViewer);
    EXPECT_EQ(e.selectedRow(), c.selected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DuplicateText,
    ::testing::Values(DuplicateCase{"ViewerMonthList", true, u"予定一覧\\月別\\2026年\\12月", false,
                                    2},
                      DuplicateCase{"ViewerAllList", true, u"予定一覧\\全予定", false, 2},
                      DuplicateCase{"ViewerOtherList", true, u"予定一覧\\種類別", false, 0},
                      DuplicateCase{"ViewerRootOnly", true, u"予定一覧", false, 0},
                      DuplicateCase{"SearchWindow", false, u"", true, 2},
                      DuplicateCase{"NoOtherWindow", false, u"", false, 0}));

// --- Creating ------------------------------------------------------------------

TEST_F(DayEditorTest, FirstKeystrokeOnAnEmptyDayCreatesTheScheduleAtOnce)
{
    DayEditor& e = openOn(kDay);
    int scans = 0;
    QObject::connect(&fx.context.events(), &AppEvents::alarmScanRequested, [&] { ++scans; });
    QStringList drawn;
    QObject::connect(&fx.context.events(), &AppEvents::drawCalendarRequested,
                     [&](const QString& month) { drawn << month; });
    ASSERT_TRUE(e.rows().empty());
    e.textEdited(QStringLiteral("a"));
    ASSERT_EQ(fx.count(), 1);
    ASSERT_EQ(e.rows().size(), 1u);
    EXPECT_EQ(fx.message(0), QStringLiteral("a"));
    EXPECT_EQ(fx.field(0, f::Year).toInt(), 2026);
    EXPECT_EQ(fx.field(0, f::Month).toInt(), 12);
    EXPECT_EQ(fx.field(0, f::Day).toInt(), 8);
    EXPECT_EQ(fx.field(0, f::Type).toInt(), 0);
    EXPECT_EQ(e.rows()[0].text, QStringLiteral("a"));
    EXPECT_EQ(e.rows()[0].dateLabel, QStringLiteral("2026年12月8日"));
    EXPECT_EQ(e.EditIndex, 1);
    EXPECT_EQ(scans, 1);
    EXPECT_EQ(drawn, QStringList{QStringLiteral("2026/12/01")});

    // Further typing edits that schedule instead of adding more.
    e.textEdited(QStringLiteral("ab"));
    EXPECT_EQ(fx.count(), 1);
    EXPECT_EQ(e.rows()[0].text, QStringLiteral("ab"));
    EXPECT_TRUE(e.Changed);
    EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(DayEditorTest, TheScheduleTypingCreatesShowsItsDayCounter)
{
    DayEditor& e = openOn(kDay.addDays(3));
    EXPECT_TRUE(e.dayCounterText().isEmpty());
    e.textEdited(QStringLiteral("a"));
    EXPECT_EQ(e.dayCounterText(), QStringLiteral("あと3日"));

    // A birthday begun from the person's name shows the age as well.
    e.SetEditFrm(kDay, false);
    e.kindChosen(kind_index::Birthday);
    e.birthYearEdited(1990);
    e.birthPersonEdited(QStringLiteral("花子"));
    ASSERT_EQ(fx.count(), 2);
    EXPECT_EQ(e.dayCounterText(), QStringLiteral("13,149日経過"));
    EXPECT_EQ(e.occasionText(), QStringLiteral("36歳の誕生日"));
    EXPECT_EQ(e.form().text, QStringLiteral("「花子」の誕生日"));
}

TEST_F(DayEditorTest, NewThenCloseWithoutTypingRemovesTheEmptySchedule)
{
    DayEditor& e = openOn(kDay, {On(kDay, QStringLiteral("歯医者"))});
    e.MNU_F_N_Click();
    ASSERT_EQ(fx.count(), 2);
    ASSERT_EQ(e.rows().size(), 2u);
    EXPECT_EQ(e.selectedRow(), 1);
    EXPECT_EQ(e.rows()[1].dateLabel, QStringLiteral("2026年12月8日"));
    EXPECT_TRUE(e.Changed);
    EXPECT_TRUE(e.Form_Unload());
    EXPECT_EQ(fx.count(), 1);
    EXPECT_EQ(fx.message(0), QStringLiteral("歯医者"));
    EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(DayEditorTest, ColourChosenOnAnEmptyDayCreatesTheSchedule)
{
    DayEditor& e = openOn(kDay);
    e.colorChosen(5); // 青, with no row yet
    ASSERT_EQ(fx.count(), 1);
    ASSERT_EQ(e.rows().size(), 1u);
    EXPECT_EQ(e.rows()[0].key(), QStringLiteral("k0"));
    EXPECT_EQ(fx.field(0, f::Year).toInt(), 2026);
}

TEST_F(DayEditorTest, AnEmptyDayStartsWithACleanPanel)
{
    DayEditor& e = openOn(kDay, {Rec{0, 2026, 12, 8, -1, -1, 12, 3, QStringLiteral("x")}});
    e.alarmToggled(true);
    ASSERT_TRUE(e.MNU_F_S_Click());
    EXPECT_TRUE(e.form().color);
    e.SetEditFrm(kDay.addDays(1), false);
    EXPECT_FALSE(e.form().color);
    EXPECT_FALSE(e.form().alarm);
    EXPECT_FALSE(e.form().mark);
    EXPECT_TRUE(e.form().text.isEmpty());
}

// A day opened by the user (a day press, the menus, the date picker) offers
// a new schedule: typing never edits an existing one before its row was
// chosen. A schedule another window points at is chosen for it.
TEST_F(DayEditorTest, OpeningADayWithSchedulesOffersANewOne)
{
    DayEditor& e =
        openOn(kDay.addDays(1), {On(kDay, QStringLiteral("A")),
                                 Rec{0, 2026, 12, 8, -1, -1, 12, 3, QStringLiteral("B")}});
    ASSERT_TRUE(e.openDay(kDay, false));
    ASSERT_EQ(e.rows().size(), 2u);
    EXPECT_EQ(e.selectedRow(), -1);
    EXPECT_TRUE(e.form().text.isEmpty());
    EXPECT_FALSE(e.form().color);
    EXPECT_FALSE(e.Changed);

    e.textEdited(QStringLiteral("L"));
    e.textEdited(QStringLiteral("Lunch"));
    ASSERT_EQ(fx.count(), 3);
    EXPECT_EQ(e.selectedRow(), 2);
    EXPECT_EQ(e.rows()[2].text, QStringLiteral("Lunch"));
    ASSERT_TRUE(e.MNU_F_S_Click());
    EXPECT_EQ(fx.message(0), QStringLiteral("A"));
    EXPECT_EQ(fx.message(1), QStringLiteral("B"));
    EXPECT_EQ(fx.message(2), QStringLiteral("Lunch"));

    // Choosing a row shows it for editing, without a question.
    e.showDay(kDay, false);
    e.rowChosen(0);
    EXPECT_EQ(e.form().text, QStringLiteral("A"));
    e.textEdited(QStringLiteral("A2"));
    ASSERT_TRUE(e.MNU_F_S_Click());
    EXPECT_EQ(fx.message(0), QStringLiteral("A2"));
    EXPECT_TRUE(boxes.calls().empty());

    // Nothing chosen: delete names what to do and deletes nothing.
    e.showDay(kDay, false);
    e.DeleteItemData(true);
    EXPECT_EQ(fx.count(), 3);
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.lastCall().text, QStringLiteral("削除する予定を一覧から選んでください。"));

    // The viewer points at a schedule: it is chosen.
    fx.context.viewer.treePath = QStringLiteral("予定一覧\\月別\\2026年\\12月");
    fx.context.viewer.selectedScheduleText = QStringLiteral("B");
    e.showDay(kDay, true);
    EXPECT_EQ(e.selectedRow(), 1);
    EXPECT_EQ(e.form().text, QStringLiteral("B"));
}

// --- Selection change and the save question -------------------------------------

class TwoSchedules : public DayEditorTest
{
protected:
    void SetUp() override
    {
        openOn(kDay, {On(kDay, QStringLiteral("A")), On(kDay, QStringLiteral("B"))});
        editor->textEdited(QStringLiteral("A edited"));
    }
};

TEST_F(TwoSchedules, YesSavesTheEditedRowAndShowsTheOther)
{
    boxes.answer(MsgBoxResult::Yes);
    editor->rowChosen(1);
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].title, QStringLiteral("予定編集"));
    EXPECT_EQ(boxes.calls()[0].style, MsgBoxStyle::YesNoCancel + MsgBoxStyle::Exclamation);
    EXPECT_EQ(boxes.calls()[0].text,
              QStringLiteral("予定の内容「A edited」が変更されています。\n変更を保存しますか？"));
    EXPECT_EQ(fx.message(0), QStringLiteral("A edited"));
    EXPECT_EQ(editor->selectedRow(), 1);
    EXPECT_EQ(editor->form().text, QStringLiteral("B"));
    EXPECT_FALSE(editor->Changed);
}

TEST_F(TwoSchedules, NoRestoresTheEditedRowAndShowsTheOther)
{
    boxes.answer(MsgBoxResult::No);
    editor->rowChosen(1);
    EXPECT_EQ(fx.message(0), QStringLiteral("A"));
    EXPECT_EQ(editor->rows()[0].text, QStringLiteral("A"));
    EXPECT_EQ(editor->selectedRow(), 1);
    EXPECT_EQ(editor->form().text, QStringLiteral("B"));
    EXPECT_FALSE(editor->Changed);
}

TEST_F(TwoSchedules, CancelKeepsTheEditedRowWithItsChanges)
{
    boxes.answer(MsgBoxResult::Cancel);
    editor->rowChosen(1);
    EXPECT_EQ(editor->selectedRow(), 0);
    EXPECT_EQ(editor->form().text, QStringLiteral("A edited"));
    EXPECT_EQ(editor->rows()[0].text, QStringLiteral("A edited"));
    EXPECT_TRUE(editor->Changed);
    EXPECT_EQ(fx.message(0), QStringLiteral("A"));
}

TEST_F(TwoSchedules, NewAnsweredNoShowsTheNewScheduleAndLeavesTheOldRecord)
{
    boxes.answer(MsgBoxResult::No);
    editor->MNU_F_N_Click();
    EXPECT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(fx.count(), 3);
    EXPECT_EQ(fx.message(0), QStringLiteral("A"));
    EXPECT_EQ(editor->rows()[0].text, QStringLiteral("A"));
    EXPECT_EQ(editor->selectedRow(), 2);
    EXPECT_TRUE(editor->form().text.isEmpty());
    EXPECT_TRUE(editor->Changed);
}

TEST_F(TwoSchedules, NewAnsweredCancelCreatesNothing)
{
    boxes.answer(MsgBoxResult::Cancel);
    editor->MNU_F_N_Click();
    EXPECT_EQ(fx.count(), 2);
    EXPECT_EQ(editor->selectedRow(), 0);
    EXPECT_EQ(editor->form().text, QStringLiteral("A edited"));
}

TEST_F(TwoSchedules, DateChangeSavesUnderTheDayShownBefore)
{
    boxes.answer(MsgBoxResult::Yes);
    editor->dayChoiceChosen(day_choice::Date);
    ASSERT_TRUE(editor->dateChanged(kDay.addDays(1)));
    EXPECT_EQ(fx.message(0), QStringLiteral("A edited"));
    EXPECT_EQ(fx.field(0, f::Day).toInt(), 8);
    EXPECT_EQ(editor->ShownDate, kDay.addDays(1));
}

TEST_F(TwoSchedules, DateChangeAnsweredCancelStaysOnTheDay)
{
    boxes.answer(MsgBoxResult::Cancel);
    EXPECT_FALSE(editor->dateChanged(kDay.addDays(1)));
    EXPECT_EQ(editor->ShownDate, kDay);
    EXPECT_TRUE(editor->Changed);
    EXPECT_EQ(fx.message(0), QStringLiteral("A"));
}

TEST_F(TwoSchedules, CloseAnsweredCancelStaysOpen)
{
    boxes.answer(MsgBoxResult::Cancel);
    EXPECT_FALSE(editor->Form_Unload());
    boxes.answer(MsgBoxResult::Yes);
    EXPECT_TRUE(editor->Form_Unload());
    EXPECT_EQ(fx.message(0), QStringLiteral("A edited"));
}

// --- No to the save question --------------------------------------------------------

// How the user leaves a day whose first keystroke created a schedule.
enum class Leave
{
    Close,
    DateChange,
    OtherDay
};

class NoOnAFreshSchedule : public DayEditorTest, public ::testing::WithParamInterface<Leave>
{
};

TEST_P(NoOnAFreshSchedule, RemovesTheRecordItsAlarmEntryAndItsMark)
{
    DayEditor& e = openOn(kDay, {On(kDay.addDays(1), QStringLiteral("another day"))});
    QStringList drawn;
    QObject::connect(&fx.context.events(), &AppEvents::drawCalendarRequested,
                     [&](const QString& month) { drawn << month; });
    const QString typed = QStringLiteral("Dentist at 3pm");
    for (qsizetype n = 1; n <= typed.size(); ++n)
        e.textEdited(typed.left(n));
    ASSERT_EQ(fx.count(), 2);
    EXPECT_EQ(fx.message(1), QStringLiteral("D")); // the first keystroke's write
    // The alarm scan listed the new record after the other one.
    AlarmState& alarms = fx.context.alarms;
    alarms.AlarmList = {{0, fx.rs().RecordIdAt(0)}, {1, fx.rs().RecordIdAt(1)}};
    drawn.clear();

    boxes.answer(MsgBoxResult::No);
    switch (GetParam()) {
    case Leave::Close:
        EXPECT_TRUE(e.Form_Unload());
        break;
    case Leave::DateChange:
        EXPECT_TRUE(e.dateChanged(kDay.addDays(2)));
        break;
    case Leave::OtherDay:
        EXPECT_TRUE(e.openDay(kDay.addDays(2), false));
        break;
    }
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(fx.count(), 1);
    EXPECT_EQ(fx.message(0), QStringLiteral("another day"));
    EXPECT_EQ(alarms.AlarmList[0].position, 0);
    EXPECT_EQ(alarms.AlarmList[1].position, -1);
    EXPECT_EQ(drawn, QStringList{QStringLiteral("2026/12/01")});
    EXPECT_FALSE(e.Changed);
}

INSTANTIATE_TEST_SUITE_P(Leaving, NoOnAFreshSchedule,
                         ::testing::Values(Leave::Close, Leave::DateChange, Leave::OtherDay));

TEST_F(DayEditorTest, NoOnClosingForgetsTheTextSoNothingAsksAgain)
{
    DayEditor& e = openOn(kDay, {On(kDay, QStringLiteral("A"))});
    e.textEdited(QStringLiteral("A discarded"));
    boxes.answer(MsgBoxResult::No);
    EXPECT_TRUE(e.Form_Unload());
    EXPECT_FALSE(e.Changed);
    EXPECT_EQ(e.form().text, QStringLiteral("A"));
    EXPECT_EQ(e.rows()[0].text, QStringLiteral("A"));

    // The window is kept: the next opening, on any day, asks nothing, and
    // its default answer (Yes) would have written the discarded text.
    boxes.answer(MsgBoxResult::Yes);
    EXPECT_TRUE(e.openDay(kDay.addDays(1), false));
    EXPECT_TRUE(e.openDay(kDay, false));
    EXPECT_TRUE(e.Form_Unload());
    EXPECT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(fx.message(0), QStringLiteral("A"));
}

TEST_F(DayEditorTest, NoOnANewScheduleWithTextRemovesIt)
{
    DayEditor& e = openOn(kDay, {On(kDay, QStringLiteral("A"))});
    e.MNU_F_N_Click();
    e.textEdited(QStringLiteral("never mind"));
    ASSERT_EQ(fx.count(), 2);
    boxes.answer(MsgBoxResult::No);
    EXPECT_TRUE(e.Form_Unload());
    EXPECT_EQ(fx.count(), 1);
    EXPECT_EQ(fx.message(0), QStringLiteral("A"));
}

// --- Save, close, delete ---------------------------------------------------------

TEST_F(DayEditorTest, NothingChangedMeansNoQuestionAndNoWrite)
{
    DayEditor& e = openOn(kDay, {On(kDay, QStringLiteral("A"))});
    int scans = 0;
    QObject::connect(&fx.context.events(), &AppEvents::alarmScanRequested, [&] { ++scans; });
    EXPECT_FALSE(e.MNU_F_A_Click()); // save and close does nothing
    EXPECT_TRUE(e.Form_Unload());    // close closes
    EXPECT_TRUE(boxes.calls().empty());
    EXPECT_EQ(scans, 0);
}

TEST_F(DayEditorTest, SaveAndCloseWritesAndClearsTheAlarmFlags)
{
    DayEditor& e = openOn(kDay, {On(kDay, QStringLiteral("A"))});
    fx.context.alarms.AlarmBeeped = fx.context.alarms.AlarmSounded = true;
    e.textEdited(QStringLiteral("A2"));
    EXPECT_TRUE(e.MNU_F_A_Click());
    EXPECT_EQ(fx.message(0), QStringLiteral("A2"));
    EXPECT_FALSE(fx.context.alarms.AlarmBeeped);
    EXPECT_FALSE(fx.context.alarms.AlarmSounded);
    EXPECT_FALSE(e.Changed);
}

TEST_F(DayEditorTest, ViewerShownGetsRefreshedAndTheCalendarOnlyForItsMonth)
{
    DayEditor& e = openOn(kDay, {On(kDay, QStringLiteral("A"))});
    int refreshes = 0;
    int draws = 0;
    QObject::connect(&fx.context.events(), &AppEvents::viewerRefreshRequested,
                     [&] { ++refreshes; });
    QObject::connect(&fx.context.events(), &AppEvents::drawCalendarRequested, [&] { ++draws; });
    fx.context.viewer.visible = true;
    fx.context.viewer.ListViewYear = 2026;
    fx.context.viewer.ListViewMonth = 11;
    e.textEdited(QStringLiteral("A2"));
    ASSERT_TRUE(e.MNU_F_S_Click());
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(draws, 0);
    fx.context.viewer.ListViewMonth = 12;
    e.textEdited(QStringLiteral("A3"));
    ASSERT_TRUE(e.MNU_F_S_Click());
    EXPECT_EQ(refreshes, 2);
    EXPECT_EQ(draws, 1);
}

TEST_F(DayEditorTest, CloseWithAnEmptyFirstLineButMoreTextAsks)
{
    DayEditor& e = openOn(kDay);
    e.textEdited(QStringLiteral("\n二行目"));
    ASSERT_EQ(fx.count(), 1);
    boxes.answer(MsgBoxResult::No);
    EXPECT_TRUE(e.Form_Unload());
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text,
              QStringLiteral("予定の内容「」が変更されています。\n変更を保存しますか？"));
    // Asked, and No then takes away the schedule the typing began.
    EXPECT_EQ(fx.count(), 0);
}

TEST_F(DayEditorTest, CloseAfterEmptyingAStoredTextAsksInsteadOfDeleting)
{
    DayEditor& e = openOn(kDay, {On(kDay, QStringLiteral("大事な予定"))});
    e.textEdited(QString());
    boxes.answer(MsgBoxResult::No);
    EXPECT_TRUE(e.Form_Unload());
    EXPECT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(fx.message(0), QStringLiteral("大事な予定"));
}

TEST_F(DayEditorTest, DeleteAsksAndAdjustsTheAlarmList)
{
    DayEditor& e = openOn(kDay, {On(kDay.addDays(1), QStringLiteral("before")),
                                 On(kDay, QStringLiteral("A")), On(kDay, QStringLiteral("B"))});
    AlarmState& alarms = fx.context.alarms;
    alarms.AlarmList = {{0, fx.rs().RecordIdAt(0)},
                        {1, fx.rs().RecordIdAt(1)},
                        {2, fx.rs().RecordIdAt(2)},
                        {-1, 0}};
    int draws = 0;
    QObject::connect(&fx.context.events(), &AppEvents::drawCalendarRequested, [&] { ++draws; });

    boxes.answer(MsgBoxResult::No);
    e.DeleteItemData(true);
    EXPECT_EQ(fx.count(), 3);

    boxes.answer(MsgBoxResult::Yes);
    e.DeleteItemData(true);
    ASSERT_EQ(boxes.calls().size(), 2u);
    EXPECT_EQ(boxes.calls()[1].text, QStringLiteral("「A」\nを削除してもよろしいですか？"));
    EXPECT_EQ(boxes.calls()[1].title, QStringLiteral("予定の削除"));
    EXPECT_EQ(boxes.calls()[1].style, MsgBoxStyle::YesNo + MsgBoxStyle::Exclamation);
    EXPECT_EQ(fx.count(), 2);
    EXPECT_EQ(alarms.AlarmList[0].position, 0);
    EXPECT_EQ(alarms.AlarmList[1].position, -1);
    EXPECT_EQ(alarms.AlarmList[2].position, 1);
    EXPECT_EQ(alarms.AlarmList[3].position, -1);
    // The day is read again.
    ASSERT_EQ(e.rows().size(), 1u);
    EXPECT_EQ(e.rows()[0].key(), QStringLiteral("k1"));
    EXPECT_EQ(e.form().text, QStringLiteral("B"));
    EXPECT_EQ(draws, 1);
}

TEST_F(DayEditorTest, DeleteOnAnEmptyDaySaysThereIsNothing)
{
    DayEditor& e = openOn(kDay);
    e.DeleteItemData(true);
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text, QStringLiteral("予定がありません。"));
    EXPECT_EQ(boxes.calls()[0].style, MsgBoxStyle::Information);
    e.DeleteItemData(false);
    EXPECT_EQ(boxes.calls().size(), 1u);
}

// --- Records moved by another window ----------------------------------------------

TEST_F(DayEditorTest, SaveFindsItsRecordAfterAnEarlierOneWasDeleted)
{
    DayEditor& e = openOn(
        kDay, {On(kDay.addDays(1), QStringLiteral("elsewhere")), On(kDay, QStringLiteral("A"))});
    e.textEdited(QStringLiteral("A2"));
    fx.rs().SetAbsolutePosition(0);
    fx.rs().Delete(); // another window removes the first record
    ASSERT_TRUE(e.MNU_F_S_Click());
    EXPECT_EQ(fx.count(), 1);
    EXPECT_EQ(fx.message(0), QStringLiteral("A2"));
    EXPECT_EQ(e.rows()[0].key(), QStringLiteral("k0"));
}

TEST_F(DayEditorTest, ActionOnARecordDeletedElsewhereRefreshesTheDay)
{
    DayEditor& e = openOn(kDay, {On(kDay, QStringLiteral("A")), On(kDay, QStringLiteral("B")),
                                 On(kDay.addDays(1), QStringLiteral("other"))});
    fx.rs().SetAbsolutePosition(0);
    fx.rs().Delete(); // A goes; B now sits where A was
    e.DeleteItemData(false);
    EXPECT_EQ(fx.count(), 2);
    EXPECT_EQ(fx.message(0), QStringLiteral("B"));
    ASSERT_EQ(e.rows().size(), 1u);
    EXPECT_EQ(e.rows()[0].text, QStringLiteral("B"));
}

TEST_F(DayEditorTest, TextTypedForARecordDeletedElsewhereIsSavedAsANewSchedule)
{
    DayEditor& e = openOn(kDay, {On(kDay, QStringLiteral("A")),
                                 On(kDay.addDays(1), QStringLiteral("other"))});
    e.textEdited(QStringLiteral("A, typed on"));
    fx.rs().SetAbsolutePosition(0);
    fx.rs().Delete(); // a sync or another window removes A meanwhile
    ASSERT_TRUE(e.MNU_F_S_Click());
    ASSERT_EQ(fx.count(), 2);
    EXPECT_EQ(fx.message(1), QStringLiteral("A, typed on"));
    ASSERT_EQ(e.rows().size(), 1u);
    EXPECT_EQ(e.rows()[0].text, QStringLiteral("A, typed on"));
    EXPECT_EQ(e.form().text, QStringLiteral("A, typed on"));
    EXPECT_FALSE(e.Changed);
}

// --- The fields ----------------------------------------------------------------

TEST_F(DayEditorTest, WeekdayRulesFor8December2026)
{
    DayEditor& e = openOn(kDay, {On(kDay, QStringLiteral("燃えるゴミ"))});
    e.dayChoiceChosen(day_choice::NthWeekday);
    EXPECT_EQ(e.rows()[0].dateLabel, QStringLiteral("2026年12月第2週火曜日"));
    ASSERT_TRUE(e.MNU_F_S_Click());
    EXPECT_EQ(fx.field(0, f::Day).toInt(), -1);
    EXPECT_EQ(fx.field(0, f::Week).toInt(), 2);
    EXPECT_EQ(fx.field(0, f::DayOfTheWeek).toInt(), 3);
    e.dayChoiceChosen(day_choice::EveryWeek);
    ASSERT_TRUE(e.MNU_F_S_Click());
    EXPECT_EQ(fx.field(0, f::Week).toInt(), 0);
    EXPECT_EQ(fx.field(0, f::DayOfTheWeek).toInt(), 3);
    EXPECT_EQ(e.rows()[0].dateLabel, QStringLiteral("2026年12月毎週火曜日"));
}

TEST_F(DayEditorTest, HolidayChoiceWritesAYearlyRedHoliday)
{
    DayEditor& e = openOn(kDay, {On(kDay, QStringLiteral("記念の休日"))});
    e.timeRangeToggled(true);
    e.kindChosen(kind_index::Holiday);
    EXPECT_TRUE(e.Changed);
    EXPECT_FALSE(e.form().timeRange);
    EXPECT_FALSE(e.panel().check1Enabled);
    EXPECT_FALSE(e.panel().check3Enabled);
    EXPECT_EQ(e.rows()[0].dateLabel, QStringLiteral("毎年12月8日"));
    ASSERT_TRUE(e.MNU_F_S_Click());
    EXPECT_EQ(fx.field(0, f::Type).toInt(), 1);
    EXPECT_EQ(fx.field(0, f::Year).toInt(), 0);
    EXPECT_EQ(fx.field(0, f::Month).toInt(), 12);
    EXPECT_EQ(fx.field(0, f::Day).toInt(), 8);
    EXPECT_EQ(fx.field(0, f::Color).toInt(), 12);
    EXPECT_EQ(fx.field(0, f::StartTime).toString(), QString());
    EXPECT_EQ(e.rows()[0].icon, 6);
}

TEST_F(DayEditorTest, BirthdayTextsFromThePersonAndTheBirthYear)
{
    DayEditor& e = openOn(kDay);
    e.kindChosen(kind_index::Birthday);
    EXPECT_TRUE(e.panel().personVisible);
    EXPECT_TRUE(e.panel().birthYearVisible);
    e.birthPersonEdited(QStringLiteral("花子"));
    ASSERT_EQ(fx.count(), 1);
    EXPECT_EQ(e.form().text, QStringLiteral("「花子」の誕生日"));
    e.birthYearEdited(1990);
    ASSERT_TRUE(e.MNU_F_S_Click());
    EXPECT_EQ(fx.field(0, f::Type).toInt(), 2);
    EXPECT_EQ(fx.field(0, f::Year).toInt(), 0);
    EXPECT_EQ(fx.field(0, f::BirthYear).toInt(), 1990);
    EXPECT_EQ(fx.field(0, f::BirthPerson).toString(), QStringLiteral("花子"));
    EXPECT_EQ(fx.message(0), QStringLiteral("「花子」の誕生日"));

    e.SetEditFrm(kDay, false);
    EXPECT_EQ(e.dayCounterText(), QStringLiteral("13,149日経過"));
    EXPECT_EQ(e.occasionText(), QStringLiteral("36歳の誕生日"));
    EXPECT_EQ(e.form().birthPerson, QStringLiteral("花子"));
    // Next year's birthday, seen from today.
    e.SetEditFrm(kDay.addYears(1), false);
    EXPECT_EQ(e.occasionText(), QStringLiteral("37歳の誕生日"));
}

TEST_F(DayEditorTest, AnniversaryText)
{
    DayEditor& e = openOn(kDay, {Rec{3, 0, 12, 8, -1, -1, {}, {}, QStringLiteral("創立")}});
    fx.rs().SetAbsolutePosition(0);
    fx.rs().Edit();
    fx.rs().SetValue(f::BirthYear, 2016);
    fx.rs().Update();
    e.SetEditFrm(kDay, false);
    EXPECT_EQ(e.occasionText(), QStringLiteral("10周年記念"));
}

TEST_F(DayEditorTest, UncheckingColourAndMarkWritesNoColourAndNoMark)
{
    DayEditor& e = openOn(kDay, {Rec{0, 2026, 12, 8, -1, -1, 9, 4, QStringLiteral("x")}});
    EXPECT_TRUE(e.form().color);
    EXPECT_TRUE(e.form().mark);
    EXPECT_EQ(e.form().markIndex, 4);
    EXPECT_EQ(e.rows()[0].colorCode, 9);
    e.markToggled(false);
    ASSERT_TRUE(e.MNU_F_S_Click());
    EXPECT_TRUE(fx.field(0, f::Mark).isNull());
    EXPECT_EQ(fx.field(0, f::Color).toInt(), 9);
    e.colorToggled(false);
    EXPECT_EQ(e.rows()[0].colorCode, 0); // painted black at once
    ASSERT_TRUE(e.MNU_F_S_Click());
    EXPECT_EQ(fx.field(0, f::Color).toInt(), 0);
}

TEST_F(DayEditorTest, OptionBoxesProposeTheirDefaults)
{
    DayEditor& e = openOn(kDay, {On(kDay, QStringLiteral("x"))});
    e.alarmToggled(true);
    EXPECT_EQ(e.form().alarmTime, QTime(15, 0)); // 14:20 today
    e.colorToggled(true);
    EXPECT_EQ(e.form().colorIndex, color_index::Yellow); // a Tuesday
    e.markToggled(true);
    EXPECT_EQ(e.form().markIndex, 0);
    e.timeRangeToggled(true);
    e.startTimeEdited(QTime(7, 5));
    e.endTimeEdited(QTime(8, 30));
    ASSERT_TRUE(e.MNU_F_S_Click());
    EXPECT_EQ(fx.field(0, f::Alarm).toString(), QStringLiteral("15:00"));
    EXPECT_EQ(fx.field(0, f::StartTime).toString(), QStringLiteral("07:05"));
    EXPECT_EQ(fx.field(0, f::EndTime).toString(), QStringLiteral("08:30"));
    EXPECT_EQ(fx.field(0, f::Color).toInt(), 14);
    EXPECT_EQ(fx.field(0, f::Mark).toInt(), 0);

    e.SetEditFrm(kDay.addDays(1), false);
    e.alarmToggled(true);
    EXPECT_EQ(e.form().alarmTime, QTime(0, 0)); // another day
}

// --- Bad input -----------------------------------------------------------------

TEST_F(DayEditorTest, TooLongTextIsRefusedWithItsByteCountAndNothingIsWritten)
{
    DayEditor& e = openOn(kDay, {On(kDay, QStringLiteral("A"))});
    int refused = 0;
    e.setTextRefusedHandler([&] { ++refused; });
    e.alarmToggled(true);
    e.textEdited(QString(600, u'あ')); // 1,200 bytes
    EXPECT_FALSE(e.MNU_F_S_Click());
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].title, QStringLiteral("予定の保存"));
    EXPECT_EQ(boxes.calls()[0].text,
              QStringLiteral("予定内容の文字数が多すぎます。\r\n1024バイト以内で指定してください。"
                             "\r\n\r\n（現在のバイト数=1200バイト）"));
    EXPECT_EQ(refused, 1);
    EXPECT_EQ(fx.message(0), QStringLiteral("A"));
    EXPECT_EQ(fx.field(0, f::Alarm).toString(), QString()); // no field half-written
    EXPECT_TRUE(e.Changed);
    EXPECT_EQ(e.form().text.size(), 600);
}

TEST_F(DayEditorTest, OtherWriteFailuresAreReportedNotHidden)
{
    DayEditor& e = openOn(kDay, {On(kDay, QStringLiteral("A"))});
    e.kindChosen(kind_index::Birthday);
    e.birthPersonEdited(QString(200, u'名')); // 400 bytes in a 255-byte field
    EXPECT_FALSE(e.MNU_F_S_Click());
    ASSERT_FALSE(boxes.calls().empty());
    EXPECT_EQ(boxes.lastCall().title, QStringLiteral("DB保存時のエラー"));
    EXPECT_TRUE(boxes.lastCall().text.startsWith(QStringLiteral("保存処理に失敗しました。\n")));
    EXPECT_EQ(fx.message(0), QStringLiteral("A"));
    EXPECT_EQ(fx.field(0, f::Type).toInt(), 0);
    EXPECT_TRUE(e.Changed);
}

TEST_F(DayEditorTest, ApostrophesAndLineBreaksAreKeptAsTyped)
{
    DayEditor& e = openOn(kDay);
    const QString text = QStringLiteral("Bob's party\r\n'19:00' [*]");
    e.textEdited(text);
    EXPECT_EQ(fx.message(0), text);
    e.SetEditFrm(kDay, false);
    EXPECT_EQ(e.form().text, text);
}

// --- Dates of a server event ---------------------------------------------------

TEST_F(DayEditorTest, AServerEventsDatesAreExplainedAndNeitherSavedNorDeleted)
{
    openOn(kDay, {On(kDay, QStringLiteral("Server"))});
    Database& db = fx.context.database()->database();
    db.ExecuteSql(QStringLiteral("UPDATE sync_item SET Mirror = 1 WHERE RecordId = ?"),
                  {Value(fx.rs().RecordIdAt(0))});
    editor->rowChosen(0);
    EXPECT_TRUE(editor->selectedIsMirror());

    editor->textEdited(QStringLiteral("changed here"));
    EXPECT_FALSE(editor->MNU_F_S_Click());
    EXPECT_EQ(fx.message(0), QStringLiteral("Server"));
    EXPECT_EQ(editor->form().text, QStringLiteral("Server")) << "the panel shows the server's again";
    EXPECT_FALSE(editor->Changed);

    editor->DeleteItemData(false);
    EXPECT_EQ(fx.count(), 1);
    ASSERT_EQ(boxes.calls().size(), 2u);
    for (const auto& call : boxes.calls())
        EXPECT_EQ(call.text, MirrorNote);
}

TEST_F(DayEditorTest, AnOrdinaryScheduleIsNoServerEvent)
{
    openOn(kDay, {On(kDay, QStringLiteral("A"))});
    editor->rowChosen(0);
    EXPECT_FALSE(editor->selectedIsMirror());
}

} // namespace
} // namespace morvane
