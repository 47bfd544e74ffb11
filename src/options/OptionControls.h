#pragma once

#include "core/Settings.h"

#include <QString>
#include <QStringList>
#include <array>

namespace morvane {

// The font of one group of preview cells (the title and header, or the day
// numbers): what the apply reads back.
struct PreviewFont
{
    QString name;
    int size = 10;
    bool italic = false;
    bool bold = false;

    bool operator==(const PreviewFont&) const = default;
};

// The working copy of the settings that the options dialog edits, one member
// per control, named after the control. The dialog shows it; nothing here
// touches a window, so the loading, the mutual exclusions and the apply can
// be exercised directly.
struct OptionControls
{
    // Tab "表示".
    bool Check7 = true;   // CalendarView
    bool Check4 = true;   // ShowTitle
    bool Check12 = false; // TopView
    bool Check5 = false;  // BottomView
    bool Check11 = true;  // CalendarWinRgn
    bool Check2 = false;  // CalendarBox (mirrors Option3/Option4)
    bool Check3 = true;   // MonthIcon
    bool Check8 = false;  // JumpIcon
    bool Check17 = false; // MemoIcon
    int Combo6 = 0;       // TitleType

    // Tab "フォント" and "サイズ": the preview cells 0 (title) and 8 (day) and
    // the preview mark.
    PreviewFont titleFont;
    PreviewFont dayFont;
    int markSize = 13;

    // Tab "カラー".
    bool Option2 = false;             // "デスクトップカラー"; Option1 "指定" otherwise
    qint32 Command2 = 0;              // background colour
    std::array<qint32, 6> Command3{}; // weekday, Saturday, Sunday, year, shadow, today
    bool Option3 = false;             // frame shown; Option4 otherwise
    qint32 Command4 = kSystemWindowBackColor;
    bool ColorsChanged = false;

    // Tab "背景画".
    bool Check6 = false;
    QString Text1;
    int Combo2 = 0;

    // Tab "サイズ".
    int Slider2 = 3;

    // Tab "アラーム": beep, flashing icon, sound file.
    std::array<bool, 3> Check9{false, true, false};
    QString Text3;

    // Tab "透明化".
    bool Check1 = true;
    int Slider1 = 8;
    bool Check10 = false;
    int Slider3 = 6;

    // Tab "動作": icon click, balloon, mouse wheel.
    std::array<bool, 3> Check13{false, true, false};
    // "ログイン時にモルヴァを起動する": loaded from the desktop's own entry.
    bool CheckLogin = false;
    // Tab "ログ": start, end.
    std::array<bool, 2> Check14{false, false};

    // Tab "常駐".
    int Combo7 = 0;
    bool Check16 = false;
    bool Check15 = false;
    std::array<QString, 2> Text2;

    bool operator==(const OptionControls&) const = default;
};

// Ranges of the lists and sliders.
inline constexpr int kTitleTypeCount = 11;
inline constexpr int kTipTypeCount = 16;
inline constexpr int kSizeListFirst = 7; // "7" to "26"
inline constexpr int kSizeListLast = 26;
inline constexpr int kCalendarSizeMax = 25;
inline constexpr int kTransparencyMax = 16;
inline constexpr int kTransparencyExMax = 14;

// The value the system desktop colour is stored as.
inline constexpr qint32 kDesktopColor = static_cast<qint32>(0x80000001u);

// Fills the controls from the settings. Values out of a list's or slider's
// range are brought into it, so the dialog never shows an impossible choice.
// The whole-window translucency is only offered when layering is available.
OptionControls LoadControls(const Settings& settings, bool layeringAvailable);

// What loading the dialog settles in the settings themselves, before the
// controls are filled: a pseudo transparency of strength 0 is turned off.
void SettleLoadedSettings(Settings& settings);

// The edits whose effect reaches beyond their own control: each keeps the
// pairs that cannot be on together apart and the mirrored controls in step.
void SetTopView(OptionControls& c, bool on);            // Check12
void SetBottomView(OptionControls& c, bool on);         // Check5
void SetRoundCorners(OptionControls& c, bool on);       // Check11
void SetFrame(OptionControls& c, bool on);              // Check2, Option3/Option4
void SetJumpIcon(OptionControls& c, bool on);           // Check8
void SetMemoIcon(OptionControls& c, bool on);           // Check17
void SetBeep(OptionControls& c, bool on);               // Check9(0)
void SetSoundFile(OptionControls& c, bool on);          // Check9(2)
void SetPseudoTransparency(OptionControls& c, bool on); // Check1
// Refused (returns false, box stays off) when layering is not available.
bool SetWholeTransparency(OptionControls& c, bool on, bool layeringAvailable); // Check10
void SetDayIcon(OptionControls& c, bool on);                                   // Check16
void SetOwnIcons(OptionControls& c, bool on);                                  // Check15

// Background choice: "指定" and "デスクトップカラー" both mark the colours as
// changed, so the colour shown is the one the calendar takes.
void ChooseGivenColor(OptionControls& c);   // Option1
void ChooseDesktopColor(OptionControls& c); // Option2
// The pseudo-transparency slider; the desktop colour cannot be blended, so
// moving it goes back to "指定".
void MoveTransparencySlider(OptionControls& c, int value);

// Colour picks; black (also what a cancelled colour dialog gives) changes
// no colour. Return whether the pick took. The frame colour button chooses
// the frame (Option3 with Check2) whatever the dialog gives.
bool PickBackColor(OptionControls& c, qint32 color);
bool PickDayColor(OptionControls& c, int index, qint32 color);
bool PickBoxColor(OptionControls& c, qint32 color);

// "標準設定" of the colour page.
void DefaultColors(OptionControls& c);
// "標準設定" of the font page for target 1 (title and header) or 2 (days).
void DefaultFont(OptionControls& c, int target, const QStringList& screenFonts);

// The font target switch: selecting a target puts its stored settings back
// into that target's preview cells; the other target keeps its edit.
void SelectFontTarget(OptionControls& c, int target, const Settings& settings);

} // namespace morvane
