#pragma once

#include <QString>

namespace morvane {

// Appends number in decimal, zero-padded to at least minDigits characters
// (a minus sign counts as one). Lists of ten thousand rows write a number or
// two into every row, so this goes straight into the text's own buffer
// instead of through a formatted string.
void AppendNumber(QString& text, qint64 number, int minDigits = 1);

// The same digits written at out, which has room for minDigits and at least
// 20 characters more; returns the end. A text made of several numbers is
// then made at once.
char16_t* WriteNumber(char16_t* out, qint64 number, int minDigits = 1);

} // namespace morvane
