#include "calendar_math/DateFormat.h"

namespace morvane {

namespace {

bool IsDigitPlace(QChar c)
{
    return c == u'0' || c == u'#';
}

} // namespace

QString FormatNumber(qint64 value, QStringView pattern)
{
    qsizetype first = -1;
    qsizetype last = -1;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        if (IsDigitPlace(pattern[i])) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    const QString sign = value < 0 ? QStringLiteral("-") : QString();
    if (first < 0)
        return sign + pattern.toString();

    // From the first '0' on, every digit place is shown.
    int places = 0;
    int minimumDigits = 0;
    bool grouped = false;
    for (qsizetype i = last; i >= first; --i) {
        if (pattern[i] == u',') {
            grouped = true;
        } else if (IsDigitPlace(pattern[i])) {
            ++places;
            if (pattern[i] == u'0')
                minimumDigits = places;
        }
    }

    // Through the unsigned magnitude so that the lowest value converts too.
    const quint64 magnitude =
        value < 0 ? 0 - static_cast<quint64>(value) : static_cast<quint64>(value);
    QString digits = magnitude == 0 ? QString() : QString::number(magnitude);
    if (digits.size() < minimumDigits)
        digits = digits.rightJustified(minimumDigits, u'0');
    if (grouped) {
        for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
            digits.insert(at, u',');
    }

    QString middle;
    for (qsizetype i = first; i <= last; ++i) {
        if (!IsDigitPlace(pattern[i]) && pattern[i] != u',')
            middle += pattern[i];
    }
    return sign + pattern.first(first).toString() + digits + middle +
           pattern.sliced(last + 1).toString();
}

} // namespace morvane
