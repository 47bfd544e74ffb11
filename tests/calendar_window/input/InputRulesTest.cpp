#include "calendar_window/input/CalendarZoom.h"
#include "calendar_window/input/InputActions.h"
#include "calendar_window/input/StepMonth.h"
#include "core/Settings.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

const QDate kToday(2026, 12, 10);

struct StepCase
{
    int year;
    int month;
    MonthStep step;
    std::optional<QString> expected;
};

class StepMonthTest : public testing::TestWithParam<StepCase>
{
};

TEST_P(StepMonthTest, GivesTheFirstDayText)
{
    const StepCase& c = GetParam();
    EXPECT_EQ(StepMonth(c.year, c.month, c.step, kToday), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, StepMonthTest,
    testing::Values(StepCase{2024, 1, MonthStep::PreviousMonth, QStringLiteral("2023/12/01")},
                    StepCase{2024, 5, MonthStep::PreviousMonth, QStringLiteral("2024/4/01")},
                    StepCase{2024, 12, MonthStep::NextMonth, QStringLiteral("2025/01/01")},
                    StepCase{2024, 5, MonthStep::NextMonth, QStringLiteral("2024/6/01")},
                    // Months step without bound, years by key stay in 1950-2050.
                    StepCase{1950, 1, MonthStep::PreviousMonth, QStringLiteral("1949/12/01")},
                    StepCase{2050, 12, MonthStep::NextMonth, QStringLiteral("2051/01/01")},
                    StepCase{1951, 3, MonthStep::PreviousYear, QStringLiteral("1950/3/01")},
                    StepCase{1950, 3, MonthStep::PreviousYear, std::nullopt},
                    StepCase{2049, 3, MonthStep::NextYear, QStringLiteral("2050/3/01")},
                    StepCase{2050, 3, MonthStep::NextYear, std::nullopt},
                    StepCase{1990, 7, MonthStep::ThisMonth, QStringLiteral("2026/12/01")}));

struct WheelCase
{
    const char* name;
    QPoint delta;
    Qt::KeyboardModifiers modifiers;
    Qt::MouseButtons buttons;
    WheelAction expected;
};

class WheelActionTest : public testing::TestWithParam<WheelCase>
{
};

TEST_P(WheelActionTest, OnlyWholeNotchesCount)
{
    const WheelCase& c = GetParam();
    EXPECT_EQ(WheelActionFor(c.delta, c.modifiers, c.buttons), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Wheel, WheelActionTest,
    testing::Values(
        WheelCase{"awayIsPreviousMonth",
                  {0, 120},
                  Qt::NoModifier,
                  Qt::NoButton,
                  WheelAction::PreviousMonth},
        WheelCase{
            "towardIsNextMonth", {0, -120}, Qt::NoModifier, Qt::NoButton, WheelAction::NextMonth},
        WheelCase{
            "ctrlAwayZoomsIn", {0, 120}, Qt::ControlModifier, Qt::NoButton, WheelAction::ZoomIn},
        WheelCase{"ctrlTowardZoomsOut",
                  {0, -120},
                  Qt::ControlModifier,
                  Qt::NoButton,
                  WheelAction::ZoomOut},
        WheelCase{"halfNotch", {0, 60}, Qt::NoModifier, Qt::NoButton, WheelAction::None},
        WheelCase{"halfNotchToward", {0, -60}, Qt::NoModifier, Qt::NoButton, WheelAction::None},
        WheelCase{"twoNotches", {0, 240}, Qt::NoModifier, Qt::NoButton, WheelAction::None},
        WheelCase{"ctrlHalfNotch", {0, 60}, Qt::ControlModifier, Qt::NoButton, WheelAction::None},
        WheelCase{"shift", {0, 120}, Qt::ShiftModifier, Qt::NoButton, WheelAction::None},
        WheelCase{"ctrlShift",
                  {0, 120},
                  Qt::ControlModifier | Qt::ShiftModifier,
                  Qt::NoButton,
                  WheelAction::None},
        WheelCase{"buttonHeld", {0, 120}, Qt::NoModifier, Qt::LeftButton, WheelAction::None},
        WheelCase{"horizontal", {120, 0}, Qt::NoModifier, Qt::NoButton, WheelAction::None}),
    [](const testing::TestParamInfo<WheelCase>& info) { return std::string(info.param.name); });

TEST(KeyStep, ArrowsAndHomeStepOtherKeysDoNot)
{
    EXPECT_EQ(KeyStepFor(Qt::Key_Home), MonthStep::ThisMonth);
    EXPECT_EQ(KeyStepFor(Qt::Key_Left), MonthStep::PreviousMonth);
    EXPECT_EQ(KeyStepFor(Qt::Key_Right), MonthStep::NextMonth);
    EXPECT_EQ(KeyStepFor(Qt::Key_Up), MonthStep::PreviousYear);
    EXPECT_EQ(KeyStepFor(Qt::Key_Down), MonthStep::NextYear);
    EXPECT_EQ(KeyStepFor(Qt::Key_End), std::nullopt);
    EXPECT_EQ(KeyStepFor(Qt::Key_Space), std::nullopt);
}

struct ZoomCase
{
    int size;
    bool zoomIn;
    bool changed;
    int newSize;
};

class ZoomTest : public testing::TestWithParam<ZoomCase>
{
};

TEST_P(ZoomTest, StaysWithinOneToTwelveAndSetsEveryFontToSizePlusSix)
{
    const ZoomCase& c = GetParam();
    Settings settings;
    settings.CalendarSize = static_cast<qint16>(c.size);
    settings.FontSize = 10;
    settings.DayFontSize = 11;
    settings.MarkSize = 13;
    EXPECT_EQ(ZoomCalendarSettings(settings, c.zoomIn), c.changed);
    EXPECT_EQ(settings.CalendarSize, c.newSize);
    if (c.changed) {
        EXPECT_EQ(settings.FontSize, c.newSize + 6);
        EXPECT_EQ(settings.DayFontSize, c.newSize + 6);
        EXPECT_EQ(settings.MarkSize, c.newSize + 6);
    } else {
        EXPECT_EQ(settings.FontSize, 10);
        EXPECT_EQ(settings.DayFontSize, 11);
        EXPECT_EQ(settings.MarkSize, 13);
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, ZoomTest,
                         testing::Values(ZoomCase{3, true, true, 4}, ZoomCase{3, false, true, 2},
                                         ZoomCase{11, true, true, 12},
                                         ZoomCase{12, true, false, 12},
                                         ZoomCase{1, false, false, 1}, ZoomCase{2, false, true, 1},
                                         // Sizes the options dialog allows beyond the wheel's.
                                         ZoomCase{0, true, true, 1}, ZoomCase{0, false, false, 0},
                                         ZoomCase{20, true, false, 20},
                                         ZoomCase{20, false, true, 19}));

TEST(ZoomedTitleLeft, BesideTheMonthIconsCentredForTheOthersElseUnchanged)
{
    Settings settings;
    settings.MonthIcon = true;
    EXPECT_EQ(ZoomedTitleLeft(settings, 2108, 900, 604), 150);
    settings.MonthIcon = false;
    settings.JumpIcon = true;
    EXPECT_EQ(ZoomedTitleLeft(settings, 2108, 900, 150), 604);
    settings.JumpIcon = false;
    settings.MemoIcon = true;
    EXPECT_EQ(ZoomedTitleLeft(settings, 2108, 900, 150), 604);
    settings.MemoIcon = false;
    EXPECT_EQ(ZoomedTitleLeft(settings, 2108, 900, 321), 321);
}

} // namespace
} // namespace morvane
