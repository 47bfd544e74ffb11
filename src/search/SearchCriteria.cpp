#include "search/SearchCriteria.h"

#include "data/engine/DatabaseEngine.h"

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
    static const std::array<SearchKind, 9> kinds{{
        {QStringLiteral("全ての予定"), 0, QString()},
        {QStringLiteral("普通の予定"), 1, QStringLiteral("[Type] = 0")},
        {QStringLiteral("イベント"), 2, QStringLiteral("[Type] = 4")},
        {QStringLiteral("日記"), 3, QStringLiteral("[Type] = 5")},
        {QStringLiteral("記念日"), 4, QStringLiteral("[Type] = 3")},
        {QStringLiteral("誕生日"), 5, QStringLiteral("[Type] = 2")},
        {QStringLiteral("祝日"), 6, QStringLiteral("([Type] = 1 or [Type] = 10)")},
        {QStringLiteral("ＴＶ番組"), 7, QStringLiteral("[Type] = 20")},
        {QStringLiteral("雑誌"), 8, QStringLiteral("[Type] = 21")},
    }};
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
