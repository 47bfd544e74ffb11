#include "options/PreviewGeometry.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

struct CellCase
{
    int size;
    int cell;
    QPoint shadow;
};

class PreviewCellTest : public ::testing::TestWithParam<CellCase>
{
};

TEST_P(PreviewCellTest, CellSitsOnTheCalendarGrid)
{
    const CellCase& k = GetParam();
    const PreviewLayout layout = LayoutPreviewCells(k.size, false);
    EXPECT_EQ(layout.shadow[std::size_t(k.cell)], k.shadow);
    EXPECT_EQ(layout.face[std::size_t(k.cell)], k.shadow - QPoint(16, 16));
}

// W = 136 s + 1700, H = 90 s + 1800; left = 100 + 0.13 W (column - 1),
// top = 400 + 0.11 H row.
INSTANTIATE_TEST_SUITE_P(
    Sizes, PreviewCellTest,
    ::testing::Values(CellCase{0, 1, {100, 400}}, CellCase{0, 7, {100 + 1326, 400}},
                      CellCase{0, 17, {100 + 442, 400 + 396}}, CellCase{12, 8, {100, 400 + 317}},
                      CellCase{12, 21, {100 + 2599, 400 + 634}}, CellCase{25, 15, {100, 400 + 891}},
                      CellCase{25, 21, {100 + 3978, 400 + 891}}));

TEST(PreviewGeometry, BoxIsSquareAsWideAsTheCalendar)
{
    for (int size : {0, 12, 25}) {
        const PreviewLayout layout = LayoutPreviewCells(size, false);
        EXPECT_EQ(layout.box, QSize(136 * size + 1700, 136 * size + 1700));
        EXPECT_EQ(layout.mark, layout.shadow[21]);
    }
}

TEST(PreviewGeometry, IconsMakeRoomForTheJumpIcon)
{
    EXPECT_EQ(LayoutPreviewCells(0, false).icons.previousMonth.x(), 1700 - 500);
    EXPECT_EQ(LayoutPreviewCells(0, true).icons.previousMonth.x(), 1700 - 800);
    EXPECT_EQ(LayoutPreviewCells(0, true).icons.jump.x(), 1700 - 600);
    EXPECT_EQ(LayoutPreviewCells(0, true).icons.nextMonth.x(), 1700 - 300);
}

TEST(PreviewGeometry, TitleCentredWithoutIcons)
{
    EXPECT_EQ(PreviewTitlePosition(1700, 700, false, false), QPoint(500, 50));
    EXPECT_EQ(PreviewTitlePosition(1700, 700, true, false), QPoint(150, 50));
    EXPECT_EQ(PreviewTitlePosition(1700, 700, false, true), QPoint(150, 50));
    EXPECT_EQ(PreviewBoxLeft(5000, 1700), 1650);
}

} // namespace
} // namespace morvane
