#pragma once

#include <QDate>
#include <QString>
#include <optional>
#include <span>

namespace morvane {

// One entry of the kind list of the search window: its caption, the icon
// position in the shared image list (0: none) and what it adds to the
// criterion ("" for every kind).
struct SearchKind
{
    QString text;
    int icon = 0;
    QString criterionPiece;
};

// The nine kinds in list order; entry 0 is "全ての予定".
std::span<const SearchKind> SearchKinds();

// What the user asked for. A range end that is not set is nothing.
struct SearchRequest
{
    QString text;
    std::optional<QDate> start;
    std::optional<QDate> end;
    int kindIndex = 0; // 0-based position in SearchKinds()
};

// False when both ends are set and the start's month lies after the end's
// month (the days are not compared: 20 May to 10 May is accepted).
bool RangeInOrder(const SearchRequest& request);

// The message shown for a range in the wrong order, and the window's title.
QString RangeOrderMessage();
inline const QString SearchTitle = QStringLiteral("予定の検索");

// The filter text the search runs with FindFirst/FindNext. The search text
// (without its surrounding blanks) is matched literally: it is quoted and
// its pattern characters escaped, so an apostrophe, * ? # or [ find texts
// that contain them. For 会議 from 8 December 2026, kind 普通の予定:
//   ([Message] Like '*会議*') And (([Year] > 2026 Or ([Year] = 2026 And
//   [Month] > 12) Or (([Year] = 2026 Or [Year] = 0) And ([Month] = 12 Or
//   [Month] = 0) And ([Day] >= 8))) Or ([Year] = 0 Or [Month] = 0 Or
//   [DayOfTheWeek] > 0)) And [Type] = 0
// (one line). The range part lets every repeating record through; the second
// check narrows them.
QString BuildSearchCriterion(const SearchRequest& request);

} // namespace morvane
