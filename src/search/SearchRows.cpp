#include "search/SearchRows.h"

#include "core/NumberText.h"
#include "data/records/RuleLabel.h"
#include "data/records/ScheduleCodes.h"
#include "ui_toolkit/CalendarImages.h"

namespace morvane {

SearchRow MakeSearchRow(const SchedulePattern& record, const QString& message,
                        std::optional<int> color, int position, qint64 recordId, int rowNumber,
                        const ScheduleBounds& bounds)
{
    SearchRow row;
    row.position = position;
    row.recordId = recordId;
    row.ruleText = RuleLabel(record, bounds);
    row.message = message;
    row.messageColor = SearchTextColor(color);
    row.icon = record.type ? TypeImageIndex(*record.type) : 0;
    row.key = SearchRowKey(position, rowNumber);
    return row;
}

QString SearchRowKey(int position, int rowNumber)
{
    char16_t text[48];
    char16_t* end = text;
    for (const int number : {position, rowNumber}) {
        *end++ = u'K';
        end = WriteNumber(end, number, 4);
    }
    return QString(reinterpret_cast<const QChar*>(text), end - text);
}

std::optional<int> PositionOfSearchRowKey(const QString& key)
{
    if (!key.startsWith(QLatin1Char('K')))
        return std::nullopt;
    const qsizetype second = key.indexOf(QLatin1Char('K'), 1);
    if (second < 2)
        return std::nullopt;
    bool ok = false;
    const int position = key.mid(1, second - 1).toInt(&ok);
    if (!ok || position < 0)
        return std::nullopt;
    return position;
}

std::optional<QRgb> SearchTextColor(std::optional<int> color)
{
    if (!color)
        return std::nullopt;
    const std::optional<int> index = ListTextColorIndex(*color);
    if (!index)
        return std::nullopt;
    return QRgb(QBColor(*index)->argb());
}

QString SearchResultCaption(int count)
{
    if (count > 0)
        return QStringLiteral("検索結果：") + QString::number(count) +
               QStringLiteral("件の予定が見つかりました");
    return QStringLiteral("検索結果：条件に合う予定が見つかりませんでした");
}

} // namespace morvane
