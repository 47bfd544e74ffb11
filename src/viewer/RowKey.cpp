#include "viewer/RowKey.h"

#include "core/NumberText.h"
#include "data/engine/DatabaseEngine.h"
#include "viewer/ListModel.h"

namespace morvane {

QString MakeRowKey(int position, int second)
{
    // Every month list row has a key: it is written in one go.
    char16_t text[48];
    char16_t* end = text;
    *end++ = u'K';
    end = WriteNumber(end, position, 4);
    *end++ = u'K';
    end = WriteNumber(end, second, 4);
    return QString(reinterpret_cast<const QChar*>(text), end - text);
}

std::optional<int> RowKeyPosition(const QString& key)
{
    if (!key.startsWith(QLatin1Char('K')))
        return std::nullopt;
    const qsizetype end = key.indexOf(QLatin1Char('K'), 1);
    const QStringView digits = QStringView(key).mid(1, end < 0 ? -1 : end - 1);
    if (digits.isEmpty())
        return std::nullopt;
    for (QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    bool ok = false;
    const int position = digits.toInt(&ok);
    return ok ? std::optional<int>(position) : std::nullopt;
}

bool MoveToRowRecord(Recordset& schedules, const ListRow& row)
{
    const std::optional<int> position = RowKeyPosition(row.key);
    if (!position || row.recordId == 0 || schedules.RecordIdAt(*position) != row.recordId)
        return false;
    schedules.SetAbsolutePosition(*position);
    return true;
}

} // namespace morvane
