#include "data/records/RuleLabel.h"

#include "calendar_math/WeekFunctions.h"
#include "core/NumberText.h"
#include "data/records/ScheduleCodes.h"

namespace morvane {

namespace {

// "毎年" or y年, then m月 or "毎月"; "毎月" alone when both are 0.
QString CompactYearMonth(int year, int month)
{
    QString label =
        year != 0 ? QString::number(year) + QStringLiteral("年") : QStringLiteral("毎年");
    if (month != 0)
        label += QString::number(month) + QStringLiteral("月");
    else if (year != 0)
        label += QStringLiteral("毎月");
    else
        label = QStringLiteral("毎月");
    return label;
}

// Null joins a text as nothing, the way the stored rule fields always have.
void AppendNumberOrNothing(QString& text, const std::optional<int>& value)
{
    if (value)
        AppendNumber(text, *value);
}

// The rule's label written onto text. The search lists a label for every
// record it finds, so the pieces go into one text instead of joined copies.
void AppendRuleLabel(QString& label, const SchedulePattern& p)
{
    if (p.year == 0) {
        label += QStringLiteral("毎年");
    } else {
        AppendNumberOrNothing(label, p.year);
        label += QStringLiteral("年");
    }
    if (p.month == 0) {
        label += QStringLiteral("毎月");
    } else {
        AppendNumberOrNothing(label, p.month);
        label += QStringLiteral("月");
    }
    const auto appendWeekday = [&] {
        label += GetWeekName(p.dayOfTheWeek.value_or(0));
        label += QStringLiteral("曜日");
    };
    if (p.week == 0) {
        label += QStringLiteral("毎週");
        appendWeekday();
    } else if (p.week && *p.week >= 1 && *p.week <= 5) {
        label += QStringLiteral("第");
        AppendNumber(label, *p.week);
        label += QStringLiteral("週");
        appendWeekday();
    } else if (p.type == int(ScheduleKind::EquinoxHoliday)) {
        label += QStringLiteral("(日計算)");
    } else {
        AppendNumberOrNothing(label, p.day);
        label += QStringLiteral("日");
    }
}

void AppendDay(QString& text, const QDate& date)
{
    AppendNumber(text, date.year());
    text += QStringLiteral("年");
    AppendNumber(text, date.month());
    text += QStringLiteral("月");
    AppendNumber(text, date.day());
    text += QStringLiteral("日");
}

void AppendBoundsLabel(QString& text, const ScheduleBounds& bounds)
{
    if (!bounds.first.isValid() && !bounds.last.isValid())
        return;
    text += QStringLiteral("（");
    if (bounds.first.isValid()) {
        AppendDay(text, bounds.first);
        text += QStringLiteral("から");
    }
    if (bounds.last.isValid()) {
        AppendDay(text, bounds.last);
        text += QStringLiteral("まで");
    }
    text += QStringLiteral("）");
}

} // namespace

QString RuleLabel(const SchedulePattern& p)
{
    QString label;
    label.reserve(24);
    AppendRuleLabel(label, p);
    return label;
}

QString BoundsLabel(const ScheduleBounds& bounds)
{
    QString text;
    AppendBoundsLabel(text, bounds);
    return text;
}

QString RuleLabel(const SchedulePattern& pattern, const ScheduleBounds& bounds)
{
    QString label;
    label.reserve(bounds.isEmpty() ? 24 : 56);
    AppendRuleLabel(label, pattern);
    AppendBoundsLabel(label, bounds);
    return label;
}

QString MakeDateLabel(int year, int month, int day, int week, int weekday)
{
    QString label = CompactYearMonth(year, month);

    if (day < 1) {
        if (week != 0)
            label += QStringLiteral("第") + QString::number(week) + QStringLiteral("週");
        else if (year != 0 || month != 0)
            label += QStringLiteral("毎週");
        else
            label = QStringLiteral("毎週");
        return label + GetWeekName(weekday) + QStringLiteral("曜日");
    }
    return label + QString::number(day) + QStringLiteral("日");
}

QString MakeDateLabel(const SchedulePattern& p)
{
    // An equinox holiday has neither day nor weekday; without this it would
    // read as a weekly rule on no weekday.
    if (p.type == int(ScheduleKind::EquinoxHoliday) && !p.day && !p.dayOfTheWeek) {
        return CompactYearMonth(p.year.value_or(0), p.month.value_or(0)) +
               QStringLiteral("(日計算)");
    }
    const int week = (p.week && *p.week != -1) ? *p.week : 0;
    return MakeDateLabel(p.year.value_or(0), p.month.value_or(0), p.day.value_or(0), week,
                         p.dayOfTheWeek.value_or(0));
}

} // namespace morvane
