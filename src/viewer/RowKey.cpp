#include "viewer/RowKey.h"

#include "data/engine/DatabaseEngine.h"
#include "viewer/ListModel.h"

namespace morvane {

namespace {

// At least four digits, zero-padded, written at out; returns the end. Every
// month list row has a key, so the digits go straight into the key's own
// buffer instead of through a formatted string.
char16_t* PutFourDigits(char16_t* out, int number)
{
    if (number < 0) {
        // Not a position the lists make; spelt as the general routine would.
        const QString digits = QString::number(number);
        for (qsizetype pad = 4 - digits.size(); pad > 0; --pad)
            *out++ = u'0';
        for (QChar c : digits)
            *out++ = c.unicode();
        return out;
    }
    char16_t reversed[10];
    int count = 0;
    unsigned value = unsigned(number);
    do {
        reversed[count++] = char16_t(u'0' + value % 10);
        value /= 10;
    } while (value != 0);
    for (int pad = 4 - count; pad > 0; --pad)
        *out++ = u'0';
    while (count > 0)
        *out++ = reversed[--count];
    return out;
}

} // namespace

QString MakeRowKey(int position, int second)
{
    // "K", up to eleven characters of a number, twice.
    char16_t text[24];
    char16_t* end = text;
    *end++ = u'K';
    end = PutFourDigits(end, position);
    *end++ = u'K';
    end = PutFourDigits(end, second);
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
