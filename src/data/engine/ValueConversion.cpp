#include "data/engine/ValueConversion.h"

#include "core/AnsiText.h"

#include <cmath>
#include <limits>

namespace morvane::engine_detail {

namespace {

bool IsBlank(QChar c)
{
    return c.isSpace();
}

QStringView Trimmed(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

// A decimal text such as "12.5" rounded to a whole number the way the
// numeric conversions of the old runtime did: halves go to the even
// neighbour.
bool ParseDecimalRounded(QStringView text, qint64& number)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return false;
    if (std::fabs(value) >= 9.0e18)
        return false;
    number = qint64(std::nearbyint(value)); // default rounding mode: to even
    return true;
}

EngineError Overflow(const FieldDef& field, const QString& shown)
{
    return EngineError(EngineErrorCode::NumericOverflow,
                       QStringLiteral("The number %1 does not fit field '%2' (%3 to %4).")
                           .arg(shown, field.name)
                           .arg(FieldMinimum(field.type))
                           .arg(FieldMaximum(field.type)));
}

} // namespace

bool ParseWholeNumber(QStringView text, qint64& number)
{
    const QStringView digits = Trimmed(text);
    if (digits.isEmpty())
        return false;
    qsizetype i = 0;
    bool negative = false;
    if (digits[0] == QLatin1Char('-') || digits[0] == QLatin1Char('+')) {
        negative = digits[0] == QLatin1Char('-');
        ++i;
    }
    if (i == digits.size())
        return false;
    // Accumulate as a negative number so that the lowest 64-bit value parses.
    qint64 result = 0;
    for (; i < digits.size(); ++i) {
        const char16_t c = digits[i].unicode();
        if (c < u'0' || c > u'9')
            return false;
        const int digit = c - u'0';
        if (result < (std::numeric_limits<qint64>::min() + digit) / 10)
            return false;
        result = result * 10 - digit;
    }
    if (!negative) {
        if (result == std::numeric_limits<qint64>::min())
            return false;
        result = -result;
    }
    number = result;
    return true;
}

qint64 FieldMinimum(FieldType type)
{
    return type == FieldType::Integer ? std::numeric_limits<qint16>::min()
                                      : std::numeric_limits<qint32>::min();
}

qint64 FieldMaximum(FieldType type)
{
    return type == FieldType::Integer ? std::numeric_limits<qint16>::max()
                                      : std::numeric_limits<qint32>::max();
}

Value ConvertForField(const FieldDef& field, const Value& value)
{
    if (value.isNull())
        return value;

    if (field.type == FieldType::Text) {
        const QString text = value.toString();
        if (text.isEmpty() && !field.allowZeroLength) {
            throw EngineError(
                EngineErrorCode::ZeroLengthNotAllowed,
                QStringLiteral("Field '%1' cannot hold an empty text.").arg(field.name));
        }
        const qsizetype bytes = AnsiByteLength(text);
        if (bytes > field.size) {
            throw EngineError(EngineErrorCode::FieldTooSmall,
                              QStringLiteral("The text is %1 bytes long; field '%2' holds at "
                                             "most %3 bytes.")
                                  .arg(bytes)
                                  .arg(field.name)
                                  .arg(field.size));
        }
        return Value(text);
    }

    qint64 number = 0;
    if (value.isNumber()) {
        number = value.toLongLong();
    } else {
        const QString text = value.toString();
        if (!ParseWholeNumber(text, number) && !ParseDecimalRounded(Trimmed(text), number)) {
            throw EngineError(EngineErrorCode::ConversionError,
                              QStringLiteral("The text \"%1\" is not a number for field '%2'.")
                                  .arg(text, field.name));
        }
    }
    if (number < FieldMinimum(field.type) || number > FieldMaximum(field.type))
        throw Overflow(field, QString::number(number));
    return Value(number);
}

} // namespace morvane::engine_detail
