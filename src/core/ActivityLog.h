#pragma once

#include "core/Clock.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringView>

namespace morvane {

// The activity log, Morva.log in the program folder: one line per start or
// exit, two double-quoted fields (date and time, event word), code page 932,
// CR LF line ends. Lines are only ever appended here; the viewer reads and
// rewrites the file in the same form.

inline constexpr QStringView kLogStartEvent = u"起動";
inline constexpr QStringView kLogEndEvent = u"終了";

// Full path of the log in `folder`.
QString LogFilePath(const QString& folder);

// First field of a line: "2024/05/01 09:05.07" (date, blank, hh:mm.ss).
// The fixed-width, year-first form keeps the lines sortable as text.
QString LogTimestamp(const QDateTime& moment);

// One complete line in its file bytes, CR LF included.
QByteArray LogLineBytes(QStringView timestamp, QStringView event);

// Appends one line for `event` at the clock's present moment, creating the
// log when missing. A log that cannot be opened or written is passed over:
// the line is lost, nothing else depends on it. Returns whether the line was
// written.
bool AppendLogLine(const QString& folder, QStringView event, const Clock& clock);

} // namespace morvane
