#include "options/OptionControls.h"

#include <functional>
#include <gtest/gtest.h>

namespace morvane {
namespace {

struct ExclusionCase
{
    const char* name;
    std::function<void(OptionControls&, bool)> first;
    std::function<void(OptionControls&, bool)> second;
    std::function<bool(const OptionControls&)> firstOn;
    std::function<bool(const OptionControls&)> secondOn;
};

class ExclusionTest : public ::testing::TestWithParam<ExclusionCase>
{
};

TEST_P(ExclusionTest, CheckingOneUnchecksTheOtherAndUncheckingLeavesIt)
{
    const ExclusionCase& pair = GetParam();
    OptionControls c;
    pair.first(c, true);
    pair.second(c, true);
    EXPECT_TRUE(pair.secondOn(c));
    EXPECT_FALSE(pair.firstOn(c));
    pair.first(c, true);
    EXPECT_TRUE(pair.firstOn(c));
    EXPECT_FALSE(pair.secondOn(c));
    pair.first(c, false);
    EXPECT_FALSE(pair.firstOn(c));
    EXPECT_FALSE(pair.secondOn(c));
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, ExclusionTest,
    ::testing::Values(ExclusionCase{"TopBottom", SetTopView, SetBottomView,
                                    [](const OptionControls& c) { return c.Check12; },
                                    [](const OptionControls& c) {
                                        return c.Check5;
                                    }},
                      ExclusionCase{"JumpMemo", SetJumpIcon, SetMemoIcon,
                                    [](const OptionControls& c) { return c.Check8; },
                                    [](const OptionControls& c) {
                                        return c.Check17;
                                    }},
                      ExclusionCase{"BeepSound", SetBeep, SetSoundFile,
                                    [](const OptionControls& c) { return c.Check9[0]; },
                                    [](const OptionControls& c) {
                                        return c.Check9[2];
                                    }},
                      ExclusionCase{
                          "Transparencies", SetPseudoTransparency,
                          [](OptionControls& c, bool on) { SetWholeTransparency(c, on, true); },
                          [](const OptionControls& c) { return c.Check1; },
                          [](const OptionControls& c) {
                              return c.Check10;
                          }},
                      ExclusionCase{"DayIconOwnIcons", SetDayIcon, SetOwnIcons,
                                    [](const OptionControls& c) { return c.Check16; },
                                    [](const OptionControls& c) {
                                        return c.Check15;
                                    }},
                      ExclusionCase{"RoundFrame", SetRoundCorners, SetFrame,
                                    [](const OptionControls& c) { return c.Check11; },
                                    [](const OptionControls& c) {
                                        return c.Check2 && c.Option3;
                                    }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OptionControls, RoundCornersTurnTheFrameOffOnBothPages)
{
    OptionControls c;
    SetFrame(c, true);
    SetRoundCorners(c, true);
    EXPECT_FALSE(c.Check2);
    EXPECT_FALSE(c.Option3);
}

TEST(OptionControls, WholeTransparencyIsRefusedWithoutLayering)
{
    OptionControls c;
    c.Check1 = true;
    EXPECT_FALSE(SetWholeTransparency(c, true, false));
    EXPECT_FALSE(c.Check10);
    EXPECT_TRUE(c.Check1);
}

TEST(OptionControls, OutOfRangeStoredValuesAreBroughtIntoTheControlsRanges)
{
    Settings s;
    s.FontSize = 3;
    s.DayFontSize = 99;
    s.MarkSize = -4;
    s.TitleType = 14;
    s.TootTipType = 40;
    s.CalendarSize = 60;
    s.Transparency_value = 30;
    s.TransparencyEx_value = -2;
    s.PicturePosition = 5;
    const OptionControls c = LoadControls(s, true);
    EXPECT_EQ(c.titleFont.size, 7);
    EXPECT_EQ(c.dayFont.size, 26);
    EXPECT_EQ(c.markSize, 7);
    EXPECT_EQ(c.Combo6, 10);
    EXPECT_EQ(c.Combo7, 15);
    EXPECT_EQ(c.Slider2, 25);
    EXPECT_EQ(c.Slider1, 16);
    EXPECT_EQ(c.Slider3, 1);
    EXPECT_EQ(c.Combo2, 1);
}

TEST(OptionControls, LoadingRules)
{
    Settings s;
    s.Transparency = true;
    s.Transparency_value = 0; // a zero strength means no pseudo transparency
    s.TransparencyEx = true;
    s.PictureFile = "   ";
    s.IconFile2 = "/icons/lit.ico";
    s.CalendarBackColor = kDesktopColor;
    s.TopView = true;
    s.BottomView = true;
    OptionControls c = LoadControls(s, false);
    EXPECT_FALSE(c.Check1);
    EXPECT_FALSE(c.Check10) << "whole transparency only where layering works";
    EXPECT_FALSE(c.Check6);
    EXPECT_TRUE(c.Text1.isEmpty());
    EXPECT_TRUE(c.Check15);
    EXPECT_EQ(c.Text2[1], "/icons/lit.ico");
    EXPECT_TRUE(c.Option2);
    EXPECT_TRUE(c.Check12);
    EXPECT_FALSE(c.Check5);
    EXPECT_FALSE(c.ColorsChanged);
}

TEST(OptionControls, DesktopColourAndGivenColourMarkTheColoursChanged)
{
    OptionControls c = LoadControls(Settings{}, true);
    ChooseDesktopColor(c);
    EXPECT_TRUE(c.ColorsChanged);
    c.ColorsChanged = false;
    ChooseGivenColor(c);
    EXPECT_TRUE(c.ColorsChanged);
    EXPECT_FALSE(c.Option2);
}

TEST(OptionControls, TransparencySliderLeavesTheDesktopColour)
{
    OptionControls c;
    ChooseDesktopColor(c);
    MoveTransparencySlider(c, 12);
    EXPECT_FALSE(c.Option2);
    EXPECT_EQ(c.Slider1, 12);
}

TEST(OptionControls, BlackPicksChangeNothing)
{
    const OptionControls before = LoadControls(Settings{}, true);
    OptionControls c = before;
    EXPECT_FALSE(PickBackColor(c, 0));
    EXPECT_FALSE(PickDayColor(c, 3, 0));
    EXPECT_EQ(c, before);
    EXPECT_FALSE(PickBoxColor(c, 0));
    EXPECT_TRUE(c.Option3) << "the frame button chooses the frame before the dialog opens";
    EXPECT_FALSE(c.ColorsChanged);

    EXPECT_TRUE(PickDayColor(c, 4, RgbValue(1, 2, 3)));
    EXPECT_EQ(c.Command3[4], RgbValue(1, 2, 3));
    EXPECT_TRUE(c.ColorsChanged);
}

// Whatever the frame colour dialog gives (a colour, black, a cancel), the
// frame is chosen on both pages and the round corners go: what the preview
// draws is what the apply stores.
TEST(OptionControls, BoxColourTurnsTheFrameOnAndTheRoundCornersOff)
{
    for (const qint32 answer : {RgbValue(9, 9, 9), qint32(0)}) {
        SCOPED_TRACE(answer);
        OptionControls c = LoadControls(Settings{}, true);
        ASSERT_TRUE(c.Check11);
        ASSERT_FALSE(c.Check2);
        EXPECT_EQ(PickBoxColor(c, answer), answer != 0);
        EXPECT_TRUE(c.Option3);
        EXPECT_TRUE(c.Check2);
        EXPECT_FALSE(c.Check11);
        EXPECT_EQ(c.Command4, answer != 0 ? answer : kSystemWindowBackColor);
    }
}

// Loading settles a pseudo transparency of strength 0 as off in the
// settings themselves, so a cancelled dialog leaves it off too.
TEST(OptionControls, LoadingTurnsAZeroStrengthTransparencyOff)
{
    Settings s;
    s.Transparency = true;
    s.Transparency_value = 0;
    SettleLoadedSettings(s);
    EXPECT_FALSE(s.Transparency);
    s.Transparency = true;
    s.Transparency_value = 5;
    SettleLoadedSettings(s);
    EXPECT_TRUE(s.Transparency);
}

TEST(OptionControls, ColourDefaults)
{
    OptionControls c;
    SetFrame(c, true);
    DefaultColors(c);
    EXPECT_EQ(c.Command3[0], RgbValue(255, 255, 255));
    EXPECT_EQ(c.Command3[1], RgbValue(0, 150, 255));
    EXPECT_EQ(c.Command3[2], RgbValue(255, 0, 0));
    EXPECT_EQ(c.Command3[4], RgbValue(70, 70, 70));
    EXPECT_EQ(c.Command3[5], 13172580);
    EXPECT_EQ(c.Command2, kDesktopColor);
    EXPECT_FALSE(c.Option2);
    EXPECT_FALSE(c.Check2);
    EXPECT_TRUE(c.Check11);
    EXPECT_TRUE(c.ColorsChanged);
}

TEST(OptionControls, FontDefaultsPerTarget)
{
    OptionControls c;
    DefaultFont(c, 2, {"Comic Sans MS", "Sans"});
    EXPECT_EQ(c.dayFont.name, "Comic Sans MS");
    EXPECT_TRUE(c.dayFont.bold);
    DefaultFont(c, 2, {"Comic Sans", "Sans"});
    EXPECT_EQ(c.dayFont.name, QStringLiteral(u"ＭＳ Ｐゴシック"));
    c.titleFont.bold = true;
    DefaultFont(c, 1, {});
    EXPECT_FALSE(c.titleFont.bold);
}

TEST(OptionControls, SwitchingFontTargetKeepsTheOtherEditAndDiscardsItsOwn)
{
    Settings s;
    s.FontName = "Stored Title";
    s.DayFontName = "Stored Day";
    OptionControls c = LoadControls(s, true);
    c.titleFont.name = "Edited Title";
    c.titleFont.italic = true;
    SelectFontTarget(c, 2, s); // to the day target
    c.dayFont.name = "Edited Day";
    EXPECT_EQ(c.titleFont.name, "Edited Title");
    SelectFontTarget(c, 1, s); // back to the title target
    EXPECT_EQ(c.titleFont.name, "Stored Title");
    EXPECT_FALSE(c.titleFont.italic);
    EXPECT_EQ(c.dayFont.name, "Edited Day");
}

} // namespace
} // namespace morvane
