#include "options/OptionApply.h"

#include "calendar_window/month/MonthModel.h"

namespace morvane {

namespace {

void ApplyTrayIcons(const OptionControls& c, Settings& s, OptionsTarget& target,
                    const FileExists& fileExists)
{
    QString* files[2] = {&s.IconFile1, &s.IconFile2};
    for (int i = 1; i >= 0; --i) {
        QString file = c.Check15 ? c.Text2[std::size_t(i)].trimmed() : QString();
        // A file that went missing is not kept: the tray falls back to its
        // own picture rather than showing nothing.
        if (!file.isEmpty() && !fileExists(file))
            file.clear();
        *files[i] = file;
        target.setTrayPicture(i, file);
    }
    target.refreshTrayIcon();
}

} // namespace

void ApplyOptions(const OptionControls& c, Settings& s, OptionsTarget& target,
                  const FileExists& fileExists)
{
    s.CalendarBackColor = c.Option2 ? kDesktopColor : c.Command2;
    if (c.ColorsChanged) {
        s.WeekdaysColor = c.Command3[0];
        s.SaturdayColor = c.Command3[1];
        s.SundayColor = c.Command3[2];
        s.YearColor = c.Command3[3];
        s.ShadowColor = c.Command3[4];
        s.CursorColor = c.Command3[5];
        s.BoxColor = c.Command4;
        target.applyColors();
    }

    if (c.Check1) {
        s.Transparency = true;
        s.Transparency_value = qint16(c.Slider1);
    } else {
        s.Transparency = false;
        s.Transparency_value = 8;
        target.dropDesktopCopy();
    }
    if (c.Check10) {
        s.TransparencyEx = true;
        s.TransparencyEx_value = qint16(c.Slider3);
        target.applyLayeredAlpha();
    } else {
        s.TransparencyEx = false;
        s.TransparencyEx_value = 8;
        target.resetLayeredAlpha();
    }

    s.PicturePosition = qint16(c.Combo2);
    if (c.Check6) {
        s.PictureFile = c.Text1.trimmed();
        QString error;
        if (!target.preparePicture(s.PictureFile, &error)) {
            target.reportMissingPicture(error);
            s.PictureFile.clear();
        }
    } else {
        s.PictureFile.clear();
        target.clearPicture();
    }

    s.ShowTitle = c.Check4;
    s.TopView = c.Check12;
    target.setTopMost(c.Check12);
    s.BottomView = c.Check5;

    s.TitleType = qint16(IsValidTitleType(c.Combo6) ? c.Combo6 : 0);
    target.writeTitle();
    s.TootTipType = qint16(c.Combo7);

    s.FontName = c.titleFont.name;
    s.DayFontName = c.dayFont.name;
    s.FontSize = qint16(c.titleFont.size);
    s.DayFontSize = qint16(c.dayFont.size);
    s.MarkSize = qint16(c.markSize);
    s.FontItalic = c.titleFont.italic;
    s.DayFontItalic = c.dayFont.italic;
    s.FontBold = c.titleFont.bold;
    s.DayFontBold = c.dayFont.bold;
    target.applyFonts();

    s.CalendarSize = qint16(c.Slider2);
    target.layoutCalendar();

    s.FlashIcon = c.Check9[1];
    s.BeepFlg = c.Check9[0];
    s.SoundFlg = c.Check9[2];
    s.SoundFile = c.Text3;

    s.MonthIcon = c.Check3;
    s.JumpIcon = c.Check8;
    s.MemoIcon = c.Check17;
    target.placeTitleAndIcons();

    s.CalendarBox = c.Check2;
    target.drawFrame(c.Check2);
    s.CalendarWinRgn = c.Check11;
    target.setOutline(c.Check11);
    target.paintBackground();

    s.CalendarView = c.Check7;
    target.setCalendarView(c.Check7);

    s.IconClickView = c.Check13[0];
    s.StartLog = c.Check14[0];
    s.EndLog = c.Check14[1];
    s.ToolTipView = c.Check13[1];
    if (c.Check13[2] != s.MouseFlg) {
        s.MouseFlg = c.Check13[2];
        target.setMouseHook(s.MouseFlg);
    }

    s.ShowDayIcon = c.Check16;
    ApplyTrayIcons(c, s, target, fileExists);
    // The entry is touched only when the box differs from it, so a user who
    // edited the entry by hand keeps it as long as the box agrees.
    s.StartAtLogin = c.CheckLogin == target.startsAtLogin() ? c.CheckLogin
                                                            : target.setStartAtLogin(c.CheckLogin);
    target.saveSettings();
}

} // namespace morvane
