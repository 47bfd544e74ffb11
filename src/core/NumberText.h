#pragma once

#include <QString>

namespace morvane {

// Appends number in decimal, zero-padded to at least minDigits characters
// (a minus sign counts as one). Lists of ten thousand rows write a number or
// two into every row, so this goes straight into the text's own buffer
// instead of through a formatted string.
void AppendNumber(QString& text, qint64 number, int minDigits = 1);

} // namespace morvane
