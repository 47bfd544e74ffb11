#pragma once

#include <QStringView>
#include <QtGlobal>
#include <optional>

namespace morvane {

// Conversions of stored or typed text to values, with the rules the stored
// settings were always read with.

// The number the text starts with, 0 when it starts with none. Blanks, tabs
// and line feeds anywhere are ignored; "&H" and "&O" prefixes give hexadecimal
// and octal numbers (4 or 8 digits wrap to a negative 16- or 32-bit value).
// Never fails: "12px" is 12, "abc" is 0.
double Val(QStringView text);

// The whole text (blanks around it aside) as a number: decimal with an
// optional fraction and exponent, or "&H" / "&O". Empty when any of the text
// is not part of the number.
std::optional<double> TextToNumber(QStringView text);

// A number rounded to a 16-bit (Integer) or 32-bit (Long) whole number, a
// half going to the even neighbour; empty when it does not fit.
std::optional<qint16> RoundToInteger(double value);
std::optional<qint32> RoundToLong(double value);

// "True" / "False" in any letter case, or a number (non-zero is True).
std::optional<bool> TextToBool(QStringView text);

} // namespace morvane
