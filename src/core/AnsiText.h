#pragma once

#include <QByteArray>
#include <QString>

namespace morvane {

// Code page 932 (Japanese ANSI) is the byte form of every text file the
// program reads or writes, and the unit of every text-length limit. All
// conversions go through these three functions so that the limits agree
// with the bytes actually written.
//
// A character code page 932 cannot hold is written as "?" (one byte); no
// look-alike substitution is made.

// Number of bytes `text` takes in code page 932.
qsizetype AnsiByteLength(const QString& text);

// `text` in code page 932.
QByteArray ToAnsi(const QString& text);

// The longest start of `text` that fits in `capacity` bytes of code page
// 932, never splitting a character.
QString FitAnsiCapacity(const QString& text, qsizetype capacity);

// Code page 932 bytes back to text. A byte sequence that is not valid code
// page 932 becomes U+FFFD, one per offending byte.
QString FromAnsi(const QByteArray& bytes);

} // namespace morvane
