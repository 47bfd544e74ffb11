#include "data/engine/DatabaseEngine.h"
#include "data/engine/ValueConversion.h"

#include <limits>

namespace morvane {

Value Value::fromVariant(const QVariant& variant)
{
    if (variant.isNull() || !variant.isValid())
        return Value();
    switch (variant.typeId()) {
    case QMetaType::Bool:
        // Booleans have always been kept as these two words.
        return Value(variant.toBool() ? QStringLiteral("True") : QStringLiteral("False"));
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return Value(variant.toLongLong());
    case QMetaType::ULong:
    case QMetaType::ULongLong: {
        const qulonglong number = variant.toULongLong();
        if (number <= qulonglong(std::numeric_limits<qint64>::max()))
            return Value(qint64(number));
        return Value(variant.toString());
    }
    default:
        return Value(variant.toString());
    }
}

qint64 Value::toLongLong(bool* ok) const
{
    qint64 number = 0;
    bool converted = false;
    if (const auto* n = std::get_if<qint64>(&m_data)) {
        number = *n;
        converted = true;
    } else if (const auto* text = std::get_if<QString>(&m_data)) {
        converted = engine_detail::ParseWholeNumber(*text, number);
        if (!converted)
            number = 0;
    }
    if (ok)
        *ok = converted;
    return number;
}

int Value::toInt(bool* ok) const
{
    bool converted = false;
    const qint64 number = toLongLong(&converted);
    const bool fits = converted && number >= std::numeric_limits<int>::min() &&
                      number <= std::numeric_limits<int>::max();
    if (ok)
        *ok = fits;
    return fits ? int(number) : 0;
}

QString Value::toString() const
{
    if (const auto* n = std::get_if<qint64>(&m_data))
        return QString::number(*n);
    if (const auto* text = std::get_if<QString>(&m_data))
        return *text;
    return QString();
}

QVariant Value::toVariant() const
{
    if (const auto* n = std::get_if<qint64>(&m_data))
        return QVariant(qlonglong(*n));
    if (const auto* text = std::get_if<QString>(&m_data))
        return QVariant(*text);
    return QVariant();
}

} // namespace morvane
