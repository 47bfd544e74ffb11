#pragma once

#include "core/Version.h"

#include <QString>

namespace morvane {

// A colour as stored in settings: blue * 65536 + green * 256 + red.
constexpr qint32 RgbValue(int red, int green, int blue)
{
    return static_cast<qint32>(blue * 65536 + green * 256 + red);
}

// A system colour carries the top bit; the low bits pick the system colour.
// 0x80000005 is the background colour of windows.
inline constexpr qint32 kSystemWindowBackColor = static_cast<qint32>(0x80000005u);

// The sizes the program offers: the options list font and mark sizes 7 to
// 26 points and calendar sizes 0 to 25. A stored value outside them (an
// edited settings file) is brought to the nearest end when loaded.
inline constexpr qint16 kSmallestFontSize = 7;
inline constexpr qint16 kLargestFontSize = 26;
inline constexpr qint16 kSmallestCalendarSize = 0;
inline constexpr qint16 kLargestCalendarSize = 25;

// Every user option, held in memory for the whole run. Member names are the
// names under which the values are stored; the initialisers are the values a
// first run starts from. Three of them are settled while loading instead
// (see LoadSettings): MarkSize, DayFontName and Version.
//
// Integer options are 16-bit and Long options 32-bit, as stored: a stored
// number outside that range is not a valid value of the option.
// Positions and sizes are in twips (1/1440 inch).
struct Settings
{
    // Calendar window place, background and look.
    qint32 Left = 0;
    qint32 Top = 0;
    bool Transparency = true; // background copied from the desktop behind
    qint16 Transparency_value = 8;
    bool TransparencyEx = false;     // whole window translucent
    qint16 TransparencyEx_value = 6; // opacity is 255 - 16 * value
    QString PictureFile;
    qint16 PicturePosition = 0;
    bool CalendarView = true;
    bool CalendarBox = false;
    bool CalendarWinRgn = true;
    bool MonthIcon = true;
    bool JumpIcon = false;
    bool MemoIcon = false;
    bool ShowTitle = true;
    bool TopView = false;
    bool BottomView = false;
    qint16 TitleType = 0;
    qint16 TootTipType = 0; // the stored name is spelled so
    qint32 CursorColor = RgbValue(100, 255, 200);
    qint32 CalendarBackColor = 0;
    qint32 BoxColor = kSystemWindowBackColor;

    // Fonts.
    QString FontName = QStringLiteral(u"ＭＳ Ｐゴシック");
    qint16 FontSize = 10;
    bool FontItalic = false;
    bool FontBold = false;
    QString DayFontName = QStringLiteral(u"ＭＳ Ｐゴシック");
    qint16 DayFontSize = 11;
    qint16 MarkSize = 13;
    bool DayFontItalic = false;
    bool DayFontBold = true;

    // Colours of the month.
    qint32 SaturdayColor = RgbValue(0, 150, 255);
    qint32 SundayColor = RgbValue(255, 0, 0);
    qint32 WeekdaysColor = RgbValue(255, 255, 255);
    qint32 YearColor = RgbValue(255, 255, 255);
    qint32 ShadowColor = RgbValue(70, 70, 70);
    qint16 CalendarSize = 3;

    // Alarms.
    bool BeepFlg = false;
    bool SoundFlg = false;
    QString SoundFile;
    bool FlashIcon = true;

    // Event rounds let run before the desktop behind the calendar is copied.
    qint16 ShowWait = 150;

    // Viewer window.
    qint16 ViewTop = 0;
    qint16 ViewLeft = 0;
    qint16 ViewWidth = 8000;
    qint16 ViewHeight = 6000;
    qint16 ViewLineX = 1900;
    qint16 ViewLineY = 3600;

    // Tray icon, balloon, wheel, activity log.
    bool IconClickView = false;
    bool ToolTipView = true;
    bool MouseFlg = false;
    bool StartLog = false;
    bool EndLog = false;
    QString IconFile1;
    QString IconFile2;
    bool ShowDayIcon = false;
    // Whether the desktop starts the program at login. The entry the desktop
    // reads is the truth; this copy only follows it.
    bool StartAtLogin = false;

    // The program version that last saved; the running version once loaded.
    QString Version = RunningVersion();

    bool operator==(const Settings&) const = default;
};

} // namespace morvane
