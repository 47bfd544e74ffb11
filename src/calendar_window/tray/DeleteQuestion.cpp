#include "calendar_window/tray/DeleteQuestion.h"

#include "calendar_math/WeekFunctions.h"

namespace morvane {

namespace {

QString Number(const std::optional<int>& value)
{
    return value ? QString::number(*value) : QString();
}

} // namespace

QString DeleteRecurrenceText(const SchedulePattern& pattern)
{
    QString text = pattern.year == 0 ? QStringLiteral("毎年") : Number(pattern.year) + "年";
    if (pattern.month == 0) {
        text = QStringLiteral("毎月");
    } else {
        text += Number(pattern.month) + "月";
    }
    if (pattern.week && *pattern.week != -1) {
        if (*pattern.week == 0) {
            text = QStringLiteral("毎週");
        } else {
            text += "第" + Number(pattern.week) + "週";
        }
        text += GetWeekName(pattern.dayOfTheWeek.value_or(0)) + "曜日";
    } else {
        text += Number(pattern.day) + "日";
    }
    return text;
}

QString DeleteQuestionText(const SchedulePattern& pattern, const QString& message)
{
    return DeleteRecurrenceText(pattern) + "の予定を削除してよろしいですか？\n\n『" + message +
           "』";
}

QString DeleteRepeatingQuestionText(const SchedulePattern& pattern, const QString& message,
                                    QDate date)
{
    return DeleteQuestionText(pattern, message) + "\n\n「" + DeleteThisDayOnly + "」：" +
           QString::number(date.year()) + "年" + QString::number(date.month()) + "月" +
           QString::number(date.day()) + "日だけを予定から外します。\n「" + DeleteEveryDay +
           "」：この予定をすべての日から削除します。";
}

} // namespace morvane
