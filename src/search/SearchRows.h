#pragma once

#include "data/records/ScheduleBounds.h"
#include "data/records/SchedulePattern.h"

#include <QRgb>
#include <QString>
#include <optional>

namespace morvane {

// One line of the result list.
struct SearchRow
{
    int position = -1;   // AbsolutePosition of the record when it was found
    qint64 recordId = 0; // tells whether that position still holds it
    QString ruleText;    // "予定日": the full rule label
    QString message;     // "予定内容"
    // Fore colour of the "予定内容" cell; nothing: the list's own.
    std::optional<QRgb> messageColor;
    int icon = 0; // position in the shared image list, 0: none
    QString key;  // "K0012K0003"
};

// The row of a record found at position with the given id, added as row
// number rowNumber (1-based) of the list; the rule label names its bounds.
SearchRow MakeSearchRow(const SchedulePattern& record, const QString& message,
                        std::optional<int> color, int position, qint64 recordId, int rowNumber,
                        const ScheduleBounds& bounds = ScheduleBounds());

// "K" + the position in four digits or more, "K" + the row number likewise:
// position 12 as the third row is "K0012K0003", position 12345 "K12345K0003".
QString SearchRowKey(int position, int rowNumber);
// The position a key holds (between the first and the second "K"); nothing
// when the key is not one.
std::optional<int> PositionOfSearchRowKey(const QString& key);

// Colour of a schedule's text in the list: 黄 (14) is drawn dark yellow so
// that it reads on the grey list, 白 (15) black, another palette code its
// colour (0 black); Null or a code outside the palette: the list's own.
std::optional<QRgb> SearchTextColor(std::optional<int> color);

// The window caption after a search that counted count records.
QString SearchResultCaption(int count);

} // namespace morvane
