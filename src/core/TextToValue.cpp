#include "core/TextToValue.h"

#include <QString>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace morvane {
namespace {

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

int DigitValue(QChar c, int radix)
{
    int value = -1;
    if (c >= u'0' && c <= u'9')
        value = c.unicode() - u'0';
    else if (c >= u'a' && c <= u'f')
        value = c.unicode() - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        value = c.unicode() - u'A' + 10;
    return value < radix ? value : -1;
}

// Scans a number at the start of `text`; `length` receives how many
// characters it took (0 when there is no number).
double ScanNumber(QStringView text, qsizetype& length)
{
    length = 0;
    qsizetype pos = 0;
    const qsizetype size = text.size();

    if (size >= 2 && text[0] == u'&') {
        const QChar kind = text[1].toUpper();
        const int radix = kind == u'H' ? 16 : kind == u'O' ? 8 : 0;
        if (radix == 0)
            return 0;
        pos = 2;
        double value = 0;
        int digit;
        while (pos < size && (digit = DigitValue(text[pos], radix)) >= 0) {
            value = value * radix + digit;
            ++pos;
        }
        if (pos == 2)
            return 0;
        length = pos;
        // Short hexadecimal and octal numbers are two's complement values.
        if (value <= 0xFFFF)
            return value >= 0x8000 ? value - 0x10000 : value;
        if (value <= 0xFFFFFFFFu)
            return value >= 0x80000000u ? value - 4294967296.0 : value;
        return value;
    }

    QByteArray ascii;
    if (pos < size && (text[pos] == u'+' || text[pos] == u'-'))
        ascii.append(static_cast<char>(text[pos++].unicode()));
    qsizetype digits = 0;
    while (pos < size && IsDigit(text[pos])) {
        ascii.append(static_cast<char>(text[pos++].unicode()));
        ++digits;
    }
    if (pos < size && text[pos] == u'.') {
        ascii.append('.');
        ++pos;
        while (pos < size && IsDigit(text[pos])) {
            ascii.append(static_cast<char>(text[pos++].unicode()));
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    // An exponent counts only when digits follow it ("1e" is 1).
    if (pos < size && QStringView(u"eEdD").contains(text[pos])) {
        qsizetype exponentPos = pos + 1;
        QByteArray exponent("e");
        if (exponentPos < size && (text[exponentPos] == u'+' || text[exponentPos] == u'-'))
            exponent.append(static_cast<char>(text[exponentPos++].unicode()));
        const qsizetype exponentDigitsStart = exponentPos;
        while (exponentPos < size && IsDigit(text[exponentPos]))
            exponent.append(static_cast<char>(text[exponentPos++].unicode()));
        if (exponentPos > exponentDigitsStart) {
            ascii.append(exponent);
            pos = exponentPos;
        }
    }
    length = pos;
    return std::strtod(ascii.constData(), nullptr);
}

template <typename T> std::optional<T> RoundToWhole(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<T>::min() || rounded > std::numeric_limits<T>::max())
        return std::nullopt;
    return static_cast<T>(rounded);
}

} // namespace

double Val(QStringView text)
{
    QString compact;
    compact.reserve(text.size());
    for (QChar c : text) {
        if (c != u' ' && c != u'\t' && c != u'\n')
            compact.append(c);
    }
    qsizetype length = 0;
    return ScanNumber(compact, length);
}

std::optional<double> TextToNumber(QStringView text)
{
    const QStringView trimmed = text.trimmed();
    qsizetype length = 0;
    const double value = ScanNumber(trimmed, length);
    if (length == 0 || length != trimmed.size())
        return std::nullopt;
    return value;
}

std::optional<qint16> RoundToInteger(double value)
{
    return RoundToWhole<qint16>(value);
}

std::optional<qint32> RoundToLong(double value)
{
    return RoundToWhole<qint32>(value);
}

std::optional<bool> TextToBool(QStringView text)
{
    const QStringView trimmed = text.trimmed();
    if (trimmed.compare(u"True", Qt::CaseInsensitive) == 0)
        return true;
    if (trimmed.compare(u"False", Qt::CaseInsensitive) == 0)
        return false;
    if (const std::optional<double> number = TextToNumber(trimmed))
        return *number != 0;
    return std::nullopt;
}

} // namespace morvane
