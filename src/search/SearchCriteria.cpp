#include "search/SearchCriteria.h"

#include "data/engine/DatabaseEngine.h"
#include "data/records/ScheduleCodes.h"

#include <array>

namespace morvane {

namespace {

QString N(int number)
{
    return QString::number(number);
}

QString StartPiece(QDate start)
{
    const QString y = N(start.year());
    const QString m = N(start.month());
    return QStringLiteral("([Year] > ") + y + QStringLiteral(" Or ([Year] = ") + y +
           QStringLiteral(" And [Month] > ") + m + QStringLiteral(")") +
           QStringLiteral(" Or (([Year] = ") + y +
           QStringLiteral(" Or [Year] = 0) And ([Month] = ") + m +
           QStringLiteral(" Or [Month] = 0)") + QStringLiteral(" And ([Day] >= ") + N(start.day()) +
           QStringLiteral(")))");
}

QString EndPiece(QDate end)
{
    const QString y = N(end.year());
    const QString m = N(end.month());
    return QStringLiteral("([Year] < ") + y + QStringLiteral(" Or ([Year] = ") + y +
           QStringLiteral(" And [Month] < ") + m + QStringLiteral(")") +
           QStringLiteral(" Or (([Year] = ") + y +
           QStringLiteral(" Or [Year] = 0) And ([Month] = ") + m +
           QStringLiteral(" Or [Month] = 0)") + QStringLiteral(" And [Day] <= ") + N(end.day()) +
           QStringLiteral(")") + QStringLiteral(")");
}

int MonthNumber(QDate date)
{
    return date.year() * 100 + date.month();
}

} // namespace

std::span<const SearchKind> SearchKinds()
{
    static const std::array<SearchKind, 9> kinds = [] {
        std::array<SearchKind, 9> list;
        list[0] = {QStringLiteral("全ての予定"), 0, QString()};
        const std::span<const ScheduleKind> listed = ListedScheduleKinds();
        for (std::size_t i = 0; i < listed.size(); ++i) {
            const int code = int(listed[i]);
            // The holidays of the computed equinox days are holidays too.
            const QString piece = listed[i] == ScheduleKind::Holiday
                                      ? QStringLiteral("([Type] = 1 or [Type] = 10)")
                                      : QStringLiteral("[Type] = %1").arg(code);
            list[i + 1] = {KindName(code), int(i) + 1, piece};
        }
        return list;
    }();
    return kinds;
}

bool RangeInOrder(const SearchRequest& request)
{
    if (!request.start || !request.end)
        return true;
    return MonthNumber(*request.start) <= MonthNumber(*request.end);
}

QString RangeOrderMessage()
{
    return QStringLiteral("「対象範囲」の指定が誤っています。\r\n"
                          "左側に検索開始年月、右側に検索終了年月を指定してください。");
}

QString BuildSearchCriterion(const SearchRequest& request)
{
    const QString pattern =
        QStringLiteral("*") + LikePatternForLiteral(request.text.trimmed()) + QStringLiteral("*");
    QString criterion =
        QStringLiteral("([Message] Like ") + QuoteFilterText(pattern) + QStringLiteral(")");

    if (request.start || request.end) {
        criterion += QStringLiteral(" And (");
        if (request.start)
            criterion += StartPiece(*request.start);
        if (request.end) {
            if (request.start)
                criterion += QStringLiteral(" And ");
            criterion += EndPiece(*request.end);
        }
        criterion += QStringLiteral(" Or ([Year] = 0 Or [Month] = 0 Or [DayOfTheWeek] > 0))");
    }

    const std::span<const SearchKind> kinds = SearchKinds();
    if (request.kindIndex > 0 && request.kindIndex < int(kinds.size()))
        criterion += QStringLiteral(" And ") + kinds[std::size_t(request.kindIndex)].criterionPiece;
    return criterion;
}

} // namespace morvane
