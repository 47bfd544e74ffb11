#pragma once

#include "data/engine/DatabaseEngine.h"

namespace morvane::engine_detail {

// A whole number written in `text`: optional blanks around it, an optional
// sign, decimal digits. False for anything else (also for an empty text and
// for numbers beyond 64 bits).
bool ParseWholeNumber(QStringView text, qint64& number);

// `value` as it will be stored in `field`: numbers range-checked, texts
// turned into numbers for Integer/Long fields, numbers into texts for Text
// fields, texts measured in code page 932 bytes. Throws EngineError
// (ConversionError, NumericOverflow, FieldTooSmall, ZeroLengthNotAllowed).
Value ConvertForField(const FieldDef& field, const Value& value);

// Lowest and highest number a numeric field holds.
qint64 FieldMinimum(FieldType type);
qint64 FieldMaximum(FieldType type);

} // namespace morvane::engine_detail
