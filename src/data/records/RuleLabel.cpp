#include "data/records/RuleLabel.h"

#include "calendar_math/WeekFunctions.h"
#include "data/records/ScheduleCodes.h"

namespace morvane {

namespace {

// Null joins a text as nothing, the way the stored rule fields always have.
QString NumberOrEmpty(const std::optional<int>& value)
{
    return value ? QString::number(*value) : QString();
}

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

} // namespace

QString RuleLabel(const SchedulePattern& p)
{
    const QString yearText =
        p.year == 0 ? QStringLiteral("毎年") : NumberOrEmpty(p.year) + QStringLiteral("年");
    const QString monthText =
        p.month == 0 ? QStringLiteral("毎月") : NumberOrEmpty(p.month) + QStringLiteral("月");
    const QString weekdayName = GetWeekName(p.dayOfTheWeek.value_or(0)) + QStringLiteral("曜日");

    if (p.week == 0)
        return yearText + monthText + QStringLiteral("毎週") + weekdayName;
    if (p.week && *p.week >= 1 && *p.week <= 5)
        return yearText + monthText + QStringLiteral("第") + QString::number(*p.week) +
               QStringLiteral("週") + weekdayName;
    if (p.type == int(ScheduleKind::EquinoxHoliday))
        return yearText + monthText + QStringLiteral("(日計算)");
    return yearText + monthText + NumberOrEmpty(p.day) + QStringLiteral("日");
}

QString BoundsLabel(const ScheduleBounds& bounds)
{
    const auto dayText = [](const QDate& date) {
        return QString::number(date.year()) + QStringLiteral("年") + QString::number(date.month()) +
               QStringLiteral("月") + QString::number(date.day()) + QStringLiteral("日");
    };
    QString text;
    if (bounds.first.isValid())
        text += dayText(bounds.first) + QStringLiteral("から");
    if (bounds.last.isValid())
        text += dayText(bounds.last) + QStringLiteral("まで");
    return text.isEmpty() ? text : QStringLiteral("（") + text + QStringLiteral("）");
}

QString RuleLabel(const SchedulePattern& pattern, const ScheduleBounds& bounds)
{
    return RuleLabel(pattern) + BoundsLabel(bounds);
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
