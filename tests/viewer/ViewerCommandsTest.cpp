#include "viewer/ViewerCommands.h"

#include "viewer/ViewerPlacement.h"
#include "viewer/ViewerTree.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

const QDate kToday(2026, 12, 10);

TEST(ViewerTree, TwentyNodesAndTheLogOnlyWhenReadable)
{
    const std::vector<TreeNodeDef> nodes = ViewerTreeNodes(false);
    ASSERT_EQ(nodes.size(), 20u);
    EXPECT_EQ(ViewerTreeNodes(true).size(), 21u);
    EXPECT_EQ(ViewerTreeNodes(true).back().text, QStringLiteral("ログ"));
    EXPECT_EQ(nodes[0].image, QStringLiteral("book_close"));
    EXPECT_EQ(nodes[0].selectedImage, QStringLiteral("book_open"));
    EXPECT_EQ(nodes[1].text, QStringLiteral("月間予定"));
    EXPECT_EQ(nodes[1].parent, QStringLiteral("予定一覧"));
    EXPECT_EQ(nodes[7].text, QStringLiteral("祝日"));
    EXPECT_EQ(nodes[7].image, QStringLiteral("holiday_item"));
    EXPECT_TRUE(nodes[7].key.isEmpty());
    EXPECT_EQ(nodes[10].text, QStringLiteral("全ての予定"));
    EXPECT_EQ(nodes[19].text, QStringLiteral("メモ一覧"));
    EXPECT_EQ(nodes[19].image, QStringLiteral("memo_close"));
}

struct DispatchCase
{
    const char16_t* path;
    ListKind kind;
    int typeFilter;
};

class Dispatch : public ::testing::TestWithParam<DispatchCase>
{
};

TEST_P(Dispatch, PathSelectsTheList)
{
    const ListDispatch expected{GetParam().kind, GetParam().typeFilter};
    EXPECT_EQ(DispatchPath(QString::fromUtf16(GetParam().path)), expected)
        << QString::fromUtf16(GetParam().path).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Paths, Dispatch,
    ::testing::Values(DispatchCase{u"予定一覧", ListKind::Root, -1},
                      DispatchCase{u"予定一覧\\月間予定", ListKind::Month, -1},
                      DispatchCase{u"予定一覧\\月間予定\\普通の予定", ListKind::Month, 0},
                      DispatchCase{u"予定一覧\\月間予定\\イベント", ListKind::Month, 4},
                      DispatchCase{u"予定一覧\\月間予定\\日記", ListKind::Month, 5},
                      DispatchCase{u"予定一覧\\月間予定\\記念日", ListKind::Month, 3},
                      DispatchCase{u"予定一覧\\月間予定\\誕生日", ListKind::Month, 2},
                      DispatchCase{u"予定一覧\\月間予定\\祝日", ListKind::Month, 1},
                      DispatchCase{u"予定一覧\\月間予定\\ＴＶ番組", ListKind::Month, 20},
                      DispatchCase{u"予定一覧\\月間予定\\雑誌", ListKind::Month, 21},
                      DispatchCase{u"予定一覧\\全ての予定", ListKind::All, -1},
                      DispatchCase{u"予定一覧\\全ての予定\\雑誌", ListKind::All, 21},
                      DispatchCase{u"メモ一覧", ListKind::Memo, -1},
                      DispatchCase{u"メモ一覧\\買い物", ListKind::Memo, -1},
                      DispatchCase{u"ログ", ListKind::Log, -1},
                      DispatchCase{u"予定一覧\\月間予定\\その他", ListKind::None, -1}));

TEST(ViewerCommands, TypeFilterOfTheHolidayNodeTakesBothKinds)
{
    EXPECT_TRUE(PassesTypeFilter(1, 1));
    EXPECT_TRUE(PassesTypeFilter(10, 1));
    EXPECT_FALSE(PassesTypeFilter(0, 1));
    EXPECT_FALSE(PassesTypeFilter(10, 2));
    EXPECT_TRUE(PassesTypeFilter(std::nullopt, -1));
    EXPECT_FALSE(PassesTypeFilter(std::nullopt, 0));
}

TEST(ViewerCommands, MonthStepsAcrossTheYear)
{
    EXPECT_EQ(StepListMonth({2027, 1}, -1), (YearMonth{2026, 12}));
    EXPECT_EQ(StepListMonth({2026, 12}, 1), (YearMonth{2027, 1}));
    EXPECT_EQ(StepListMonth({2026, 6}, -1), (YearMonth{2026, 5}));
}

TEST(ViewerCommands, DropDownHas19Entries)
{
    const QStringList entries = JumpDropDownEntries();
    ASSERT_EQ(entries.size(), 19);
    EXPECT_EQ(entries.first(), QStringLiteral("ジャンプ指定"));
    EXPECT_EQ(entries[2], QStringLiteral("今月"));
    EXPECT_EQ(entries[4], QStringLiteral("前年"));
    EXPECT_EQ(entries[5], QStringLiteral("次年"));
    EXPECT_EQ(entries[7], QStringLiteral("1月"));
    EXPECT_EQ(entries.last(), QStringLiteral("12月"));
}

struct EntryCase
{
    const char16_t* entry;
    JumpChoice::Action action;
    YearMonth month;
};

class DropDown : public ::testing::TestWithParam<EntryCase>
{
};

TEST_P(DropDown, EntryChoosesTheMonth)
{
    const JumpChoice choice =
        ResolveJumpEntry(QString::fromUtf16(GetParam().entry), {2026, 5}, kToday);
    EXPECT_EQ(choice.action, GetParam().action);
    if (choice.action == JumpChoice::Action::ShowMonth) {
        EXPECT_EQ(choice.month, GetParam().month);
    }
}

using Action = JumpChoice::Action;
INSTANTIATE_TEST_SUITE_P(Entries, DropDown,
                         ::testing::Values(EntryCase{u"12月", Action::ShowMonth, {2026, 12}},
                                           EntryCase{u"10月", Action::ShowMonth, {2026, 10}},
                                           EntryCase{u"1月", Action::ShowMonth, {2026, 1}},
                                           EntryCase{u"9月", Action::ShowMonth, {2026, 9}},
                                           EntryCase{u"前年", Action::ShowMonth, {2025, 5}},
                                           EntryCase{u"次年", Action::ShowMonth, {2027, 5}},
                                           EntryCase{u"今月", Action::ShowMonth, {2026, 12}},
                                           EntryCase{u"ジャンプ指定", Action::JumpDialog, {}},
                                           EntryCase{u"-", Action::Nothing, {}}));

struct EditDateCase
{
    const char* name;
    SchedulePattern pattern;
    QDate date;
};

void PrintTo(const EditDateCase& c, std::ostream* out)
{
    *out << c.name;
}

class EditDates : public ::testing::TestWithParam<EditDateCase>
{
};

TEST_P(EditDates, OpenTheRecordsDay)
{
    EXPECT_EQ(EditDateOfRecord(GetParam().pattern, kToday), GetParam().date);
}

// type, year, month, day, week, weekday
INSTANTIATE_TEST_SUITE_P(
    Rules, EditDates,
    ::testing::Values(
        EditDateCase{"OneDate", {0, 2016, 3, 21, -1, -1}, QDate(2016, 3, 21)},
        EditDateCase{"EveryYearThisYear", {1, 0, 5, 5, -1, -1}, QDate(2026, 5, 5)},
        EditDateCase{"EveryMonthThisMonth", {0, 0, 0, 25, -1, -1}, QDate(2026, 12, 25)},
        EditDateCase{"SecondSundayOfMay", {0, 0, 5, -1, 2, 1}, QDate(2026, 5, 10)},
        EditDateCase{"EveryWednesdayFirstOne", {0, 0, 0, -1, 0, 4}, QDate(2026, 12, 2)},
        EditDateCase{"Equinox", {10, 0, 3, {}, {}, {}}, QDate(2026, 3, 20)},
        EditDateCase{"DayTheMonthLacks", {0, 0, 2, 31, -1, -1}, QDate(2026, 2, 28)}));

TEST(ViewerCommands, StatesFollowRowsAndPath)
{
    EXPECT_EQ(StatesAfterRebuild(QStringLiteral("予定一覧\\月間予定"), 0).edit, false);
    const CommandStates month = StatesAfterRebuild(QStringLiteral("予定一覧\\月間予定"), 3);
    EXPECT_TRUE(month.fileNew && month.edit && month.editButton && month.remove);
    const CommandStates log = StatesAfterRebuild(QStringLiteral("ログ"), 3);
    EXPECT_FALSE(log.fileNew || log.editButton);
    EXPECT_TRUE(log.edit && log.remove);
    const ActivationStates two = StatesAfterActivation(QStringLiteral("予定一覧\\全ての予定"), 2);
    EXPECT_FALSE(two.edit || two.editButton || two.detailBox);
    EXPECT_FALSE(StatesAfterActivation(QStringLiteral("予定一覧"), 1).detailBox);
    const CommandStates noMemo = StatesAfterRebuild(QStringLiteral("メモ一覧"), 0);
    EXPECT_TRUE(noMemo.fileNew);
    EXPECT_FALSE(noMemo.edit || noMemo.remove);
    EXPECT_TRUE(MonthNavigationEnabled(QStringLiteral("予定一覧\\月間予定")));
    EXPECT_FALSE(MonthNavigationEnabled(QStringLiteral("予定一覧\\月間予定\\祝日")));
}

TEST(ViewerCommands, HeaderClicksSortAscendingThenToggle)
{
    SortState sort;
    sort = NextSortState(sort, 0);
    EXPECT_FALSE(sort.descending);
    sort = NextSortState(sort, 0);
    EXPECT_TRUE(sort.descending); // twice: descending
    sort = NextSortState(sort, 0);
    EXPECT_FALSE(sort.descending); // a third time: ascending again
    sort = NextSortState(sort, 1);
    EXPECT_EQ(sort, (SortState{1, false, true}));
}

TEST(ViewerPlacement, ClampsToTheScreen)
{
    const QSize screen(15360, 11520); // 1024 x 768 pixels
    EXPECT_EQ(ClampViewerPlacement({100, 200, 8000, 6000, 1900, 3600}, screen),
              (ViewerPlacement{100, 200, 8000, 6000, 1900, 3600}));
    // Too small, too large, off the right and bottom edges, negative.
    EXPECT_EQ(ClampViewerPlacement({0, 0, 500, 100, 0, 0}, screen),
              (ViewerPlacement{0, 0, 2000, 2000, 0, 0}));
    EXPECT_EQ(ClampViewerPlacement({3000, 3000, 20000, 12000, 0, 0}, screen),
              (ViewerPlacement{0, 0, 15360, 11520, 0, 0}));
    EXPECT_EQ(ClampViewerPlacement({15000, 11300, 8000, 6000, 0, 0}, screen),
              (ViewerPlacement{7360, 5520, 8000, 6000, 0, 0}));
    EXPECT_EQ(ClampViewerPlacement({-400, -10, 8000, 6000, 0, 0}, screen),
              (ViewerPlacement{0, 0, 8000, 6000, 0, 0}));
    EXPECT_TRUE(AcceptsLineX(101, 8000));
    EXPECT_FALSE(AcceptsLineX(100, 8000));
    EXPECT_FALSE(AcceptsLineX(7800, 8000));
    EXPECT_TRUE(AcceptsLineY(501, 6000, 300));
    EXPECT_FALSE(AcceptsLineY(5500, 6000, 300));
}

} // namespace
} // namespace morvane
