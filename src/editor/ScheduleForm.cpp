#include "editor/ScheduleForm.h"

#include "calendar_math/DateFormat.h"
#include "calendar_math/WeekFunctions.h"
#include "data/records/RuleLabel.h"
#include "data/records/ScheduleCodes.h"

#include <array>

namespace morvane {

namespace {

// What one kind does to a control: nothing where a field is unset.
struct ComboRule
{
    std::optional<int> index;
    std::optional<bool> enabled;
};

struct CheckRule
{
    std::optional<bool> checked;
    std::optional<bool> enabled;
};

struct KindRule
{
    ComboRule combo1, combo2, combo3;
    CheckRule check1, check2, check3, check4;
    bool birthYearShown = false;
    bool personShown = false;
    std::optional<int> colorIndex;
    std::optional<bool> colorListEnabled;
};

constexpr ComboRule kEnabled{{}, true};
constexpr CheckRule kCheckEnabled{{}, true};
constexpr CheckRule kClearedLocked{false, false};

// In list order: 普通の予定, イベント, 日記, 記念日, 誕生日, 祝日, ＴＶ番組, 雑誌.
// A holiday is every year on the shown day in red; birthdays and
// anniversaries every year on the shown day with a year of their own; a
// diary entry belongs to the shown date; TV programmes and magazines come
// back every week.
const std::array<KindRule, EditorKindCount> kKindRules{{
    // 普通の予定
    {kEnabled,
     kEnabled,
     kEnabled,
     kCheckEnabled,
     kCheckEnabled,
     kCheckEnabled,
     kCheckEnabled,
     false,
     false,
     {},
     {}},
    // イベント: the rule stays as chosen, but nothing stays locked from the
    // kind shown before.
    {kEnabled,
     kEnabled,
     kEnabled,
     kCheckEnabled,
     kCheckEnabled,
     kCheckEnabled,
     kCheckEnabled,
     false,
     false,
     {},
     {}},
    // 日記
    {{0, false},
     {0, false},
     {day_choice::Date, false},
     kCheckEnabled,
     kClearedLocked,
     kCheckEnabled,
     kCheckEnabled,
     false,
     false,
     {},
     {}},
    // 記念日
    {{1, false},
     {0, false},
     {day_choice::Date, false},
     kClearedLocked,
     kCheckEnabled,
     kCheckEnabled,
     kCheckEnabled,
     true,
     false,
     {},
     {}},
    // 誕生日
    {{1, false},
     {0, false},
     {day_choice::Date, false},
     kClearedLocked,
     kCheckEnabled,
     kCheckEnabled,
     kCheckEnabled,
     true,
     true,
     {},
     {}},
    // 祝日
    {{1, false},
     {0, false},
     {day_choice::Date, true},
     kClearedLocked,
     kCheckEnabled,
     {true, false},
     {{}, false},
     false,
     false,
     color_index::Red,
     false},
    // ＴＶ番組
    {{1, true},
     {1, true},
     {day_choice::EveryWeek, true},
     kCheckEnabled,
     kCheckEnabled,
     kCheckEnabled,
     kCheckEnabled,
     false,
     false,
     {},
     {}},
    // 雑誌
    {{1, true},
     {1, true},
     {day_choice::EveryWeek, true},
     kClearedLocked,
     kCheckEnabled,
     kCheckEnabled,
     kCheckEnabled,
     false,
     false,
     {},
     {}},
}};

void applyCombo(const ComboRule& rule, int& index, bool& enabled)
{
    if (rule.index)
        index = *rule.index;
    if (rule.enabled)
        enabled = *rule.enabled;
}

void applyCheck(const CheckRule& rule, bool& checked, bool& enabled)
{
    if (rule.checked)
        checked = *rule.checked;
    if (rule.enabled)
        enabled = *rule.enabled;
}

} // namespace

std::span<const EditorKind> EditorKinds()
{
    // The order of the shared image list, so an item's icon is its position.
    static const std::array<EditorKind, EditorKindCount> kinds = [] {
        const std::span<const ScheduleKind> listed = ListedScheduleKinds();
        std::array<EditorKind, EditorKindCount> list;
        for (std::size_t i = 0; i < list.size(); ++i) {
            const int code = int(listed[i]);
            list[i] = {KindName(code), int(i) + 1, code};
        }
        return list;
    }();
    return kinds;
}

std::optional<int> KindIndexOfType(int typeCode)
{
    if (typeCode == 10)
        return kind_index::Holiday;
    const auto kinds = EditorKinds();
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        if (kinds[i].typeCode == typeCode)
            return int(i);
    }
    return std::nullopt;
}

std::span<const EditorColor> EditorColors()
{
    static const std::array<EditorColor, EditorColorCount> colors = [] {
        std::array<EditorColor, EditorColorCount> list;
        const std::span<const ColorChoice> choices = EditorColorChoices();
        for (std::size_t i = 0; i < list.size(); ++i) {
            const ColorChoice& choice = choices[i];
            list[i] = {choice.name, choice.code, ListTextColorIndex(choice.code).value_or(0)};
        }
        return list;
    }();
    return colors;
}

std::optional<int> ColorIndexOfCode(int code)
{
    const auto colors = EditorColors();
    for (std::size_t i = 0; i < colors.size(); ++i) {
        if (colors[i].code == code)
            return int(i);
    }
    return std::nullopt;
}

void ApplyKindRules(int kindIndex, ScheduleForm& form, PanelState& state)
{
    state.personVisible = false;
    if (kindIndex >= 0 && kindIndex < EditorKindCount) {
        form.kindIndex = kindIndex;
        const KindRule& rule = kKindRules[std::size_t(kindIndex)];
        applyCombo(rule.combo1, form.yearChoice, state.combo1Enabled);
        applyCombo(rule.combo2, form.monthChoice, state.combo2Enabled);
        applyCombo(rule.combo3, form.dayChoice, state.combo3Enabled);
        applyCheck(rule.check1, form.timeRange, state.check1Enabled);
        applyCheck(rule.check2, form.alarm, state.check2Enabled);
        applyCheck(rule.check3, form.color, state.check3Enabled);
        applyCheck(rule.check4, form.mark, state.check4Enabled);
        state.birthYearVisible = rule.birthYearShown;
        state.personVisible = rule.personShown;
        if (rule.colorIndex)
            form.colorIndex = *rule.colorIndex;
        if (rule.colorListEnabled)
            state.colorListEnabled = *rule.colorListEnabled;
    }
    UpdateOptionControls(form, state);
}

void UpdateOptionControls(const ScheduleForm& form, PanelState& state)
{
    state.timeRangeVisible = form.timeRange;
    state.alarmTimeVisible = form.alarm;
    state.colorListVisible = form.color;
    state.check4Visible = form.color;
    if (state.check3Enabled)
        state.colorListEnabled = form.color;
    state.check3Caption = form.mark ? QStringLiteral("マークのカラー") : QStringLiteral("カラー");
    // A mark is drawn in the schedule's colour, so its list goes with the
    // colour box.
    state.markListVisible = form.mark && form.color;
    state.markPreviewCode = PreviewColorCode(form.colorIndex);
}

int RowColorCode(std::optional<int> color)
{
    return color ? ListTextColorIndex(*color).value_or(0) : 0;
}

int PreviewColorCode(int colorIndex)
{
    if (colorIndex < 0 || colorIndex >= EditorColorCount)
        return 0;
    return EditorColors()[std::size_t(colorIndex)].previewCode;
}

RuleChoices RuleChoicesFor(QDate date)
{
    const QString weekday = GetWeekNameOfDate(date) + QStringLiteral("曜日");
    return {
        {QString::number(date.year()) + QStringLiteral("年"), QStringLiteral("毎年")},
        {QString::number(date.month()) + QStringLiteral("月"), QStringLiteral("毎月")},
        {QString::number(date.day()) + QStringLiteral("日"),
         QStringLiteral("第") + QString::number(GetWeekOfMonth(date)) + QStringLiteral("週") +
             weekday,
         QStringLiteral("毎週") + weekday},
    };
}

RuleFields EncodeRule(int yearChoice, int monthChoice, int dayChoice, QDate shown)
{
    RuleFields fields;
    fields.year = yearChoice == 0 ? shown.year() : 0;
    fields.month = monthChoice == 0 ? shown.month() : 0;
    switch (dayChoice) {
    case day_choice::NthWeekday:
        fields.day = -1;
        fields.week = (shown.day() - 1) / 7 + 1;
        fields.dayOfTheWeek = WeekdayNumber(shown);
        break;
    case day_choice::EveryWeek:
        fields.day = -1;
        fields.week = 0;
        fields.dayOfTheWeek = WeekdayNumber(shown);
        break;
    default:
        fields.day = shown.day();
        break;
    }
    return fields;
}

QString RulePreviewLabel(int yearChoice, int monthChoice, int dayChoice, QDate shown)
{
    const int year = yearChoice == 0 ? shown.year() : 0;
    const int month = monthChoice == 0 ? shown.month() : 0;
    switch (dayChoice) {
    case day_choice::NthWeekday:
        return MakeDateLabel(year, month, 0, (shown.day() - 1) / 7 + 1, WeekdayNumber(shown));
    case day_choice::EveryWeek:
        return MakeDateLabel(year, month, 0, 0, WeekdayNumber(shown));
    default:
        return MakeDateLabel(year, month, shown.day());
    }
}

bool RuleRepeats(const ScheduleForm& form)
{
    return form.equinox || form.yearChoice != 0 || form.monthChoice != 0 ||
           form.dayChoice == day_choice::EveryWeek;
}

QString RulePreviewLabel(const ScheduleForm& form, QDate shown)
{
    QString label = RulePreviewLabel(form.yearChoice, form.monthChoice, form.dayChoice, shown);
    if (RuleRepeats(form)) {
        ScheduleBounds bounds;
        bounds.first = form.firstDate;
        bounds.last = form.lastDate;
        label += BoundsLabel(bounds);
    }
    return label;
}

QString TimeText(QTime time)
{
    return time.isValid() ? FormatTime(time, u"hh:nn") : QString();
}

std::optional<QTime> ParseTimeText(const QString& text)
{
    const QString trimmed = text.trimmed();
    for (const char* format : {"H:mm", "H:m", "HH:mm", "H:mm:ss"}) {
        const QTime time = QTime::fromString(trimmed, QLatin1String(format));
        if (time.isValid())
            return time;
    }
    return std::nullopt;
}

QString DayCounterText(QDate shown, QDate today)
{
    const qint64 days = today.daysTo(shown);
    if (days < 0)
        return FormatNumber(-days, u"##,###日経過");
    if (days == 0)
        return QStringLiteral("今日");
    return QStringLiteral("あと") + QString::number(days) + QStringLiteral("日");
}

QString ElapsedDaysText(QDate from, QDate today)
{
    return FormatNumber(from.daysTo(today), u"##,###日経過");
}

QString BirthdayText(int years)
{
    return QString::number(years) + QStringLiteral("歳の誕生日");
}

QString AnniversaryText(int years)
{
    return QString::number(years) + QStringLiteral("周年記念");
}

QString BirthdayMessage(const QString& person)
{
    return QStringLiteral("「") + person + QStringLiteral("」の誕生日");
}

QTime ProposedAlarmTime(QDate shown, const QDateTime& now)
{
    if (shown == now.date() && now.time().hour() < 23)
        return QTime(now.time().hour() + 1, 0);
    return QTime(0, 0);
}

int DefaultColorIndex(QDate shown)
{
    switch (WeekdayNumber(shown)) {
    case 1:
        return color_index::Purple;
    case 7:
        return color_index::Cyan;
    default:
        return color_index::Yellow;
    }
}

QString TitleLine(const QString& text)
{
    qsizetype end = text.size();
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' || text[i] == u'\n') {
            end = i;
            break;
        }
    }
    return text.left(std::min<qsizetype>(end, 50));
}

} // namespace morvane
