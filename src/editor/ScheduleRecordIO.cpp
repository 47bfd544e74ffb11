#include "editor/ScheduleRecordIO.h"

#include "calendar_math/WeekFunctions.h"
#include "data/engine/DatabaseEngine.h"
#include "data/records/RuleLabel.h"
#include "data/records/ScheduleFields.h"
#include "data/records/SchedulePattern.h"

namespace morvane {

namespace f = schedule_fields;

namespace {

// A stored time text into a picker value; nothing when the text is blank.
std::optional<QTime> StoredTime(const Recordset& schedules, const QString& field)
{
    const QString text = schedules.GetValue(field).toString().trimmed();
    if (text.isEmpty())
        return std::nullopt;
    return ParseTimeText(text).value_or(QTime(0, 0));
}

void LoadBirthFields(const Recordset& schedules, int kindIndex, QDate shown, QDate today,
                     ScheduleForm& form, ScheduleStatus& status)
{
    if (kindIndex != kind_index::Birthday && kindIndex != kind_index::Anniversary)
        return;
    const std::optional<int> birthYear = OptionalInt(schedules.GetValue(f::BirthYear));
    form.birthYear = birthYear.value_or(0);
    if (kindIndex == kind_index::Birthday)
        form.birthPerson = schedules.GetValue(f::BirthPerson).toString();
    if (!birthYear)
        return;
    const QDate since(*birthYear, shown.month(), shown.day());
    if (!since.isValid())
        return;
    status.dayCounter = ElapsedDaysText(since, today);
    const int years = GetElapsedYears(since, shown);
    status.occasion =
        kindIndex == kind_index::Birthday ? BirthdayText(years) : AnniversaryText(years);
}

} // namespace

ScheduleStatus LoadScheduleForm(const Recordset& schedules, QDate shown, QDate today,
                                ScheduleForm& form, PanelState& state)
{
    ScheduleStatus status;
    form.text = schedules.GetValue(f::Message).toString();
    form.birthPerson.clear();
    status.dayCounter = DayCounterText(shown, today);

    const SchedulePattern pattern = ReadSchedulePattern(schedules);
    const std::optional<int> kind = pattern.type ? KindIndexOfType(*pattern.type) : std::nullopt;
    const int kindIndex = kind.value_or(form.kindIndex);
    form.equinox = pattern.type == 10;
    LoadBirthFields(schedules, kindIndex, shown, today, form, status);
    ApplyKindRules(kindIndex, form, state);

    form.yearChoice = pattern.year == 0 ? 1 : 0;
    form.monthChoice = pattern.month == 0 ? 1 : 0;
    if (pattern.day && *pattern.day > 0)
        form.dayChoice = day_choice::Date;
    else
        form.dayChoice = pattern.week == 0 ? day_choice::EveryWeek : day_choice::NthWeekday;

    const std::optional<QTime> start = StoredTime(schedules, f::StartTime);
    const std::optional<QTime> end = StoredTime(schedules, f::EndTime);
    form.timeRange = start || end;
    form.startTime = start.value_or(QTime(0, 0));
    form.endTime = end.value_or(QTime(0, 0));
    form.startSet = start.has_value() || !form.timeRange;
    form.endSet = end.has_value() || !form.timeRange;
    const std::optional<QTime> alarm = StoredTime(schedules, f::Alarm);
    form.alarm = alarm.has_value();
    form.alarmTime = alarm.value_or(QTime(0, 0));

    const std::optional<int> color =
        ColorIndexOfCode(OptionalInt(schedules.GetValue(f::Color)).value_or(0));
    form.color = color.has_value();
    if (color)
        form.colorIndex = *color;

    const std::optional<int> mark = OptionalInt(schedules.GetValue(f::Mark));
    form.mark = mark.has_value();
    if (mark)
        form.markIndex = (*mark >= 0 && *mark <= 14) ? *mark : -1;

    const ScheduleBounds bounds = ReadScheduleBounds(schedules);
    form.firstDate = bounds.first;
    form.lastDate = bounds.last;
    form.skippedDates = bounds.skipped;

    UpdateOptionControls(form, state);
    return status;
}

void WriteScheduleForm(Recordset& schedules, const ScheduleForm& form, QDate shown)
{
    schedules.SetValue(f::Message, form.text);

    const int kindIndex = std::clamp(form.kindIndex, 0, EditorKindCount - 1);
    schedules.SetValue(f::Type, form.equinox ? 10 : EditorKinds()[std::size_t(kindIndex)].typeCode);
    if (kindIndex == kind_index::Birthday || kindIndex == kind_index::Anniversary) {
        schedules.SetValue(f::BirthYear, form.birthYear > 0 ? form.birthYear : shown.year());
        if (kindIndex == kind_index::Birthday)
            schedules.SetValue(f::BirthPerson, form.birthPerson);
    }

    // A computed equinox day keeps its own rule: writing the shown day
    // would pin it to this year's date.
    if (!form.equinox) {
        const RuleFields rule =
            EncodeRule(form.yearChoice, form.monthChoice, form.dayChoice, shown);
        schedules.SetValue(f::Year, rule.year);
        schedules.SetValue(f::Month, rule.month);
        schedules.SetValue(f::Day, rule.day);
        schedules.SetValue(f::Week, rule.week);
        schedules.SetValue(f::DayOfTheWeek, rule.dayOfTheWeek);
    }

    const bool start = form.timeRange && form.startSet;
    const bool end = form.timeRange && form.endSet;
    schedules.SetValue(f::StartTime, start ? TimeText(form.startTime) : QString());
    schedules.SetValue(f::EndTime, end ? TimeText(form.endTime) : QString());
    schedules.SetValue(f::Alarm, form.alarm ? TimeText(form.alarmTime) : QString());

    int colorCode = 0;
    if (form.color && form.colorIndex >= 0 && form.colorIndex < EditorColorCount)
        colorCode = EditorColors()[std::size_t(form.colorIndex)].code;
    schedules.SetValue(f::Color, colorCode);
    schedules.SetValue(f::Mark, form.mark ? Value(form.markIndex) : Value::Null());

    // A rule of one day has no first or last day, and its skipped days
    // belonged to the rule it had before.
    ScheduleBounds bounds;
    if (RuleRepeats(form)) {
        bounds.first = form.firstDate;
        bounds.last = form.lastDate;
        bounds.skipped = form.skippedDates;
    }
    WriteScheduleBounds(schedules, bounds);
}

QString StoredDateLabel(const Recordset& schedules)
{
    return MakeDateLabel(ReadSchedulePattern(schedules)) +
           BoundsLabel(ReadScheduleBounds(schedules));
}

} // namespace morvane
