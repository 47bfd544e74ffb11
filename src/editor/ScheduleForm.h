#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>
#include <optional>
#include <span>
#include <vector>

namespace morvane {

// The detail panel of the day editor as plain values: what each control
// holds. The window shows a ScheduleForm and reports the user's changes
// back; the editor reads and writes records through it.

// One entry of the kind list, in list order.
struct EditorKind
{
    QString name; // "普通の予定", ...
    int icon;     // 1-based position in the shared image list
    int typeCode; // Type written on save
};
inline constexpr int EditorKindCount = 8;
std::span<const EditorKind> EditorKinds();
// List index of the kind that shows Type code; nothing for a code the list
// cannot show (the panel then keeps the kind it shows). 10 shows as 祝日.
std::optional<int> KindIndexOfType(int typeCode);

namespace kind_index {
inline constexpr int Ordinary = 0;
inline constexpr int Event = 1;
inline constexpr int Diary = 2;
inline constexpr int Anniversary = 3;
inline constexpr int Birthday = 4;
inline constexpr int Holiday = 5;
inline constexpr int TvProgramme = 6;
inline constexpr int Magazine = 7;
} // namespace kind_index

// One entry of the colour list, in list order.
struct EditorColor
{
    QString name;    // "黄", ...
    int code;        // Color written on save
    int previewCode; // QBColor index the mark list and the row are drawn in
};
inline constexpr int EditorColorCount = 7;
std::span<const EditorColor> EditorColors();
// List index of a stored Color (9 to 15); nothing for any other code.
std::optional<int> ColorIndexOfCode(int code);

namespace color_index {
inline constexpr int Yellow = 0;
inline constexpr int Cyan = 2;
inline constexpr int Purple = 3;
inline constexpr int Red = 4;
} // namespace color_index

// The three rule combos: index 0 is the shown date's own year / month /
// day, the others repeat.
namespace day_choice {
inline constexpr int Date = 0;
inline constexpr int NthWeekday = 1;
inline constexpr int EveryWeek = 2;
} // namespace day_choice

struct ScheduleForm
{
    int kindIndex = kind_index::Ordinary;
    int yearChoice = 0;  // 0 the year, 1 毎年
    int monthChoice = 0; // 0 the month, 1 毎月
    int dayChoice = day_choice::Date;
    int birthYear = 0; // 0: the picker shows the shown date's year
    QString birthPerson;
    bool timeRange = false;
    QTime startTime{0, 0};
    QTime endTime{0, 0};
    // An end of the range the loaded record left empty stays empty on a
    // save until the user sets it.
    bool startSet = true;
    bool endSet = true;
    bool alarm = false;
    QTime alarmTime{0, 0};
    bool color = false;
    int colorIndex = color_index::Yellow;
    bool mark = false;
    int markIndex = 0; // 0 to 14; -1 when a stored mark has no glyph
    QString text;
    // A holiday on the computed equinox day that was loaded and not given
    // another kind or rule: saving keeps it computed.
    bool equinox = false;
    // "開始日" and "終了日" of a repeating rule; invalid: no bound. The
    // skipped days come with the record and go back with it.
    QDate firstDate;
    QDate lastDate;
    std::vector<QDate> skippedDates;

    friend bool operator==(const ScheduleForm&, const ScheduleForm&) = default;
};

// Whether the chosen rule falls on more than one day (every year, every
// month, every week, or a computed equinox day): only such a rule takes a
// first and a last day.
bool RuleRepeats(const ScheduleForm& form);

// Enabled and visible state of the panel's controls, from the kind rules
// and the option boxes.
struct PanelState
{
    bool combo1Enabled = true;
    bool combo2Enabled = true;
    bool combo3Enabled = true;
    bool check1Enabled = true;
    bool check2Enabled = true;
    bool check3Enabled = true;
    bool check4Enabled = true;
    bool birthYearVisible = false;
    bool personVisible = false; // Label4 and Combo4
    bool colorListEnabled = true;
    // From UpdateOptionControls.
    bool timeRangeVisible = false;
    bool alarmTimeVisible = false;
    bool colorListVisible = false;
    bool check4Visible = false;
    bool markListVisible = false; // visible and enabled alike
    QString check3Caption = QStringLiteral("カラー");
    int markPreviewCode = 0; // QBColor index of the mark list's text

    friend bool operator==(const PanelState&, const PanelState&) = default;
};

// The kind rules: presets and locks of the kind at kindIndex, applied to
// form and state. Only the controls the kind cares about change. Ends with
// UpdateOptionControls.
void ApplyKindRules(int kindIndex, ScheduleForm& form, PanelState& state);

// Visibility of the option controls from their boxes, and the colour
// preview.
void UpdateOptionControls(const ScheduleForm& form, PanelState& state);

// The QBColor index a stored Color is listed in: 14 as 6, 15 as 0 (black
// on the light list), any other palette index as itself, anything else 0.
int RowColorCode(std::optional<int> color);
// The preview colour of the chosen colour list entry; 0 (black) outside it.
int PreviewColorCode(int colorIndex);

// The combos' entries for date: [2026年, 毎年], [12月, 毎月],
// [8日, 第2週火曜日, 毎週火曜日].
struct RuleChoices
{
    QStringList years;
    QStringList months;
    QStringList days;
};
RuleChoices RuleChoicesFor(QDate date);

// The rule fields a save writes for the chosen entries and the shown day
// (y, m, d).
struct RuleFields
{
    int year = 0;
    int month = 0;
    int day = 0;
    int week = -1;
    int dayOfTheWeek = -1;

    friend bool operator==(const RuleFields&, const RuleFields&) = default;
};
RuleFields EncodeRule(int yearChoice, int monthChoice, int dayChoice, QDate shown);

// The list's "予定日" text of the chosen entries before they are saved.
QString RulePreviewLabel(int yearChoice, int monthChoice, int dayChoice, QDate shown);
// The same for the whole form: the rule and, when it repeats, its first
// and last day ("毎週水曜日（2026年6月3日から）").
QString RulePreviewLabel(const ScheduleForm& form, QDate shown);

// Times as the records keep them: "07:05".
QString TimeText(QTime time);
// A stored "h:mm" / "hh:mm" time; nothing when it is not one.
std::optional<QTime> ParseTimeText(const QString& text);

// Status panel 4: "今日", "あと3日", "2日経過" (thousands grouped).
QString DayCounterText(QDate shown, QDate today);
// Days lived since birth as panel 4 shows it for a birthday: "13,149日経過".
QString ElapsedDaysText(QDate from, QDate today);
// Panel 5: "36歳の誕生日" / "10周年記念".
QString BirthdayText(int years);
QString AnniversaryText(int years);
// The text a birthday takes from the person's name: "「花子」の誕生日".
QString BirthdayMessage(const QString& person);

// The alarm time offered when the alarm box is checked: the next whole hour
// on today's date (until 23:00), otherwise midnight.
QTime ProposedAlarmTime(QDate shown, const QDateTime& now);
// The colour the colour box starts with: 紫 on Sundays, 水 on Saturdays, 黄
// on other days.
int DefaultColorIndex(QDate shown);

// The title line of a text: before the first line break, at most 50
// characters.
QString TitleLine(const QString& text);

} // namespace morvane
