#include "options/OptionControls.h"

#include <algorithm>

namespace morvane {

namespace {

int Clamped(int value, int low, int high)
{
    return std::clamp(value, low, high);
}

int SizeIndexValue(int size)
{
    return Clamped(size, kSizeListFirst, kSizeListLast);
}

} // namespace

OptionControls LoadControls(const Settings& s, bool layeringAvailable)
{
    OptionControls c;
    c.titleFont = {s.FontName, SizeIndexValue(s.FontSize), s.FontItalic, s.FontBold};
    c.dayFont = {s.DayFontName, SizeIndexValue(s.DayFontSize), s.DayFontItalic, s.DayFontBold};
    c.markSize = SizeIndexValue(s.MarkSize);

    c.Check7 = s.CalendarView;
    c.Check2 = s.CalendarBox;
    c.Check11 = s.CalendarWinRgn;
    c.Check3 = s.MonthIcon;
    c.Check8 = s.JumpIcon;
    c.Check17 = s.MemoIcon;
    c.Check4 = s.ShowTitle;
    // Both stored on cannot be shown: on top wins, as when the settings load.
    c.Check5 = s.BottomView;
    SetTopView(c, s.TopView);

    c.Combo6 = Clamped(s.TitleType, 0, kTitleTypeCount - 1);
    c.Combo7 = Clamped(s.TootTipType, 0, kTipTypeCount - 1);

    c.Option2 = s.CalendarBackColor == kDesktopColor;
    c.Command2 = s.CalendarBackColor;
    c.Command3 = {s.WeekdaysColor, s.SaturdayColor, s.SundayColor,
                  s.YearColor,     s.ShadowColor,   s.CursorColor};
    c.Command4 = s.BoxColor;
    c.Combo2 = Clamped(s.PicturePosition, 0, 1);
    c.Text1 = s.PictureFile.trimmed().isEmpty() ? QString() : s.PictureFile;
    c.Check6 = !c.Text1.isEmpty();

    const bool pseudo = s.Transparency_value != 0 && s.Transparency;
    c.Check1 = pseudo;
    c.Slider1 = Clamped(s.Transparency_value, 1, kTransparencyMax);
    c.Check10 = layeringAvailable && s.TransparencyEx;
    c.Slider3 = Clamped(s.TransparencyEx_value, 1, kTransparencyExMax);

    c.Slider2 = Clamped(s.CalendarSize, 0, kCalendarSizeMax);
    c.Check14 = {s.StartLog, s.EndLog};
    c.Option3 = s.CalendarBox;

    c.Check9 = {s.BeepFlg, s.FlashIcon, s.SoundFlg};
    c.Text3 = s.SoundFile;
    c.Check13 = {s.IconClickView, s.ToolTipView, s.MouseFlg};
    c.CheckLogin = s.StartAtLogin;

    c.Check15 = !s.IconFile1.isEmpty() || !s.IconFile2.isEmpty();
    if (c.Check15)
        c.Text2 = {s.IconFile1, s.IconFile2};
    c.Check16 = s.ShowDayIcon;
    c.ColorsChanged = false;
    return c;
}

void SettleLoadedSettings(Settings& s)
{
    // A pseudo transparency of strength 0 cannot be shown: it is off, also
    // when the dialog is cancelled without an apply.
    if (s.Transparency_value == 0)
        s.Transparency = false;
}

void SetTopView(OptionControls& c, bool on)
{
    c.Check12 = on;
    if (on)
        c.Check5 = false;
}

void SetBottomView(OptionControls& c, bool on)
{
    c.Check5 = on;
    if (on)
        c.Check12 = false;
}

void SetRoundCorners(OptionControls& c, bool on)
{
    c.Check11 = on;
    if (on)
        SetFrame(c, false);
}

void SetFrame(OptionControls& c, bool on)
{
    c.Check2 = on;
    c.Option3 = on;
    if (on)
        c.Check11 = false;
}

void SetJumpIcon(OptionControls& c, bool on)
{
    c.Check8 = on;
    if (on)
        c.Check17 = false;
}

void SetMemoIcon(OptionControls& c, bool on)
{
    c.Check17 = on;
    if (on)
        c.Check8 = false;
}

void SetBeep(OptionControls& c, bool on)
{
    c.Check9[0] = on;
    if (on)
        c.Check9[2] = false;
}

void SetSoundFile(OptionControls& c, bool on)
{
    c.Check9[2] = on;
    if (on)
        c.Check9[0] = false;
}

void SetPseudoTransparency(OptionControls& c, bool on)
{
    c.Check1 = on;
    if (on)
        c.Check10 = false;
}

bool SetWholeTransparency(OptionControls& c, bool on, bool layeringAvailable)
{
    if (on && !layeringAvailable) {
        c.Check10 = false;
        return false;
    }
    c.Check10 = on;
    if (on)
        c.Check1 = false;
    return true;
}

void SetDayIcon(OptionControls& c, bool on)
{
    c.Check16 = on;
    if (on)
        c.Check15 = false;
}

void SetOwnIcons(OptionControls& c, bool on)
{
    c.Check15 = on;
    if (on)
        c.Check16 = false;
}

void ChooseGivenColor(OptionControls& c)
{
    c.Option2 = false;
    c.ColorsChanged = true;
}

void ChooseDesktopColor(OptionControls& c)
{
    c.Option2 = true;
    c.ColorsChanged = true;
}

void MoveTransparencySlider(OptionControls& c, int value)
{
    c.Slider1 = Clamped(value, 1, kTransparencyMax);
    if (c.Option2)
        ChooseGivenColor(c);
}

bool PickBackColor(OptionControls& c, qint32 color)
{
    if (color == 0)
        return false;
    c.Command2 = color;
    c.Option2 = false;
    c.ColorsChanged = true;
    return true;
}

bool PickDayColor(OptionControls& c, int index, qint32 color)
{
    if (color == 0 || index < 0 || index >= int(c.Command3.size()))
        return false;
    c.Command3[std::size_t(index)] = color;
    c.ColorsChanged = true;
    return true;
}

bool PickBoxColor(OptionControls& c, qint32 color)
{
    // The frame is chosen before the dialog opens, whatever it returns, and
    // with it the frame box of the display page: the preview never shows a
    // frame the apply would not store.
    SetFrame(c, true);
    if (color == 0)
        return false;
    c.Command4 = color;
    c.ColorsChanged = true;
    return true;
}

void DefaultColors(OptionControls& c)
{
    c.Command3 = {RgbValue(255, 255, 255), RgbValue(0, 150, 255), RgbValue(255, 0, 0),
                  RgbValue(255, 255, 255), RgbValue(70, 70, 70),  0xC8FF64};
    c.Option2 = false;
    c.Command2 = kDesktopColor;
    SetFrame(c, false);
    c.Check11 = true;
    c.Command4 = kSystemWindowBackColor;
    c.ColorsChanged = true;
}

void DefaultFont(OptionControls& c, int target, const QStringList& screenFonts)
{
    const QString gothic = QStringLiteral(u"ＭＳ Ｐゴシック");
    PreviewFont& font = target == 1 ? c.titleFont : c.dayFont;
    if (target == 1) {
        font.name = gothic;
        font.bold = false;
    } else {
        const QString comic = QStringLiteral("Comic Sans MS");
        font.name = screenFonts.contains(comic) ? comic : gothic;
        font.bold = true;
    }
    font.italic = false;
}

void SelectFontTarget(OptionControls& c, int target, const Settings& s)
{
    // Only the name and styles come back: the sizes belong to the size page.
    if (target == 1) {
        c.titleFont.name = s.FontName;
        c.titleFont.italic = s.FontItalic;
        c.titleFont.bold = s.FontBold;
    } else {
        c.dayFont.name = s.DayFontName;
        c.dayFont.italic = s.DayFontItalic;
        c.dayFont.bold = s.DayFontBold;
    }
}

} // namespace morvane
