#include "calendar_window/window/CalendarGeometry.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

struct SizeCase
{
    int calendarSize;
    QSize expected;
};

class WindowSizeTest : public testing::TestWithParam<SizeCase>
{
};

TEST_P(WindowSizeTest, FollowsTheSizeStep)
{
    EXPECT_EQ(CalendarWindowSize(GetParam().calendarSize), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Sizes, WindowSizeTest,
                         testing::Values(SizeCase{0, {1700, 1800}}, SizeCase{1, {1836, 1890}},
                                         SizeCase{3, {2108, 2070}}, SizeCase{12, {3332, 2880}},
                                         SizeCase{25, {5100, 4050}}));

struct CellCase
{
    int calendarSize;
    int cell;
    QPoint expected;
};

class ShadowCellTest : public testing::TestWithParam<CellCase>
{
};

TEST_P(ShadowCellTest, ColumnsAndRowsAreFractionsOfTheWindow)
{
    const CellCase& c = GetParam();
    EXPECT_EQ(ShadowCellPosition(CalendarWindowSize(c.calendarSize), c.cell), c.expected);
}

// Size 3: W 2108, H 2070, columns 274.04 apart, rows 227.7 apart.
// Size 12: W 3332, H 2880, columns 433.16 apart, rows 316.8 apart.
INSTANTIATE_TEST_SUITE_P(Cells, ShadowCellTest,
                         testing::Values(CellCase{3, 1, {100, 400}},  // header, Sunday
                                         CellCase{3, 7, {1744, 400}}, // header, Saturday
                                         CellCase{3, 8, {100, 628}},  // first week, Sunday
                                         CellCase{3, 30, {374, 1311}},
                                         CellCase{3, 49, {1744, 1766}}, CellCase{12, 1, {100, 400}},
                                         CellCase{12, 49, {2699, 2301}},
                                         CellCase{1, 44, {339, 1647}}));

TEST(MarkCellRect, SitsBelowAndRightOfTheFaceAtFourFifthsOfItsHeight)
{
    EXPECT_EQ(MarkCellRect(QPoint(84, 384), QSize(300, 225)), QRect(94, 434, 300, 180));
}

TEST(IconButtonPlaces, PreviousMonthMakesRoomForTheJumpOrMemoIcon)
{
    const IconPlaces plain = IconButtonPlaces(3, false);
    EXPECT_EQ(plain.previousMonth, QPoint(2108 - 500, 42)); // 41.5 rounds to even
    EXPECT_EQ(plain.nextMonth, QPoint(2108 - 300, 42));
    EXPECT_EQ(plain.jump, QPoint(2108 - 600, 16)); // 16.5 rounds to even
    EXPECT_EQ(plain.memo, plain.jump);

    const IconPlaces withJump = IconButtonPlaces(3, true);
    EXPECT_EQ(withJump.previousMonth, QPoint(2108 - 800, 42));
    EXPECT_EQ(withJump.nextMonth, plain.nextMonth);

    const IconPlaces small = IconButtonPlaces(1, false);
    EXPECT_EQ(small.previousMonth.y(), 40); // 40.5
    EXPECT_EQ(small.jump.y(), 16);          // 15.5
}

TEST(StartupTitlePosition, CentredOnlyWhenNoIconShows)
{
    EXPECT_EQ(StartupTitlePosition(2108, 900, true, false, false), QPoint(150, 50));
    EXPECT_EQ(StartupTitlePosition(2108, 900, false, true, false), QPoint(150, 50));
    EXPECT_EQ(StartupTitlePosition(2108, 900, false, false, true), QPoint(150, 50));
    EXPECT_EQ(StartupTitlePosition(2108, 900, false, false, false), QPoint(604, 50));
}

TEST(CalendarBoxGeometry, OutlineStopsTenTwipsShortAndTheRuleLiesUnderTheTitle)
{
    const CalendarBoxLines lines = CalendarBoxGeometry(QSize(2108, 2070));
    EXPECT_EQ(lines.outline.topLeft(), QPoint(0, 0));
    EXPECT_EQ(lines.outline.bottomRight(), QPoint(2098, 2060));
    EXPECT_EQ(lines.ruleFrom, QPoint(80, 300));
    EXPECT_EQ(lines.ruleTo, QPoint(2028, 300));
}

} // namespace
} // namespace morvane
