#include "calendar_window/summary/TrayTipText.h"

#include "calendar_math/DateFormat.h"
#include "calendar_math/Rokuyou.h"
#include "calendar_math/WeekFunctions.h"

namespace morvane {

QString TrayTipText(int tipType, QDate date, int count)
{
    const QString y = QString::number(date.year());
    const QString m = QString::number(date.month());
    const QString d = QString::number(date.day());
    const QString weekday = GetWeekNameOfDate(date);
    const QString rokuyou = GetRokuyou(date);
    const QString n = QString::number(count);
    const QString rokuyouAndCount = "[" + rokuyou + "]：" + n + "件";

    switch (tipType) {
    case 0:
        return y + "年" + m + "月" + d + "日(" + weekday + ")" + rokuyouAndCount;
    case 1:
        return FormatDate(date, u"ggge年M月D日(") + weekday + ")" + rokuyouAndCount;
    case 2:
        return FormatDate(date, u"ge年M月D日(") + weekday + ")" + rokuyouAndCount;
    case 3:
        return y + "年" + m + "月" + d + "日(" + weekday + ")";
    case 4:
        return FormatDate(date, u"ggge年M月D日(") + weekday + ")";
    case 5:
        return FormatDate(date, u"ge年M月D日(") + weekday + ")";
    case 6:
        return y + "/" + m + "/" + d + "(" + weekday + ")";
    case 7:
        return FormatDate(date, u"ggge/M/D(") + weekday + ")";
    case 8:
        return FormatDate(date, u"ge/M/D(") + weekday + ")";
    case 9:
        return FormatDate(date, u"ggge/M/D");
    case 10:
        return FormatDate(date, u"ge/M/D");
    case 11:
        return m + "/" + d + "(" + weekday + ")";
    case 12:
        return m + "/" + d;
    case 13:
        return m + "/" + d + "(" + weekday + ")" + rokuyouAndCount;
    case 14:
        return rokuyou;
    case 15:
        return n + "件";
    default:
        return QStringLiteral("error");
    }
}

} // namespace morvane
