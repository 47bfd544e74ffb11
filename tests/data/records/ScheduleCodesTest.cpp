#include "data/records/ScheduleCodes.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace morvane {
namespace {

TEST(ScheduleCodesTest, PaletteHasSixteenColoursInQuickBasicOrder)
{
    EXPECT_EQ(QBColor(0), (PaletteColor{0, 0, 0}));
    EXPECT_EQ(QBColor(6), (PaletteColor{128, 128, 0}));
    EXPECT_EQ(QBColor(7), (PaletteColor{192, 192, 192}));
    EXPECT_EQ(QBColor(8), (PaletteColor{128, 128, 128}));
    EXPECT_EQ(QBColor(9), (PaletteColor{0, 0, 255}));
    EXPECT_EQ(QBColor(14), (PaletteColor{255, 255, 0}));
    EXPECT_EQ(QBColor(12)->argb(), 0xffff0000u);
    EXPECT_FALSE(QBColor(-1));
    EXPECT_FALSE(QBColor(16));
}

TEST(ScheduleCodesTest, EditorColoursKeepTheirComboOrderAndNames)
{
    QStringList shown;
    for (const ColorChoice& choice : EditorColorChoices()) {
        shown.append(QString::number(choice.code) + choice.name);
        EXPECT_EQ(ColorName(choice.code), choice.name);
    }
    EXPECT_EQ(shown, QStringList({"14黄", "10緑", "11水", "13紫", "12赤", "9青", "15白"}));
    EXPECT_EQ(ColorName(0), QString());
}

TEST(ScheduleCodesTest, MarkCodesMapToGlyphsAndMinusOneToNone)
{
    EXPECT_EQ(MarkGlyph(0), QStringLiteral("●"));
    EXPECT_EQ(MarkGlyph(5), QStringLiteral("★"));
    EXPECT_EQ(MarkGlyph(14), QStringLiteral("〓"));
    EXPECT_EQ(MarkGlyph(-1), QString());
    EXPECT_EQ(MarkGlyph(15), QString());
    ASSERT_EQ(MarkSymbols().size(), 16u);
    EXPECT_EQ(MarkSymbols()[0], QString());
}

TEST(ScheduleCodesTest, KindsHaveNamesAndIcons)
{
    EXPECT_EQ(KindName(20), QStringLiteral("ＴＶ番組"));
    EXPECT_EQ(KindImageKey(3), QStringLiteral("memorial_item"));
    EXPECT_EQ(KindName(10), QString());
    EXPECT_EQ(KindImageKey(10), QStringLiteral("holiday_item"));
    EXPECT_FALSE(IsKnownKind(6));
    EXPECT_EQ(KindImageKey(6), QString());
}

} // namespace
} // namespace morvane
