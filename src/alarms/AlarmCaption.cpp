#include "alarms/AlarmCaption.h"

#include "alarms/AlarmRules.h"
#include "calendar_math/WeekFunctions.h"

namespace morvane {

namespace {

QString Number(const std::optional<int>& value)
{
    return value ? QString::number(*value) : QString();
}

} // namespace

QString AlarmCaptionLine(const SchedulePattern& p, const std::optional<QString>& alarm)
{
    const bool everyYear = p.year && *p.year == 0;
    QString line =
        everyYear ? QStringLiteral(u"[毎年") : QStringLiteral(u"[") + Number(p.year) + u'年';

    if (p.month && *p.month == 0)
        line = everyYear ? QStringLiteral(u"[毎月") : line + QStringLiteral(u"毎月");
    else
        line += Number(p.month) + u'月';

    if (p.week && *p.week != -1) {
        if (*p.week == 0)
            line = QStringLiteral(u"[毎週");
        else
            line += u'第' + QString::number(*p.week) + u'週';
        line += GetWeekName(p.dayOfTheWeek.value_or(0)) + QStringLiteral(u"曜日");
    } else {
        line += Number(p.day) + u'日';
    }

    if (alarm) {
        if (const std::optional<QTime> time = AlarmTime(*alarm)) {
            line += u' ' + QString::number(time->hour()) + u':' +
                    QStringLiteral("%1").arg(time->minute(), 2, 10, QLatin1Char('0')) + u']';
        }
    }
    return line + QStringLiteral(u" のアラーム");
}

} // namespace morvane
