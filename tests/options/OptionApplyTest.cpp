#include "RecordingTarget.h"
#include "core/SettingsTable.h"

#include <QSet>
#include <gtest/gtest.h>

namespace morvane {
namespace {

bool AnyFileExists(const QString&)
{
    return true;
}

// Settings that are each other's consistent picture of the controls: the
// strengths of transparencies that are off are what an apply stores for
// them (8).
Settings Consistent(Settings s)
{
    if (!s.Transparency || s.Transparency_value == 0) {
        s.Transparency = false;
        s.Transparency_value = 8;
    }
    if (!s.TransparencyEx)
        s.TransparencyEx_value = 8;
    return s;
}

Settings Varied()
{
    Settings s;
    s.Transparency = false;
    s.TransparencyEx = true;
    s.TransparencyEx_value = 3;
    s.PictureFile = "/pictures/sky.png";
    s.PicturePosition = 1;
    s.CalendarView = false;
    s.CalendarBox = true;
    s.CalendarWinRgn = false;
    s.MonthIcon = false;
    s.JumpIcon = false;
    s.MemoIcon = true;
    s.ShowTitle = false;
    s.TopView = true;
    s.TitleType = 9;
    s.TootTipType = 15;
    s.CursorColor = 1;
    s.CalendarBackColor = kDesktopColor;
    s.BoxColor = 77;
    s.FontName = "Title Face";
    s.FontSize = 26;
    s.FontItalic = true;
    s.FontBold = true;
    s.DayFontName = "Day Face";
    s.DayFontSize = 7;
    s.MarkSize = 20;
    s.DayFontItalic = true;
    s.DayFontBold = false;
    s.SaturdayColor = 2;
    s.SundayColor = 3;
    s.WeekdaysColor = 4;
    s.YearColor = 5;
    s.ShadowColor = 6;
    s.CalendarSize = 25;
    s.BeepFlg = true;
    s.SoundFile = "/sounds/bell.wav";
    s.FlashIcon = false;
    s.IconClickView = true;
    s.ToolTipView = false;
    s.MouseFlg = true;
    s.StartLog = true;
    s.EndLog = true;
    s.IconFile1 = "/icons/a.ico";
    s.IconFile2 = "/icons/b.ico";
    return s;
}

class RoundTripTest : public ::testing::TestWithParam<Settings>
{
};

TEST_P(RoundTripTest, LoadThenApplyWithoutEditsGivesBackEveryValue)
{
    const Settings stored = Consistent(GetParam());
    Settings applied = stored;
    RecordingTarget target;
    ApplyOptions(LoadControls(stored, true), applied, target, AnyFileExists);
    for (const SettingKey& key : SettingKeys()) {
        std::visit([&](auto member) { EXPECT_EQ(applied.*member, stored.*member) << key.name; },
                   key.member);
    }
    EXPECT_FALSE(target.calls.contains("colors")) << "no colour edit, no colour push";
    EXPECT_FALSE(target.calls.join(' ').contains("hook")) << "the wheel hook did not change";
}

INSTANTIATE_TEST_SUITE_P(Settings, RoundTripTest, ::testing::Values(Settings{}, Varied()));

TEST(OptionApply, RunsTheWindowStepsInOrder)
{
    Settings s = Consistent(Settings{});
    OptionControls c = LoadControls(s, true);
    PickDayColor(c, 0, RgbValue(1, 1, 1));
    c.Check6 = true;
    c.Text1 = "  /p.png ";
    c.Check13[2] = true;
    SetPseudoTransparency(c, false);
    RecordingTarget target;
    ApplyOptions(c, s, target, AnyFileExists);
    const QStringList expected{
        "colors", "dropDesktopCopy", "resetAlpha", "picture /p.png", "topMost 0",   "title",
        "fonts",  "layout",          "icons",      "frame 0",        "outline 1",   "paint",
        "view 1", "hook 1",          "tray 1 ",    "tray 0 ",        "trayRefresh", "save"};
    EXPECT_EQ(target.calls, expected);
    EXPECT_EQ(s.PictureFile, "/p.png");
    EXPECT_EQ(s.WeekdaysColor, RgbValue(1, 1, 1));
}

TEST(OptionApply, DesktopColourIsStoredAsTheSystemColour)
{
    Settings s;
    OptionControls c = LoadControls(s, true);
    ChooseDesktopColor(c);
    RecordingTarget target;
    ApplyOptions(c, s, target, AnyFileExists);
    EXPECT_EQ(s.CalendarBackColor, qint32(0x80000001u));
    EXPECT_TRUE(target.calls.contains("colors"));
}

TEST(OptionApply, UncheckedTransparenciesStoreTheMiddleStrength)
{
    Settings s;
    s.Transparency_value = 3;
    s.TransparencyEx = true;
    s.TransparencyEx_value = 12;
    OptionControls c = LoadControls(s, true);
    SetPseudoTransparency(c, false);
    SetWholeTransparency(c, false, true);
    RecordingTarget target;
    ApplyOptions(c, s, target, AnyFileExists);
    EXPECT_FALSE(s.Transparency);
    EXPECT_EQ(s.Transparency_value, 8);
    EXPECT_FALSE(s.TransparencyEx);
    EXPECT_EQ(s.TransparencyEx_value, 8);
    EXPECT_TRUE(target.calls.contains("resetAlpha"));
}

TEST(OptionApply, MissingBackgroundPictureIsReportedAndDropped)
{
    Settings s;
    OptionControls c = LoadControls(s, true);
    c.Check6 = true;
    c.Text1 = "/gone.png";
    RecordingTarget target;
    target.unreadablePicture = "/gone.png";
    ApplyOptions(c, s, target, AnyFileExists);
    EXPECT_TRUE(s.PictureFile.isEmpty());
    EXPECT_TRUE(target.calls.contains("missingPicture unreadable"));
    EXPECT_EQ(target.calls.last(), "save") << "the apply goes on after the message";
}

TEST(OptionApply, TitleTypeIsStoredAndTheTitleRewritten)
{
    for (int type : {0, 6, 10}) {
        Settings s;
        OptionControls c = LoadControls(s, true);
        c.Combo6 = type;
        RecordingTarget target;
        ApplyOptions(c, s, target, AnyFileExists);
        EXPECT_EQ(s.TitleType, type);
        EXPECT_TRUE(target.calls.contains("title"));
    }
}

TEST(OptionApply, DeletedIconFileBringsBackTheBuiltInTrayIcon)
{
    Settings s;
    s.IconFile1 = "/icons/gone.ico";
    s.IconFile2 = "/icons/here.ico";
    OptionControls c = LoadControls(s, true);
    RecordingTarget target;
    ApplyOptions(c, s, target, [](const QString& f) { return f == "/icons/here.ico"; });
    EXPECT_TRUE(s.IconFile1.isEmpty());
    EXPECT_EQ(s.IconFile2, "/icons/here.ico");
    EXPECT_TRUE(target.calls.contains("tray 0 "));
    EXPECT_TRUE(target.calls.contains("tray 1 /icons/here.ico"));
}

TEST(OptionApply, OwnIconsOffClearsBothFiles)
{
    Settings s;
    s.IconFile1 = "/a.ico";
    OptionControls c = LoadControls(s, true);
    SetDayIcon(c, true);
    RecordingTarget target;
    ApplyOptions(c, s, target, AnyFileExists);
    EXPECT_TRUE(s.IconFile1.isEmpty());
    EXPECT_TRUE(s.ShowDayIcon);
}

TEST(OptionApply, WheelHookFollowsOnlyAChange)
{
    Settings s;
    s.MouseFlg = true;
    OptionControls c = LoadControls(s, true);
    c.Check13[2] = false;
    RecordingTarget target;
    ApplyOptions(c, s, target, AnyFileExists);
    EXPECT_TRUE(target.calls.contains("hook 0"));
    EXPECT_FALSE(s.MouseFlg);
}

// The desktop's entry is written only when the box differs from it, and the
// stored copy follows what the entry is afterwards, also when writing fails.
TEST(OptionApply, LoginEntryFollowsTheBox)
{
    struct Case
    {
        bool entry, box, fails;
        bool written, stored;
    };
    for (const Case& k :
         {Case{false, true, false, true, true}, Case{true, false, false, true, false},
          Case{true, true, false, false, true}, Case{false, false, false, false, false},
          Case{false, true, true, true, false}, Case{true, false, true, true, true}}) {
        Settings s;
        s.StartAtLogin = !k.entry; // a stale copy must not matter
        OptionControls c = LoadControls(s, true);
        c.CheckLogin = k.box;
        RecordingTarget target;
        target.loginEntry = k.entry;
        target.loginEntryFails = k.fails;
        ApplyOptions(c, s, target, AnyFileExists);
        const QString trace = target.calls.join(' ');
        EXPECT_EQ(trace.contains("login"), k.written) << trace.toStdString();
        EXPECT_EQ(s.StartAtLogin, k.stored) << trace.toStdString();
        EXPECT_EQ(target.calls.last(), "save") << "the settings are kept after the entry";
    }
}

} // namespace
} // namespace morvane
